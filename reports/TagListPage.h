// The HTML tag list of a folder as text: one row per file with artist and title and the
// columns the view switches ask for, headed by the folder name and the total playing
// time. Everything here is a pure function of what the readers found.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace reports {

// The view switches chkView(0..5): album, year, comment, time, bit rate, mode.
enum ViewColumn { ViewAlbum = 0, ViewYear, ViewComment, ViewTime, ViewBitrate, ViewMode };
using ViewSwitches = std::array<bool, 6>;

struct PageOptions {
  ViewSwitches view{};
  bool recursive = false;  // sub-folders included: the total names the file count
  bool english = false;    // the texts of the checked language
  std::string folderName;  // CurrentDirName: the page title and heading
  std::string appTitle = "Quillmere Tonewright";
  std::string noFilesText = "No MP3 Files - no TAGs";
  std::string noTagText = "- NO TAG -";
};

// What the three readers found in one file (texts UTF-8, as the readers hand them out).
struct FileFacts {
  std::string fileName;  // shown for a file without artist and title
  std::int32_t length = 0;  // seconds
  std::int32_t bitrate = 0;
  std::string mode;
  bool v1Present = false;
  std::string v1Artist, v1Title, v1Album, v1Year, v1Comment;
  bool v2Present = false;
  std::string v2Artist, v2Title, v2Album, v2Year, v2Comment;
};

// One row of the list after the two tags were merged.
struct TagRow {
  bool tagFound = false;
  std::string fileName, artist, title, album, year, comment, time, bitrate, mode;
};

TagRow MergeRow(FileFacts facts);

struct MinutesSeconds {
  std::int32_t minutes = 0;
  std::int32_t seconds = 0;
};
// Minutes truncated towards zero and the remainder.
MinutesSeconds SplitMinutes(std::int32_t seconds);
// "3:07": the minutes without leading zeros, the seconds with two digits.
std::string TimeColumn(std::int32_t seconds);
// The total as hh:mm:ss; totals of a day and more keep their real hour count.
std::string FormatPlayTime(double seconds);

// A text as it goes into the ISO-8859-1 page: "&", "<", ">" and '"' as entities, Latin-1
// characters as their byte, all others as numeric character references. A byte that is
// not part of a UTF-8 sequence is taken as the Latin-1 character of that byte.
std::string HtmlText(const std::string& utf8);

// "Gesamtspieldauer : " or "Total playing time : ".
std::string TotalTimeLabel(bool english);

// The whole page, line ends CR LF, ending in one more CR LF after the table.
std::string TagListPage(const std::vector<TagRow>& rows, std::int64_t totalSeconds, const PageOptions& options);

}  // namespace reports
