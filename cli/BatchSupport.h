// What the commands built on the shared save and the batch routines share: the loss policy
// of a run, the words of its results, the failures of a run as error lines, and the
// progress line.
#pragma once
#include <string>
#include <vector>

#include "cli/RunLog.h"
#include "tagging/BatchResult.h"
#include "tagging/KeepOldTag.h"
#include "texts/RunTexts.h"

namespace cli {

// The words of the results: English, or German when the locale asks for it (the first of
// LC_ALL, LC_MESSAGES and LANG that is set starts with "de").
const texts::RunTexts& Words();
bool GermanWanted();

// No question is ever asked: with --force a save that would lose tag data is done, without
// it the save is refused, and its status holds what it would have lost.
tagging::SavePolicy LossPolicy(bool force);

// The reason of a failed outcome as its error line gives it; a refused save adds how
// --force would save it anyway.
std::string ReasonLine(const tagging::FileOutcome& outcome);

// The error line of a file that cannot be read, with the system's reason ("cannot be read:
// the file vanished").
std::string UnreadableLine(const formats::Status& status);

// One error line per failed outcome, with its reason; the run's exit status.
int ReportOutcomes(RunLog& log, const std::vector<tagging::FileOutcome>& outcomes);

// A batch routine's progress drawn as the run log's progress line.
tagging::Progress ProgressOf(RunLog& log, const std::vector<std::string>& files);

}  // namespace cli
