// drvDrives: the volumes to choose from, shown by their root paths. The list is read
// again each time it opens, so a volume mounted meanwhile appears.
#pragma once
#include <QComboBox>
#include <string>
#include <vector>

namespace mainwindow {

class DriveBox : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveBox(QWidget* parent = nullptr);

  void fill(const std::vector<std::string>& roots);
  // The root of the chosen volume (native bytes); empty when none is chosen.
  std::string drive() const;
  std::vector<std::string> roots() const;
  // Chooses the volume that holds the path, without a change event.
  void selectVolumeOf(const std::string& path);

  void showPopup() override;
};

}  // namespace mainwindow
