#include "core/toolkit/Window.h"

#include <QCoreApplication>
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

}  // namespace

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
  const int client = TwipsToPixels(twips) - FrameExtra(window).height();
  window->resize(window->width(), std::max(client, 0));
}

void SetOuterWidth(QWidget* window, double twips) {
  if (window == nullptr) return;
  const int client = TwipsToPixels(twips) - FrameExtra(window).width();
  window->resize(std::max(client, 0), window->height());
}

std::function<void()> ProcessEventsHook() {
  return [] { QCoreApplication::processEvents(); };
}

}  // namespace core
