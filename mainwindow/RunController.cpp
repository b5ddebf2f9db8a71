#include "mainwindow/RunController.h"

#include <QApplication>
#include <QSemaphore>
#include <QThread>

#include "mainwindow/EditCaptions.h"
#include "windows/frmProgress.h"

namespace mainwindow {

tagging::Progress RunContext::progress() {
  RunController* owner = &owner_;
  return [owner](std::size_t index, std::size_t count) {
    const int percent = SaveProgressPercent(static_cast<int>(count), static_cast<int>(index));
    QMetaObject::invokeMethod(
        owner, [owner, percent] { owner->progressWindow_()->setValue(percent); }, Qt::QueuedConnection);
  };
}

bool RunContext::onGui(const std::function<void()>& onGui) {
  if (QThread::currentThread() == owner_.thread()) {
    onGui();
    return true;
  }
  // The semaphore is shared with the queued call: when the run is abandoned, the call is
  // dropped with the controller and nobody waits for it.
  auto answered = std::make_shared<QSemaphore>();
  QMetaObject::invokeMethod(
      &owner_,
      [onGui, answered] {
        onGui();
        answered->release();
      },
      Qt::QueuedConnection);
  while (!answered->tryAcquire(1, 50)) {
    if (abandoned_.load()) return false;
  }
  return true;
}

formats::FormatEnv RunContext::env(formats::FileSystem& fs,
                                   const std::function<void(const std::string&)>& notice) {
  formats::FormatEnv env;
  env.fs = &fs;
  env.notice = [this, notice](const std::string& text) { onGui([&] { notice(text); }); };
  return env;
}

RunController::RunController(std::function<windows::frmProgress*()> progressWindow, QObject* parent)
    : QObject(parent), progressWindow_(std::move(progressWindow)) {
  setObjectName(QStringLiteral("runs"));
}

RunController::~RunController() {
  if (worker_ == nullptr) return;
  context_->token_.cancel();
  context_->abandoned_.store(true);
  worker_->wait();
  delete worker_;
  if (busy_) QApplication::restoreOverrideCursor();
}

void RunController::setBusy(bool busy) {
  if (busy_ == busy) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
  emit busyChanged(busy);
}

bool RunController::start(Run run) {
  if (busy_) return false;
  setBusy(true);
  context_.reset(new RunContext(*this));
  done_ = std::move(run.done);
  windows::frmProgress* progress = progressWindow_();
  progress->setValue(0);
  RunContext* context = context_.get();
  cancelConnection_ = connect(progress, &windows::frmProgress::cancelRequested, this,
                              [context] { context->token_.cancel(); });
  if (run.showProgress) progress->show();
  worker_ = QThread::create([work = std::move(run.work), context] { work(*context); });
  worker_->setObjectName(QString::fromLatin1(WorkerName));
  connect(worker_, &QThread::finished, this, &RunController::finish, Qt::QueuedConnection);
  worker_->start();
  return true;
}

void RunController::finish() {
  if (worker_ == nullptr) return;
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
  disconnect(cancelConnection_);
  progressWindow_()->hide();
  std::function<void()> done = std::move(done_);
  done_ = nullptr;
  const std::unique_ptr<RunContext> ended = std::move(context_);
  setBusy(false);
  emit runEnded();
  if (done) done();
}

void RunController::cancel() {
  if (context_) context_->token_.cancel();
}

}  // namespace mainwindow
