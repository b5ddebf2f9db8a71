// The picture commands of the cover window's menu: load a picture through the picture
// selection dialog, delete the picture of the chosen type, export it to CoverDir.
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/AppValues.h"
#include "core/Paths.h"
#include "core/toolkit/Dialogs.h"
#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/Pictures.h"
#include "windows/frmCover.h"
#include "windows/frmPicSelect.h"

namespace windows {

namespace {
QString Q(const std::string& native) { return QFile::decodeName(QByteArray::fromStdString(native)); }

// The export's extension, from the picture's first bytes: the MIME type of a tag may be
// just "image/" (as other programs write it). PNG, GIF and BMP keep their own; everything
// else is named "jpg", as every JPEG is.
std::string ExportExtension(formats::FileSystem& fs, const std::string& picture) {
  unsigned char head[8] = {};
  auto in = fs.openRead(picture);
  const auto known = in ? static_cast<std::size_t>(std::min<std::uint64_t>(in->size(), sizeof head)) : 0;
  if (!in || !in->readAt(0, head, known)) return "jpg";
  const std::string kind = formats::PictureKindOfBytes(head, known);
  return kind.empty() || kind == "jpeg" ? "jpg" : kind;
}

// Where the first picture of the type lies in the file as it is now: a save since the
// file was shown has moved its frames, so the records' positions may be stale.
bool PictureInFile(formats::clsID3V230Reader& reader, const std::string& file, int type, std::int64_t& start,
                   std::int64_t& size) {
  reader.ReadID3V230Tag(file);
  for (const formats::PictureRef& picture : reader.Pictures()) {
    if (!picture.described || formats::PictureTypeNumber(picture.type) != type) continue;
    start = picture.startPos;
    size = picture.size;
    return true;
  }
  return false;
}

// Whether the two files hold the same bytes. A file that cannot be read counts as the
// same: nothing then says the picture differs from the file's.
bool SameBytes(formats::FileSystem& fs, const std::string& one, const std::string& other) {
  auto a = fs.openRead(one);
  auto b = fs.openRead(other);
  if (!a || !b) return true;
  if (a->size() != b->size()) return false;
  std::vector<unsigned char> left(65536), right(65536);
  for (std::uint64_t at = 0; at < a->size(); at += left.size()) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left.size(), a->size() - at));
    if (!a->readAt(at, left.data(), n) || !b->readAt(at, right.data(), n)) return true;
    if (!std::equal(left.begin(), left.begin() + static_cast<std::ptrdiff_t>(n), right.begin())) return false;
  }
  return true;
}

// A record that gets another file (or none) lets go of the file the program extracted
// for it. The flag goes too: the shutdown deletes flagged files, and the user's own
// picture must never be one of them.
void DropTemporaryFile(core::PictureRecord& record) {
  if (record.Temporary && !record.FileName.empty()) formats::FileSystem::standard().remove(record.FileName);
  record.Temporary = false;
}
}  // namespace

std::optional<int> frmCover::selectedType() const {
  return selectedType_ ? selectedType_() : std::nullopt;
}

core::PictureRecord* frmCover::firstOfType(int type) const {
  for (std::size_t i = 1; i < values_.PictureList.size(); ++i) {
    if (values_.PictureList[i].PicType == type) return &values_.PictureList[i];
  }
  return nullptr;
}

void frmCover::mnuPicLoad_Click() {
  values_.PicSelectState = 1;
  frmPicSelect dialog(values_, yield_);
  dialog.setFolder(core::FolderExists(values_.CoverDir) ? values_.CoverDir : values_.AppPath);
  dialog.setWindowTitle(frmCover::tr("Bild / Cover Art auswählen"));
  // Waits in an event loop of its own: the interface stays alive and no core is burnt.
  QEventLoop wait;
  connect(&dialog, &QDialog::finished, &wait, &QEventLoop::quit);
  dialog.open();
  if (values_.PicSelectState == 1) wait.exec();
  if (values_.PicSelectState != 2) return;

  showPicture(Q(values_.ChosenPicture));
  const std::optional<int> type = selectedType();
  if (!type) return;
  if (core::PictureRecord* record = firstOfType(*type)) {
    DropTemporaryFile(*record);
    record->FileName = values_.ChosenPicture;
    return;
  }
  core::PictureRecord added;
  added.FileName = values_.ChosenPicture;
  added.PicType = *type;
  values_.PictureList.push_back(added);
}

void frmCover::mnuPicDel_Click() {
  const std::optional<int> type = selectedType();
  if (!type || !hasPicture()) return;
  if (core::PictureRecord* record = firstOfType(*type)) {
    DropTemporaryFile(*record);
    record->FileName.clear();
    // Nor does it stand for its frame any more: a save keeps a file's frame that a record
    // without a file names.
    record->StartPos = record->Size = 0;
  }
  clearPicture();
}

void frmCover::mnuExport_Click() {
  const std::optional<int> type = selectedType();
  if (!type || !hasPicture()) return;
  std::string coverDir = values_.CoverDir;
  if (coverDir.empty()) return;
  core::MakePath(coverDir);
  const core::PictureRecord* record = firstOfType(*type);
  if (record == nullptr) return;
  setCursor(Qt::WaitCursor);
  formats::FormatEnv env;
  // Extracted beside its target, so that giving it the target's name is a rename.
  formats::clsID3V230Reader reader(env, coverDir + ".export");
  std::string info, subtype, extracted;
  std::int64_t start = 0, size = 0;
  if (PictureInFile(reader, values_.CurrentFile, *type, start, size))
    extracted = reader.ExtractGraphic(values_.CurrentFile, start, size, info, subtype);
  // A picture loaded since the last save is not in the file yet: the file holds no frame
  // of its type, or a frame with another picture. The export writes only what the file holds.
  if (!record->FileName.empty() && (extracted.empty() || !SameBytes(*env.fs, extracted, record->FileName))) {
    if (!extracted.empty()) env.fs->remove(extracted);
    unsetCursor();
    dialogs_.message(tr("Das Bild ist noch nicht in der Datei gespeichert."), core::MessageKind::Information,
                     Q(values_.AppTitle));
    return;
  }
  if (!extracted.empty()) {
    const std::string song = core::FileNameOf(values_.CurrentFile);
    const std::string stem = song.size() >= 3 ? song.substr(0, song.size() - 3) : song + ".";
    // An existing file of that name stays, and so does nothing else of this export.
    if (!env.fs->renameNoReplace(extracted, coverDir + stem + ExportExtension(*env.fs, extracted))) env.fs->remove(extracted);
  }
  unsetCursor();
}

}  // namespace windows
