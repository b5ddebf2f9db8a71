// Window placement, twips and the yield hook.
#pragma once
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

namespace core {

constexpr int TwipsPerPixel = 15;  // 96 dots per inch
int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);

// The screen's size in pixels (the primary screen, or 1024 x 768 when there is none).
QSize ScreenSize();

// top = round(screenHeight * 0.95) \ 2 - windowHeight \ 2, left = screenWidth \ 2 -
// windowWidth \ 2, neither below 0. Pure arithmetic, in any one unit.
QRect CenteredRect(QSize screen, QSize window);
void CenterWindow(QWidget* window);
void KeepOnTop(QWidget* window, const std::function<void()>& yield);
// flag -1 topmost, 0 no longer topmost, any other value raised among the ordinary windows.
void SetOnTop(QWidget* window, int flag, const std::function<void()>& yield);

// The window's outer bounds, in twips, and setting them.
struct TwipsRect {
  double top = 0, left = 0, height = 0, width = 0;
};
TwipsRect OuterBoundsTwips(const QWidget* window);
void SetOuterTop(QWidget* window, double twips);
void SetOuterLeft(QWidget* window, double twips);
void SetOuterHeight(QWidget* window, double twips);
void SetOuterWidth(QWidget* window, double twips);

// The GUI's yield hook: lets the interface process pending events.
std::function<void()> ProcessEventsHook();

}  // namespace core
