#include <gtest/gtest.h>

#include <QStringList>
#include <array>
#include <string>
#include <vector>

#include "mainwindow/EditCaptions.h"

namespace mainwindow {
namespace {

TEST(SaveTagCaption, EachStateHasItsCaption) {
  const std::vector<std::pair<SaveCaption, const char*>> cases = {
      {SaveCaption::Ready, "TAG speichern"},           {SaveCaption::SeveralSelected, "TAGs bearbeiten"},
      {SaveCaption::AllFiles, "TAGs \xC3\x9C" "bernehmen"}, {SaveCaption::AfterEnterSave, "TAG \xC3\x9C" "bernehmen"},
      {SaveCaption::SavingOne, "TAG schreiben..."},    {SaveCaption::SavingSeveral, "TAGs bearbeiten..."},
      {SaveCaption::EnterSaving, "TAG Schreiben..."},
  };
  for (const auto& [caption, text] : cases)
    EXPECT_EQ(SaveTagCaption(caption), QString::fromUtf8(text)) << static_cast<int>(caption);
  EXPECT_EQ(ApplyHeldQuestion(),
            QString::fromUtf8("Gehaltene Tags wirklich auf alle ausgew\xC3\xA4hlte Dateien anwenden ?   "));
  EXPECT_EQ(CommentWindowCaption(1), QStringLiteral("Comment"));
  EXPECT_EQ(CommentWindowCaption(7), QStringLiteral("Kommentar"));
}

TEST(SaveFailureMessage, ListsTheFilesNotWrittenAndCountsTheRest) {
  EXPECT_TRUE(SaveFailureMessage({}, 0).isEmpty());
  std::vector<std::string> files = {"/m/B\xC3\xA4r.mp3"};  // native names, UTF-8
  for (int i = 1; i < 25; ++i) files.push_back("/m/" + std::to_string(i) + ".mp3");
  const QStringList lines = SaveFailureMessage(files, 0, 20).split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 22);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Diese Dateien konnten nicht geschrieben werden")));
  EXPECT_EQ(lines[1], QString::fromUtf8("/m/B\xC3\xA4r.mp3"));
  EXPECT_EQ(lines[21], QStringLiteral("... und 5 weitere"));
  EXPECT_EQ(SaveFailureMessage(files, 1, 20).split(QLatin1Char('\n')).last(), QStringLiteral("... and 5 more"));
  EXPECT_EQ(SaveFailureMessage(files, 0, 25).split(QLatin1Char('\n')).size(), 26) << "exactly as many as shown";
}

TEST(SaveProgressPercent, RoundsHalfToEvenAndEndsAtHundred) {
  const std::vector<std::array<int, 3>> cases = {  // count, index, percent
      {1, 0, 100}, {3, 0, 33}, {3, 1, 67}, {8, 0, 12}, {8, 2, 38}, {8, 4, 62}, {8, 7, 100}, {0, 0, 0}, {3, 5, 100}};
  for (const auto& [count, index, percent] : cases)
    EXPECT_EQ(SaveProgressPercent(count, index), percent) << count << " " << index;
}

}  // namespace
}  // namespace mainwindow
