#include "tagging/BatchFileView.h"

#include <iterator>
#include <utility>

namespace tagging {

FileView ReadFileView(const std::string& path, const EditFields& held, const HoldFlags& holds,
                      const formats::FormatEnv& env, ReadScope scope) {
  return FileView::Of(ReadFileIntoFields(path, held, holds, env, scope));
}

FileView FileView::Of(FileReading reading) {
  FileView view;
  view.fields = std::move(reading.fields);
  view.shown = std::move(reading.own);
  view.flags = reading.outcome.flags;
  view.pictures.insert(view.pictures.end(), std::make_move_iterator(reading.pictures.begin()),
                       std::make_move_iterator(reading.pictures.end()));
  view.complete = !reading.picturesMissing;
  return view;
}

ViewReader FileViewReader(const EditFields& held, const HoldFlags& holds, const formats::FormatEnv& env,
                          ReadScope scope) {
  return [=](const std::string& path) { return ReadFileView(path, held, holds, env, scope); };
}

}  // namespace tagging
