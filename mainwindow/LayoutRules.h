// The resize arithmetic of the main window, in twips. H and W are the window's outer
// height and width; the inner (client) size is used for the report view only.
#pragma once
#include <QString>
#include <vector>

namespace mainwindow {

enum class Edge { Top, Left, Height, Width };

// The width of lstFiles and the panels beneath it as designed, in twips.
constexpr double DesignFileColumnWidth = 4620;

struct Placement {
  QString control;  // object name
  Edge edge;
  double twips;
};

// What the arithmetic needs to know of the controls as they are now.
struct CurrentLayout {
  double outerHeight = 0, outerWidth = 0;
  double innerHeight = 0, innerWidth = 0;
  double lstFilesHeight = 0, lstFilesWidth = 0;
  double picTagsHeight = 0;
  double chkNoTagOnlyTop = 0;
};

// The assignments of one resize, in order. A size that would be negative is left out:
// that control keeps its size (the window's only minimum). Positions derived from
// another control use that control's new value, or its old one when it kept it.
std::vector<Placement> ResizeLayout(const CurrentLayout& now);

}  // namespace mainwindow
