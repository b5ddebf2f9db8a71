// A picture display: shows a GIF, BMP, JPEG or PNG file scaled to fit, or nothing.
#pragma once
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace windows {

class CoverPicture : public QWidget {
  Q_OBJECT
 public:
  explicit CoverPicture(QWidget* parent = nullptr);

  // Shows the picture of the file; a file that is missing, unreadable or not one of
  // the four formats leaves the display empty. Returns whether a picture is shown.
  bool load(const QString& path);
  void clear();
  bool hasPicture() const { return !picture_.isNull(); }
  QString path() const { return path_; }
  // The picture as read from the file, unscaled.
  const QPixmap& picture() const { return picture_; }

 signals:
  void rightButtonPressed(const QPoint& globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
  QString path_;
};

}  // namespace windows
