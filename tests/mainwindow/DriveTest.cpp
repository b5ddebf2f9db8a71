// The drive selector: going back to a volume's last folder, and a volume that is gone.
#include <QComboBox>

#include "TaggerFixture.h"
#include "mainwindow/DriveBox.h"

namespace tagger_test {
namespace {

TEST_F(TaggerTest, DriveChangeReturnsToTheVolumesLastFolderAndSurvivesAGoneVolume) {
  auto* drives = find<mainwindow::DriveBox>("drvDrives");
  const std::string volume = temp.path() + "/Volume";  // stands in for a second volume
  const std::string gone = temp.path() + "/Gone";
  drives->fill({"/", volume, gone});
  folder("Volume");
  const std::string album = folder("Volume/Album");
  mp3(album, "a.mp3");
  open(album);
  EXPECT_EQ(drives->drive(), volume);

  // The window started in the program's folder, on the volume "/".
  drives->setCurrentIndex(drives->findText(QStringLiteral("/")));
  EXPECT_EQ(values.CurrentDir, values.AppPath);
  EXPECT_EQ(files()->count(), 0);

  drives->setCurrentIndex(drives->findText(Q(volume)));
  EXPECT_EQ(values.CurrentDir, album);
  EXPECT_EQ(files()->count(), 1);

  drives->setCurrentIndex(drives->findText(Q(gone)));
  EXPECT_EQ(values.CurrentDir, album);
  EXPECT_EQ(drives->drive(), volume);  // back on the volume of the folder on show
  EXPECT_EQ(files()->count(), 1);
}

}  // namespace
}  // namespace tagger_test
