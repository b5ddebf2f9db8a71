#include "mainwindow/DriveBox.h"

#include <QSignalBlocker>

#include "mainwindow/NativeNames.h"
#include "mainwindow/Volumes.h"

namespace mainwindow {

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent) { fill(RealVolumeRoots()); }

void DriveBox::fill(const std::vector<std::string>& roots) {
  const std::string chosen = drive();
  const QSignalBlocker quiet(this);
  clear();
  for (const std::string& root : roots) addItem(ToQString(root), ToBytes(root));
  const int again = findData(ToBytes(chosen));
  setCurrentIndex(again >= 0 ? again : (count() > 0 ? 0 : -1));
}

std::string DriveBox::drive() const {
  return currentIndex() < 0 ? std::string() : currentData().toByteArray().toStdString();
}

std::vector<std::string> DriveBox::roots() const {
  std::vector<std::string> all;
  for (int i = 0; i < count(); ++i) all.push_back(itemData(i).toByteArray().toStdString());
  return all;
}

void DriveBox::selectVolumeOf(const std::string& path) {
  const std::string root = VolumeOf(path, roots());
  const int index = findData(ToBytes(root));
  if (index < 0) return;
  const QSignalBlocker quiet(this);
  setCurrentIndex(index);
}

void DriveBox::showPopup() {
  fill(RealVolumeRoots());
  QComboBox::showPopup();
}

}  // namespace mainwindow
