// The controls of the editor: the first page of tag fields on picTags, the second page
// of ID3v2.3 fields on picTags2. The widgets belong to their panels; this record only
// points at them, so that the handlers reach them without a search by name.
#pragma once
#include <QString>
#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace formats {
class FileSystem;
struct FormatEnv;
}  // namespace formats
namespace windows {
class frmCover;
class frmProgress;
class frmText;
}  // namespace windows

namespace mainwindow {

struct EditorControls {
  // First page.
  QLineEdit* txtTitle = nullptr;
  QLineEdit* txtArtist = nullptr;
  QLineEdit* txtAlbum = nullptr;
  QLineEdit* txtComment = nullptr;
  QLineEdit* txtYear = nullptr;
  QLineEdit* txtTrack = nullptr;
  QComboBox* cboGenre = nullptr;
  std::array<QCheckBox*, 5> chkHold{};
  std::array<QPushButton*, 2> cmdHold{};
  std::array<QPushButton*, 2> cmdText{};
  QPushButton* cmdAllFiles = nullptr;  // cmdAllFiles(0)
  QPushButton* cmdCover = nullptr;
  QComboBox* cboPictureType = nullptr;
  QLabel* lblTime = nullptr;
  QLabel* lblBitrate = nullptr;
  QLabel* lblMode = nullptr;
  std::array<QCheckBox*, 2> chkTagTab{};  // (0) on the first page, (1) on the second

  // Second page.
  QLineEdit* txtOriginalArtist = nullptr;
  QLineEdit* txtSubtitle = nullptr;
  QLineEdit* txtComposer = nullptr;
  QLineEdit* txtCopyright = nullptr;
  QLineEdit* txtEncodedBy = nullptr;
  QLineEdit* txtLanguage = nullptr;
  QListWidget* lstURL = nullptr;
  QPlainTextEdit* txtUnknown = nullptr;
  QPlainTextEdit* txtLyrics = nullptr;
};

// Tag texts are UTF-8 below the widgets.
inline QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }
inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

}  // namespace mainwindow
