#include "windows/frmPicSelect.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <algorithm>

#include "core/AppValues.h"
#include "core/Paths.h"
#include "core/Texts.h"
#include "core/toolkit/Translation.h"
#include "core/toolkit/Window.h"
#include "formats/FileIo.h"
#include "windows/CoverPicture.h"

namespace windows {

namespace {

QString Q(const std::string& native) { return QFile::decodeName(QByteArray::fromStdString(native)); }
std::string Native(const QString& text) { return QFile::encodeName(text).toStdString(); }
constexpr int NameRole = Qt::UserRole;

void AddEntry(QListWidget* list, const std::string& name, const QString& shown) {
  auto* item = new QListWidgetItem(shown, list);  // owned by the list
  item->setData(NameRole, QByteArray::fromStdString(name));
}

// Copies a file into a folder under its own name; a file of that name there stays.
void CopyBeside(const std::string& from, const std::string& folder) {
  formats::FileSystem& fs = formats::FileSystem::standard();
  auto in = fs.openRead(from);
  if (!in) return;
  const std::string target = folder + core::FileNameOf(from);
  formats::WorkFile work(fs, target, ".copy");
  // The copy takes the name only while it is free.
  if (work.copyFrom(*in, 0, in->size(), {})) work.commitAsNew(target);
}

}  // namespace

bool IsPictureFileName(const std::string& name) {
  // PNG is listed too: the pictures of ID3v2 tags are JPEG or PNG in practice.
  static const char* const extensions[] = {".gif", ".bmp", ".jpg", ".jpeg", ".wmf", ".png"};
  const std::string lower = core::LowerLatin1(name);
  return std::any_of(std::begin(extensions), std::end(extensions), [&](const std::string& e) {
    return lower.size() > e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0;
  });
}

frmPicSelect::frmPicSelect(core::AppValues& values, std::function<void()> yield, QWidget* parent)
    : QDialog(parent),
      values_(values),
      Drive1_(new QComboBox(this)),
      Dir1_(new QListWidget(this)),
      File1_(new QListWidget(this)),
      imgPreview_(new CoverPicture(this)),
      Command1_(new QPushButton(this)),
      Command2_(new QPushButton(this)) {
  setObjectName(QStringLiteral("frmPicSelect"));
  setWindowTitle(tr("Bild auswählen"));
  core::SetCaption(Command1_, staticMetaObject.className(), QT_TR_NOOP("Ü B E R N E H M E N"));
  core::SetCaption(Command2_, staticMetaObject.className(), QT_TR_NOOP("A B B R E C H E N"));
  Drive1_->setObjectName(QStringLiteral("Drive1"));
  Dir1_->setObjectName(QStringLiteral("Dir1"));
  File1_->setObjectName(QStringLiteral("File1"));
  imgPreview_->setObjectName(QStringLiteral("imgPreview"));
  Command1_->setObjectName(QStringLiteral("Command1"));
  Command2_->setObjectName(QStringLiteral("Command2"));
  const auto place = [](QWidget* w, double l, double t, double wd, double h) {
    w->setGeometry(core::TwipsToPixels(l), core::TwipsToPixels(t), core::TwipsToPixels(wd), core::TwipsToPixels(h));
  };
  place(Drive1_, 120, 120, 3000, 315);
  place(Dir1_, 120, 540, 3000, 2400);
  place(File1_, 120, 3060, 3000, 2400);
  place(imgPreview_, 3240, 120, 4200, 4500);
  place(Command1_, 3240, 4800, 2040, 615);
  place(Command2_, 5400, 4800, 2040, 615);
  // The controls keep their design places: the dialog is no smaller than its design.
  setMinimumSize(core::TwipsToPixels(7560), core::TwipsToPixels(5640));
  resize(minimumSize());
  fillDrives();

  connect(Drive1_, &QComboBox::activated, this, [this] { setFolder(Native(Drive1_->currentData().toString())); });
  connect(Dir1_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const std::string name = item->data(NameRole).toByteArray().toStdString();
    setFolder(name == ".." ? core::ParentFolder(folder_) : folder_ + name + core::Separator);
  });
  connect(File1_, &QListWidget::itemClicked, this, &frmPicSelect::File1_Click);
  connect(File1_, &QListWidget::currentRowChanged, this, &frmPicSelect::File1_Click);
  connect(File1_, &QListWidget::itemDoubleClicked, this, &frmPicSelect::Command1_Click);
  connect(Command1_, &QPushButton::clicked, this, &frmPicSelect::Command1_Click);
  connect(Command2_, &QPushButton::clicked, this, &frmPicSelect::Command2_Click);
  // Closed by the window's own control or Escape: cancelled, so the waiting window resumes.
  connect(this, &QDialog::rejected, this, [this] {
    if (values_.PicSelectState == 1) values_.PicSelectState = 0;
  });

