// Prints the ID3v2 frames of an MP3 file as TagLib reads them, one line per frame: a key
// (the frame ID, with the description or owner where the frame has one) and the value, both
// as hexadecimal bytes (texts in UTF-8, the data of PRIV and APIC frames). The peer table
// compares these lines with what it wrote. Usage: taglib_frames FILE
#include <taglib/attachedpictureframe.h>
#include <taglib/commentsframe.h>
#include <taglib/id3v2frame.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/privateframe.h>
#include <taglib/textidentificationframe.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/urllinkframe.h>

#include <cstdio>
#include <string>

#include "support/Peers.h"

namespace {

std::string Utf8(const TagLib::String& text) { return text.to8Bit(true); }
std::string Raw(const TagLib::ByteVector& bytes) { return std::string(bytes.data(), bytes.size()); }

void Put(const std::string& key, const std::string& value) {
  std::printf("%s %s\n", support::Hex(key).c_str(), support::Hex(value).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  TagLib::MPEG::File file(argv[1], false);
  if (!file.isValid() || !file.hasID3v2Tag()) return 1;
  using namespace TagLib::ID3v2;
  for (Frame* frame : file.ID3v2Tag()->frameList()) {
    const std::string id = Raw(frame->frameID());
    if (auto* user = dynamic_cast<UserTextIdentificationFrame*>(frame)) {
      const TagLib::StringList fields = user->fieldList();
      Put(id + ":" + Utf8(user->description()), fields.size() > 1 ? Utf8(fields[1]) : std::string());
    } else if (auto* text = dynamic_cast<TextIdentificationFrame*>(frame)) {
      Put(id, Utf8(text->fieldList().toString("\n")));
    } else if (auto* comment = dynamic_cast<CommentsFrame*>(frame)) {
      Put(id + ":" + Utf8(comment->description()), Utf8(comment->text()));
    } else if (auto* lyrics = dynamic_cast<UnsynchronizedLyricsFrame*>(frame)) {
      Put(id + ":" + Utf8(lyrics->description()), Utf8(lyrics->text()));
    } else if (auto* url = dynamic_cast<UserUrlLinkFrame*>(frame)) {
      Put(id + ":" + Utf8(url->description()), Utf8(url->url()));
    } else if (auto* picture = dynamic_cast<AttachedPictureFrame*>(frame)) {
      Put(id + ":" + Utf8(picture->description()), Raw(picture->picture()));
    } else if (auto* data = dynamic_cast<PrivateFrame*>(frame)) {
      Put(id + ":" + Utf8(data->owner()), Raw(data->data()));
    } else {
      Put(id, Raw(frame->render()));
    }
  }
  return 0;
}
