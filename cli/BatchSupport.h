// What the commands built on the shared save and the batch routines share: the loss policy
// of a run, the failures of a run as error lines, and the progress line.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "cli/RunLog.h"
#include "tagging/BatchResult.h"
#include "tagging/KeepOldTag.h"

namespace cli {

// The language index of the batch routines' texts: the command line speaks English.
constexpr int EnglishTexts = 1;

// No question is ever asked: with --force a save that would lose tag data is done, without
// it the save is refused and what it would have lost goes into the file's error line.
class LossPolicy {
 public:
  explicit LossPolicy(bool force) : force_(force) {}
  LossPolicy(const LossPolicy&) = delete;
  LossPolicy& operator=(const LossPolicy&) = delete;
  // The policy for the shared save; it refers to this object.
  tagging::SavePolicy policy();
  // "would lose ... (--force saves anyway)" for what a refused save of the file would have lost.
  static std::string LossText(const std::vector<std::string>& losses);
  // The reason of a failed outcome, with what the save would have lost when that stopped it.
  std::string reason(const tagging::FileOutcome& outcome) const;

 private:
  bool force_;
  std::map<std::string, std::vector<std::string>> refused_;  // path -> what it would lose
};

// One error line per failed outcome, with its reason; the run's exit status.
int ReportOutcomes(RunLog& log, const std::vector<tagging::FileOutcome>& outcomes, const LossPolicy* losses = nullptr);

// A batch routine's progress drawn as the run log's progress line.
tagging::Progress ProgressOf(RunLog& log, const std::vector<std::string>& files);

}  // namespace cli
