// The progress gauge: a bar with the percentage written across it, the text dark
// over the empty part and light over the filled part.
#pragma once
#include <QSet>
#include <QSize>
#include <QString>
#include <QVariantMap>
#include <QWidget>
#include <cstdint>

class QFrame;
class QLabel;

namespace windows {

class Gauge : public QWidget {
  Q_OBJECT
  // Colours are 0x00BBGGRR values.
  Q_PROPERTY(int ColorDark READ ColorDark WRITE setColorDark)
  Q_PROPERTY(int ColorLight READ ColorLight WRITE setColorLight)
  Q_PROPERTY(int ProgressPercent READ ProgressPercent WRITE setProgressPercent)
  Q_PROPERTY(int TextColorLight READ TextColorLight WRITE setTextColorLight)
  Q_PROPERTY(int TextColorDark READ TextColorDark WRITE setTextColorDark)

 public:
  static constexpr std::int32_t DefaultColorDark = 0xFF0000;       // blue
  static constexpr std::int32_t DefaultColorLight = 0xFFFFFF;      // white
  static constexpr std::int32_t DefaultProgressPercent = 50;
  static constexpr std::int32_t DefaultTextColorLight = 0xFFFFFF;  // white
  static constexpr std::int32_t DefaultTextColorDark = 0x000000;   // black

  explicit Gauge(QWidget* parent = nullptr);

  std::int32_t ColorDark() const { return colorDark_; }
  std::int32_t ColorLight() const { return colorLight_; }
  std::int32_t ProgressPercent() const { return progressPercent_; }
  std::int32_t TextColorLight() const { return textColorLight_; }
  std::int32_t TextColorDark() const { return textColorDark_; }

  void setColorDark(std::int32_t value);
  void setColorLight(std::int32_t value);
  void setProgressPercent(std::int32_t value);
  void setTextColorLight(std::int32_t value);
  void setTextColorDark(std::int32_t value);

  // Redraws the bar and the text for vPercent without storing it as ProgressPercent.
  void SetProgress(std::int32_t vPercent);

  // Lays the parts out for the current size. Runs on every change of size; call it
  // after resizing a gauge that is not shown yet, so that the layout does not wait
  // for the first show (which would reset the fill after the caller set it).
  void applyLayout();

  // The properties set since construction or the last readProperties, by name.
  const QSet<QString>& changedProperties() const { return changed_; }
  // The stored settings: every property that differs from its default, by its name.
  QVariantMap writeProperties() const;
  // Applies stored settings; a missing name takes its default.
  void readProperties(const QVariantMap& stored);

 signals:
  void propertyChanged(const QString& name);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void markChanged(const QString& name);
  void applyColors();

  std::int32_t colorDark_ = DefaultColorDark;
  std::int32_t colorLight_ = DefaultColorLight;
  std::int32_t progressPercent_ = DefaultProgressPercent;
  std::int32_t textColorLight_ = DefaultTextColorLight;
  std::int32_t textColorDark_ = DefaultTextColorDark;
  QSet<QString> changed_;

  QLabel* lblContainer_;
  QLabel* lblBack_;
  QFrame* fInside_;
  QLabel* lblFront_;
  QSize laidOutSize_;
};

}  // namespace windows
