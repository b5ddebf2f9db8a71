// The page of the tag list as text: rows, columns, languages, totals, escaping.
#include <gtest/gtest.h>

#include <tuple>

#include "reports/TagListPage.h"

namespace {

using reports::FileFacts, reports::TagRow;

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

const std::string Head = Lines({
    "<html>", "  <head>", "    <meta http-equiv=\"Content-Type\"content=\"text/html; charset=iso-8859-1\">",
    "    <meta name=\"GENERATOR\" content=\"made with Quillmere Tonewright\">", "    <title>Best &amp; Of</title>",
    "  </head>", "", "  <style type=\"text/css\">",
    "<!-- P { font-family : Verdana; font-size : 10pt;} TD { font-family : Verdana; font-size : 10pt;} H1 { "
    "font-family : Verdana; font-size : 15pt;} TR { font-family : Verdana; font-size : 10pt;} H2 { font-family : "
    "Verdana; font-size : 12pt;} //-->",
    "  </style>", "", "<body bgcolor=\"#004080\" text=\"#FFFFFF\" link=\"#FFFFFF\"vlink=\"#FFFFFF\">", "",
    "<h1>Best &amp; Of</h1>"});

TagRow Named(const std::string& artist, const std::string& title) {
  FileFacts f;
  f.v1Present = true, f.v1Artist = artist, f.v1Title = title, f.v1Album = "Al", f.v1Year = "1999", f.v1Comment = "Co";
  f.length = 187, f.bitrate = 128, f.mode = "Stereo";
  return reports::MergeRow(f);
}

// Rows of files and options, and the page after its head: whole (up to "</html>") or a part.
TEST(TagListPage, PagesFollowTheRowsViewSwitchesLanguageAndRecursion) {
  using namespace reports;
  FileFacts untagged;  // a tag with empty artist and title is listed like no tag; one of both is a name
  untagged.fileName = "two.MP3", untagged.v2Present = true;
  const std::vector<TagRow> one{Named("A", "One")}, two(2, one[0]), three{one[0], MergeRow(untagged), Named("C", "")};
  const auto head = [](std::initializer_list<const char*> names) {
    std::string cells = "<td><strong>Track</td>";
    for (const char* name : names) cells += "<td><strong>" + std::string(name) + "</td>";
    return cells + "</tr>\r\n\r\n<tr><td> 1</td><td>A</td><td>One</td>";
  };
  // view: the switches set
  const struct { std::vector<TagRow> rows; std::int64_t total; bool english, recursive; std::vector<int> view;
                 std::string expected; } pages[] = {
      {{}, 0, false, false, {}, Lines({"<p><h2>No MP3 Files - no TAGs</h2></p>", "", "</body>", "</html>", ""})},
      {three, 3725, false, false, {},
       Lines({"<h2>Gesamtspieldauer : 01:02:05</h2>", "", "<table border=\"0\" width=\"100%\">",
              "<tr bgcolor=\"#000000\"><td><strong>Track</td><td><strong>Interpret</td><td><strong>Titel</td></tr>", "",
              "<tr><td> 1</td><td>A</td><td>One</td></tr>",
              "<tr BGCOLOR=\"#AA0000\"><td> 2</td><td>two.MP3</td><td>- NO TAG -</td></tr>",
              "<tr BGCOLOR=\"#0057B8\"><td> 3</td><td>C</td><td></td></tr>", "</table></p><br /><br />", "", "</body>",
              "</html>", ""})},
      {two, 374, false, true, {}, "<h2>Gesamtspieldauer : 00:06:14&nbsp;&nbsp; - &nbsp;&nbsp;2 Dateien</h2>\r\n"},
      {two, 374, true, true, {}, "<h2>Total playing time : 00:06:14&nbsp;&nbsp; - &nbsp;&nbsp;2 Files</h2>\r\n"},
      {one, 374, false, true, {}, "<h2>Gesamtspieldauer : 00:06:14</h2>\r\n"},  // the count of one file goes unsaid
      {two, 374, false, false, {}, "<h2>Gesamtspieldauer : 00:06:14</h2>\r\n"},
      {one, 187, false, false, {ViewMode, ViewTime, ViewAlbum},  // each switch its own column, in the page's order
       head({"Interpret", "Titel", "Album", "Laufzeit", "Mode"}) + "<td>Al</td><td>3:07</td><td>Stereo</td></tr>"},
      {one, 187, false, false, {ViewComment, ViewBitrate, ViewYear},
       head({"Interpret", "Titel", "Jahr", "kbps", "Info"}) + "<td>1999</td><td>128</td><td>Co</td></tr>"},
      {one, 187, true, false, {0, 1, 2, 3, 4, 5}, head({"Artist", "Title", "Album", "Year", "Time", "kbps", "Mode", "Info"}) +
       "<td>Al</td><td>1999</td><td>3:07</td><td>128</td><td>Stereo</td><td>Co</td></tr>"}};
  for (const auto& p : pages) {
    PageOptions options;
    options.folderName = "Best & Of", options.english = p.english, options.recursive = p.recursive;
    for (const int column : p.view) options.view[static_cast<std::size_t>(column)] = true;
    const std::string page = TagListPage(p.rows, p.total, options);
    ASSERT_EQ(page.substr(0, Head.size()), Head);
    if (p.expected.find("</html>") != std::string::npos) {
      EXPECT_EQ(page.substr(Head.size()), p.expected);
    } else {
      EXPECT_NE(page.find(p.expected, Head.size()), std::string::npos) << p.expected;
    }
  }
}

// Two tags, one row: trimmed, the longer text wins (or the one whose "?" copy the ID3v1.1 tag holds),
// a year of zeros is none.
TEST(TagListPage, MergeOfBothTags) {
  const auto facts = [](bool v1, const std::string& a1, const char* y1, bool v2, const std::string& a2, const char* y2) {
    FileFacts f;
    f.v1Present = v1, f.v1Artist = a1, f.v1Year = y1, f.v1Title = "  T  ", f.v1Comment = " c ";
    f.v2Present = v2, f.v2Artist = a2, f.v2Year = y2, f.v2Comment = " long comment ";
    return f;
  };
  std::string kappa30;  // a title the ID3v1.1 tag holds as 30 "?"
  for (int i = 0; i < 30; ++i) kappa30 += "\xCE\x9A";
  const std::string greek = "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1";
  const struct { const char* what; FileFacts facts; std::string artist, year, comment; } cases[] = {
      {"v2 longer", facts(true, "Abba", "1999", true, "Abba Gold", ""), "Abba Gold", "1999", "long comment"},
      {"v1 longer", facts(true, "Abba Gold", "", true, "Abba", "2001"), "Abba Gold", "2001", "long comment"},
      {"equal: v1 stays", facts(true, "Abba", "", true, "ABBA", ""), "Abba", "", "long comment"},
      {"characters, not bytes", facts(true, "Ab\xC3\xA9", "", true, "Abcd", ""), "Abcd", "", "long comment"},
      {"v1 the \"?\" form of v2", facts(true, "????????", "", true, greek, ""), greek, "", "long comment"},
      {"equal, not its form", facts(true, "Caf?", "", true, "Caf\xC3\xA9", ""), "Caf?", "", "long comment"},
      {"the \"?\" form of 30 characters", facts(true, std::string(30, '?'), "", true, kappa30, ""), kappa30, "", "long comment"},
      {"year of zeros", facts(true, "A", "0000", false, "", "2001"), "A", "", "c"},
      {"year of zeros, v2 year", facts(true, "A", "0000", true, "", "2001"), "A", "2001", "long comment"},
      {"no tag", facts(false, "A", "1999", false, "B", "2001"), "", "", ""}};
  for (const auto& c : cases) {
    const TagRow row = reports::MergeRow(c.facts);
    EXPECT_EQ(std::tie(row.artist, row.title, row.year, row.comment, row.tagFound),
              std::make_tuple(c.artist, c.facts.v1Present ? "T" : "", c.year, c.comment, c.facts.v1Present)) << c.what;
  }
}

TEST(TagListPage, PlayTimesAndTextsEscapedInIsoLatin1) {
  const std::pair<double, const char*> totals[] = {
      {0, "00:00:00"},     {0.5, "00:00:00"},     {-5, "00:00:00"},    {86399, "23:59:59"},
      {86400, "24:00:00"}, {89999.9, "24:59:59"}, {90000, "25:00:00"}, {720787, "200:13:07"}};
  for (const auto& [seconds, text] : totals) EXPECT_EQ(reports::FormatPlayTime(seconds), text) << seconds;
  const std::pair<std::int32_t, const char*> columns[] = {{0, "0:00"}, {187, "3:07"}, {4500, "75:00"}, {59, "0:59"}, {70, "1:10"}};
  for (const auto& [seconds, text] : columns) EXPECT_EQ(reports::TimeColumn(seconds), text) << seconds;
  const std::pair<std::string, std::string> texts[] = {
      {"<script>alert(\"x\")</script>", "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;"}, {"Tom & Jerry", "Tom &amp; Jerry"},
      {"Caf\xC3\xA9", "Caf\xE9"}, {"Caf\xE9", "Caf\xE9"},  // UTF-8 é, and the ISO-8859-1 byte of an older text
      {"Don\xE2\x80\x99t", "Don&#8217;t"}, {"\xD0\x9C\xD0\xB8\xD1\x80", "&#1052;&#1080;&#1088;"},  // ’; Cyrillic
      {"\xF0\x9F\x8E\xB5", "&#127925;"}, {std::string("end\0", 4), "end"}};  // beyond the BMP; a NUL ends a text
  for (const auto& [text, html] : texts) EXPECT_EQ(reports::HtmlText(text), html) << text;
}

}  // namespace
