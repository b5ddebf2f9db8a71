#include "mainwindow/RunController.h"

#include <QApplication>
#include <QSemaphore>
#include <QThread>
#include <algorithm>

#include "core/toolkit/Dialogs.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "windows/frmProgress.h"

namespace mainwindow {

tagging::Progress RunContext::progress() {
  RunController* owner = &owner_;
  return [owner](std::size_t index, std::size_t count) {
    const int percent = SaveProgressPercent(static_cast<int>(count), static_cast<int>(index));
    QMetaObject::invokeMethod(
        owner, [owner, percent] { owner->services_.progressWindow()->setValue(percent); }, Qt::QueuedConnection);
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

formats::FormatEnv RunContext::env() {
  formats::FormatEnv env;
  env.fs = &fs_;
  env.notice = [this](const std::string& text) {
    onGui([&] {
      owner_.services_.dialogs->message(FromUtf8(text), core::MessageKind::Information, owner_.services_.title);
    });
  };
  return env;
}

tagging::SavePolicy RunContext::askingPolicy(bool oneAnswer) {
  // The answer belongs to the run: 0 not asked yet, 1 Yes, 2 No.
  auto answer = std::make_shared<int>(0);
  tagging::SavePolicy policy;
  policy.mode = tagging::SavePolicy::Mode::Ask;
  policy.ask = [this, answer, oneAnswer](const tagging::SaveLoss& loss) {
    if (*answer != 0) return *answer == 1;
    bool yes = false;
    onGui([&] {
      yes = owner_.services_.dialogs->question(LossQuestion(loss), owner_.services_.title) == core::Answer::Yes;
    });
    if (oneAnswer) *answer = yes ? 1 : 2;
    return yes;
  };
  return policy;
}

RunController::RunController(Services services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {
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
  context_.reset(new RunContext(*this, services_.fileSystem()));
  done_ = std::move(run.done);
  windows::frmProgress* progress = services_.progressWindow();
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
  services_.progressWindow()->hide();
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

void RunController::reportFailures(const std::vector<tagging::FileOutcome>& outcomes, const QString& notice) {
  QString text = notice;
  const auto cancelled = std::count_if(outcomes.begin(), outcomes.end(), [](const tagging::FileOutcome& outcome) {
    return outcome.reason == tagging::Reason::Cancelled;
  });
  if (cancelled > 0) {
    const QString stopped = Tagger::tr("Abgebrochen: %1 von %2 Dateien bearbeitet, die übrigen sind unverändert.")
                                .arg(static_cast<long long>(outcomes.size()) - cancelled)
                                .arg(outcomes.size());
    text = text.isEmpty() ? stopped : stopped + QStringLiteral("\n\n") + text;
  }
  const std::string failures = RunWords().failureMessage(outcomes);
  if (!failures.empty()) text += (text.isEmpty() ? QString() : QStringLiteral("\n\n")) + ToQString(failures);
  if (text.isEmpty()) return;
  services_.dialogs->message(text, core::MessageKind::Exclamation, services_.title);
}

}  // namespace mainwindow
