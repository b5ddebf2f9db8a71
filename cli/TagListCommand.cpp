// taglist: the HTML tag list of a folder, the page the window shows, byte for byte.
#include <sys/stat.h>

#include <sstream>

#include "cli/Command.h"
#include "core/Paths.h"
#include "reports/TagListBuilder.h"

namespace cli {

namespace {

// The view switches of a --view text: comma-separated column names.
bool ParseView(const std::string& text, reports::ViewSwitches& view, std::string& unknown) {
  static const std::pair<const char*, reports::ViewColumn> Columns[] = {
      {"album", reports::ViewAlbum}, {"year", reports::ViewYear},       {"comment", reports::ViewComment},
      {"time", reports::ViewTime},   {"kbps", reports::ViewBitrate}, {"mode", reports::ViewMode}};
  view = {};
  std::istringstream words(text);
  for (std::string word; std::getline(words, word, ',');) {
    if (word.empty()) continue;
    bool known = false;
    for (const auto& [name, column] : Columns) {
      if (word == name) {
        view[column] = true;
        known = true;
      }
    }
    if (!known) {
      unknown = word;
      return false;
    }
  }
  return true;
}

}  // namespace

int RunTagList(const Invocation& call) {
  if (call.positional().size() != 1) return UsageError(call.io(), "taglist: give exactly one FOLDER");
  reports::PageOptions options;
  // The window's first start shows album and year.
  std::string unknown;
  if (!ParseView(call.isSet("view") ? call.value("view") : "album,year", options.view, unknown))
    return UsageError(call.io(), "taglist: unknown --view column '" + OneLine(unknown) + "'");
  const std::string language = call.isSet("lang") ? call.value("lang") : "de";
  if (language != "de" && language != "en") return UsageError(call.io(), "taglist: --lang is de or en");
  options.english = language == "en";
  options.recursive = call.isSet("recursive");

  RunLog log(call.io(), 1);
  const std::string& argument = call.positional().front();
  struct stat info {};
  if (::stat(argument.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    log.fail(argument, "not a folder");
    return log.status();
  }
  // The window lists its folder in the long form; the builder names the page after it
  // as the window does.
  std::string folder = core::LongPath(argument);
  core::AddBackslash(folder);
  const reports::TagListResult result = reports::BuildTagListPage(folder, options, call.env());
  const std::string output = call.value("output");
  if (output.empty() || output == "-") {
    call.io().out << result.page << std::flush;
  } else if (!reports::WritePageFile(*call.env().fs, output, result.page)) {
    log.fail(output, "cannot be written");
  }
  return log.status();
}

}  // namespace cli
