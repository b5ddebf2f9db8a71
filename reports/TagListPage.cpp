// The page of the tag list: the head, the table and the total, line by line.
#include "reports/TagListPage.h"

#include "core/Ini.h"
#include "core/Texts.h"
#include "formats/ID3V111.h"
#include "formats/TextCodec.h"

namespace reports {

namespace {

const char* const CrLf = "\r\n";

using core::DropUnicodeText;
using core::TrimBlanks;

// Characters, not bytes: an "é" is one character whichever tag it came from.
void TakeIfLonger(std::string& field, std::string&& candidate) {
  if (formats::Utf8Length(candidate) > formats::Utf8Length(field)) field = std::move(candidate);
}

// As TakeIfLonger; and an ID3v1.1 text that is only the "?" copy of the ID3v2.3 text gives
// way to it, as in the file view.
void TakeIfLongerOrOriginal(std::string& field, std::string&& candidate) {
  if (formats::IsID3V111FormOf(field, candidate)) field = std::move(candidate);
  else TakeIfLonger(field, std::move(candidate));
}

void AddCell(std::string& line, const std::string& value) {
  line += "<td>";
  line += value;
  line += "</td>";
}

std::string HeaderRow(const PageOptions& o) {
  const auto pick = [&](const char* german, const char* english) { return o.english ? english : german; };
  const auto head = [](const std::string& name) { return "<td><strong>" + name + "</td>"; };
  std::string row = "<tr bgcolor=\"#000000\">";
  row += head("Track") + head(pick("Interpret", "Artist")) + head(pick("Titel", "Title"));
  if (o.view[ViewAlbum]) row += head("Album");
  if (o.view[ViewYear]) row += head(pick("Jahr", "Year"));
  if (o.view[ViewTime]) row += head(pick("Laufzeit", "Time"));
  if (o.view[ViewBitrate]) row += head("kbps");
  if (o.view[ViewMode]) row += head("Mode");
  if (o.view[ViewComment]) row += head("Info");
  return row + "</tr>";
}

std::string PageHead(const PageOptions& o) {
  const std::string name = HtmlText(o.folderName);
  std::string head;
  for (const std::string& line : {
           std::string("<html>"),
           std::string("  <head>"),
           std::string("    <meta http-equiv=\"Content-Type\"content=\"text/html; charset=iso-8859-1\">"),
           "    <meta name=\"GENERATOR\" content=\"made with " + HtmlText(o.appTitle) + "\">",
           "    <title>" + name + "</title>",
           std::string("  </head>"),
           std::string(),
           std::string("  <style type=\"text/css\">"),
           std::string("<!-- P { font-family : Verdana; font-size : 10pt;} TD { font-family : Verdana; "
                       "font-size : 10pt;} H1 { font-family : Verdana; font-size : 15pt;} TR { font-family : "
                       "Verdana; font-size : 10pt;} H2 { font-family : Verdana; font-size : 12pt;} //-->"),
           std::string("  </style>"),
           std::string(),
           std::string("<body bgcolor=\"#004080\" text=\"#FFFFFF\" link=\"#FFFFFF\"vlink=\"#FFFFFF\">"),
           std::string(),
           "<h1>" + name + "</h1>",
       }) {
    head += line + CrLf;
  }
  return head;
}

}  // namespace

std::string TotalTimeLabel(bool english) { return english ? "Total playing time : " : "Gesamtspieldauer : "; }

TagRow MergeRow(FileFacts f) {
  TagRow row;
  row.fileName = std::move(f.fileName);
  row.time = TimeColumn(f.length);
  row.bitrate = std::to_string(f.bitrate);
  row.mode = std::move(f.mode);
  if (f.v1Present) {
    row.tagFound = true;
    // The facts are this row's own: their texts are moved, not copied.
    row.artist = TrimBlanks(std::move(f.v1Artist));
    row.title = TrimBlanks(std::move(f.v1Title));
    row.album = TrimBlanks(std::move(f.v1Album));
    row.comment = TrimBlanks(std::move(f.v1Comment));
    if (core::LeadingNumber(f.v1Year) > 0) row.year = std::move(f.v1Year);
  }
  if (f.v2Present) {
    row.tagFound = true;
    TakeIfLongerOrOriginal(row.artist, DropUnicodeText(TrimBlanks(std::move(f.v2Artist))));
    TakeIfLongerOrOriginal(row.title, DropUnicodeText(TrimBlanks(std::move(f.v2Title))));
    TakeIfLongerOrOriginal(row.album, DropUnicodeText(TrimBlanks(std::move(f.v2Album))));
    if (row.year.empty()) row.year = std::move(f.v2Year);
    TakeIfLonger(row.comment, TrimBlanks(std::move(f.v2Comment)));
  }
  return row;
}

std::string TagListPage(const std::vector<TagRow>& rows, std::int64_t totalSeconds, const PageOptions& o) {
  std::string page = PageHead(o);
  if (rows.empty()) {
    page += "<p><h2>" + HtmlText(o.noFilesText) + "</h2></p>" + CrLf + CrLf + "</body>" + CrLf + "</html>" + CrLf;
    return page + CrLf;
  }
  // The total heads the table but is known only after it: the rows go into their own text,
  // which is built in place, cell by cell.
  std::string table = std::string(CrLf) + "<table border=\"0\" width=\"100%\">" + CrLf + HeaderRow(o) + CrLf + CrLf;
  table.reserve(table.size() + rows.size() * 160);
  bool shaded = false;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TagRow& r = rows[i];
    const bool named = r.tagFound && (!r.artist.empty() || !r.title.empty());
    if (named) {
      table += shaded ? "<tr BGCOLOR=\"#0057B8\">" : "<tr>";
      shaded = !shaded;
    } else {
      table += "<tr BGCOLOR=\"#AA0000\">";
    }
    AddCell(table, " " + std::to_string(i + 1));
    AddCell(table, HtmlText(named ? r.artist : r.fileName));
    AddCell(table, named ? HtmlText(r.title) : HtmlText(o.noTagText));
    if (o.view[ViewAlbum]) AddCell(table, HtmlText(r.album));
    if (o.view[ViewYear]) AddCell(table, HtmlText(r.year));
    if (o.view[ViewTime]) AddCell(table, r.time);
    if (o.view[ViewBitrate]) AddCell(table, r.bitrate);
    if (o.view[ViewMode]) AddCell(table, HtmlText(r.mode));
    if (o.view[ViewComment]) AddCell(table, HtmlText(r.comment));
    table += "</tr>";
    table += CrLf;
  }
  table += std::string("</table></p><br /><br />") + CrLf + CrLf + "</body>" + CrLf + "</html>" + CrLf;

  std::string total = "<h2>" + TotalTimeLabel(o.english) + FormatPlayTime(static_cast<double>(totalSeconds));
  if (o.recursive && rows.size() != 1) {
    total += "&nbsp;&nbsp; - &nbsp;&nbsp;" + std::to_string(rows.size()) + (o.english ? " Files" : " Dateien");
  }
  page += total + "</h2>" + CrLf;
  page.reserve(page.size() + table.size() + 2);
  page += table;
  page += CrLf;
  return page;
}

}  // namespace reports
