// The name rules of the batch panel: file names into fields, fields into file names.
#include <gtest/gtest.h>

#include "mainwindow/tagging/BatchNames.h"

namespace tagging {
namespace {

using W = DetectWord;

TEST(BatchNames, NamePiecesFillTheFieldsTheWordsName) {
  struct Case {
    const char* what;
    DetectList words;
    std::string separator, name;
    double skip;
    std::string track, artist, title, album;
  };
  const std::vector<Case> cases = {
      {"worked example", {W::Number, W::Artist, W::Title}, " - ", "07 - Some Band - First Song", 0, "07", "Some Band", "First Song", "old"},
      {"skip 4", {W::Artist, W::Title}, " - ", "01. Some Band - First Song", 4, "old", "Some Band", "First Song", "old"},
      {"fewer pieces", {W::Artist, W::Title, W::Album}, " - ", "Some Band - First Song", 0, "old", "Some Band", "First Song", ""},
      {"more pieces", {W::Artist, W::Title}, " - ", "A - B - C - D", 0, "old", "A", "B", "old"},
      {"empty separator", {W::Artist, W::Title}, "", "A - B", 0, "old", "", "", "old"},
      {"blanks trimmed", {W::Title}, "_", "  x  _y", 0, "old", "old", "x", "old"},
      {"skip counts characters", {W::Title}, " - ", "\xC3\xA4\xC3\xB6" "Ende", 2, "old", "old", "Ende", "old"},
      {"skip beyond the name", {W::Title}, " - ", "kurz", 9, "old", "old", "kurz", "old"},
      {"skip rounds the rest", {W::Title}, " - ", "abcdef", 1.5, "old", "old", "cdef", "old"},
  };
  for (const Case& c : cases) {
    EditFields fields;
    fields.track = fields.artist = fields.title = fields.album = "old";
    ApplyNamePieces(fields, c.words, SkipCharacters(c.name, c.skip), c.separator);
    EXPECT_EQ(std::vector<std::string>({fields.track, fields.artist, fields.title, fields.album}),
              std::vector<std::string>({c.track, c.artist, c.title, c.album}))
        << c.what;
  }
}

TEST(BatchNames, NamesFromTagsAreNumberedAndUsable) {
  struct Case {
    const char* what;
    DetectList words;
    std::string artist, title;
    std::size_t number, listSize;
    std::optional<std::string> name;
  };
  const std::vector<Case> cases = {
      {"worked example", {W::Number, W::Artist, W::Title}, "A", "B: Live", 4, 12, "04 - A - B Live"},
      {"9 entries", {W::Number}, "", "", 9, 9, "9"},
      {"12 entries", {W::Number}, "", "", 1, 12, "01"},
      {"100 entries", {W::Number}, "", "", 7, 100, "007"},
      {"100 of 100", {W::Number}, "", "", 100, 100, "100"},
      {"slash and NUL", {W::Artist, W::Title}, "AC/DC", std::string("x\0y", 3), 1, 1, "ACDC - xy"},
      {"only dots", {W::Title}, "", "..", 1, 1, std::nullopt},
      {"one dot after cleaning", {W::Title}, "", " .? ", 1, 1, std::nullopt},
      {"empty", {W::Title}, "", "", 1, 1, std::nullopt},
      {"cleaned away", {W::Title}, "", "?,:\"", 1, 1, std::nullopt},
  };
  for (const Case& c : cases) {
    EditFields fields;
    fields.artist = c.artist;
    fields.title = c.title;
    EXPECT_EQ(UsableFileName(NameFromFields(fields, c.words, " - ", NumberText(c.number, c.listSize))), c.name) << c.what;
  }
  EXPECT_EQ(AlbumName("Night Ferry", "", "", "_"), "Night Ferry_merged");
}

}  // namespace
}  // namespace tagging
