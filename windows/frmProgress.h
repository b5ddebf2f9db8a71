// The progress window: one gauge and a Cancel button, shown by the long operations while
// they work through many files. Cancel (or Escape) asks the run to stop; the run decides
// where it can stop and closes the window itself.
#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

class QPushButton;

namespace windows {

class Gauge;

class frmProgress : public QWidget {
  Q_OBJECT
 public:
  // yield lets pending events run (it is handed to KeepOnTop); it may be empty.
  explicit frmProgress(std::function<void()> yield, QWidget* parent = nullptr);

  // The gauge, object name "Progress".
  Gauge* Progress() const { return progress_; }
  // Sets the gauge's ProgressPercent.
  void setValue(std::int32_t percent);
  std::int32_t value() const;
  void setCaption(const QString& caption) { setWindowTitle(caption); }
  // The Cancel button, object name "cmdCancel".
  QPushButton* cmdCancel() const { return cancel_; }

 signals:
  // The user asked the run on show to stop (Cancel or Escape).
  void cancelRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Gauge* progress_;
  QPushButton* cancel_;
};

}  // namespace windows
