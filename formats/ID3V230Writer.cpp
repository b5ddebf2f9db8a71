#include "formats/ID3V230Writer.h"

#include <algorithm>
#include <utility>

#include "formats/FrameBodies.h"
#include "formats/ID3V230Layout.h"
#include "formats/Pictures.h"

namespace formats {

using namespace id3v230;

namespace {

// A picture type as the caller gives it: a whole number from 0 to 255 in decimal digits.
bool pictureType(const std::string& text, std::uint8_t& type) {
  if (text.empty() || text.size() > 3) return false;
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 255) return false;
  type = static_cast<std::uint8_t>(value);
  return true;
}

}  // namespace

clsID3V230Writer::clsID3V230Writer(FormatEnv env) : env_(std::move(env)) {}

std::uint8_t clsID3V230Writer::GetGraphicType(const std::string& strType) const {
  return PictureTypeNumber(strType);
}

std::string clsID3V230Writer::URL() const {
  std::string list;
  for (std::size_t i = 0; i < urls_.size(); ++i) list += (i > 0 ? "|" : "") + urls_[i];
  return list;
}

void clsID3V230Writer::setURL(const std::string& value) {
  urls_.clear();
  if (!value.empty()) urls_ = SplitList(value);
}

void clsID3V230Writer::setPictures(std::vector<PictureFile> pictures) {
  pictures_ = std::move(pictures);
  typedPictures_ = true;
  graphic_.clear(), graphicType_.clear(), graphicTitle_.clear();
  for (std::size_t i = 0; i < pictures_.size(); ++i) {
    const char* bar = i > 0 ? "|" : "";
    graphic_ += bar + pictures_[i].path;
    graphicType_ += bar + std::to_string(pictures_[i].type);
    graphicTitle_ += bar + pictures_[i].title;
  }
}

bool clsID3V230Writer::pictureEntries(std::vector<PictureEntry>& entries) const {
  entries.clear();
  if (typedPictures_) {
    entries = pictures_;
    return true;
  }
  if (graphic_.empty()) return true;
  // A single picture takes its type and title whole, even when they hold a "|".
  const bool several = graphic_.find(ListSeparator) != std::string::npos;
  const auto paths = SplitList(graphic_);
  const auto types = several ? SplitList(graphicType_) : std::vector<std::string>{graphicType_};
  const auto titles = several ? SplitList(graphicTitle_) : std::vector<std::string>{graphicTitle_};
  if (types.size() < paths.size() || titles.size() < paths.size()) return false;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    PictureEntry entry;
    entry.path = paths[i];
    entry.title = titles[i];
    if (!pictureType(types[i], entry.type)) return false;
    entries.push_back(std::move(entry));
  }
  return true;
}

bool clsID3V230Writer::PictureListsValid() const {
  std::vector<PictureEntry> entries;
  return pictureEntries(entries);
}

