#include "core/toolkit/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString AppTitle = QStringLiteral("Quillmere Tonewright");

TEST(ShowMessageTest, KindsOneToFourShowTheirIconAndOthersNothing) {
  struct Case {
    int kind;
    bool shown;
  };
  const Case cases[] = {{1, true}, {2, true}, {3, true}, {4, true}, {0, false}, {5, false}, {-1, false}};
  for (const auto& c : cases) {
    core::ScriptedDialogService dialogs;
    QString title = QStringLiteral("Löschen");
    core::ShowMessage(dialogs, QStringLiteral("Text"), c.kind, title, AppTitle);
    ASSERT_EQ(dialogs.shown.size(), c.shown ? 1u : 0u) << c.kind;
    if (c.shown) {
      EXPECT_EQ(static_cast<int>(dialogs.shown[0].kind), c.kind);
      EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Text"));
      EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Löschen"));
    }
  }
}

TEST(ShowMessageTest, AnEmptyTitleBecomesTheAppTitleInPlace) {
  for (int kind : {1, 7}) {
    core::ScriptedDialogService dialogs;
    QString title;
    core::ShowMessage(dialogs, QStringLiteral("Fertig"), kind, title, AppTitle);
    EXPECT_EQ(title, AppTitle) << kind;
    if (kind == 1) {
      ASSERT_EQ(dialogs.shown.size(), 1u);
      EXPECT_EQ(dialogs.shown[0].title, AppTitle);
    }
  }
}

TEST(ScriptedDialogServiceTest, AnswersFromItsQueuesThenNo) {
  core::ScriptedDialogService dialogs;
  dialogs.setNextAnswer(core::Answer::Yes);
  dialogs.setNextFileName(QStringLiteral("/music/cover.jpg"));
  EXPECT_EQ(dialogs.question(QStringLiteral("Sicher?"), AppTitle), core::Answer::Yes);
  EXPECT_EQ(dialogs.question(QStringLiteral("Wirklich?"), AppTitle), core::Answer::No);
  EXPECT_EQ(dialogs.openFileName(QStringLiteral("Bild"), QString(), QString()), QStringLiteral("/music/cover.jpg"));
  EXPECT_EQ(dialogs.saveFileName(QStringLiteral("Speichern"), QString(), QString()), QString());
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("Wirklich?"));
  EXPECT_EQ(dialogs.shown[1].kind, core::MessageKind::Question);
  EXPECT_EQ(dialogs.chooserCaptions, (QStringList{QStringLiteral("Bild"), QStringLiteral("Speichern")}));
}

// Waits for the message box that the service opens, lets the check look at it, and
// presses one of its buttons.
void AnswerNextBox(QMessageBox::StandardButton press, std::function<void(QMessageBox&)> check) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, press, check] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    timer->stop();
    timer->deleteLater();
    check(*box);
    if (QAbstractButton* button = box->button(press)) {
      button->click();
    } else {
      box->reject();
    }
  });
  timer->start();
}

TEST(QtDialogServiceTest, MessageBoxesCarryIconTitleAndOkButton) {
  const std::pair<core::MessageKind, QMessageBox::Icon> cases[] = {
      {core::MessageKind::Information, QMessageBox::Information},
      {core::MessageKind::Exclamation, QMessageBox::Warning},
      {core::MessageKind::Critical, QMessageBox::Critical},
      {core::MessageKind::Question, QMessageBox::Question},
  };
  core::QtDialogService dialogs;
  for (const auto& [kind, icon] : cases) {
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QString seenTitle, seenText;
    QMessageBox::StandardButtons seenButtons;
    AnswerNextBox(QMessageBox::Ok, [&](QMessageBox& box) {
      seenIcon = box.icon();
      seenTitle = box.windowTitle();
      seenText = box.text();
      seenButtons = box.standardButtons();
    });
    dialogs.message(QStringLiteral("Datei fehlt"), kind, AppTitle);
    EXPECT_EQ(seenIcon, icon);
    EXPECT_EQ(seenTitle, AppTitle);
    EXPECT_EQ(seenText, QStringLiteral("Datei fehlt"));
    EXPECT_EQ(seenButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
  }
}

TEST(QtDialogServiceTest, QuestionsHaveYesAndNoAndReturnThePressedOne) {
  core::QtDialogService dialogs;
  for (auto [press, expected] : {std::pair{QMessageBox::Yes, core::Answer::Yes},
                                 std::pair{QMessageBox::No, core::Answer::No}}) {
    QMessageBox::StandardButtons seenButtons;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    AnswerNextBox(press, [&](QMessageBox& box) {
      seenButtons = box.standardButtons();
      seenIcon = box.icon();
    });
    EXPECT_EQ(dialogs.question(QStringLiteral("Löschen?"), AppTitle), expected);
    EXPECT_EQ(seenButtons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seenIcon, QMessageBox::Question);
  }
}

}  // namespace