  core::CenterWindow(this);
  core::KeepOnTop(this, yield);
  if (!values_.ChosenPicture.empty()) {
    setFolder(core::ParentFolder(values_.ChosenPicture));
    if (core::FileExists(values_.ChosenPicture)) selectFile(core::FileNameOf(values_.ChosenPicture));
  }
}

void frmPicSelect::fillDrives() {
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    Drive1_->addItem(volume.rootPath(), volume.rootPath());
  }
}

bool frmPicSelect::setFolder(const std::string& folderText) {
  std::string folder = core::LongPath(folderText);
  if (!core::FolderExists(folder)) return false;
  folder_ = core::AddBackslash(folder);
  // The drive list shows the volume that holds the folder: the longest root before it.
  int volume = -1;
  for (int i = 0, best = -1; i < Drive1_->count(); ++i) {
    std::string root = Native(Drive1_->itemData(i).toString());
    core::AddBackslash(root);
    if (folder_.compare(0, root.size(), root) == 0 && static_cast<int>(root.size()) > best) {
      volume = i;
      best = static_cast<int>(root.size());
    }
  }
  if (volume >= 0) Drive1_->setCurrentIndex(volume);
  Dir1_->clear();
  if (core::ParentFolder(folder_) != folder_) AddEntry(Dir1_, "..", QStringLiteral(".."));
  for (const std::string& name : core::ListSubFolders(folder_, true)) AddEntry(Dir1_, name, Q(name));
  fillFiles();
  return true;
}

void frmPicSelect::fillFiles() {
  File1_->clear();
  imgPreview_->clear();
  std::vector<std::string> names;
  for (const QString& entry : QDir(Q(folder_)).entryList(QDir::Files | QDir::Hidden)) {
    const std::string name = Native(entry);
    if (IsPictureFileName(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), core::NameLess);
  for (const std::string& name : names) AddEntry(File1_, name, Q(name));
}

void frmPicSelect::selectFile(const std::string& name) {
  const std::string wanted = core::LowerLatin1(name);
  for (int row = 0; row < File1_->count(); ++row) {
    if (core::LowerLatin1(File1_->item(row)->data(NameRole).toByteArray().toStdString()) == wanted) {
      File1_->setCurrentRow(row);
      return;
    }
  }
}

std::string frmPicSelect::selectedFile() const {
  const QListWidgetItem* item = File1_->currentItem();
  if (item == nullptr || !item->isSelected()) return {};
  return item->data(NameRole).toByteArray().toStdString();
}

void frmPicSelect::File1_Click() {
  const std::string name = selectedFile();
  if (name.empty()) return;
  setCursor(Qt::WaitCursor);
  imgPreview_->load(Q(folder_ + name));  // a file that cannot be shown leaves it empty
  unsetCursor();
}

void frmPicSelect::Command1_Click() {
  const std::string name = selectedFile();
  if (name.empty()) return;
  values_.ChosenPicture = folder_ + name;
  std::string coverDir = values_.CoverDir;
  if (!coverDir.empty()) {
    core::MakePath(coverDir);
    CopyBeside(values_.ChosenPicture, coverDir);
  }
  values_.PicSelectState = 2;
  done(Accepted);
}

void frmPicSelect::Command2_Click() {
  values_.PicSelectState = 0;
  done(Rejected);
}


}  // namespace windows
