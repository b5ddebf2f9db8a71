#include "formats/TagSaver.h"

#include <utility>

#include "formats/ID3V230Rewrite.h"

namespace formats {

using namespace id3v230;

TagSaver::TagSaver(FormatEnv env) : env_(std::move(env)) {}

bool TagSaver::SaveTags(const std::string& strFileName, const clsID3V111Writer& id3v1,
                        const clsID3V230Writer& id3v2) {
  if (!id3v2.PictureListsValid()) return false;  // before anything is touched
  return SaveTagsWith(strFileName, id3v1, [&id3v2](InputFile&, PreparedTag& tag) { return id3v2.PrepareTag(tag); });
}

bool TagSaver::SaveTagsWith(const std::string& strFileName, const clsID3V111Writer& id3v1, const TagBuilder& build) {
  auto in = env_.fs->openRead(strFileName);
  if (!in) return false;
  PreparedTag tag;
  if (!build(*in, tag)) return false;

  // The file as the ID3v1.1 step leaves it: without its old 128-byte block, with the new
  // one appended. The ID3v2 step then reads its old tag from these bytes.
  const std::uint64_t length = in->size();
  SourceBytes afterFirstStep;
  afterFirstStep.addRange(*in, 0, HasID3V111Tag(*in) ? length - ID3V111TagSize : length);
  afterFirstStep.addBlock(id3v1.BuildTagBlock());

  std::uint64_t oldLength = 0;
  if (FindOldTag(afterFirstStep, oldLength) == OldTag::Damaged) return false;
  return RewriteFile(env_, strFileName, tag, afterFirstStep, oldLength, ".mp3");
}

}  // namespace formats
