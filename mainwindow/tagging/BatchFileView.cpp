#include "mainwindow/tagging/BatchFileView.h"

#include <memory>

#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"

namespace tagging {

namespace {

// The picture files of the file read last, deleted when the next one is read.
struct ReadPictures {
  std::vector<core::PictureRecord> pictures;
  ReadPictures() = default;
  ReadPictures(const ReadPictures&) = delete;
  ReadPictures& operator=(const ReadPictures&) = delete;
  ~ReadPictures() { core::DeleteTemporaryPictures(pictures); }
};

}  // namespace

bool StartsWithID3V2(formats::FileSystem& fs, const std::string& path) {
  auto in = fs.openRead(path);
  char magic[3];
  return in && in->readAt(0, magic, sizeof magic) && std::string(magic, 3) == "ID3";
}

FileView ReadFileView(const std::string& path, const EditFields& held, const HoldFlags& holds,
                      const std::string& coverBase, const formats::FormatEnv& env) {
  FileView view;
  view.fields = held;
  formats::clsID3V111Reader v1(env);
  v1.ReadID3V111Tag(path);
  formats::clsID3V230Reader v2(env, coverBase);
  v2.ReadID3V230Tag(path);
  const ID3V230Values v2Values = ValuesOf(v2);
  view.flags = FillFromTags(view.fields, holds, ValuesOf(v1), v2Values).flags;
  if (!v2Values.TagPresent) {
    view.complete = !StartsWithID3V2(*env.fs, path);
    return view;
  }
  const std::vector<core::PictureRecord> pictures = SplitPictures(v2Values);
  if (pictures.size() != SplitList(v2Values.GraphicSize).size()) view.complete = false;
  for (core::PictureRecord picture : pictures) {
    if (coverBase.empty()) {
      view.complete = false;
      break;
    }
    std::string description;
    std::string subtype;
    picture.FileName = v2.ExtractGraphic(path, picture.StartPos, picture.Size, description, subtype);
    picture.Temporary = true;
    if (picture.FileName.empty()) view.complete = false;
    view.pictures.push_back(picture);
  }
  return view;
}

ViewReader FileViewReader(const EditFields& held, const HoldFlags& holds, const std::string& coverBase,
                          const formats::FormatEnv& env) {
  auto last = std::make_shared<ReadPictures>();
  return [=](const std::string& path) {
    core::DeleteTemporaryPictures(last->pictures);
    FileView view = ReadFileView(path, held, holds, coverBase, env);
    last->pictures = view.pictures;
    return view;
  };
}

}  // namespace tagging
