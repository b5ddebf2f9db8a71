// What a save keeps of a file's old ID3v2 tag: every frame no field stands for, the
// pictures the user kept, the frames whose field did not change, and what it would still
// lose.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/AppValues.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "tagging/FileInfoRules.h"

namespace tagging {

// What a save of one file would drop.
struct SaveLoss {
  std::string file;
  std::vector<formats::Loss> what;  // one entry per thing lost
};

// What a save does when it would drop something: refuse (the caller reports the file), ask
// (`ask` answers; false leaves the file untouched) or write anyway. A refused save
// returns what it would have lost in its status.
struct SavePolicy {
  enum class Mode { Refuse, Ask, Force };
  Mode mode = Mode::Refuse;
  std::function<bool(const SaveLoss&)> ask;
};

// What a save of the file read by `old` would drop: a tag that could not be read, the
// damaged bytes a read stepped over, frames that ID3v2.3 cannot hold, a second frame of an
// ID a field stands for.
std::vector<formats::Loss> LossesOf(const formats::clsID3V230Reader& old);

// The plan of a save: filled from the old tag (read from `source`), the fields, the fields as
// the view showed them after reading the file (`shown`), and the picture list (element 0 is
// not a picture). A field whose text is still the one shown keeps the old tag's frame of it
// byte for byte (no frame when the tag had none); a changed field is written anew. A picture
// record whose StartPos and Size name
// a picture frame of the old tag and whose FileName is empty or temporary is that frame:
// written from the file's own bytes (unchanged when its type and title are). Every other
// record is a picture file, set into the writer's picture lists.
struct KeepPlan {
  formats::KeptFrames kept;
  std::deque<formats::StoredFrame> changedPictures;  // kept pictures with a new type or title
};
// False when the pictures cannot be saved (see JoinPictures). The writer receives the
// picture lists, and the joined text of an unchanged field that stood for several frames.
bool PlanKeeping(const formats::clsID3V230Reader& old, formats::InputFile& source, const EditFields& fields,
                 const EditFields& shown, const std::vector<core::PictureRecord>& pictureList,
                 formats::FileSystem& fs, formats::clsID3V230Writer& v2, KeepPlan& plan);

}  // namespace tagging
