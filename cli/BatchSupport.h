// What the commands built on the batch routines share: the work folder of the pictures a
// reading extracts, the failures of a run as error lines, and the progress line.
#pragma once
#include <string>
#include <vector>

#include "cli/RunLog.h"
#include "mainwindow/tagging/BatchResult.h"

namespace cli {

// The private work folder plus a name of this process: the base of the picture files a
// reading extracts (empty when no safe folder exists; files with pictures are then not
// saved). The readers delete their picture files.
std::string PictureWorkBase();

// The language index of the batch routines' texts: the command line speaks English.
constexpr int EnglishTexts = 1;

// One error line per failed outcome, with its reason; the run's exit status.
int ReportOutcomes(RunLog& log, const std::vector<tagging::FileOutcome>& outcomes);

// A batch routine's progress drawn as the run log's progress line.
tagging::Progress ProgressOf(RunLog& log, const std::vector<std::string>& files);

}  // namespace cli
