// The start-up builds the tag list once, and a file named on the command line is shown.
#include <QApplication>
#include <QEvent>
#include <QLineEdit>

#include "ProgramFixture.h"
#include "core/AppValues.h"
#include "core/Ini.h"
#include "formats/ID3V230Writer.h"

namespace program_test {
namespace {

// Counts how often the progress window comes up: once for every tag list built.
class ProgressCounter : public QObject {
 public:
  int shown = 0;
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show && object->objectName() == QStringLiteral("frmProgress")) ++shown;
    return false;
  }
};

TEST_F(ProgramTest, StartBuildsTheTagListOnceAndShowsTheFileNamed) {
  const std::string music = folder("music");
  mp3(music, "a.mp3");
  const std::string named = mp3(music, "b.mp3");
  formats::clsID3V230Writer tag;
  tag.setSongTitle("Named");
  ASSERT_TRUE(tag.WriteID3V230Tag(named));
  // View switches that differ from the design values change on the way, as the folder does.
  core::WriteIni("View", "Comment", "1", ini());
  core::WriteIni("View", "Album", "0", ini());
  ProgressCounter counter;
  qApp->installEventFilter(&counter);
  const auto program = start("\"" + named + "\"");
  qApp->removeEventFilter(&counter);
  EXPECT_EQ(counter.shown, 1);
  EXPECT_EQ(program->tagger()->values().CurrentFile, named);
  const auto selected = files(*program)->selectedItems();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected[0]->text(), QStringLiteral("b.mp3"));
  EXPECT_EQ(program->tagger()->findChild<QLineEdit*>(QStringLiteral("txtTitle"))->text(), QStringLiteral("Named"));
}

}  // namespace
}  // namespace program_test