bool clsID3V230Writer::PrepareTag(PreparedTag& tag, const KeptFrames* kept) const {
  std::vector<PictureEntry> pictures;
  if (!pictureEntries(pictures)) return false;
  InputFile* source = kept != nullptr ? kept->source : nullptr;

  // A property's frame, or the old frames kept in its place.
  const auto place = [&](const char* id, const std::string& text, const auto& body) {
    if (kept != nullptr) {
      const auto found = kept->inPlace.find(id);
      if (found != kept->inPlace.end()) {
        for (const StoredFrame* frame : found->second) tag.addStoredFrame(*frame, source);
        return;
      }
    }
    if (!text.empty()) tag.addFrame(id, body());
  };
  const std::pair<const char*, const std::string*> leading[] = {
      {"TIT2", &songTitle_}, {"TPE1", &artist_}, {"TALB", &album_}, {"TYER", &year_},
      {"TRCK", &track_},     {"TCON", &genre_}};
  for (const auto& field : leading) place(field.first, *field.second, [&] { return bodies::Text(*field.second); });
  const std::string language = language_.size() == 3 ? language_ : "eng";
  place("COMM", comment_, [&] { return bodies::Comment(language, "", comment_); });  // empty description
  const std::pair<const char*, const std::string*> trailing[] = {
      {"TCOM", &composer_}, {"TOPE", &originalArtist_}, {"TLAN", &language_},
      {"TIT3", &subTitle_}, {"TCOP", &copyright_},      {"TENC", &encodedBy_}};
  for (const auto& field : trailing) place(field.first, *field.second, [&] { return bodies::Text(*field.second); });
  for (std::size_t i = 0; i < urls_.size(); ++i) {
    if (kept != nullptr && i < kept->urls.size() && kept->urls[i] != nullptr)
      tag.addStoredFrame(*kept->urls[i], source);
    else
      tag.addFrame("WXXX", bodies::UserUrl("", urls_[i]));
  }
  place("USLT", lyrics_, [&] { return bodies::Comment("eng", "", lyrics_); });
  if (kept != nullptr)
    for (const StoredFrame* frame : kept->carried) tag.addStoredFrame(*frame, source);

  auto addPictureFile = [&](const PictureEntry& picture) {
    if (picture.path.empty() || !env_.fs->exists(picture.path)) return true;  // left out
    auto file = env_.fs->openRead(picture.path);
    if (!file) return false;  // there, but unreadable: better no save than a lost picture
    if (file->size() >= SevenBitLimit) return false;
    unsigned char head[8] = {};
    const auto known = static_cast<std::size_t>(std::min<std::uint64_t>(file->size(), sizeof head));
    if (!file->readAt(0, head, known)) return false;
    tag.addPicture(bodies::PictureFront(PictureMimeType(head, known, picture.path), picture.type, picture.title),
                   std::move(file));
    return true;
  };
  if (kept == nullptr) {
    for (const PictureEntry& picture : pictures)
      if (!addPictureFile(picture)) return false;
  } else {
    for (const KeptFrames::Picture& picture : kept->pictures) {
      if (picture.frame != nullptr)
        tag.addStoredFrame(*picture.frame, source);
      else if (picture.entry >= pictures.size() || !addPictureFile(pictures[picture.entry]))
        return false;
    }
  }
  // The header's 7-bit size cannot describe a tag of 256 MiB or more.
  return tag.framesSize() < SevenBitLimit;
}

Status clsID3V230Writer::WriteID3V230Tag(const std::string& strFileName) {
  // A picture list that does not fit: nothing is touched.
  if (!PictureListsValid()) return Status::Io(EINVAL, strFileName);
  Status status;
  auto in = OpenRead(*env_.fs, strFileName, status);
  if (!in) return status;
  PreparedTag tag;
  errno = 0;
  if (!PrepareTag(tag)) return Status::LastError(strFileName);  // a picture file failed to open
  SourceBytes source;
  source.addRange(*in, 0, in->size());
  std::uint64_t oldLength = 0;
  switch (FindOldTag(source, oldLength)) {
    case OldTag::Damaged: return Status::Of(Failure::Damaged, strFileName);
    case OldTag::None:
      if (tag.empty()) return Status::Ok();  // nothing to write, nothing to remove
      break;
    case OldTag::Found: break;
  }
  return RewriteFile(env_, strFileName, tag, source, oldLength, tag.empty() ? ".new" : ".mp3");
}

Status clsID3V230Writer::RemoveID3V230Tag(const std::string& strFileName) {
  Status status;
  auto in = OpenRead(*env_.fs, strFileName, status);
  if (!in) return status;
  SourceBytes source;
  source.addRange(*in, 0, in->size());
  std::uint64_t oldLength = 0;
  switch (FindOldTag(source, oldLength)) {
    case OldTag::None: return Status::Ok();
    case OldTag::Damaged: return Status::Of(Failure::Damaged, strFileName);
    case OldTag::Found: break;
  }
  return RewriteFile(env_, strFileName, PreparedTag{}, source, oldLength, ".new");
}

}  // namespace formats
