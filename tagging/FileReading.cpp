#include "tagging/FileReading.h"

#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/MP3HeadReader.h"
#include "tagging/KeepOldTag.h"
#include "reports/ReadOnceFileSystem.h"

namespace tagging {

FileReading ReadFileIntoFields(const std::string& path, const EditFields& fields, const HoldFlags& holds,
                               const formats::FormatEnv& env, ReadScope scope) {
  formats::FormatEnv usedEnv = env;
  if (usedEnv.fs == nullptr) usedEnv.fs = &formats::FileSystem::standard();
  // The three readers share one open of the file and one read of its head. A caller that
  // has loaded the file already (the command line's listing) is used as it is.
  reports::ReadOnceFileSystem once(*usedEnv.fs);
  const auto* loaded = dynamic_cast<const reports::ReadOnceFileSystem*>(usedEnv.fs);
  if (!(loaded != nullptr && loaded->holds(path))) {
    once.load(path);
    usedEnv.fs = &once;
  }
  FileReading r;
  formats::clsMP3HeadReader header(usedEnv);
  header.ReadMP3Header(path);
  r.timeLabel = TimeLabel(header.Length());
  r.bitrateLabel = BitrateLabel(header.Bitrate(), header.Frequency());
  r.modeLabel = header.Mode();

  formats::clsID3V111Reader v1(usedEnv);
  v1.ReadID3V111Tag(path);
  formats::clsID3V230Reader v2(usedEnv);
  v2.ReadID3V230Tag(path);
  r.v1 = ValuesOf(v1);
  r.v2 = ValuesOf(v2);
  r.version = v2.Version();
  r.readProblem = v2.ReadProblem();
  if (scope == ReadScope::Everything) r.losses = LossesOf(v2);

  r.fields = fields;
  r.outcome = FillFromTags(r.fields, holds, r.v1, r.v2);
  if (holds.any())
    FillFromTags(r.own, HoldFlags{}, r.v1, r.v2);
  else
    r.own = r.fields;
  if (r.version != 0 && !r.v2.TagPresent) {
    r.outcome.flags.TagFound = r.outcome.flags.ID3V230Found = true;
    r.fields.unknown = "ID3v2." + std::to_string(r.version) + ": " + r.readProblem;
  } else if (!r.readProblem.empty()) {
    // A tag read around damaged bytes: the damage heads the undecoded frames' lines.
    const std::string line = "ID3v2." + std::to_string(r.version) + ": " + r.readProblem;
    r.fields.unknown = r.fields.unknown.empty() ? line : line + "\r\n" + r.fields.unknown;
  }
  if (scope == ReadScope::Everything && r.v2.TagPresent && !r.v2.Pictures.empty()) {
    r.pictures = SplitPictures(r.v2);
    r.picturesMissing = r.pictures.size() != r.v2.Pictures.size();
  }
  return r;
}

}  // namespace tagging
