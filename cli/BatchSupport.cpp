#include "cli/BatchSupport.h"

namespace cli {

tagging::SavePolicy LossPolicy::policy() {
  tagging::SavePolicy policy;
  policy.mode = force_ ? tagging::SavePolicy::Mode::Force : tagging::SavePolicy::Mode::Refuse;
  policy.refused = [this](const tagging::SaveLoss& loss) { refused_[loss.file] = loss.what; };
  return policy;
}

std::string LossPolicy::LossText(const std::vector<std::string>& losses) {
  std::string text = "the save would lose ";
  for (std::size_t i = 0; i < losses.size(); ++i) text += (i == 0 ? "" : "; ") + losses[i];
  return text + " (--force saves anyway)";
}

std::string LossPolicy::reason(const tagging::FileOutcome& outcome) const {
  const std::string text = tagging::ReasonText(outcome.reason, EnglishTexts);
  const auto refused = refused_.find(outcome.path);
  if (refused == refused_.end() || outcome.reason != tagging::Reason::NotWritable) return text;
  return text + ": " + LossText(refused->second);
}

int ReportOutcomes(RunLog& log, const std::vector<tagging::FileOutcome>& outcomes, const LossPolicy* losses) {
  for (const tagging::FileOutcome& failed : tagging::Failures(outcomes))
    log.fail(failed.path, losses != nullptr ? losses->reason(failed) : tagging::ReasonText(failed.reason, EnglishTexts));
  return log.status();
}

tagging::Progress ProgressOf(RunLog& log, const std::vector<std::string>& files) {
  return [&log, &files](std::size_t index, std::size_t) {
    if (index < files.size()) log.step(files[index]);
  };
}

}  // namespace cli
