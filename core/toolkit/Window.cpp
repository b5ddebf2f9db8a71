#include "core/toolkit/Window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cmath>

namespace core {

namespace {

// Nearest whole number, halves to the even one, kept inside the range of int.
int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(rounded);
}

QPoint ScreenOrigin() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().topLeft() : QPoint(0, 0);
}

// The frame's extra size around the client area (title bar, borders); none before the
// window has been shown.
QSize FrameExtra(const QWidget* window) {
  return window->frameGeometry().size() - window->size();
}

void Yield(const std::function<void()>& yield) {
  if (yield) yield();
}

bool FrameKnown(const QWidget* window) { return !FrameExtra(window).isNull(); }

}  // namespace

// Until a window has been shown, the window system has not said how large its frame is,
// and a client size set from an outer size would leave the frame that much too large:
// a window restored from the settings would grow by its title bar at every start. This
// keeps the outer size asked for and sets it again as soon as the frame is known, unless
// the window was resized by anyone else in between.
class PendingOuterSize : public QObject {
  Q_OBJECT

 public:
  explicit PendingOuterSize(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

  static PendingOuterSize* of(QWidget* window, bool create) {
    auto* pending = window->findChild<PendingOuterSize*>(QString(), Qt::FindDirectChildrenOnly);
    if (pending == nullptr && create) pending = new PendingOuterSize(window);  // owned by the window
    return pending;
  }

  void setHeight(int pixels) { height_ = pixels; }
  void setWidth(int pixels) { width_ = pixels; }
  void setExpected(QSize client) { expected_ = client; }

  void drop() {
    window_->removeEventFilter(this);
    deleteLater();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window_ || !window_->isVisible()) return false;
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Paint:
        break;
      default:
        return false;
    }
    if (window_->size() != expected_) {
      drop();  // resized by the user or the window manager meanwhile: theirs wins
    } else if (FrameKnown(window_)) {
      const QSize extra = FrameExtra(window_);
      const QSize client(width_ >= 0 ? std::max(width_ - extra.width(), 0) : window_->width(),
                         height_ >= 0 ? std::max(height_ - extra.height(), 0) : window_->height());
      drop();
      window_->resize(client);
    }
    return false;
  }

 private:
  QWidget* window_;
  int height_ = -1;  // outer size in pixels; -1: not asked for
  int width_ = -1;
  QSize expected_;   // the client size set meanwhile
};

int TwipsToPixels(double twips) { return RoundToInt(twips / TwipsPerPixel); }

double PixelsToTwips(int pixels) { return static_cast<double>(pixels) * TwipsPerPixel; }

QSize ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->size() : QSize(1024, 768);
}

QRect CenteredRect(QSize screen, QSize window) {
  // The factor 0.95 leaves room for the task bar at the bottom; it applies to the height only.
  const int top = RoundToInt(screen.height() * 0.95) / 2 - window.height() / 2;
  const int left = screen.width() / 2 - window.width() / 2;
  return QRect(std::max(left, 0), std::max(top, 0), window.width(), window.height());
}

void CenterWindow(QWidget* window) {
  if (window == nullptr) return;
  const QRect placed = CenteredRect(ScreenSize(), window->frameGeometry().size());
  window->move(placed.topLeft() + ScreenOrigin());  // a window's position is its frame's
}

void SetOnTop(QWidget* window, int flag, const std::function<void()>& yield) {
  if (window != nullptr) {
    if (flag == -1 || flag == 0) {
      const bool onTop = flag == -1;
      if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
        // Changing the flags hides a shown window; it comes back where it was.
        const bool visible = window->isVisible();
        const QPoint position = window->pos();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        if (visible) {
          window->move(position);
          window->show();
        }
      }
    } else {
      window->raise();
    }
  }
  Yield(yield);
}

void KeepOnTop(QWidget* window, const std::function<void()>& yield) { SetOnTop(window, -1, yield); }

TwipsRect OuterBoundsTwips(const QWidget* window) {
  TwipsRect bounds;
  if (window == nullptr) return bounds;
  const QRect frame = window->frameGeometry();
  bounds.top = PixelsToTwips(frame.y());
  bounds.left = PixelsToTwips(frame.x());
  bounds.height = PixelsToTwips(frame.height());
  bounds.width = PixelsToTwips(frame.width());
  return bounds;
}

void SetOuterTop(QWidget* window, double twips) {
  if (window == nullptr) return;
  window->move(window->frameGeometry().x(), TwipsToPixels(twips));
}

void SetOuterLeft(QWidget* window, double twips) {
  if (window == nullptr) return;
  window->move(TwipsToPixels(twips), window->frameGeometry().y());
}

void SetOuterHeight(QWidget* window, double twips) {
  if (window == nullptr) return;
  const int outer = TwipsToPixels(twips);
  window->resize(window->width(), std::max(outer - FrameExtra(window).height(), 0));
  PendingOuterSize* pending = PendingOuterSize::of(window, !FrameKnown(window));
  if (pending == nullptr) return;
  if (FrameKnown(window)) {
    pending->drop();
  } else {
    pending->setHeight(outer);
    pending->setExpected(window->size());
  }
}

void SetOuterWidth(QWidget* window, double twips) {
  if (window == nullptr) return;
  const int outer = TwipsToPixels(twips);
  window->resize(std::max(outer - FrameExtra(window).width(), 0), window->height());
  PendingOuterSize* pending = PendingOuterSize::of(window, !FrameKnown(window));
  if (pending == nullptr) return;
  if (FrameKnown(window)) {
    pending->drop();
  } else {
    pending->setWidth(outer);
    pending->setExpected(window->size());
  }
}

std::function<void()> ProcessEventsHook() {
  return [] { QCoreApplication::processEvents(); };
}

}  // namespace core

#include "Window.moc"
