#include "tagging/BatchResult.h"

#include <algorithm>

namespace tagging {

std::vector<FileOutcome> Failures(const std::vector<FileOutcome>& outcomes) {
  std::vector<FileOutcome> failed;
  for (const FileOutcome& outcome : outcomes) {
    if (outcome.reason != Reason::Done && outcome.reason != Reason::Skipped) failed.push_back(outcome);
  }
  return failed;
}

std::string ReasonText(Reason reason, int languageIndex) {
  const bool english = languageIndex == 1;
  switch (reason) {
    case Reason::Done: return english ? "done" : "erledigt";
    case Reason::Skipped: return english ? "skipped" : "ausgelassen";
    case Reason::NotWritable: return english ? "cannot be written" : "kann nicht geschrieben werden";
    case Reason::TargetExists: return english ? "target exists" : "Zieldatei existiert bereits";
    case Reason::NameNotUsable: return english ? "name not usable" : "Name nicht verwendbar";
    case Reason::TrackOutOfRange: return english ? "track number out of range" : "Tracknummer au\xC3\x9F" "erhalb 0..255";
    case Reason::NotReadable: return english ? "cannot be read" : "kann nicht gelesen werden";
    case Reason::LeftOut: return english ? "left out (more than 101 files)" : "nicht aufgenommen (mehr als 101 Dateien)";
    case Reason::Cancelled: return english ? "not done: cancelled" : "nicht bearbeitet: abgebrochen";
  }
  return {};
}

std::string FailureMessage(const std::vector<FileOutcome>& outcomes, int languageIndex, std::size_t shown) {
  const std::vector<FileOutcome> failed = Failures(outcomes);
  if (failed.empty()) return {};
  const bool english = languageIndex == 1;
  std::string text = english ? "These files could not be changed:" : "Diese Dateien konnten nicht ge\xC3\xA4ndert werden:";
  const std::size_t listed = std::min(failed.size(), shown);
  for (std::size_t i = 0; i < listed; ++i) text += "\n" + failed[i].path + ": " + ReasonText(failed[i].reason, languageIndex);
  if (listed < failed.size()) {
    const std::string more = std::to_string(failed.size() - listed);
    text += english ? "\n... and " + more + " more" : "\n... und " + more + " weitere";
  }
  return text;
}

}  // namespace tagging
