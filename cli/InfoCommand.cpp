// info: what the program reads from each file, as JSON or as one line of fields per file.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Command.h"
#include "cli/FileArgs.h"
#include "cli/FileFacts.h"
#include "cli/InfoJson.h"

namespace cli {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QJsonObject HeaderJson(const HeaderFacts& header) {
  return QJsonObject{{"version", Text(header.mpeg)},     {"layer", header.layer},
                     {"bitrate", header.bitrate},        {"frequency", header.frequency},
                     {"mode", Text(header.mode)},        {"length", header.length}};
}

QJsonObject ID3V111Json(const tagging::ID3V111Values& v1) {
  // The block pads its texts with blanks; they are not part of the text.
  const auto trimmed = [](const std::string& text) { return Text(tagging::TrimBlanks(text)); };
  return QJsonObject{{"title", trimmed(v1.SongTitle)}, {"artist", trimmed(v1.Artist)},
                     {"album", trimmed(v1.Album)},     {"year", trimmed(v1.Year)},
                     {"comment", trimmed(v1.Comment)}, {"track", v1.Track},
                     {"genre", Text(v1.Genre)}};
}

QJsonArray PicturesJson(const std::vector<PictureFacts>& pictures) {
  QJsonArray list;
  for (const PictureFacts& picture : pictures)
    list.append(QJsonObject{{"type", picture.type},
                            {"typeName", Text(picture.typeName)},
                            {"mime", Text(picture.mime)},
                            {"description", Text(picture.description)},
                            {"size", static_cast<double>(picture.dataSize)}});
  return list;
}

QJsonValue ID3V2Json(const FileFacts& facts) {
  if (facts.id3v2Major == 0) return QJsonValue::Null;
  QJsonObject tag{{"version", QString("2.%1.%2").arg(facts.id3v2Major).arg(facts.id3v2Revision)},
                  {"readable", facts.v2.TagPresent}};
  if (!facts.v2.TagPresent) return tag;
  const tagging::ID3V230Values& v2 = facts.v2;
  tag["title"] = Text(v2.SongTitle);
  tag["artist"] = Text(v2.Artist);
  tag["album"] = Text(v2.Album);
  tag["year"] = Text(v2.Year);
  tag["comment"] = Text(v2.Comment);
  tag["track"] = v2.Track;
  tag["genre"] = Text(v2.Genre);
  tag["pictures"] = PicturesJson(facts.pictures);
  return tag;
}

}  // namespace

QJsonObject FieldsJson(const tagging::EditFields& fields) {
  QJsonArray urls;
  for (const std::string& url : fields.urls) urls.append(Text(url));
  return QJsonObject{{"title", Text(fields.title)},
                     {"artist", Text(fields.artist)},
                     {"album", Text(fields.album)},
                     {"year", Text(fields.year)},
                     {"track", Text(fields.track)},
                     {"genre", Text(fields.genre)},
                     {"comment", Text(fields.comment)},
                     {"originalArtist", Text(fields.originalArtist)},
                     {"subtitle", Text(fields.subTitle)},
                     {"composer", Text(fields.composer)},
                     {"copyright", Text(fields.copyright)},
                     {"encodedBy", Text(fields.encodedBy)},
                     {"language", Text(fields.language)},
                     {"urls", urls},
                     {"lyrics", Text(fields.lyrics)}};
}

QJsonObject FileJson(const std::string& path, const FileFacts& facts) {
  return QJsonObject{{"path", Text(path)},
                     {"mpeg", facts.header.found ? QJsonValue(HeaderJson(facts.header)) : QJsonValue::Null},
                     {"id3v1", facts.v1.TagPresent ? QJsonValue(ID3V111Json(facts.v1)) : QJsonValue::Null},
                     {"id3v2", ID3V2Json(facts)},
                     {"fields", FieldsJson(facts.fields)}};
}

std::string FieldsLine(const std::string& path, const tagging::EditFields& fields) {
  std::string line = OneLine(path);
  for (const std::string* field : {&fields.title, &fields.artist, &fields.album, &fields.year, &fields.track,
                                   &fields.genre, &fields.comment}) {
    line += '\t';
    line += OneLine(*field);
  }
  return line;
}

int RunInfo(const Invocation& call) {
  const FileArgs args = ExpandFileArgs(call.positional(), call.isSet("recursive"));
  if (call.positional().empty()) return UsageError(call.io(), "info: no FILE given");
  const bool fieldsOnly = call.isSet("fields");
  RunLog log(call.io(), args.files.size());
  for (const auto& [path, reason] : args.missing) log.fail(path, reason);
  QJsonArray files;
  std::string lines;
  for (const std::string& path : args.files) {
    log.step(path);
    FileFacts facts;
    std::string reason;
    if (!ReadFileFacts(path, call.env(), ReadOptions{!fieldsOnly, !fieldsOnly}, facts, reason)) {
      log.fail(path, reason);
      continue;
    }
    if (fieldsOnly) {
      lines += FieldsLine(path, facts.fields);
      lines += '\n';
    } else {
      files.append(FileJson(path, facts));
    }
  }
  if (fieldsOnly)
    call.io().out << lines;
  else
    call.io().out << QJsonDocument(QJsonObject{{"files", files}}).toJson(QJsonDocument::Indented).toStdString();
  call.io().out.flush();
  return log.status();
}

}  // namespace cli
