#include "windows/CoverPicture.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace windows {

namespace {
bool IsShownFormat(const QByteArray& format) {
  return format == "gif" || format == "bmp" || format == "jpeg" || format == "jpg" || format == "png";
}
}  // namespace

CoverPicture::CoverPicture(QWidget* parent) : QWidget(parent) {}

bool CoverPicture::load(const QString& path) {
  clear();
  if (path.isEmpty()) return false;
  // The format comes from the content, not from the name: pictures taken from tags
  // carry whatever extension their writer chose. The reader's allocation limit keeps
  // a picture that claims enormous dimensions from taking the memory.
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  if (!IsShownFormat(reader.format())) return false;
  const QImage image = reader.read();
  if (image.isNull()) return false;
  picture_ = QPixmap::fromImage(image);
  path_ = path;
  update();
  return true;
}

void CoverPicture::clear() {
  picture_ = QPixmap();
  path_.clear();
  update();
}

void CoverPicture::paintEvent(QPaintEvent*) {
  if (picture_.isNull() || width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  QSize shown = picture_.size().scaled(size(), Qt::KeepAspectRatio);
  const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
  painter.drawPixmap(target, picture_);
}

void CoverPicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit rightButtonPressed(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

}  // namespace windows
