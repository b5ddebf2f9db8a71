// taglib_frames FILE: the ID3v2 frames as TagLib reads them, a line each: the key (the ID, with the description
// or owner where the frame has one) and the value (texts in UTF-8, the data of PRIV and APIC) as hexadecimal bytes.
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
    const std::string id = Raw(frame->frameID()), key = id + ":";
    if (auto* u = dynamic_cast<UserTextIdentificationFrame*>(frame))
      Put(key + Utf8(u->description()), u->fieldList().size() > 1 ? Utf8(u->fieldList()[1]) : std::string());
    else if (auto* t = dynamic_cast<TextIdentificationFrame*>(frame)) Put(id, Utf8(t->fieldList().toString("\n")));
    else if (auto* c = dynamic_cast<CommentsFrame*>(frame)) Put(key + Utf8(c->description()), Utf8(c->text()));
    else if (auto* l = dynamic_cast<UnsynchronizedLyricsFrame*>(frame)) Put(key + Utf8(l->description()), Utf8(l->text()));
    else if (auto* w = dynamic_cast<UserUrlLinkFrame*>(frame)) Put(key + Utf8(w->description()), Utf8(w->url()));
    else if (auto* p = dynamic_cast<AttachedPictureFrame*>(frame)) Put(key + Utf8(p->description()), Raw(p->picture()));
    else if (auto* d = dynamic_cast<PrivateFrame*>(frame)) Put(key + Utf8(d->owner()), Raw(d->data()));
    else Put(id, Raw(frame->render()));
  }
  return 0;
}
