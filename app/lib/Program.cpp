#include "app/lib/Program.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <cmath>

#include "app/lib/StartupRules.h"
#include "core/Ini.h"
#include "core/toolkit/Window.h"
#include "formats/FileIo.h"
#include "mainwindow/BatchController.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"
#include "mainwindow/EditingController.h"
#include "windows/frmCover.h"

namespace app {

namespace {

constexpr double DefaultHeight = 8970;
constexpr double DefaultWidth = 16845;
constexpr double DefaultCoverHeight = 5250;
constexpr double DefaultCoverWidth = 4620;

// The desktop the windows may be placed on, all screens together, in pixels.
QRect Desktop() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return QRect(QPoint(0, 0), core::ScreenSize());
  return screen->virtualGeometry();
}

double ScreenHeightTwips() { return core::PixelsToTwips(core::ScreenSize().height()); }
double ScreenWidthTwips() { return core::PixelsToTwips(core::ScreenSize().width()); }

// A size from the settings that a window can take: positive and finite.
bool UsableSize(double twips) { return std::isfinite(twips) && twips > 0 && twips < 1e7; }
bool UsablePosition(double twips) { return std::isfinite(twips) && std::fabs(twips) < 1e7; }

// A check box value of 0 or 1 sets the box; any other value is not one it can take.
void SetCheckValue(QCheckBox* box, long long value) {
  if (box != nullptr && (value == 0 || value == 1)) box->setChecked(value == 1);
}

void PlaceReachable(QWidget* window) {
  const QPoint reachable = KeepReachable(window->frameGeometry(), Desktop());
  if (reachable != window->frameGeometry().topLeft()) window->move(reachable);
}

}  // namespace

Program::Program(ProgramEnvironment environment) : environment_(std::move(environment)) {}

Program::~Program() {
  // The window must not call back into a program that is going away.
  if (tagger_) tagger_->setUnloadHandler({});
}

std::string Program::readText(const char* section, const char* key, const std::string& defaultValue) const {
  if (values_.IniFile.empty()) return defaultValue;
  return core::ReadIni(section, key, values_.IniFile, defaultValue);
}

double Program::readNumber(const char* section, const char* key, double defaultValue) const {
  if (values_.IniFile.empty()) return defaultValue;
  return core::LeadingNumber(core::ReadIni(section, key, values_.IniFile, defaultValue));
}

void Program::Start() {
  // 1. Program paths and the private work folder.
  core::PreparePaths(values_, environment_.programPath, environment_.settingsFolder);
  // Work files of the settings and of extracted pictures that a killed run left.
  for (const std::string& folder : {values_.AppPath, values_.TempDir})
    if (!folder.empty()) formats::FileSystem::standard().removeLeftWorkFiles(folder);
  // 2. The main window.
  loadMainWindow();
  // 3. The last folder; on the first start the folder the environment names, if any.
  const std::string& firstFolder = environment_.firstStartFolder;
  values_.CurrentDir = readText("Settings", "LastDir", firstFolder.empty() ? values_.AppPath : firstFolder);
  // 4. A file or folder on the command line overrides it.
  applyCommandLine();
  // 5. Drive and folder lists; the folder change fills the file list. A folder that no
  // longer exists leaves the list where it started (the program's folder).
  // The tag list is built once, at step 14: the folder change and the view switches
  // restored on the way would each build it again.
  tagger_->tagList().setHeld(true);
  tagger_->SetDriveOf(values_.CurrentDir);
  tagger_->SetFolder(values_.CurrentDir, false);
  tagger_->dirListe_Change();
  // A file named on the command line is shown, not only its folder opened.
  if (!environment_.commandLine.empty()) tagger_->ShowStartFile(CommandLineFile(environment_.commandLine));
  // 6., 7. The batch panel's field orders and the place of its drag-and-drop option.
  tagger_->batchRun().FillFieldOrderLists();
  tagger_->batchRun().AlignDragDropOption();
  // 8. Background colour 004080, handed on to the option panels.
  tagger_->SetFormBackColor(QColor(0x00, 0x40, 0x80));
  // 9., 10. Language, view switches and the automatic tag list.
  restoreLanguageAndOptions();
  // 11. Size first, so that the default position centres the restored size.
  restoreMainWindowBounds();
  // 12.
  tagger_->show();
  // 13. The cover window, loaded but not shown.
  loadCoverWindow();
  // 14. The tag list of the current folder.
  tagger_->tagList().setHeld(false);
  tagger_->tagList().BuildTagList(values_.CurrentDir);
}

void Program::loadMainWindow() {
  tagger_ = std::make_unique<mainwindow::Tagger>(values_, *environment_.dialogs, *environment_.media,
                                                 environment_.yield);
  tagger_->setUnloadHandler([this] { Shutdown(); });
  core::CenterWindow(tagger_.get());
  tagger_->editing().FillGenres();
  tagger_->editing().FillPictureTypes();
  tagger_->editing().ClearFileInfo();
}

