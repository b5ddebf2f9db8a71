// The option boxes and the lists filled once when the window opens: the genre and
// picture-type lists, the picture of the chosen type, the page switch of the tag fields.
#include <QCheckBox>
#include <QComboBox>
#include <algorithm>
#include <utility>
#include <vector>

#include "core/AppValues.h"
#include "formats/ID3V111Genres.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

// The picture types of the attached-picture frame with their numbers.
const std::vector<std::pair<const char*, int>>& PictureTypes() {
  static const std::vector<std::pair<const char*, int>> types = {
      {"Other", 0},           {"32x32 Icon", 1},      {"Other Icon", 2},
      {"Front Cover", 3},     {"Back Cover", 4},      {"Leaflet Page", 5},
      {"Media", 6},           {"Lead Performer", 7},  {"Artist", 8},
      {"Conductor", 9},       {"Band", 10},           {"Composer", 11},
      {"Lyricist", 12},       {"Recording Location", 13}, {"During Recording", 14},
      {"During Performance", 15}, {"Movie Capture", 16}, {"A Bright Colored Fish", 17},
      {"Illustration", 18},   {"Band Logo", 19},      {"Publisher Logo", 20},
  };
  return types;
}

// The selection after filling: position 17 of the sorted list, "Other".
constexpr int FilledPictureTypeIndex = 17;

}  // namespace

void Tagger::FillGenres() {
  QComboBox* genre = editor_.cboGenre;
  genre->clear();
  genre->addItem(QString());
  for (const std::string& name : formats::GenreNames()) genre->addItem(FromUtf8(name));
}

void Tagger::FillPictureTypes() {
  QComboBox* types = editor_.cboPictureType;
  types->clear();
  // The list shows its entries sorted by name, so that "Front Cover" is the entry
  // chosen after every clear of the view; the lookups go by the type number.
  std::vector<std::pair<const char*, int>> sorted = PictureTypes();
  std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
    return QString::fromLatin1(a.first).compare(QString::fromLatin1(b.first), Qt::CaseInsensitive) < 0;
  });
  for (const auto& [name, number] : sorted) types->addItem(QString::fromLatin1(name), number);
  types->setCurrentIndex(FilledPictureTypeIndex);
}

void Tagger::cboPictureType_Click() { editing_->showChosenPicture(); }

void Tagger::chkTagTab_Click(int index) {
  picTags2_->move(picTags_->pos());
  if (index == 0) {
    picTags2_->show();
    picTags_->hide();
    editor_.chkTagTab[0]->setChecked(false);
    editor_.chkTagTab[1]->setChecked(true);
  } else {
    picTags_->show();
    picTags2_->hide();
    editor_.chkTagTab[1]->setChecked(true);
    editor_.chkTagTab[0]->setChecked(false);
  }
  lstFiles_->setFocus();
}

void Tagger::chkHold_Click(int index) {
  (void)index;
  SetEditFocus();
}

void Tagger::chkView_Click(int index) {
  (void)index;
  // The list gets the new columns at once, unless a recursive list would have to walk a
  // whole tree for it.
  if (!chkRecursive_->isChecked() && chkAuto_->isChecked()) cmdTagCheck_Click();
}

void Tagger::chkAuto_Click() { SetEditFocus(); }

}  // namespace mainwindow
