// set: the window's save of the edit fields, run over files from the command line.
#include <unistd.h>

#include "cli/Command.h"
#include "cli/FileArgs.h"
#include "cli/FileFacts.h"
#include "cli/SaveLoss.h"
#include "cli/SaveRun.h"
#include "core/AppValues.h"
#include "formats/ID3V230Reader.h"
#include "mainwindow/tagging/TagSaveRules.h"

namespace cli {

namespace {

// The changes of one set command, checked before any file is touched.
struct FieldChange {
  const char* option;
  std::string tagging::EditFields::*field;
};

const FieldChange FieldOptions[] = {
    {"title", &tagging::EditFields::title},     {"artist", &tagging::EditFields::artist},
    {"album", &tagging::EditFields::album},     {"year", &tagging::EditFields::year},
    {"comment", &tagging::EditFields::comment}, {"track", &tagging::EditFields::track},
    {"genre", &tagging::EditFields::genre},
};

// False with a message when the command line asks for something no file could get.
bool MakePlan(const Invocation& call, SetPlan& plan, std::string& message) {
  for (const FieldChange& change : FieldOptions)
    if (call.isSet(change.option)) plan.fields.emplace_back(change.field, call.value(change.option));
  if (call.isSet("track") &&
      tagging::ID3V111TrackNumber(call.value("track")).verdict == tagging::TrackVerdict::Refuse) {
    message = "--track: a track number must lie from 0 to 255";
    return false;
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
  if (plan.fields.empty() && plan.pictures.empty() && plan.removedTypes.empty()) {
    message = "set: nothing to set";
    return false;
  }
  return true;
}

// The pictures the file keeps, each written to a temporary file of its own (the save
// embeds picture files), and the new ones in place of the first of their type.
class PictureFiles {
 public:
  explicit PictureFiles(std::string coverBase) : coverBase_(std::move(coverBase)) {}
  ~PictureFiles() { core::DeleteTemporaryPictures(list_); }
  PictureFiles(const PictureFiles&) = delete;
  PictureFiles& operator=(const PictureFiles&) = delete;

  bool build(const std::string& path, const FileFacts& facts, const SetPlan& plan, const formats::FormatEnv& env) {
    std::vector<bool> placed(plan.pictures.size(), false);
    formats::clsID3V230Reader reader(env, coverBase_);
    for (const PictureFacts& picture : facts.pictures) {
      if (plan.removes(picture.type)) continue;
      std::size_t replacement = 0;
      while (replacement < plan.pictures.size() &&
             (placed[replacement] || plan.pictures[replacement].type != picture.type))
        ++replacement;
      if (replacement < plan.pictures.size()) {
        placed[replacement] = true;
        add(plan.pictures[replacement], picture.description);
        continue;
      }
      core::PictureRecord record;
      std::string description, subtype;
      record.FileName = reader.ExtractGraphic(path, picture.frameOffset, picture.frameSize, description, subtype);
      if (record.FileName.empty()) return false;
      record.Temporary = true;
      record.PicType = picture.type;
      record.Title = picture.description;
      list_.push_back(record);
    }
    for (std::size_t i = 0; i < plan.pictures.size(); ++i)
      if (!placed[i]) add(plan.pictures[i], std::string());
    return true;
  }
  const std::vector<core::PictureRecord>& list() const { return list_; }

 private:
  void add(const NewPicture& picture, const std::string& description) {
    core::PictureRecord record;
    record.FileName = picture.image;
    record.PicType = picture.type;
    record.Title = description;
    list_.push_back(record);
  }

  std::string coverBase_;
  std::vector<core::PictureRecord> list_ = std::vector<core::PictureRecord>(1);
};

void PrintPlan(std::ostream& out, const std::string& path, const tagging::EditFields& fields, const SetPlan& plan) {
  out << OneLine(path) << '\n';
  for (const FieldChange& change : FieldOptions)
    for (const auto& [field, value] : plan.fields)
      if (field == change.field) out << "  " << change.option << ": " << OneLine(fields.*field) << '\n';
  for (const NewPicture& picture : plan.pictures)
    out << "  picture " << picture.type << ": " << OneLine(picture.image) << '\n';
  for (int type : plan.removedTypes) out << "  remove picture " << type << '\n';
}

}  // namespace

bool SetPlan::removes(int type) const {
  for (int removed : removedTypes)
    if (removed == type) return true;
  return false;
}

bool SetPlan::touches(const FileFacts& facts) const {
  if (!fields.empty() || !pictures.empty()) return true;
  for (const PictureFacts& picture : facts.pictures)
    if (removes(picture.type)) return true;
  return false;
}

int RunSet(const Invocation& call) {
  if (call.positional().empty()) return UsageError(call.io(), "set: no FILE given");
  SetPlan plan;
  std::string message;
  if (!MakePlan(call, plan, message)) return UsageError(call.io(), message);
  return RunSaves(call, plan);
}

int RunSaves(const Invocation& call, const SetPlan& plan) {
  const FileArgs args = ExpandFileArgs(call.positional(), call.isSet("recursive"));
  const bool dryRun = call.isSet("dry-run");
  const std::string tempDir = core::PrivateTempDir();
  const std::string coverBase = tempDir.empty() ? std::string() : tempDir + "cli-" + std::to_string(::getpid());
  RunLog log(call.io(), args.files.size());
  for (const auto& [path, reason] : args.missing) log.fail(path, reason);
  for (const std::string& path : args.files) {
    log.step(path);
    FileFacts facts;
    std::string reason;
    if (!ReadFileFacts(path, call.env(), ReadOptions{}, facts, reason)) {
      log.fail(path, reason);
      continue;
    }
    if (!plan.touches(facts)) {
      if (dryRun) call.io().out << OneLine(path) << "\n  nothing to change\n";
      continue;
    }
    const std::string loss = SaveLoss(facts);
    if (!loss.empty() && !call.isSet("force")) {
      log.fail(path, "not saved: the save would lose " + loss + " (--force saves anyway)");
      continue;
    }
    tagging::EditFields fields = facts.fields;
    for (const auto& [field, value] : plan.fields) fields.*field = value;
    if (dryRun) {
      PrintPlan(call.io().out, path, fields, plan);
      continue;
    }
    PictureFiles pictures(coverBase);
    if (coverBase.empty() || !pictures.build(path, facts, plan, call.env())) {
      log.fail(path, "not saved: its pictures could not be made ready");
      continue;
    }
    tagging::SavePolicy policy;
    if (call.isSet("force")) policy.mode = tagging::SavePolicy::Mode::Force;
    if (!tagging::SaveTagsToFile(path, fields, pictures.list(), call.env(), policy))
      log.fail(path, "could not be written; the file is unchanged");
  }
  return log.status();
}

}  // namespace cli
