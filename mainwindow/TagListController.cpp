#include "mainwindow/TagListController.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QPushButton>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <utility>

#include "mainwindow/ControlPlacing.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "windows/frmProgress.h"

namespace mainwindow {

namespace {

// The page holds texts from other people's files: nothing it names is fetched from the
// network, only the page file itself (or the page handed over as data) is read.
class LocalOnly : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    const QString scheme = info.requestUrl().scheme();
    if (scheme != QLatin1String("file") && scheme != QLatin1String("data")) info.block(true);
  }
};

// A link the user clicks opens in the system's browser; the view keeps the list.
class ReportPage : public QWebEnginePage {
 public:
  explicit ReportPage(QObject* parent) : QWebEnginePage(parent) {
    setUrlRequestInterceptor(new LocalOnly(this));  // owned by the page
    QWebEngineSettings* s = settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
  }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    if (type == NavigationTypeLinkClicked) {
      QDesktopServices::openUrl(url);
      return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
  }
};

}  // namespace

TagListController::TagListController(Tagger& window, const Controls& controls,
                                     std::function<windows::frmProgress*()> progressWindow)
    : QObject(&window),
      window_(window),
      c_(controls),
      view_(new QWebEngineView(&window)),
      progressWindow_(std::move(progressWindow)) {
  Named(view_, QStringLiteral("wb"));  // owned by the window
  view_->setPage(new ReportPage(view_));  // owned by the view
  Place(view_, 3255, 60, 8690, 8610);
  connect(view_, &QWebEngineView::loadFinished, this, &TagListController::pageLoaded);
  connect(this, &TagListController::buildingChanged, this, &TagListController::buildingShown);
  connect(c_.cmdTagCheck, &QPushButton::clicked, this, &TagListController::cmdTagCheck_Click);
  // A value assigned by the program runs the handler too, as a user's click does.
  connect(c_.chkRecursive, &QCheckBox::toggled, this, &TagListController::chkRecursive_Click);
  connect(c_.chkAuto, &QCheckBox::toggled, this, &TagListController::chkAuto_Click);
  for (int i = 0; i < static_cast<int>(c_.chkView.size()); ++i) {
    connect(c_.chkView[i], &QCheckBox::toggled, this, [this, i] { chkView_Click(i); });
  }
}

TagListController::~TagListController() {
  // A worker must not outlive what it reads through; it stops before its next file.
  if (cancel_) cancel_->store(true);
  for (QFuture<void>& worker : workers_) worker.waitForFinished();
}

void TagListController::build(Request request) {
  if (held_) return;
  if (cancel_) cancel_->store(true);
  const std::uint64_t generation = ++generation_;
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  cancel_ = cancel;
  request_ = std::move(request);
  if (!building_) {
    building_ = true;
    if (windows::frmProgress* progress = progressWindow_()) {
      cancelConnection_ = connect(progress, &windows::frmProgress::cancelRequested, this, &TagListController::cancelBuild);
      progress->setValue(0);
    }
  }
  emit buildingChanged(true);  // again for a build that replaces one: the window's captions may have changed

  formats::FormatEnv env = request_.env;
  env.yield = nullptr;
  env.notice = nullptr;
  const std::string folder = request_.folder;
  const reports::PageOptions options = request_.options;
  // Finished workers are let go; the cancelled ones stop at their next file.
  workers_.erase(std::remove_if(workers_.begin(), workers_.end(), [](const QFuture<void>& w) { return w.isFinished(); }),
                 workers_.end());
  workers_.push_back(QtConcurrent::run([this, generation, cancel, folder, options, env] {
    int shown = -1;
    reports::TagListResult result = reports::BuildTagListPage(
        folder, options, env,
        [&](int percent) {
          if (percent == shown) return;  // one signal per step of the gauge, not per file
          shown = percent;
          QMetaObject::invokeMethod(this, [this, generation, percent] { progressed(generation, percent); },
                                    Qt::QueuedConnection);
        },
        cancel.get());
    QMetaObject::invokeMethod(
        this, [this, generation, result = std::move(result)] { finished(generation, result); }, Qt::QueuedConnection);
  }));
}

void TagListController::cancelBuild() {
  if (!building_) return;
  cancel_->store(true);
  ++generation_;  // whatever the worker still sends is dropped
  endBuild();
}

void TagListController::progressed(std::uint64_t generation, int percent) {
  if (generation != generation_) return;
  windows::frmProgress* progress = progressWindow_();
  if (progress == nullptr) return;
  if (!progress->isVisible()) progress->show();
  progress->setValue(percent);
}

void TagListController::finished(std::uint64_t generation, const reports::TagListResult& result) {
  if (generation != generation_ || result.cancelled) return;
  if (windows::frmProgress* progress = progressWindow_()) progress->setValue(100);
  show(result.page, request_.pageFile, *request_.env.fs);
  const auto whenShown = std::move(request_.whenShown);
  endBuild();
  if (whenShown) whenShown(result);
}

void TagListController::show(const std::string& page, const std::string& pageFile, formats::FileSystem& fs) {
  if (!pageFile.empty() && reports::WritePageFile(fs, pageFile, page)) {
    const QUrl url = QUrl::fromLocalFile(ToQString(pageFile));
    // The page file keeps its name from build to build: the view reads it anew.
    if (view_->url() == url)
      view_->reload();
    else
      view_->load(url);
  } else {
    // Without a page file (no safe work folder, a full disk) the list is still shown.
    view_->setHtml(QString::fromLatin1(page.data(), static_cast<int>(page.size())));
  }
}

void TagListController::endBuild() {
  building_ = false;
  request_ = Request();
  if (windows::frmProgress* progress = progressWindow_()) {
    disconnect(cancelConnection_);
    progress->hide();
  }
  emit buildingChanged(false);
}

}  // namespace mainwindow
