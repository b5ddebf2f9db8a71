// remove: the removal panel's jobs, each file judged by its own tags.
#include "cli/BatchSupport.h"
#include "cli/Command.h"
#include "cli/FileArgs.h"
#include "cli/Signals.h"
#include "cli/TagFrames.h"
#include "tagging/Journal.h"
#include "tagging/Removal.h"

namespace cli {

namespace {

std::string PlanText(const tagging::RemovalStep& step, int pictureType) {
  if (step.outcome.reason != tagging::Reason::Done) return "nothing to remove";
  if (step.picture > 0) return "remove its first picture of type " + std::to_string(pictureType);
  if (step.id3v111 && step.id3v230) return "remove the ID3v1.1 and the ID3v2 tag";
  return step.id3v111 ? "remove the ID3v1.1 tag" : "remove the ID3v2 tag";
}

}  // namespace

int RunRemove(const Invocation& call) {
  const int chosen = int(call.isSet("v1")) + int(call.isSet("v2")) + int(call.isSet("both")) +
                     int(call.isSet("picture"));
  if (chosen != 1) return UsageError(call.io(), "remove: give exactly one of --v1, --v2, --both, --picture");
  if (call.positional().empty()) return UsageError(call.io(), "remove: no FILE given");
  int pictureType = 0;
  tagging::RemoveWhat what = call.isSet("v1")   ? tagging::RemoveWhat::ID3V111
                             : call.isSet("v2") ? tagging::RemoveWhat::ID3V230
                                                : tagging::RemoveWhat::Both;
  if (call.isSet("picture")) {
    what = tagging::RemoveWhat::Picture;
    pictureType = PictureTypeOfText(call.value("picture"));
    if (pictureType < 0)
      return UsageError(call.io(), "remove: unknown picture type '" + OneLine(call.value("picture")) + "'");
  }
  const FileArgs args = ExpandFileArgs(call.positional(), call.isSet("recursive"));
  RunLog log(call.io(), args.files.size());
  for (const auto& [path, reason] : args.missing) log.fail(path, reason);
  // Only a picture removal saves the file and needs its pictures and what a save would lose.
  const tagging::ViewReader read = tagging::FileViewReader({}, {}, call.env());
  if (call.isSet("dry-run")) {
    std::vector<tagging::FileOutcome> outcomes;
    for (const std::string& path : args.files) {
      log.step(path);
      const tagging::RemovalStep step = tagging::PlanRemoval(path, what, pictureType, read, *call.env().fs);
      call.io().out << OneLine(path) << ": " << PlanText(step, pictureType) << '\n';
      outcomes.push_back(step.outcome);
    }
    return ReportOutcomes(log, outcomes);
  }
  tagging::Journal journal;
  tagging::JournalRun run = journal.begin("remove", args.files);
  const std::vector<tagging::FileOutcome> outcomes =
      tagging::RemoveTags(args.files, what, pictureType, read, call.env(), ProgressOf(log, args.files), false,
                          LossPolicy(call.isSet("force")), &InterruptToken());
  run.finish();
  return ReportOutcomes(log, outcomes);
}

}  // namespace cli
