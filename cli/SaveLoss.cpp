#include "cli/SaveLoss.h"

#include "mainwindow/tagging/FileInfoRules.h"

namespace cli {

namespace {

// Bytes 254 and 255 start a UTF-16 byte-order mark the reader did not decode.
bool Undecoded(const std::string& text) {
  return text.find('\xFE') != std::string::npos || text.find('\xFF') != std::string::npos;
}

}  // namespace

std::string SaveLoss(const FileFacts& facts) {
  if (facts.id3v2Major != 0 && !facts.v2.TagPresent)
    return "its ID3v2." + std::to_string(facts.id3v2Major) + " tag, which could not be read";
  if (!facts.v2.TagPresent) return {};
  std::string loss;
  const std::vector<std::string> unknown = tagging::SplitList(facts.v2.Unknown);
  if (!unknown.empty()) {
    std::string ids;
    for (const std::string& frame : unknown) {
      if (!ids.empty()) ids += ", ";
      ids += frame.substr(1, 4);  // the entries read "ID"=value
    }
    loss = std::to_string(unknown.size()) + " frame(s) without a field (" + ids + ")";
  }
  const tagging::ID3V230Values& v2 = facts.v2;
  for (const std::string* text : {&v2.SongTitle, &v2.Artist, &v2.Album, &v2.Comment, &v2.Genre, &v2.Year}) {
    if (Undecoded(*text)) {
      loss += loss.empty() ? "" : " and ";
      loss += "texts it could not decode";
      break;
    }
  }
  return loss;
}

}  // namespace cli
