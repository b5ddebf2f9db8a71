#include "mainwindow/LayoutRules.h"

namespace mainwindow {

std::vector<Placement> ResizeLayout(const CurrentLayout& now) {
  const double H = now.outerHeight;
  const double W = now.outerWidth;
  std::vector<Placement> out;
  auto size = [&out](const char* control, Edge edge, double twips) {
    if (twips >= 0) out.push_back({QString::fromLatin1(control), edge, twips});
    return twips >= 0;
  };
  auto position = [&out](const char* control, Edge edge, double twips) {
    out.push_back({QString::fromLatin1(control), edge, twips});
  };

  size("picDir", Edge::Height, H - 580);
  size("dirListe", Edge::Height, H - 2900);
  position("picTagCheck", Edge::Top, H - 1580);
  position("chkMerge", Edge::Top, now.chkNoTagOnlyTop);
  const double viewRow0 = H - 2300;
  position("chkView(0)", Edge::Top, viewRow0);
  position("chkView(1)", Edge::Top, viewRow0);
  position("chkView(2)", Edge::Top, viewRow0);
  const double viewRow1 = H - 1960;
  position("chkView(3)", Edge::Top, viewRow1);
  position("chkView(4)", Edge::Top, viewRow1);
  position("chkView(5)", Edge::Top, viewRow1);
  // The file column may be wider than its design width of 4620 (its captions need the
  // room); the report view gives up what the column takes.
  size("wb", Edge::Width, now.innerWidth - 8180 - (now.lstFilesWidth - DesignFileColumnWidth));
  size("wb", Edge::Height, now.innerHeight - 180);
  const double filesLeft = W - now.lstFilesWidth - 220;
  position("lstFiles", Edge::Left, filesLeft);
  const double filesHeight = size("lstFiles", Edge::Height, H - 3880) ? H - 3880 : now.lstFilesHeight;
  position("lstSortFiles", Edge::Left, filesLeft);
  size("lstSortFiles", Edge::Height, filesHeight);
  // The second page and the removal panel take the place of picTags, as picBatch does.
  const double tagsTop = H - now.picTagsHeight - 520;
  for (const char* panel : {"picTags", "picBatch", "picTags2", "picRemoveTags"}) {
    position(panel, Edge::Left, filesLeft);
    position(panel, Edge::Top, tagsTop);
  }
  position("picOptions", Edge::Left, filesLeft + 40);
  return out;
}

}  // namespace mainwindow
