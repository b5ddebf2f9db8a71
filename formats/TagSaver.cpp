#include "formats/TagSaver.h"

#include <utility>

#include "formats/ID3V230Rewrite.h"

namespace formats {

using namespace id3v230;

TagSaver::TagSaver(FormatEnv env) : env_(std::move(env)) {}

Status TagSaver::SaveTags(const std::string& strFileName, const clsID3V111Writer& id3v1,
                          const clsID3V230Writer& id3v2) {
  if (!id3v2.PictureListsValid()) return Status::Io(EINVAL, strFileName);  // before anything is touched
  return SaveTagsWith(strFileName, id3v1, [&id3v2, &strFileName](InputFile&, PreparedTag& tag) {
    errno = 0;
    return id3v2.PrepareTag(tag) ? Status::Ok() : Status::LastError(strFileName);
  });
}

Status TagSaver::SaveTagsWith(const std::string& strFileName, const clsID3V111Writer& id3v1, const TagBuilder& build) {
  Status status;
  auto in = OpenRead(*env_.fs, strFileName, status);
  if (!in) return status;
  PreparedTag tag;
  status = build(*in, tag);
  if (!status) return status;

  // The file as the ID3v1.1 step leaves it: without its old 128-byte block, with the new
  // one appended. The ID3v2 step then reads its old tag from these bytes.
  const std::uint64_t length = in->size();
  SourceBytes afterFirstStep;
  afterFirstStep.addRange(*in, 0, HasID3V111Tag(*in) ? length - ID3V111TagSize : length);
  afterFirstStep.addBlock(id3v1.BuildTagBlock());

  std::uint64_t oldLength = 0;
  if (FindOldTag(afterFirstStep, oldLength) == OldTag::Damaged) return Status::Of(Failure::Damaged, strFileName);
  return RewriteFile(env_, strFileName, tag, afterFirstStep, oldLength, ".mp3");
}

}  // namespace formats
