// info: what the program reads from each file, as JSON or as one line of fields per file.
// The fields are those the window shows (the shared reading); the header numbers and the
// frame list are read here as well, from the same open of the file.
#include "cli/BatchSupport.h"
#include "cli/Command.h"
#include "cli/FileArgs.h"
#include "cli/Json.h"
#include "cli/TagFrames.h"
#include "formats/MP3HeadReader.h"
#include "tagging/FileReading.h"
#include "texts/RunTexts.h"
#include "reports/ReadOnceFileSystem.h"

namespace cli {

namespace {

Json HeaderJson(const formats::FormatEnv& env, const std::string& path) {
  formats::clsMP3HeadReader header(env);
  header.ReadMP3Header(path);
  if (header.MPEG().empty()) return Json();
  Json json = Json::Object({{"version", header.MPEG()},  {"layer", header.Layer()},
                            {"bitrate", header.Bitrate()}, {"frequency", header.Frequency()},
                            {"mode", header.Mode()},       {"length", header.Length()}});
  // With a VBR frame the length and the bit rate above come from its frame count.
  if (header.VbrFrames() > 0)
    json["vbr"] = Json::Object({{"kind", header.VbrKind()},
                                {"frames", std::int64_t{header.VbrFrames()}},
                                {"length", header.Length()}});
  return json;
}

Json ID3V111Json(const tagging::ID3V111Values& v1) {
  if (!v1.TagPresent) return Json();
  // The block pads its texts with blanks; they are not part of the text.
  using tagging::TrimBlanks;
  return Json::Object({{"title", TrimBlanks(v1.SongTitle)}, {"artist", TrimBlanks(v1.Artist)},
                       {"album", TrimBlanks(v1.Album)},     {"year", TrimBlanks(v1.Year)},
                       {"comment", TrimBlanks(v1.Comment)}, {"track", int{v1.Track}},
                       {"genre", v1.Genre}});
}

Json ID3V2Json(formats::FileSystem& fs, const std::string& path, const tagging::FileReading& reading) {
  if (reading.version == 0) return Json();
  Json tag = Json::Object({{"version", "2." + std::to_string(reading.version)}, {"readable", reading.v2.TagPresent}});
  if (!reading.readProblem.empty()) tag["problem"] = reading.readProblem;
  Json losses = Json::Array();
  // Data for scripts: always in English, whatever the locale.
  static const texts::RunTexts english(texts::English);
  for (const formats::Loss& loss : reading.losses) losses.append(english.loss(loss));
  tag["losses"] = losses;
  Json frames = Json::Array();
  if (auto in = fs.openRead(path)) {
    formats::clsID3V230Reader reader;
    reader.ReadFrom(*in);
    for (std::size_t i = 0; i < reader.Frames().size() && i < reader.FrameRoles().size(); ++i)
      frames.append(FrameJson(*in, reader.Frames()[i], reader.FrameRoles()[i]));
  }
  tag["frames"] = frames;
  return tag;
}

Json FieldsJson(const tagging::EditFields& fields) {
  Json urls = Json::Array();
  for (const std::string& url : fields.urls) urls.append(url);
  return Json::Object({{"title", fields.title},
                     {"artist", fields.artist},
                     {"album", fields.album},
                     {"year", fields.year},
                     {"track", fields.track},
                     {"genre", fields.genre},
                     {"comment", fields.comment},
                     {"originalArtist", fields.originalArtist},
                     {"subtitle", fields.subTitle},
                     {"composer", fields.composer},
                     {"copyright", fields.copyright},
                     {"encodedBy", fields.encodedBy},
                     {"language", fields.language},
                     {"urls", urls},
                     {"lyrics", fields.lyrics}});
}

// The path and every field in the order of the header line, joined by tabs; each written
// with OneLine, so that a tab or a line end inside a text stays inside its column. The
// addresses are divided by "|", as the tag keeps them.
const char* const FieldsHeader =
    "path\ttitle\tartist\talbum\tyear\ttrack\tgenre\tcomment\tcomposer\toriginal-artist\tsubtitle\t"
    "copyright\tencoded-by\tlanguage\turl\tlyrics\n";

std::string FieldsLine(const std::string& path, const tagging::EditFields& fields) {
  std::string joined;
  for (const std::string& url : fields.urls) joined += (joined.empty() ? "" : "|") + url;
  const std::string& urls = joined;
  std::string line = OneLine(path);
  for (const std::string* field :
       {&fields.title, &fields.artist, &fields.album, &fields.year, &fields.track, &fields.genre, &fields.comment,
        &fields.composer, &fields.originalArtist, &fields.subTitle, &fields.copyright, &fields.encodedBy,
        &fields.language, &urls, &fields.lyrics}) {
    line += '\t';
    line += OneLine(*field);
  }
  return line + '\n';
}

constexpr std::size_t LinesPiece = 32768;

}  // namespace

int RunInfo(const Invocation& call) {
  const FileArgs args = ExpandFileArgs(call.positional(), call.isSet("recursive"));
  if (call.positional().empty()) return UsageError(call.io(), "info: no FILE given");
  const bool fieldsOnly = call.isSet("fields");
  RunLog log(call.io(), args.files.size());
  for (const auto& [path, reason] : args.missing) log.fail(path, reason);
  Json files = Json::Array();
  std::string lines;
  lines.reserve(LinesPiece + 4096);
  if (fieldsOnly && call.isSet("header")) lines = FieldsHeader;
  // The readers share one open of each file and one read of its front and its end; the
  // buffers serve one file after the other.
  reports::ReadOnceFileSystem once(*call.env().fs);
  formats::FormatEnv env = call.env();
  env.fs = &once;
  for (const std::string& path : args.files) {
    log.step(path);
    if (!once.load(path)) {
      log.fail(path, UnreadableLine(formats::Status::LastError(path)));
      continue;
    }
    const tagging::FileReading reading = tagging::ReadFileIntoFields(
        path, {}, {}, env, fieldsOnly ? tagging::ReadScope::FieldsOnly : tagging::ReadScope::Everything);
    if (fieldsOnly) {
      // Written in pieces as they fill: a text of the whole listing would take fresh memory
      // for every doubling, and fresh memory is what a short run spends its time on.
      lines += FieldsLine(path, reading.fields);
      if (lines.size() >= LinesPiece) {
        call.io().out << lines;
        lines.clear();
      }
      continue;
    }
    files.append(Json::Object({{"path", path},
                               {"mpeg", HeaderJson(env, path)},
                               {"id3v1", ID3V111Json(reading.v1)},
                               {"id3v2", ID3V2Json(once, path, reading)},
                               {"fields", FieldsJson(reading.fields)}}));
  }
  if (fieldsOnly)
    call.io().out << lines;
  else
    call.io().out << Json::Object({{"files", files}}).text();
  call.io().out.flush();
  return log.status();
}

}  // namespace cli
