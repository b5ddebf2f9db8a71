// fill, rename and merge: the batch panel's jobs on the files of a command line, on the
// routines the window's batch runs call.
#include <sstream>

#include "cli/BatchSupport.h"
#include "cli/Command.h"
#include "cli/FileArgs.h"
#include "cli/Signals.h"
#include "core/Paths.h"
#include "formats/Numbers.h"
#include "tagging/BatchFill.h"
#include "tagging/BatchRename.h"
#include "tagging/Journal.h"
#include "tagging/Merge.h"
#include "tagging/Playlist.h"

namespace cli {

namespace {

// The detection words of a --pattern: the window's words ("Nr - Interpret - Titel") or
// their English names (track, artist, title, album), split at the separator.
bool ParsePattern(const std::string& pattern, const std::string& separator, tagging::DetectList& words,
                  std::string& message) {
  static const std::pair<const char*, tagging::DetectWord> EnglishWords[] = {
      {"artist", tagging::DetectWord::Artist},
      {"title", tagging::DetectWord::Title},
      {"album", tagging::DetectWord::Album},
      {"track", tagging::DetectWord::Number}};
  words.clear();
  std::size_t start = 0;
  while (start <= pattern.size()) {
    std::size_t end = separator.empty() ? std::string::npos : pattern.find(separator, start);
    if (end == std::string::npos) end = pattern.size();
    const std::string word = pattern.substr(start, end - start);
    std::optional<tagging::DetectWord> parsed = tagging::ParseDetectWord(word);
    for (const auto& [name, value] : EnglishWords)
      if (word == name) parsed = value;
    if (!parsed) {
      message = "--pattern: '" + OneLine(word) + "' is none of Nr, Interpret, Titel, Album (track, artist, title, album)";
      return false;
    }
    words.push_back(*parsed);
    start = end + separator.size();
    if (end == pattern.size()) break;
  }
  if (words.empty() || words.size() > tagging::DetectListLimit) {
    message = "--pattern: one to four words";
    return false;
  }
  return true;
}

bool PatternOptions(const Invocation& call, tagging::DetectList& words, std::string& separator, int& status) {
  separator = call.isSet("separator") ? call.value("separator") : " - ";
  std::string message;
  if (!call.isSet("pattern")) message = "--pattern is needed";
  if (message.empty() && ParsePattern(call.value("pattern"), separator, words, message)) return true;
  status = UsageError(call.io(), message);
  return false;
}


void PrintFields(std::ostream& out, const tagging::EditFields& fields, const tagging::DetectList& words) {
  for (tagging::DetectWord word : words) {
    const std::string* value = word == tagging::DetectWord::Artist  ? &fields.artist
                               : word == tagging::DetectWord::Title ? &fields.title
                               : word == tagging::DetectWord::Album ? &fields.album
                                                                    : &fields.track;
    out << "  " << tagging::DetectWordText(word) << ": " << OneLine(*value) << '\n';
  }
}

}  // namespace

int RunFill(const Invocation& call) {
  tagging::FillOptions options;
  int status = ExitUsage;
  if (!PatternOptions(call, options.words, options.separator, status)) return status;
  if (call.positional().empty()) return UsageError(call.io(), "fill: no FILE given");
  if (call.isSet("skip")) {
    const std::string skip = call.value("skip");
    if (skip.empty() || skip.find_first_not_of("0123456789") != std::string::npos || skip.size() > 6)
      return UsageError(call.io(), "fill: --skip takes a number of characters");
    options.skip = formats::LeadingNumber(skip);
  }
  options.noTagOnly = call.isSet("untagged-only");
  options.dryRun = call.isSet("dry-run");
  options.policy = LossPolicy(call.isSet("force"));
  const FileArgs args = ExpandFileArgs(call.positional(), call.isSet("recursive"));
  RunLog log(call.io(), args.files.size());
  for (const auto& [path, reason] : args.missing) log.fail(path, reason);
  const tagging::ViewReader read = tagging::FileViewReader({}, {}, call.env());
  tagging::Journal journal;
  tagging::JournalRun run = options.dryRun ? tagging::JournalRun() : journal.begin("fill", args.files);
  const std::vector<tagging::FillStep> steps = tagging::FillTagsFromNames(
      args.files, options, read, call.env(), ProgressOf(log, args.files), {}, &InterruptToken());
  run.finish();
  std::vector<tagging::FileOutcome> outcomes;
  for (const tagging::FillStep& step : steps) {
    outcomes.push_back(step.outcome);
    if (!options.dryRun) continue;
    call.io().out << OneLine(step.outcome.path) << '\n';
    if (step.outcome.reason == tagging::Reason::Skipped)
      call.io().out << "  skipped: it has a tag\n";
    else
      PrintFields(call.io().out, step.fields, options.words);
  }
  return ReportOutcomes(log, outcomes);
}

int RunRename(const Invocation& call) {
  tagging::DetectList words;
  std::string separator;
  int status = ExitUsage;
  if (!PatternOptions(call, words, separator, status)) return status;
  if (call.positional().empty()) return UsageError(call.io(), "rename: no FILE given");
  const FileArgs args = ExpandFileArgs(call.positional(), call.isSet("recursive"));
  RunLog log(call.io(), args.files.size());
  for (const auto& [path, reason] : args.missing) log.fail(path, reason);
  const tagging::ViewReader read = tagging::FileViewReader({}, {}, call.env(), tagging::ReadScope::FieldsOnly);
  std::vector<tagging::RenameSource> sources;
  for (const std::string& path : args.files) {
    const tagging::FileView view = read(path);
    sources.push_back({path, view.flags.TagFound, view.fields});
  }
  const tagging::RenamePlan plan = tagging::PlanRenames(sources, sources.size(), words, separator, *call.env().fs);
  // Two files meant for one name, or a name another file holds: no file is renamed, so
  // that a run never ends half done with numbers given twice.
  bool collision = false;
  for (const tagging::FileOutcome& entry : plan) collision = collision || entry.reason == tagging::Reason::TargetExists;
  if (collision) {
    for (const tagging::FileOutcome& entry : plan)
      if (entry.reason == tagging::Reason::TargetExists)
        log.fail(entry.path, "its new name is taken by another file or given to another file too; no file renamed");
    return log.status();
  }
  std::vector<std::string> planned;
  for (const tagging::FileOutcome& entry : plan) planned.push_back(entry.path);
  // The playlist lies in the folder of the files, so they must share one.
  const bool playlist = call.isSet("playlist");
  std::string playlistPath;
  if (playlist && !planned.empty()) {
    const std::string folder = core::ParentFolder(core::LongPath(planned.front()));
    for (const std::string& path : planned)
      if (core::ParentFolder(core::LongPath(path)) != folder)
        return UsageError(call.io(), "rename: with --playlist the files must lie in one folder");
    playlistPath = tagging::PlaylistPath(folder);
  }
  const bool playlistExists = !playlistPath.empty() && call.env().fs->exists(playlistPath);
  tagging::Journal journal;
  tagging::JournalRun run =
      call.isSet("dry-run")
          ? tagging::JournalRun()
          : journal.begin("rename", planned,
                          playlistExists ? std::vector<std::string>{playlistPath} : std::vector<std::string>{});
  const tagging::RenamePlan done = call.isSet("dry-run")
                                       ? plan
                                       : tagging::RunRenames(plan, *call.env().fs, ProgressOf(log, planned),
                                                             &InterruptToken());
  tagging::RecordRenames(run, done);
  for (const tagging::FileOutcome& entry : done)
    if (entry.reason == tagging::Reason::Done)
      call.io().out << OneLine(entry.path) << " -> " << OneLine(entry.newPath) << '\n';
  if (!playlistPath.empty()) {
    std::vector<std::string> order;
    for (const tagging::FileOutcome& entry : done)
      order.push_back(entry.reason == tagging::Reason::Done ? entry.newPath : entry.path);
    const std::string text = tagging::PlaylistText(tagging::PlaylistLines(order, read, call.env()));
    if (call.isSet("dry-run")) {
      call.io().out << "playlist " << OneLine(playlistPath) << ":\n" << text;
    } else if (tagging::WritePlaylist(*call.env().fs, playlistPath, text, true) == tagging::PlaylistWrite::Written) {
      if (!playlistExists) run.created(playlistPath);
      call.io().out << "playlist: " << OneLine(playlistPath) << '\n';
    } else {
      log.fail(playlistPath, "the playlist cannot be written");
    }
  }
  run.finish();
  return ReportOutcomes(log, done);
}

int RunMerge(const Invocation& call) {
  if (call.positional().empty()) return UsageError(call.io(), "merge: no FILE given");
  const std::string separator = call.isSet("separator") ? call.value("separator") : " - ";
  const FileArgs args = ExpandFileArgs(call.positional(), false);
  RunLog log(call.io(), args.files.size());
  for (const auto& [path, reason] : args.missing) log.fail(path, reason);
  if (args.files.empty()) return log.status();
  // The album is made in the folder of its files, as the window makes it; the long forms
  // tell whether "a.mp3" and "./b.mp3" lie in one folder.
  const std::string folder = core::ParentFolder(core::LongPath(args.files.front()));
  std::vector<std::string> names;
  for (const std::string& path : args.files) {
    const std::string longPath = core::LongPath(path);
    if (core::ParentFolder(longPath) != folder) return UsageError(call.io(), "merge: the files must lie in one folder");
    names.push_back(core::FileNameOf(longPath));
  }
  const tagging::ViewReader read = tagging::FileViewReader({}, {}, call.env(), tagging::ReadScope::FieldsOnly);
  tagging::MergePlan plan = tagging::PlanMerge(folder, names, separator, {}, read);
  if (call.isSet("output")) {
    const std::string output = call.value("output");
    plan.target = output.find('/') == std::string::npos ? folder + output : output;
  }
  if (call.isSet("dry-run")) {
    std::ostream& out = call.io().out;
    out << "album: " << OneLine(plan.target.empty() ? plan.intermediate : plan.target) << '\n';
    for (const std::string& source : plan.sources) out << "  + " << OneLine(source) << '\n';
    for (const std::string& source : plan.leftOut) out << "  left out: " << OneLine(source) << '\n';
    out << "  artist: " << OneLine(plan.fields.artist) << "\n  album: " << OneLine(plan.fields.album)
        << "\n  year: " << OneLine(plan.fields.year) << '\n';
    return log.status();
  }
  tagging::Journal journal;
  tagging::JournalRun run = journal.begin("merge", {});
  const tagging::MergeResult result =
      tagging::MergeAlbum(plan, call.env(), ProgressOf(log, plan.sources), &InterruptToken());
  if (!result.album.empty()) run.created(result.album);
  run.finish();
  if (!result.album.empty()) call.io().out << OneLine(result.album) << '\n';
  const std::string notice = Words().mergeNotice(plan, result);
  const int status = ReportOutcomes(log, result.outcomes);
  if (notice.empty()) return status;
  std::istringstream lines(notice);
  for (std::string line; std::getline(lines, line);) call.io().err << "tonewright-cli: " << OneLine(line) << '\n';
  return ExitSomeFailed;
}

}  // namespace cli
