#include <gtest/gtest.h>

#include <QStringList>
#include <string>
#include <vector>

#include "mainwindow/EditCaptions.h"

namespace mainwindow {
namespace {

TEST(SaveTagCaption, EachStateHasItsCaption) {
  const std::vector<std::pair<SaveCaption, QString>> cases = {
      {SaveCaption::Ready, QStringLiteral("TAG speichern")},
      {SaveCaption::SeveralSelected, QStringLiteral("TAGs bearbeiten")},
      {SaveCaption::AllFiles, QString::fromUtf8("TAGs Übernehmen")},
      {SaveCaption::AfterEnterSave, QString::fromUtf8("TAG Übernehmen")},
      {SaveCaption::SavingOne, QStringLiteral("TAG schreiben...")},
      {SaveCaption::SavingSeveral, QStringLiteral("TAGs bearbeiten...")},
      {SaveCaption::EnterSaving, QStringLiteral("TAG Schreiben...")},
  };
  for (const auto& [caption, text] : cases)
    EXPECT_EQ(SaveTagCaption(caption), text) << static_cast<int>(caption);
  EXPECT_EQ(SaveTagCaption(SaveCaption::AllFiles).at(5).unicode(), 0xDC) << "one character for the U with umlaut";
}

TEST(ApplyHeldQuestion, KeepsItsThreeTrailingBlanks) {
  const QString q = ApplyHeldQuestion();
  EXPECT_EQ(q, QString::fromUtf8("Gehaltene Tags wirklich auf alle ausgewählte Dateien anwenden ?   "));
  EXPECT_TRUE(q.endsWith(QStringLiteral("?   ")));
}

TEST(CommentWindowCaption, FollowsTheLanguage) {
  EXPECT_EQ(CommentWindowCaption(0), QStringLiteral("Kommentar"));
  EXPECT_EQ(CommentWindowCaption(1), QStringLiteral("Comment"));
  EXPECT_EQ(CommentWindowCaption(7), QStringLiteral("Kommentar"));
}

TEST(SaveFailureMessage, ListsEveryFileThatWasNotWritten) {
  const std::vector<std::string> files = {"/music/a.mp3", "/music/B\xC3\xA4r.mp3"};  // native names, UTF-8
  const QStringList german = SaveFailureMessage(files, 0).split(QLatin1Char('\n'));
  ASSERT_EQ(german.size(), 3);
  EXPECT_TRUE(german[0].startsWith(QStringLiteral("Diese Dateien konnten nicht geschrieben werden")));
  EXPECT_EQ(german[1], QStringLiteral("/music/a.mp3"));
  EXPECT_EQ(german[2], QString::fromUtf8("/music/Bär.mp3"));
  const QStringList english = SaveFailureMessage(files, 1).split(QLatin1Char('\n'));
  ASSERT_EQ(english.size(), 3);
  EXPECT_TRUE(english[0].startsWith(QStringLiteral("These files could not be written")));
  EXPECT_EQ(english[2], QString::fromUtf8("/music/Bär.mp3"));
}

TEST(SaveFailureMessage, NothingToReportGivesNoText) { EXPECT_TRUE(SaveFailureMessage({}, 0).isEmpty()); }

TEST(SaveFailureMessage, ALongListIsCutAndTheRestCounted) {
  std::vector<std::string> files;
  for (int i = 0; i < 25; ++i) files.push_back("/m/" + std::to_string(i) + ".mp3");
  const QStringList lines = SaveFailureMessage(files, 0, 20).split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 22);
  EXPECT_EQ(lines[20], QStringLiteral("/m/19.mp3"));
  EXPECT_EQ(lines[21], QStringLiteral("... und 5 weitere"));
  EXPECT_EQ(SaveFailureMessage(files, 1, 20).split(QLatin1Char('\n')).last(), QStringLiteral("... and 5 more"));
  EXPECT_EQ(SaveFailureMessage(files, 0, 25).split(QLatin1Char('\n')).size(), 26) << "exactly as many as shown";
}

TEST(SaveProgressPercent, RoundsHalfToEvenAndEndsAtHundred) {
  struct Case {
    int count, index, percent;
  };
  const std::vector<Case> cases = {
      {1, 0, 100}, {2, 0, 50},  {3, 0, 33},  {3, 1, 67}, {3, 2, 100}, {8, 0, 12},
      {8, 2, 38},  {8, 4, 62},  {8, 7, 100}, {0, 0, 0},  {-1, 0, 0},  {3, 5, 100},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SaveProgressPercent(c.count, c.index), c.percent) << c.count << " " << c.index;
}

}  // namespace
}  // namespace mainwindow
