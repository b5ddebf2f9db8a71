#include "cli/BatchSupport.h"

#include <cstdlib>

namespace cli {

bool GermanWanted() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return std::string(value).rfind("de", 0) == 0;
  }
  return false;
}

const texts::RunTexts& Words() {
  static const texts::RunTexts german;
  static const texts::RunTexts english(texts::English);
  return GermanWanted() ? german : english;
}

tagging::SavePolicy LossPolicy(bool force) {
  tagging::SavePolicy policy;
  policy.mode = force ? tagging::SavePolicy::Mode::Force : tagging::SavePolicy::Mode::Refuse;
  return policy;
}

std::string ReasonLine(const tagging::FileOutcome& outcome) {
  const std::string reason = Words().reason(outcome);
  if (outcome.status.failure != formats::Failure::Refused) return reason;
  return reason + " " + Words().forceHint();
}

std::string UnreadableLine(const formats::Status& status) {
  return Words().reason({status.file, tagging::Reason::NotReadable, {}, status});
}

int ReportOutcomes(RunLog& log, const std::vector<tagging::FileOutcome>& outcomes) {
  for (const tagging::FileOutcome& failed : tagging::Failures(outcomes)) log.fail(failed.path, ReasonLine(failed));
  return log.status();
}

tagging::Progress ProgressOf(RunLog& log, const std::vector<std::string>& files) {
  return [&log, &files](std::size_t index, std::size_t) {
    if (index < files.size()) log.step(files[index]);
  };
}

}  // namespace cli
