// The picture commands of the cover window's menu: load a picture through the picture
// selection dialog, delete the picture of the chosen type, export it to CoverDir. They work
// on the pictures of the file on show (tagging::ShownFile).
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
#include "tagging/ShownFile.h"
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

// Copies the file's bytes to `to`, a new file; false when the file cannot be read or the
// copy cannot be written (no copy then remains).
bool CopyBytes(formats::FileSystem& fs, const std::string& from, const std::string& to) {
  auto in = fs.openRead(from);
  if (!in) return false;
  bool copied = false;
  if (auto out = fs.createNew(to)) {
    std::vector<unsigned char> piece(65536);
    copied = true;
    for (std::uint64_t at = 0; copied && at < in->size(); at += piece.size()) {
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), in->size() - at));
      copied = in->readAt(at, piece.data(), n) && out->write(piece.data(), n);
    }
    copied = copied && out->finish();
  }
  if (!copied) fs.remove(to);
  return copied;
}
}  // namespace

std::optional<int> frmCover::selectedType() const {
  return selectedType_ ? selectedType_() : std::nullopt;
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
  if (type && shown_ != nullptr) shown_->choosePicture(*type, values_.ChosenPicture);
}

void frmCover::mnuPicDel_Click() {
  const std::optional<int> type = selectedType();
  if (!type || !hasPicture()) return;
  if (shown_ != nullptr) shown_->removePicture(*type);
  clearPicture();
}

bool frmCover::exportPicture(const core::PictureRecord& record, int type, const std::string& target) {
  formats::FormatEnv env;
  const std::string folder = core::ParentFolder(target);
  std::string written;
  if (tagging::SourceOf(record) == tagging::PictureSource::ChosenFile) {
    // A picture the user chose is not in the file (or not yet): its own file is the picture.
    written = folder + ".export.copy";
    env.fs->remove(written);  // left by an export that was cut short
    if (!CopyBytes(*env.fs, record.FileName, written)) return false;
  } else if (tagging::SourceOf(record) == tagging::PictureSource::FileFrame) {
    // The picture of the file as the file holds it now: a save or another program may have
    // moved or replaced the frame since the file was shown. Extracted beside its target, so
    // that giving it the target's name is a rename.
    formats::clsID3V230Reader reader(env, folder + ".export");
    std::string info, subtype;
    std::int64_t start = 0, size = 0;
    if (PictureInFile(reader, shown_->path(), type, start, size))
      written = reader.ExtractGraphic(shown_->path(), start, size, info, subtype);
    if (written.empty()) return false;
  } else {
    return false;
  }
  // An existing file of that name stays, and so does nothing else of this export.
  if (!env.fs->renameNoReplace(written, target + ExportExtension(*env.fs, written))) env.fs->remove(written);
  return true;
}

void frmCover::mnuExport_Click() {
  const std::optional<int> type = selectedType();
  if (!type || !hasPicture() || shown_ == nullptr) return;
  std::string coverDir = values_.CoverDir;
  if (coverDir.empty()) return;
  core::MakePath(coverDir);
  const core::PictureRecord* record = shown_->firstOfType(*type);
  if (record == nullptr) return;
  // Named after the file whose pictures are on show.
  const std::string song = core::FileNameOf(shown_->path().empty() ? values_.CurrentFile : shown_->path());
  const std::string stem = song.size() >= 3 ? song.substr(0, song.size() - 3) : song + ".";
  setCursor(Qt::WaitCursor);
  const bool exported = exportPicture(*record, *type, coverDir + stem);
  unsetCursor();
  if (!exported)
    dialogs_.message(tr("Das Bild ist nicht mehr vorhanden."), core::MessageKind::Information, Q(values_.AppTitle));
}

}  // namespace windows