void Program::applyCommandLine() {
  if (environment_.commandLine.empty()) return;
  values_.CommandLine = environment_.commandLine;
  values_.CurrentDir = CommandLineFolder(environment_.commandLine);
}

void Program::restoreLanguageAndOptions() {
  long long language = SettingNumber(readText("Settings", "Language", "0"));
  // Only 0 and 1 name a language; anything else falls back to the design language.
  if (language != 0 && language != 1) language = 0;
  values_.LanguageIndex = static_cast<std::int16_t>(language);
  tagger_->mnuLanguage_Click(static_cast<int>(language));

  const std::array<const char*, 6> defaults = {"1", "1", "0", "0", "0", "0"};
  for (std::size_t i = 0; i < ViewKeys.size(); ++i) {
    auto* box = tagger_->findChild<QCheckBox*>(QStringLiteral("chkView(%1)").arg(i));
    SetCheckValue(box, SettingNumber(readText("View", ViewKeys[i], defaults[i])));
  }
  SetCheckValue(tagger_->findChild<QCheckBox*>(QStringLiteral("chkAuto")),
                SettingNumber(readText("Settings", "Automatic", "1")));
}

void Program::restoreMainWindowBounds() {
  QWidget* window = tagger_.get();
  const double height = readNumber("Settings", "Height", DefaultHeight);
  if (UsableSize(height)) core::SetOuterHeight(window, height);
  const double width = readNumber("Settings", "Width", DefaultWidth);
  if (UsableSize(width)) core::SetOuterWidth(window, width);
  const core::TwipsRect now = core::OuterBoundsTwips(window);
  const double top = readNumber("Settings", "Top", ScreenHeightTwips() / 2 - now.height / 2);
  if (UsablePosition(top)) core::SetOuterTop(window, top);
  const double left = readNumber("Settings", "Left", ScreenWidthTwips() / 2 - now.width / 2);
  if (UsablePosition(left)) core::SetOuterLeft(window, left);
  PlaceReachable(window);
}

void Program::loadCoverWindow() {
  if (!cover_) cover_ = std::make_unique<windows::frmCover>(values_, *environment_.dialogs, environment_.yield);
  tagger_->editing().setCoverWindow(cover_.get());
  // The picture commands work on the type chosen in the main window's picture-type list.
  cover_->setSelectedType([tagger = tagger_.get()]() -> std::optional<int> {
    const auto* types = tagger->findChild<QComboBox*>(QStringLiteral("cboPictureType"));
    if (types == nullptr || types->currentText().isEmpty()) return std::nullopt;
    return types->currentData().toInt();
  });
  QWidget* window = cover_.get();
  if (QMenu* menu = cover_->mnuPop()) menu->menuAction()->setVisible(false);
  const core::TwipsRect initial = core::OuterBoundsTwips(window);
  const double top = readNumber("Settings", "CoverTop", ScreenHeightTwips() / 2 - initial.height / 2);
  if (UsablePosition(top)) core::SetOuterTop(window, top);
  const double left = readNumber("Settings", "CoverLeft", ScreenWidthTwips() / 2 - initial.width / 2);
  if (UsablePosition(left)) core::SetOuterLeft(window, left);
  const double height = readNumber("Settings", "CoverHeight", DefaultCoverHeight);
  if (UsableSize(height)) core::SetOuterHeight(window, height);
  const double width = readNumber("Settings", "CoverWidth", DefaultCoverWidth);
  if (UsableSize(width)) core::SetOuterWidth(window, width);
  PlaceReachable(window);
}

void Program::Shutdown() {
  if (tagger_) tagger_->editing().model().dropPictures();

  ShutdownState state;
  state.lastDir = values_.CurrentDir;
  if (tagger_) {
    const core::TwipsRect bounds = core::OuterBoundsTwips(tagger_.get());
    state.main = {bounds.top, bounds.left, bounds.height, bounds.width};
    for (std::size_t i = 0; i < state.view.size(); ++i) {
      const auto* box = tagger_->findChild<QCheckBox*>(QStringLiteral("chkView(%1)").arg(i));
      state.view[i] = box != nullptr && box->isChecked() ? 1 : 0;
    }
    const auto* automatic = tagger_->findChild<QCheckBox*>(QStringLiteral("chkAuto"));
    state.automatic = automatic != nullptr && automatic->isChecked() ? 1 : 0;
  }
  if (!cover_) loadCoverWindow();
  const core::TwipsRect cover = core::OuterBoundsTwips(cover_.get());
  state.cover = {cover.top, cover.left, cover.height, cover.width};
  state.language = values_.LanguageIndex;
  if (!values_.IniFile.empty()) {
    for (const SettingEntry& entry : ShutdownSettings(state)) {
      core::WriteIni(entry.section, entry.key, entry.value, values_.IniFile);
    }
  }

  cover_->hide();
  if (environment_.ended) environment_.ended();
}

}  // namespace app
