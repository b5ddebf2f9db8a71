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

class QThread;

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
  // The format services for the worker: no yield (there are no events to process here),
  // notices shown on the GUI thread.
  formats::FormatEnv env(formats::FileSystem& fs, const std::function<void(const std::string&)>& notice);

 private:
  friend class RunController;
  explicit RunContext(RunController& owner) : owner_(owner) {}
  RunController& owner_;
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

  // progressWindow gives the window the runs show (made on first use).
  RunController(std::function<windows::frmProgress*()> progressWindow, QObject* parent = nullptr);
  // A run under way is cancelled and waited for; its questions are no longer asked.
  ~RunController() override;

  bool busy() const { return busy_; }
  // Starts the run on a worker. False, and nothing starts, while another run is under way.
  bool start(Run run);
  // Asks the run on the worker to stop after the file it is on (as its Cancel does).
  void cancel();

 signals:
  void busyChanged(bool busy);
  // A run has ended (it may have changed files): what shows the folder's files (the tag
  // list) starts again from what the folder now holds.
  void runEnded();

 private:
  friend class RunContext;
  void setBusy(bool busy);
  void finish();

  std::function<windows::frmProgress*()> progressWindow_;
  bool busy_ = false;
  QThread* worker_ = nullptr;
  std::unique_ptr<RunContext> context_;
  std::function<void()> done_;
  QMetaObject::Connection cancelConnection_;
};

}  // namespace mainwindow
