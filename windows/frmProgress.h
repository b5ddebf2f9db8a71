// The progress window: one gauge, shown by the long operations while they work
// through many files.
#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

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

 private:
  Gauge* progress_;
};

}  // namespace windows
