#include "tagging/BatchFileView.h"

namespace tagging {

bool StartsWithID3V2(formats::FileSystem& fs, const std::string& path) {
  auto in = fs.openRead(path);
  char magic[3];
  return in && in->readAt(0, magic, sizeof magic) && std::string(magic, 3) == "ID3";
}

FileView ReadFileView(const std::string& path, const EditFields& held, const HoldFlags& holds,
                      const formats::FormatEnv& env, ReadScope scope) {
  const FileReading reading = ReadFileIntoFields(path, held, holds, env, scope);
  FileView view;
  view.fields = reading.fields;
  view.shown = reading.own;
  view.flags = reading.outcome.flags;
  view.pictures.insert(view.pictures.end(), reading.pictures.begin(), reading.pictures.end());
  view.complete = !reading.picturesMissing;
  return view;
}

ViewReader FileViewReader(const EditFields& held, const HoldFlags& holds, const formats::FormatEnv& env,
                          ReadScope scope) {
  return [=](const std::string& path) { return ReadFileView(path, held, holds, env, scope); };
}

}  // namespace tagging
