// info: what the program reads from each file, as JSON or as one line of fields per file.
// The fields are those the window shows (the shared reading); the header numbers and the
// frame list are read here as well, from the same open of the file.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Command.h"
#include "cli/FileArgs.h"
#include "cli/TagFrames.h"
#include "formats/MP3HeadReader.h"
#include "mainwindow/tagging/FileReading.h"
#include "reports/ReadOnceFileSystem.h"

namespace cli {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QJsonValue HeaderJson(const formats::FormatEnv& env, const std::string& path) {
  formats::clsMP3HeadReader header(env);
  header.ReadMP3Header(path);
  if (header.MPEG().empty()) return QJsonValue::Null;
  QJsonObject json{{"version", Text(header.MPEG())},  {"layer", header.Layer()},
                   {"bitrate", header.Bitrate()},     {"frequency", header.Frequency()},
                   {"mode", Text(header.Mode())},     {"length", header.Length()}};
  // With a VBR frame the length and the bit rate above come from its frame count.
  if (header.VbrFrames() > 0)
    json["vbr"] = QJsonObject{{"kind", Text(header.VbrKind())}, {"frames", double(header.VbrFrames())},
                              {"length", header.Length()}};
  return json;
}

QJsonValue ID3V111Json(const tagging::ID3V111Values& v1) {
  if (!v1.TagPresent) return QJsonValue::Null;
  // The block pads its texts with blanks; they are not part of the text.
  const auto trimmed = [](const std::string& text) { return Text(tagging::TrimBlanks(text)); };
  return QJsonObject{{"title", trimmed(v1.SongTitle)}, {"artist", trimmed(v1.Artist)},
                     {"album", trimmed(v1.Album)},     {"year", trimmed(v1.Year)},
                     {"comment", trimmed(v1.Comment)}, {"track", v1.Track},
                     {"genre", Text(v1.Genre)}};
}

QJsonValue ID3V2Json(formats::FileSystem& fs, const std::string& path, const tagging::FileReading& reading) {
  if (reading.version == 0) return QJsonValue::Null;
  QJsonObject tag{{"version", QString("2.%1").arg(reading.version)}, {"readable", reading.v2.TagPresent}};
  if (!reading.readProblem.empty()) tag["problem"] = Text(reading.readProblem);
  QJsonArray losses;
  for (const std::string& loss : reading.losses) losses.append(Text(loss));
  tag["losses"] = losses;
  QJsonArray frames;
  if (auto in = fs.openRead(path)) {
    formats::clsID3V230Reader reader;
    reader.ReadFrom(*in);
    for (std::size_t i = 0; i < reader.Frames().size() && i < reader.FrameRoles().size(); ++i)
      frames.append(FrameJson(*in, reader.Frames()[i], reader.FrameRoles()[i]));
  }
  tag["frames"] = frames;
  return tag;
}

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

// The path and the fields title, artist, album, year, track, genre and comment, joined by
// tabs; each written with OneLine, so that a tab or a line end inside a text stays inside
// its column.
std::string FieldsLine(const std::string& path, const tagging::EditFields& fields) {
  std::string line = OneLine(path);
  for (const std::string* field : {&fields.title, &fields.artist, &fields.album, &fields.year, &fields.track,
                                   &fields.genre, &fields.comment}) {
    line += '\t';
    line += OneLine(*field);
  }
  return line + '\n';
}

}  // namespace

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
    // The readers share one open of the file and one read of its front and its end.
    reports::ReadOnceFileSystem once(*call.env().fs);
    formats::FormatEnv env = call.env();
    env.fs = &once;
    if (!once.load(path)) {
      log.fail(path, "cannot be opened for reading");
      continue;
    }
    const tagging::FileReading reading = tagging::ReadFileIntoFields(
        path, {}, {}, env, fieldsOnly ? tagging::ReadScope::FieldsOnly : tagging::ReadScope::Everything);
    if (fieldsOnly) {
      lines += FieldsLine(path, reading.fields);
      continue;
    }
    files.append(QJsonObject{{"path", Text(path)},
                             {"mpeg", HeaderJson(env, path)},
                             {"id3v1", ID3V111Json(reading.v1)},
                             {"id3v2", ID3V2Json(once, path, reading)},
                             {"fields", FieldsJson(reading.fields)}});
  }
  if (fieldsOnly)
    call.io().out << lines;
  else
    call.io().out << QJsonDocument(QJsonObject{{"files", files}}).toJson(QJsonDocument::Indented).toStdString();
  call.io().out.flush();
  return log.status();
}

}  // namespace cli
