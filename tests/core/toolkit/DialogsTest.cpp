#include "core/toolkit/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString AppTitle = QStringLiteral("Quillmere Tonewright");

TEST(ShowMessageTest, KindsOneToFourShowTheirIconAndAnEmptyTitleBecomesTheAppTitle) {
  const std::pair<int, const char*> cases[] = {{1, "Löschen"}, {2, ""}, {3, "Löschen"}, {4, ""}, {0, "Löschen"}, {5, ""}};
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
      EXPECT_EQ(dialogs.shown[0].text + QLatin1Char('|') + dialogs.shown[0].title, QStringLiteral("Text|") + expected);
    }
  }
}

// Answers the message box the service opens next with a button, and describes the box.
void AnswerNextBox(QMessageBox::StandardButton press, QString& seen) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [timer, press, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    timer->deleteLater();
    timer->stop();
    seen = QStringLiteral("%1 %2 %3 %4").arg(int{box->icon()}).arg(box->windowTitle(), box->text()).arg(box->standardButtons().toInt());
    box->button(press) != nullptr ? box->button(press)->click() : box->reject();
  });
  timer->start(10);
}

TEST(QtDialogServiceTest, BoxesCarryIconTitleAndButtonsAndReturnThePressedOne) {
  const struct {
    core::MessageKind kind;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton press;  // Ok: message(); Yes or No: question()
  } cases[] = {
      {core::MessageKind::Information, QMessageBox::Information, QMessageBox::Ok},
      {core::MessageKind::Exclamation, QMessageBox::Warning, QMessageBox::Ok},
      {core::MessageKind::Critical, QMessageBox::Critical, QMessageBox::Ok},
      {core::MessageKind::Question, QMessageBox::Question, QMessageBox::Yes},
      {core::MessageKind::Question, QMessageBox::Question, QMessageBox::No},
  };
  core::QtDialogService dialogs;
  for (const auto& c : cases) {
    QString seen;
    AnswerNextBox(c.press, seen);
    int buttons = QMessageBox::Ok;
    if (c.press == QMessageBox::Ok) {
      dialogs.message(QStringLiteral("Datei fehlt"), c.kind, AppTitle);
    } else {
      buttons = QMessageBox::Yes | QMessageBox::No;
      EXPECT_EQ(dialogs.question(QStringLiteral("Datei fehlt"), AppTitle),
                c.press == QMessageBox::Yes ? core::Answer::Yes : core::Answer::No);
    }
    EXPECT_EQ(seen, QStringLiteral("%1 %2 Datei fehlt %3").arg(int{c.icon}).arg(AppTitle).arg(buttons));
  }
}

}  // namespace
