#include "tagging/BatchResult.h"

namespace tagging {

std::vector<FileOutcome> Failures(const std::vector<FileOutcome>& outcomes) {
  std::vector<FileOutcome> failed;
  for (const FileOutcome& outcome : outcomes) {
    if (outcome.reason != Reason::Done && outcome.reason != Reason::Skipped) failed.push_back(outcome);
  }
  return failed;
}

}  // namespace tagging
