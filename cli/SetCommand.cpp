// set: the window's save of the edit fields, run over files from the command line: each
// file read into the fields as the window reads it, saved by the same routine, its own
// pictures written again from its own frames.
#include <memory>

#include "cli/BatchSupport.h"
#include "cli/Command.h"
#include "cli/FileArgs.h"
#include "cli/Signals.h"
#include "cli/TagFrames.h"
#include "tagging/FileReading.h"
#include "tagging/Journal.h"
#include "tagging/TagSaveRules.h"

namespace cli {

namespace {

struct FieldChange {
  const char* option;
  std::string tagging::EditFields::*field;
};

// The text fields in the order the help and a dry run list them; --url and its list come
// after them.
const FieldChange FieldOptions[] = {
    {"title", &tagging::EditFields::title},
    {"artist", &tagging::EditFields::artist},
    {"album", &tagging::EditFields::album},
    {"year", &tagging::EditFields::year},
    {"comment", &tagging::EditFields::comment},
    {"track", &tagging::EditFields::track},
    {"genre", &tagging::EditFields::genre},
    {"composer", &tagging::EditFields::composer},
    {"original-artist", &tagging::EditFields::originalArtist},
    {"subtitle", &tagging::EditFields::subTitle},
    {"copyright", &tagging::EditFields::copyright},
    {"encoded-by", &tagging::EditFields::encodedBy},
    {"language", &tagging::EditFields::language},
    {"lyrics", &tagging::EditFields::lyrics},
};

// A lyrics file larger than this is taken for a mistake (an MP3 file named by accident).
constexpr std::uint64_t LyricsFileLimit = 1024 * 1024;

// The text of --lyrics: "@FILE" reads the file, "@@" stands for a text that starts with "@".
bool LyricsText(formats::FileSystem& fs, const std::string& value, std::string& text, std::string& message) {
  if (value.empty() || value[0] != '@' || value.compare(0, 2, "@@") == 0) {
    text = value.compare(0, 2, "@@") == 0 ? value.substr(1) : value;
    return true;
  }
  const std::string path = value.substr(1);
  const std::unique_ptr<formats::InputFile> in = fs.openRead(path);
  if (!in) {
    message = "--lyrics: the file '" + OneLine(path) + "' cannot be read";
    return false;
  }
  if (in->size() > LyricsFileLimit) {
    message = "--lyrics: the file '" + OneLine(path) + "' is larger than 1 MB";
    return false;
  }
  text.assign(static_cast<std::size_t>(in->size()), '\0');
  if (!text.empty() && !in->readAt(0, &text[0], text.size())) {
    message = "--lyrics: the file '" + OneLine(path) + "' cannot be read";
    return false;
  }
  return true;
}

struct NewPicture {
  int type = 0;
  std::string image;  // the picture file to embed
};

// The changes of one set command, checked before any file is touched.
struct SetPlan {
  std::vector<std::pair<std::string tagging::EditFields::*, std::string>> fields;
  bool urlsGiven = false;
  std::vector<std::string> urls;  // the addresses of --url; empty values left out
  std::vector<NewPicture> pictures;  // each replaces the first picture of its type, or is added
  std::vector<int> removedTypes;     // every picture of these types goes

