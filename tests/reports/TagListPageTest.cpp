// The page of the tag list as text: rows, columns, languages, totals, escaping.
#include <gtest/gtest.h>

#include <tuple>

#include "reports/TagListPage.h"

namespace {

using reports::FileFacts, reports::PageOptions, reports::TagRow;

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

const std::string Head = Lines({
    "<html>", "  <head>", "    <meta http-equiv=\"Content-Type\"content=\"text/html; charset=iso-8859-1\">",
    "    <meta name=\"GENERATOR\" content=\"made with Quillmere Tonewright\">", "    <title>Best Of</title>",
    "  </head>", "", "  <style type=\"text/css\">",
    "<!-- P { font-family : Verdana; font-size : 10pt;} TD { font-family : Verdana; font-size : 10pt;} H1 { "
    "font-family : Verdana; font-size : 15pt;} TR { font-family : Verdana; font-size : 10pt;} H2 { font-family : "
    "Verdana; font-size : 12pt;} //-->",
    "  </style>", "", "<body bgcolor=\"#004080\" text=\"#FFFFFF\" link=\"#FFFFFF\"vlink=\"#FFFFFF\">", "",
    "<h1>Best Of</h1>"});

TagRow Named(const std::string& artist, const std::string& title) {
  FileFacts f;
  f.fileName = "x.mp3";
  f.v1Present = true, f.v1Artist = artist, f.v1Title = title, f.length = 187, f.bitrate = 128, f.mode = "Stereo";
  return reports::MergeRow(f);
}

PageOptions Options(bool english = false, bool recursive = false, reports::ViewSwitches view = {}) {
  PageOptions o;
  o.folderName = "Best Of";
  o.english = english, o.recursive = recursive, o.view = view;
  return o;
}

// Whole pages: the empty one, and three files alternating with the untagged one in red (a
// tag with empty artist and title is listed like no tag at all).
TEST(TagListPage, WholePages) {
  FileFacts untagged;
  untagged.fileName = "two.MP3", untagged.v2Present = true;
  EXPECT_EQ(reports::TagListPage({}, 0, Options()),
            Head + Lines({"<p><h2>No MP3 Files - no TAGs</h2></p>", "", "</body>", "</html>", ""}));
  EXPECT_EQ(reports::TagListPage({Named("A", "One"), reports::MergeRow(untagged), Named("C", "Three")}, 3725, Options()),
            Head + Lines({"<h2>Gesamtspieldauer : 01:02:05</h2>", "", "<table border=\"0\" width=\"100%\">",
                          "<tr bgcolor=\"#000000\"><td><strong>Track</td><td><strong>Interpret</td>"
                          "<td><strong>Titel</td></tr>", "", "<tr><td> 1</td><td>A</td><td>One</td></tr>",
                          "<tr BGCOLOR=\"#AA0000\"><td> 2</td><td>two.MP3</td><td>- NO TAG -</td></tr>",
                          "<tr BGCOLOR=\"#0057B8\"><td> 3</td><td>C</td><td>Three</td></tr>",
                          "</table></p><br /><br />", "", "</body>", "</html>", ""}));
}

// Header cells and the cells of a row, by view switch and language; all columns in order.
TEST(TagListPage, ColumnsFollowTheViewSwitchesInBothLanguages) {
  const struct {
    int view;
    const char *german, *english, *cell;
  } columns[] = {{reports::ViewAlbum, "Album", "Album", "Al"},    {reports::ViewYear, "Jahr", "Year", "1999"},
                 {reports::ViewComment, "Info", "Info", "Co"},    {reports::ViewTime, "Laufzeit", "Time", "3:07"},
                 {reports::ViewBitrate, "kbps", "kbps", "128"},   {reports::ViewMode, "Mode", "Mode", "Stereo"}};
  FileFacts f;
  f.v1Present = true, f.v1Artist = "A", f.v1Title = "One", f.v1Album = "Al", f.v1Year = "1999", f.v1Comment = "Co";
  f.length = 187, f.bitrate = 128, f.mode = "Stereo";
  const auto head = [](const std::string& name) { return "<td><strong>" + name + "</td>"; };
  const std::string cells = "<tr><td> 1</td><td>A</td><td>One</td>";
  for (const bool english : {false, true}) {
    const std::string fixed = head("Track") + head(english ? "Artist" : "Interpret") + head(english ? "Title" : "Titel");
    const auto page = [&](reports::ViewSwitches view) { return reports::TagListPage({reports::MergeRow(f)}, 187, Options(english, false, view)); };
    for (const auto& c : columns) {
      reports::ViewSwitches view{};
      view[static_cast<std::size_t>(c.view)] = true;
      const std::string text = page(view);
      const std::string header = fixed + head(english ? c.english : c.german) + "</tr>\r\n\r\n";
      EXPECT_NE(text.find(header + cells + "<td>" + c.cell + "</td></tr>"), std::string::npos) << c.cell;
    }
  }
  EXPECT_NE(reports::TagListPage({reports::MergeRow(f)}, 187, Options(false, false, {true, true, true, true, true, true}))
                .find("<td><strong>Album</td><td><strong>Jahr</td><td><strong>Laufzeit</td><td><strong>kbps</td>"
                      "<td><strong>Mode</td><td><strong>Info</td></tr>\r\n\r\n" + cells +
                      "<td>Al</td><td>1999</td><td>3:07</td><td>128</td><td>Stereo</td><td>Co</td></tr>"),
            std::string::npos);
}

TEST(TagListPage, TotalHeadingNamesTheFileCountOnlyWhenRecursive) {
  const struct {
    bool recursive, english;
    std::size_t files;
    std::string heading;
  } cases[] = {{true, false, 2, "<h2>Gesamtspieldauer : 00:06:14&nbsp;&nbsp; - &nbsp;&nbsp;2 Dateien</h2>"},
               {true, true, 2, "<h2>Total playing time : 00:06:14&nbsp;&nbsp; - &nbsp;&nbsp;2 Files</h2>"},
               {true, false, 1, "<h2>Gesamtspieldauer : 00:06:14</h2>"},
               {false, false, 2, "<h2>Gesamtspieldauer : 00:06:14</h2>"}};
  for (const auto& c : cases) {
    const std::string page = reports::TagListPage(std::vector<TagRow>(c.files, Named("A", "T")), 374, Options(c.english, c.recursive));
    EXPECT_EQ(page.substr(Head.size(), c.heading.size() + 2), c.heading + "\r\n");
  }
}

// How the two tags make one row: trimmed, the longer text wins (or the one whose "?" copy the
// ID3v1.1 tag holds), a year of zeros is none.
TEST(TagListPage, MergeOfBothTags) {
  struct Case {
    const char* what;
    FileFacts facts;
    std::string artist, title, year, comment;
    bool named;
  };
  auto facts = [](bool v1, const char* a1, const char* y1, bool v2, const char* a2, const char* y2) {
    FileFacts f;
    f.v1Present = v1, f.v1Artist = a1, f.v1Year = y1, f.v1Title = "  T  ", f.v1Comment = " c ";
    f.v2Present = v2, f.v2Artist = a2, f.v2Year = y2, f.v2Comment = " long comment ";
    return f;
  };
  std::string kappa30;  // a title the ID3v1.1 tag holds as 30 "?"
  for (int i = 0; i < 30; ++i) kappa30 += "\xCE\x9A";
  const std::string questions30(30, '?');
  const Case cases[] = {
      {"v2 longer", facts(true, "Abba", "1999", true, "Abba Gold", ""), "Abba Gold", "T", "1999", "long comment", true},
      {"v1 longer", facts(true, "Abba Gold", "", true, "Abba", "2001"), "Abba Gold", "T", "2001", "long comment", true},
      {"equal: v1 stays", facts(true, "Abba", "", true, "ABBA", ""), "Abba", "T", "", "long comment", true},
      {"characters, not bytes", facts(true, "Ab\xC3\xA9", "", true, "Abcd", ""), "Abcd", "T", "", "long comment", true},
      {"v1 the \"?\" form of v2", facts(true, "????????", "", true, "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1", ""),
       "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1", "T", "", "long comment", true},
      {"equal, not its form", facts(true, "Caf?", "", true, "Caf\xC3\xA9", ""), "Caf?", "T", "", "long comment", true},
      {"the \"?\" form of 30 characters", facts(true, questions30.c_str(), "", true, kappa30.c_str(), ""), kappa30, "T", "",
       "long comment", true},
      {"year of zeros", facts(true, "A", "0000", false, "", "2001"), "A", "T", "", "c", true},
      {"year of zeros, v2 year", facts(true, "A", "0000", true, "", "2001"), "A", "T", "2001", "long comment", true},
      {"no tag", facts(false, "A", "1999", false, "B", "2001"), "", "", "", "", false},
  };
  for (const Case& c : cases) {
    const TagRow row = reports::MergeRow(c.facts);
    EXPECT_EQ(std::tie(row.artist, row.title, row.year, row.comment, row.tagFound),
              std::make_tuple(c.artist, c.facts.v1Present ? c.title : "", c.year, c.comment, c.named)) << c.what;
  }
}

TEST(TagListPage, PlayTimes) {
  const std::pair<double, const char*> totals[] = {
      {0, "00:00:00"},     {0.5, "00:00:00"},       {-5, "00:00:00"},      {86399, "23:59:59"},
      {86400, "24:00:00"}, {89999.9, "24:59:59"},   {90000, "25:00:00"},   {720787, "200:13:07"},
  };
  for (const auto& [seconds, text] : totals) EXPECT_EQ(reports::FormatPlayTime(seconds), text) << seconds;
  const std::pair<std::int32_t, const char*> columns[] = {{0, "0:00"}, {187, "3:07"}, {4500, "75:00"}, {59, "0:59"}, {70, "1:10"}};
  for (const auto& [seconds, text] : columns) EXPECT_EQ(reports::TimeColumn(seconds), text) << seconds;
}

TEST(TagListPage, TextsAreEscapedAndStayIsoLatin1) {
  const std::pair<std::string, std::string> texts[] = {
      {"<script>alert(\"x\")</script>", "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;"}, {"Tom & Jerry", "Tom &amp; Jerry"},
      {"Caf\xC3\xA9", "Caf\xE9"}, {"Caf\xE9", "Caf\xE9"},  // UTF-8 é, and the ISO-8859-1 byte of an older text
      {"Don\xE2\x80\x99t", "Don&#8217;t"}, {"\xD0\x9C\xD0\xB8\xD1\x80", "&#1052;&#1080;&#1088;"},  // ’; Cyrillic
      {"\xF0\x9F\x8E\xB5", "&#127925;"}, {std::string("end\0", 4), "end"},  // beyond the BMP; a NUL ends a text
  };
  for (const auto& [text, html] : texts) EXPECT_EQ(reports::HtmlText(text), html) << text;
}

}  // namespace
