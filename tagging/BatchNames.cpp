#include "tagging/BatchNames.h"

#include "core/Ini.h"
#include "core/Texts.h"
#include "formats/TextCodec.h"

namespace tagging {

namespace {

// The field a word names; "Nr" is the track.
std::string EditFields::*FieldOf(DetectWord word) {
  switch (word) {
    case DetectWord::Artist: return &EditFields::artist;
    case DetectWord::Title: return &EditFields::title;
    case DetectWord::Album: return &EditFields::album;
    case DetectWord::Number: break;
  }
  return &EditFields::track;
}

}  // namespace

std::string DetectWordText(DetectWord word) {
  switch (word) {
    case DetectWord::Artist: return "Interpret";
    case DetectWord::Title: return "Titel";
    case DetectWord::Album: return "Album";
    case DetectWord::Number: return "Nr";
  }
  return {};
}

std::optional<DetectWord> ParseDetectWord(const std::string& text) {
  for (DetectWord word : {DetectWord::Artist, DetectWord::Title, DetectWord::Album, DetectWord::Number}) {
    if (DetectWordText(word) == text) return word;
  }
  return std::nullopt;
}

std::string DetectPattern(const DetectList& words, const std::string& separator) {
  std::string pattern = "  ";
  for (std::size_t i = 0; i < words.size(); ++i) pattern += (i > 0 ? separator : "") + DetectWordText(words[i]);
  return pattern + ".mp3  ";
}

std::string SkipCharacters(const std::string& name, double count) {
  const auto length = static_cast<double>(formats::Utf8Length(name));
  if (!(count > 0) || count > length) return name;
  const long long keep = core::RoundHalfEven(length - count);
  const auto drop = static_cast<std::size_t>(static_cast<long long>(length) - keep);
  return name.substr(formats::Utf8Prefix(name, drop).size());
}

void ApplyNamePieces(EditFields& fields, const DetectList& words, const std::string& name,
                     const std::string& separator) {
  std::string rest = name + separator;
  for (DetectWord word : words) {
    std::string& field = fields.*FieldOf(word);
    const std::size_t at = rest.find(separator);
    if (at == std::string::npos) {
      field.clear();
      continue;
    }
    field = TrimBlanks(rest.substr(0, at));
    rest.erase(0, at + separator.size());
  }
}

std::string NumberText(std::size_t number, std::size_t listSize) {
  std::string text = std::to_string(number);
  const std::size_t digits = std::to_string(listSize).size();
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

std::string NameFromFields(const EditFields& fields, const DetectList& words, const std::string& separator,
                           const std::string& number) {
  std::string name;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) name += separator;
    name += words[i] == DetectWord::Number ? number : fields.*FieldOf(words[i]);
  }
  return name;
}

std::optional<std::string> UsableFileName(const std::string& name) {
  std::string usable;
  for (char c : name) {
    if (c != '/' && c != '\0') usable += c;
  }
  core::CleanFileName(usable);
  if (usable.empty() || usable == "." || usable == "..") return std::nullopt;
  return usable;
}

std::string AlbumName(const std::string& artist, const std::string& album, const std::string& year,
                      const std::string& separator) {
  const std::string albumText = album.empty() ? "merged" : album;
  std::string name = artist.empty() ? albumText : artist + separator + albumText;
  if (!year.empty()) name += " (" + year + ")";
  return name;
}

}  // namespace tagging
