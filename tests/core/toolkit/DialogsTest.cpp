#include "core/toolkit/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString AppTitle = QStringLiteral("Quillmere Tonewright");

TEST(ShowMessageTest, KindsOneToFourShowTheirIconAndAnEmptyTitleBecomesTheAppTitle) {
  const std::pair<int, const char*> cases[] = {{1, "Löschen"}, {2, ""}, {3, "Löschen"}, {4, ""},
                                               {0, "Löschen"}, {5, ""}, {-1, ""}};
  for (const auto& [kind, given] : cases) {
    core::ScriptedDialogService dialogs;
    QString title = QString::fromUtf8(given);
    const QString expected = title.isEmpty() ? AppTitle : title;
    core::ShowMessage(dialogs, QStringLiteral("Text"), kind, title, AppTitle);
    EXPECT_EQ(title, expected) << kind;  // filled in place, shown or not
    const bool shown = kind >= 1 && kind <= 4;
    ASSERT_EQ(dialogs.shown.size(), shown ? 1u : 0u) << kind;
    if (shown) {
      EXPECT_EQ(static_cast<int>(dialogs.shown[0].kind), kind);
      EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Text"));
      EXPECT_EQ(dialogs.shown[0].title, expected);
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
  EXPECT_EQ(dialogs.shown[1].kind, core::MessageKind::Question);
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

TEST(QtDialogServiceTest, BoxesCarryIconTitleAndButtonsAndReturnThePressedOne) {
  const struct {
    core::MessageKind kind;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton press;
    core::Answer answer;
  } cases[] = {
      {core::MessageKind::Information, QMessageBox::Information, QMessageBox::Ok, core::Answer::No},
      {core::MessageKind::Exclamation, QMessageBox::Warning, QMessageBox::Ok, core::Answer::No},
      {core::MessageKind::Critical, QMessageBox::Critical, QMessageBox::Ok, core::Answer::No},
      {core::MessageKind::Question, QMessageBox::Question, QMessageBox::Ok, core::Answer::No},
      {core::MessageKind::Question, QMessageBox::Question, QMessageBox::Yes, core::Answer::Yes},
      {core::MessageKind::Question, QMessageBox::Question, QMessageBox::No, core::Answer::No},
  };
  core::QtDialogService dialogs;
  for (const auto& c : cases) {
    const bool question = c.press != QMessageBox::Ok;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
    QMessageBox::StandardButtons buttons;
    AnswerNextBox(c.press, [&](QMessageBox& box) {
      icon = box.icon();
      title = box.windowTitle();
      text = box.text();
      buttons = box.standardButtons();
    });
    if (question) {
      EXPECT_EQ(dialogs.question(QStringLiteral("Datei fehlt"), AppTitle), c.answer);
    } else {
      dialogs.message(QStringLiteral("Datei fehlt"), c.kind, AppTitle);
    }
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(title, AppTitle);
    EXPECT_EQ(text, QStringLiteral("Datei fehlt"));
    EXPECT_EQ(buttons, question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::StandardButtons(QMessageBox::Ok));
  }
}

}  // namespace
