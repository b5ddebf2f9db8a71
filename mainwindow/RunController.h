// One run at a time: the save of one or many files, a batch mode, the removal, the merge, a
// delete. The run controller owns the busy state; while a run is under way the window
// locks every control that could start another (busyChanged), and only the run's end
// lifts it. The work of a run goes on a worker thread and touches no widget: it reports
// progress to the progress window, looks at the cancel token (set by the window's Cancel)
// between two files, and asks its questions on the GUI thread, which blocks only the worker.
#pragma once
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

#include "formats/FileIo.h"
#include "tagging/BatchResult.h"
#include "tagging/TagSaveRules.h"

class QThread;

namespace core {
class DialogService;
}
namespace windows {
class frmProgress;
}

namespace mainwindow {

// The object name of a run's worker thread (a test tells it from the tag list's readers).
constexpr char WorkerName[] = "tonewright-run";

class RunController;

// What the work of a run sees on its worker.
class RunContext {
 public:
  const tagging::CancelToken* cancel() const { return &token_; }
  bool cancelled() const { return token_.cancelled(); }
  // Sets the gauge before file `index` of `count` (on the GUI thread, without waiting).
  tagging::Progress progress();
  // Runs `onGui` on the GUI thread and waits for it. False, without running it, when the
  // run is being abandoned (the window goes).
  bool onGui(const std::function<void()>& onGui);
  // The format services for the worker: the window's file system as it was when the run
  // started, no yield (there are no events to process here), notices shown on the GUI thread.
  formats::FormatEnv env();
  // A save that would lose tag data asks on the GUI thread; with oneAnswer the first answer
  // stands for the rest of the run.
  tagging::SavePolicy askingPolicy(bool oneAnswer);

 private:
  friend class RunController;
  RunContext(RunController& owner, formats::FileSystem& fs) : owner_(owner), fs_(fs) {}
  RunController& owner_;
  formats::FileSystem& fs_;
  tagging::CancelToken token_;
  std::atomic<bool> abandoned_{false};
};

class RunController : public QObject {
  Q_OBJECT
 public:
  struct Run {
    // On the worker: reads and writes files, never a widget.
    std::function<void(RunContext&)> work;
    // On the GUI thread once the work has ended and the busy state is lifted: applies the
    // results and shows the end message.
    std::function<void()> done;
    bool showProgress = true;
  };

  // What the runs use of their window: the progress window (made on first use), the dialogs
  // and the title of their questions and messages, the file system the files go through.
  struct Services {
    std::function<windows::frmProgress*()> progressWindow;
    core::DialogService* dialogs = nullptr;
    QString title;
    std::function<formats::FileSystem&()> fileSystem;
  };
  explicit RunController(Services services, QObject* parent = nullptr);
  // A run under way is cancelled and waited for; its questions are no longer asked.
  ~RunController() override;

  bool busy() const { return busy_; }
  // Starts the run on a worker. False, and nothing starts, while another run is under way.
  bool start(Run run);
  // Asks the run on the worker to stop after the file it is on (as its Cancel does).
  void cancel();
  // The end message of a run: the notice, the files not changed with their reasons, and
  // after a cancel how many of the run's files were done. None when there is nothing to say.
  void reportFailures(const std::vector<tagging::FileOutcome>& outcomes, const QString& notice = {});

 signals:
  void busyChanged(bool busy);
  // A run has ended (it may have changed files): what shows the folder's files (the tag
  // list) starts again from what the folder now holds.
  void runEnded();

 private:
  friend class RunContext;
  void setBusy(bool busy);
  void finish();

  Services services_;
  bool busy_ = false;
  QThread* worker_ = nullptr;
  std::unique_ptr<RunContext> context_;
  std::function<void()> done_;
  QMetaObject::Connection cancelConnection_;
};

}  // namespace mainwindow