  bool removes(int type) const {
    for (int removed : removedTypes)
      if (removed == type) return true;
    return false;
  }
};

// False with a message when the command line asks for something no file could get.
bool MakePlan(const Invocation& call, SetPlan& plan, std::string& message) {
  for (const FieldChange& change : FieldOptions) {
    if (!call.isSet(change.option)) continue;
    const std::string value = call.value(change.option);
    std::string text = value;
    if (change.field == &tagging::EditFields::lyrics && !LyricsText(*call.env().fs, value, text, message)) return false;
    plan.fields.emplace_back(change.field, text);
  }
  if (call.isSet("track") &&
      tagging::ID3V111TrackNumber(call.value("track")).verdict == tagging::TrackVerdict::Refuse) {
    message = "--track: a track number must lie from 0 to 255";
    return false;
  }
  plan.urlsGiven = call.isSet("url");
  for (const std::string& url : call.values("url")) {
    if (!url.empty()) plan.urls.push_back(url);
  }
  for (const std::string& text : call.values("picture")) {
    const auto equals = text.find('=');
    const int type = equals == std::string::npos ? -1 : PictureTypeOfText(text.substr(0, equals));
    if (type < 0) {
      message = "--picture: expected TYPE=IMAGE with a known picture type, got '" + OneLine(text) + "'";
      return false;
    }
    NewPicture picture{type, text.substr(equals + 1)};
    if (picture.image.empty() || !call.env().fs->openRead(picture.image)) {
      message = "--picture: the picture file '" + OneLine(picture.image) + "' cannot be read";
      return false;
    }
    plan.pictures.push_back(picture);
  }
  for (const std::string& text : call.values("remove-picture")) {
    const int type = PictureTypeOfText(text);
    if (type < 0) {
      message = "--remove-picture: unknown picture type '" + OneLine(text) + "'";
      return false;
    }
    plan.removedTypes.push_back(type);
  }
  if (plan.fields.empty() && !plan.urlsGiven && plan.pictures.empty() && plan.removedTypes.empty()) {
    message = "set: nothing to set";
    return false;
  }
  return true;
}

// The picture list of the save (element 0 is no picture): the file's own pictures as
// records of their frames, less the removed types, each new picture in place of the first
// of its type (keeping its description) or added at the end. False when nothing changes.
bool PlanPictures(const std::vector<core::PictureRecord>& own, const SetPlan& plan,
                  std::vector<core::PictureRecord>& list) {
  list.assign(1, core::PictureRecord{});
  bool changed = false;
  std::vector<bool> placed(plan.pictures.size(), false);
  for (const core::PictureRecord& picture : own) {
    if (plan.removes(picture.PicType)) {
      changed = true;
      continue;
    }
    list.push_back(picture);
    for (std::size_t i = 0; i < plan.pictures.size(); ++i) {
      if (placed[i] || plan.pictures[i].type != picture.PicType) continue;
      placed[i] = changed = true;
      list.back().FileName = plan.pictures[i].image;
      break;
    }
  }
  for (std::size_t i = 0; i < plan.pictures.size(); ++i) {
    if (placed[i]) continue;
    core::PictureRecord record;
    record.FileName = plan.pictures[i].image;
    record.PicType = plan.pictures[i].type;
    list.push_back(record);
    changed = true;
  }
  return changed;
}

void PrintPlan(std::ostream& out, const std::string& path, const tagging::EditFields& fields, const SetPlan& plan) {
  out << OneLine(path) << '\n';
  for (const FieldChange& change : FieldOptions)
    for (const auto& [field, value] : plan.fields)
      if (field == change.field) out << "  " << change.option << ": " << OneLine(fields.*field) << '\n';
  if (plan.urlsGiven) {
    out << "  url:";
    for (const std::string& url : fields.urls) out << ' ' << OneLine(url);
    out << '\n';
  }
  for (const NewPicture& picture : plan.pictures)
    out << "  picture " << picture.type << ": " << OneLine(picture.image) << '\n';
  for (int type : plan.removedTypes) out << "  remove picture " << type << '\n';
}

}  // namespace

int RunSet(const Invocation& call) {
  if (call.positional().empty()) return UsageError(call.io(), "set: no FILE given");
  SetPlan plan;
  std::string message;
  if (!MakePlan(call, plan, message)) return UsageError(call.io(), message);
  const FileArgs args = ExpandFileArgs(call.positional(), call.isSet("recursive"));
  const bool dryRun = call.isSet("dry-run");
  const bool force = call.isSet("force");
  RunLog log(call.io(), args.files.size());
  for (const auto& [path, reason] : args.missing) log.fail(path, reason);
  tagging::Journal journal;
  tagging::JournalRun run = dryRun ? tagging::JournalRun() : journal.begin("set", args.files);
  for (std::size_t index = 0; index < args.files.size(); ++index) {
    const std::string& path = args.files[index];
    // A signal stops the run between two files; the files not begun are listed.
    if (InterruptToken().cancelled()) {
      for (std::size_t rest = index; rest < args.files.size(); ++rest)
        log.fail(args.files[rest], Words().reason({args.files[rest], tagging::Reason::Cancelled, {}}));
      break;
    }
    log.step(path);
    formats::Status opened;
    if (!formats::OpenRead(*call.env().fs, path, opened)) {
      log.fail(path, UnreadableLine(opened));
      continue;
    }
    const tagging::FileReading reading = tagging::ReadFileIntoFields(path, {}, {}, call.env());
    std::vector<core::PictureRecord> pictures;
    const bool picturesChange = PlanPictures(reading.pictures, plan, pictures);
    if (plan.fields.empty() && !plan.urlsGiven && !picturesChange) {
      if (dryRun) call.io().out << OneLine(path) << "\n  nothing to change\n";
      continue;
    }
    if (reading.picturesMissing) {
      log.fail(path, "cannot be written: a picture of it cannot be located, and the save would drop it");
      continue;
    }
    tagging::EditFields fields = reading.fields;
    for (const auto& [field, value] : plan.fields) fields.*field = value;
    if (plan.urlsGiven) fields.urls = plan.urls;
    if (dryRun) {
      PrintPlan(call.io().out, path, fields, plan);
      if (!force && !reading.losses.empty()) {
        formats::Status refused = formats::Status::Of(formats::Failure::Refused, path);
        refused.losses = reading.losses;
        log.fail(path, ReasonLine({path, tagging::Reason::NotWritable, {}, refused}));
      }
      continue;
    }
    const formats::Status saved = tagging::SaveTagsToFile(path, fields, pictures, call.env(), LossPolicy(force), &reading.own);
    if (!saved) log.fail(path, ReasonLine({path, tagging::Reason::NotWritable, {}, saved}) + Words().unchangedNote());
  }
  run.finish();
  return log.status();
}

}  // namespace cli
