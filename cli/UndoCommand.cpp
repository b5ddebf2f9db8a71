// undo: takes back the last run that changed files, from the journal the window shares.
#include <ctime>

#include "cli/Command.h"
#include "tagging/Journal.h"

namespace cli {

namespace {

std::string TimeText(std::int64_t seconds) {
  const std::time_t when = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&when, &local);
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace

int RunUndo(const Invocation& call) {
  if (!call.positional().empty()) return UsageError(call.io(), "undo: takes no FILE");
  tagging::Journal journal;
  std::ostream& out = call.io().out;
  if (call.isSet("list")) {
    for (const tagging::JournalListing& run : journal.list())
      out << run.name << "  " << TimeText(run.time) << "  " << OneLine(run.title) << "  " << run.files
          << (run.files == 1 ? " file" : " files") << (run.complete ? "" : "  (not finished: cannot be undone)")
          << '\n';
    return ExitDone;
  }
  const bool dryRun = call.isSet("dry-run");
  const tagging::UndoResult result = journal.undoLast(tagging::MoveToHomeTrash, dryRun);
  RunLog log(call.io(), result.restored.size() + result.changed.size() + result.failed.size());
  if (!result.found) {
    log.fail("undo", "no run to undo");
    return log.status();
  }
  out << (dryRun ? "would undo: " : "undone: ") << OneLine(result.title) << '\n';
  for (const std::string& path : result.trashed)
    out << (dryRun ? "  would move to the trash: " : "  moved to the trash: ") << OneLine(path) << '\n';
  for (const std::string& path : result.restored)
    out << (dryRun ? "  would restore: " : "  restored: ") << OneLine(path) << '\n';
  for (const std::string& path : result.changed) log.fail(path, "changed since the run; left alone");
  for (const std::string& path : result.failed) log.fail(path, "cannot be restored (its name is taken or it cannot be written)");
  return log.status();
}

}  // namespace cli
