// The captions that the language switch sets, for German (0) and English (1).
#pragma once
#include <QString>
#include <vector>

namespace mainwindow {

struct Caption {
  QString control;  // the control's object name
  QString text;     // "&&" shows as one ampersand
};

// The captions in the order they are set. An index other than 1 gives German.
std::vector<Caption> LanguageCaptions(int languageIndex);

// The label before the total playing time of the tag list, with its trailing blank.
QString TotalTimeLabelFor(int languageIndex);

}  // namespace mainwindow
