// libFuzzer target: any bytes as an MP3 file, read into the fields as the window and the
// command line read it, saved with the title changed through the shared save routine
// (losses accepted, as --force does) into memory, and read back. A finding is a saved
// file whose tag does not read (or reads with damage), a title that did not arrive, a
// field other than the title that reads back other than the old ID3v2 tag held it (or,
// without a readable old tag, other than the view showed it), a field frame of an ID3v2.3
// tag other than the title's that is not in the new tag byte for byte, a frame that the
// save carries (every frame no field stands for) that is not in the new tag exactly as it
// was read, in its order, or a picture whose data changed.
// Built and run by run.sh beside this file (clang only); not part of the CMake build.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "MemoryFileSystem.h"
#include "formats/ID3V230Reader.h"
#include "formats/Pictures.h"
#include "tagging/FileReading.h"
#include "tagging/TagSaveRules.h"

namespace {

using formats::clsID3V230Reader;

const char* const NewTitle = "Fuzz title \xC3\xA9";

// A frame as a save must carry it: ID, flags and body.
std::string Whole(formats::InputFile& in, const formats::StoredFrame& frame) {
  std::string body;
  if (!formats::LoadBody(in, frame, body)) __builtin_trap();
  return frame.id + char(frame.flags[0]) + char(frame.flags[1]) + body;
}

// The frames that a save of the read tag carries (those no field stands for), whole, in tag order.
std::vector<std::string> Carried(formats::InputFile& in, const clsID3V230Reader& reader) {
  std::vector<std::string> carried;
  for (std::size_t i = 0; reader.TagPresent() && i < reader.Frames().size(); ++i)
    if (reader.FrameRoles()[i] == clsID3V230Reader::FrameRole::Carried && reader.Frames()[i].carriable)
      carried.push_back(Whole(in, reader.Frames()[i]));
  return carried;
}

// The data of every picture, in tag order (its type and description follow the fields' rules).
std::vector<std::string> PictureData(formats::InputFile& in, const clsID3V230Reader& reader) {
  std::vector<std::string> pictures;
  for (const formats::StoredFrame& frame : reader.Frames()) {
    if (!reader.TagPresent() || frame.id != "APIC") continue;
    std::string body;
    if (!formats::LoadBody(in, frame, body)) __builtin_trap();
    formats::PictureHeader header;
    const auto parse = formats::ParsePictureHeader(reinterpret_cast<const unsigned char*>(body.data()), body.size(),
                                                   body.size(), header);
    if (parse == formats::PictureParse::Complete) pictures.push_back(body.substr(header.dataOffset));
  }
  return pictures;
}

// Whether `part` is `whole` with some entries left out.
bool Within(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  std::size_t at = 0;
  for (const std::string& entry : whole)
    if (at < part.size() && part[at] == entry) ++at;
  return at == part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MemoryFileSystem fs(data, size, true);
  const formats::FormatEnv env = fs.env();
  const tagging::FileReading reading = tagging::ReadFileIntoFields("song.mp3", {}, {}, env);
  const auto before = fs.openRead("song.mp3");
  clsID3V230Reader old(env);
  old.ReadFrom(*before);

  tagging::EditFields fields = reading.fields;
  fields.title = NewTitle;
  std::vector<core::PictureRecord> pictures(1);
  pictures.insert(pictures.end(), reading.pictures.begin(), reading.pictures.end());
  tagging::SavePolicy force;
  force.mode = tagging::SavePolicy::Mode::Force;
  if (!tagging::SaveTagsToFile("song.mp3", fields, pictures, env, force)) return 0;  // refused, as it may be

  const auto after = fs.openRead("song.mp3");
  clsID3V230Reader saved(env);
  saved.ReadFrom(*after);
  if (!saved.TagPresent() || !saved.ReadProblem().empty() || saved.Version() != 3) __builtin_trap();
  if (saved.SongTitle() != NewTitle) __builtin_trap();
  // A save writes only the changed field: every other keeps the old tag's own value. A
  // file without a readable ID3v2 tag gets a new one with every field as the view showed it.
  const bool kept = old.TagPresent();
  const std::pair<std::string, std::string> unchanged[] = {
      {kept ? old.Artist() : fields.artist, saved.Artist()},
      {kept ? old.Album() : fields.album, saved.Album()},
      {kept ? old.Year() : fields.year, saved.Year()},
      {kept ? old.Genre() : fields.genre, saved.Genre()},
      {kept ? old.Composer() : fields.composer, saved.Composer()},
      {kept ? old.OriginalArtist() : fields.originalArtist, saved.OriginalArtist()},
      {kept ? old.Copyright() : fields.copyright, saved.Copyright()},
      {kept ? old.EncodedBy() : fields.encodedBy, saved.EncodedBy()},
      {kept ? old.SubTitle() : fields.subTitle, saved.SubTitle()},
      {kept ? old.Language() : fields.language, saved.Language()}};
  for (const auto& [was, now] : unchanged)
    if (was != now) __builtin_trap();
  // A carried frame may take a field's place in the new tag (a second comment, when the
  // field's own is not written again): it is looked for among all frames.
  std::vector<std::string> all;
  for (const formats::StoredFrame& frame : saved.Frames()) all.push_back(Whole(*after, frame));
  // An ID3v2.3 tag's field frames other than the title's stay byte for byte (pictures: their data, below; one frame of
  // an ID: two of one ID are joined into one).
  if (kept && old.Version() == 3) {
    const auto& frames = old.Frames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
      if (old.FrameRoles()[i] != clsID3V230Reader::FrameRole::Field || frames[i].id == "TIT2" || frames[i].id == "APIC" ||
          !frames[i].carriable)
        continue;
      const auto sameId = [&](const formats::StoredFrame& f) { return f.id == frames[i].id; };
      if (std::count_if(frames.begin(), frames.end(), sameId) != 1) continue;
      if (std::find(all.begin(), all.end(), Whole(*before, frames[i])) == all.end()) __builtin_trap();
    }
  }
  if (!Within(Carried(*before, old), all)) __builtin_trap();
  if (PictureData(*before, old) != PictureData(*after, saved)) __builtin_trap();
  return 0;
}
