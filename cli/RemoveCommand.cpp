// remove: the removal panel's jobs, decided by each file's own tags.
#include "cli/Command.h"
#include "cli/FileArgs.h"
#include "cli/SaveRun.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"

namespace cli {

namespace {

struct TagsPresent {
  bool v1 = false;
  bool v2 = false;
  std::uint64_t size = 0;
};

bool ReadPresence(const formats::FormatEnv& env, const std::string& path, TagsPresent& present) {
  auto in = env.fs->openRead(path);
  if (!in) return false;
  char magic[3];
  present.v2 = in->readAt(0, magic, sizeof magic) && std::string(magic, 3) == "ID3";
  present.v1 = formats::HasID3V111Tag(*in);
  present.size = in->size();
  return true;
}

}  // namespace

int RunRemove(const Invocation& call) {
  const int chosen = int(call.isSet("v1")) + int(call.isSet("v2")) + int(call.isSet("both")) +
                     int(call.isSet("picture"));
  if (chosen != 1) return UsageError(call.io(), "remove: give exactly one of --v1, --v2, --both, --picture");
  if (call.positional().empty()) return UsageError(call.io(), "remove: no FILE given");
  if (call.isSet("picture")) {
    SetPlan plan;
    for (const std::string& text : call.values("picture")) {
      const int type = PictureTypeOfText(text);
      if (type < 0) return UsageError(call.io(), "remove: unknown picture type '" + OneLine(text) + "'");
      plan.removedTypes.push_back(type);
    }
    return RunSaves(call, plan);
  }
  const bool v1 = call.isSet("v1") || call.isSet("both");
  const bool v2 = call.isSet("v2") || call.isSet("both");
  const bool dryRun = call.isSet("dry-run");
  const FileArgs args = ExpandFileArgs(call.positional(), call.isSet("recursive"));
  RunLog log(call.io(), args.files.size());
  for (const auto& [path, reason] : args.missing) log.fail(path, reason);
  for (const std::string& path : args.files) {
    log.step(path);
    TagsPresent present;
    if (!ReadPresence(call.env(), path, present)) {
      log.fail(path, "cannot be opened for reading");
      continue;
    }
    const bool cutV1 = v1 && present.v1;
    const bool cutV2 = v2 && present.v2;
    if (dryRun) {
      call.io().out << OneLine(path) << ": "
                    << (cutV1 && cutV2 ? "remove the ID3v1.1 and the ID3v2 tag"
                        : cutV1        ? "remove the ID3v1.1 tag"
                        : cutV2        ? "remove the ID3v2 tag"
                                       : "no such tag")
                    << '\n';
      continue;
    }
    if (cutV1) {
      formats::clsID3V111Writer(call.env()).RemoveID3V111Tag(path);
      TagsPresent after;
      if (!ReadPresence(call.env(), path, after) || after.size + formats::ID3V111TagSize != present.size) {
        log.fail(path, "the ID3v1.1 tag could not be removed; the file is unchanged");
        continue;
      }
    }
    if (cutV2 && !formats::clsID3V230Writer(call.env()).RemoveID3V230Tag(path))
      log.fail(path, cutV1 ? "the ID3v1.1 tag was removed, the ID3v2 tag could not be"
                           : "the ID3v2 tag could not be removed; the file is unchanged");
  }
  return log.status();
}

}  // namespace cli
