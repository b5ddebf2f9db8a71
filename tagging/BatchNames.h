// The rules of the batch panel that turn file names into tag fields and tag fields into
// file names. Texts are UTF-8; file names are native bytes.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tagging/FileInfoRules.h"

namespace tagging {

// The words of a detection list, in the order the pieces stand in a file name.
enum class DetectWord { Artist, Title, Album, Number };
using DetectList = std::vector<DetectWord>;

// At most this many words make a detection list.
constexpr std::size_t DetectListLimit = 4;

// "Interpret", "Titel", "Album", "Nr".
std::string DetectWordText(DetectWord word);
// The word of a detection-list entry; empty for a text that is none of the four.
std::optional<DetectWord> ParseDetectWord(const std::string& text);

// The preview of a detection list: two blanks, the words joined with the separator,
// ".mp3" and two blanks ("  Interpret - Titel.mp3  "; an empty list gives "  .mp3  ").
std::string DetectPattern(const DetectList& words, const std::string& separator);

// The name with its first `count` characters left out (UTF-8 characters, not bytes):
// the last round(length - count) characters stay. A count of 0 or less, or one larger
// than the name, keeps the name whole.
std::string SkipCharacters(const std::string& name, double count);

// Fills the fields the words name from the pieces of the name (without ".mp3"): the
// separator is appended, then each word takes the text before the next separator,
// trimmed of blanks, and that piece and its separator are dropped. A word without a
// further separator gets the empty text; pieces beyond the last word are ignored. An
// empty separator empties every named field and consumes nothing.
void ApplyNamePieces(EditFields& fields, const DetectList& words, const std::string& name,
                     const std::string& separator);

// The running number, padded with "0" on the left to as many digits as the size of the
// work list has (9 entries: "1".."9"; 12: "01".."12"; 100: "001".."100").
std::string NumberText(std::size_t number, std::size_t listSize);

// The name the words give, pieces joined with the separator ("Nr" gives `number`).
std::string NameFromFields(const EditFields& fields, const DetectList& words, const std::string& separator,
                           const std::string& number);

// A name built from tags as a file name can hold it: "?", ",", ":" and '"' removed and
// blanks trimmed (CleanFileName), and "/" and NUL removed too, so that a tag cannot move
// a file out of its folder. Nothing when the result is empty, "." or "..".
std::optional<std::string> UsableFileName(const std::string& name);

// The name of a merged album: artist, separator, album (or the album alone without an
// artist; "merged" for an empty album), then " (year)" when there is a year.
std::string AlbumName(const std::string& artist, const std::string& album, const std::string& year,
                      const std::string& separator);

}  // namespace tagging
