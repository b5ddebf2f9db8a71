// The tag list of the main window: the report view wb (a web view that lays the page out
// in its own process), the build behind it, and the switches that ask for it (the button
// cmdTagCheck, the view columns chkView, chkRecursive and the automatic list chkAuto). The files are read on a worker thread while
// the window stays usable; the progress window shows how far it is and its Cancel stops
// the build. A second request cancels the running build: only the last one's page is
// written to the page file and shown.
#pragma once
#include <QFuture>
#include <QObject>
#include <QMetaObject>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "reports/TagListBuilder.h"

class QCheckBox;
class QPushButton;
class QWebEngineView;
class QWidget;

namespace windows {
class frmProgress;
}

namespace mainwindow {

class Tagger;

class TagListController : public QObject {
  Q_OBJECT
 public:
  struct Request {
    std::string folder;
    reports::PageOptions options;
    // The file system the files are read through and the page is written through; the
    // yield and notice hooks are not used, since no window may be touched from the worker.
    formats::FormatEnv env;
    std::string pageFile;  // TempIndexFile; empty: the page is shown without a file
    // Runs on the window's thread when the page of this request is written and shown.
    std::function<void(const reports::TagListResult&)> whenShown;
  };

  struct Controls {
    std::array<QCheckBox*, 6> chkView{};
    QCheckBox* chkRecursive = nullptr;
    QCheckBox* chkAuto = nullptr;
    QPushButton* cmdTagCheck = nullptr;
  };
  // Makes the view ("wb") as a child of `window` and wires the switches. progressWindow
  // hands out the progress window when a build has files to read.
  TagListController(Tagger& window, const Controls& controls, std::function<windows::frmProgress*()> progressWindow);
  ~TagListController() override;

  QWebEngineView* view() const { return view_; }
  // Starts a build; one that is running is cancelled first. Nothing happens while held.
  void build(Request request);
  // Stops the running build (if any) before its next file; the page on show stays.
  void cancelBuild();
  bool isBuilding() const { return building_; }
  // While held, requests are let go (the start-up builds the list once, at its end).
  void setHeld(bool held) { held_ = held; }
  bool held() const { return held_; }

  // The tag list of a folder as the switches ask for it; of the folder on show without one.
  void BuildTagList(const std::string& folder);
  void BuildTagList();
  // chkAuto: the tag list is built again after a run and a folder change.
  bool AutoTagList() const;
  void cmdTagCheck_Click();
  void chkView_Click(int index);
  void chkRecursive_Click();
  void chkAuto_Click();

 signals:
  // A build began (true) or ended (false: its page is shown, or it was cancelled).
  void buildingChanged(bool building);
  // The view has finished loading a page (ok: it is laid out).
  void pageLoaded(bool ok);

 private:
  // The button stays usable while the files are read: a click starts the list again.
  void buildingShown(bool building);
  void progressed(std::uint64_t generation, int percent);
  void finished(std::uint64_t generation, const reports::TagListResult& result);
  void show(const std::string& page, const std::string& pageFile, formats::FileSystem& fs);
  void endBuild();

  Tagger& window_;
  Controls c_;
  QWebEngineView* view_;
  std::function<windows::frmProgress*()> progressWindow_;
  QMetaObject::Connection cancelConnection_;
  bool held_ = false;
  bool building_ = false;
  // Every build has a number; a result whose number is not the last one's is dropped.
  std::uint64_t generation_ = 0;
  std::shared_ptr<std::atomic<bool>> cancel_;
  Request request_;  // of the build under way
  std::vector<QFuture<void>> workers_;
};

}  // namespace mainwindow
