#include "core/toolkit/Translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTranslator>
#include <QVariant>
#include <QWidget>

namespace core {

namespace {

// Dynamic properties of a control whose caption or tooltip follows the language.
constexpr const char* CaptionContext = "tonewrightCaptionContext";
constexpr const char* CaptionSource = "tonewrightCaptionSource";
constexpr const char* TipContext = "tonewrightTipContext";
constexpr const char* TipSource = "tonewrightTipSource";

int language = 0;

QTranslator& English() {
  static QTranslator* translator = new QTranslator(QCoreApplication::instance());  // owned by the application
  return *translator;
}

QString Translated(const QObject* control, const char* contextKey, const char* sourceKey) {
  const QByteArray context = control->property(contextKey).toByteArray();
  const QByteArray source = control->property(sourceKey).toByteArray();
  return QCoreApplication::translate(context.constData(), source.constData());
}

void ShowCaption(QObject* control, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(control)) {
    action->setText(text);
  } else if (auto* menu = qobject_cast<QMenu*>(control)) {
    menu->setTitle(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
    box->setTitle(text);
  } else if (auto* widget = qobject_cast<QWidget*>(control)) {
    widget->setWindowTitle(text);
  }
}

void Retranslate(QObject* control) {
  if (control->property(CaptionSource).isValid()) ShowCaption(control, Translated(control, CaptionContext, CaptionSource));
  auto* widget = qobject_cast<QWidget*>(control);
  if (widget != nullptr && widget->property(TipSource).isValid()) {
    widget->setToolTip(Translated(widget, TipContext, TipSource));
  }
}

}  // namespace

bool SetInterfaceLanguage(int index) {
  QTranslator& english = English();
  if (index == 1) {
    if (english.isEmpty() && !english.load(QStringLiteral(":/i18n/tonewright_en.qm"))) return false;
    language = 1;
    QCoreApplication::installTranslator(&english);
  } else {
    language = 0;
    QCoreApplication::removeTranslator(&english);
  }
  // At once, not when the posted language change arrives: the switch is seen as it is made.
  for (QWidget* window : QApplication::topLevelWidgets()) RetranslateCaptions(window);
  return true;
}

int InterfaceLanguage() { return language; }

void SetCaption(QObject* control, const char* context, const char* source) {
  control->setProperty(CaptionContext, QByteArray(context));
  control->setProperty(CaptionSource, QByteArray(source));
  ShowCaption(control, QCoreApplication::translate(context, source));
}

void SetToolTip(QWidget* control, const char* context, const char* source) {
  control->setProperty(TipContext, QByteArray(context));
  control->setProperty(TipSource, QByteArray(source));
  control->setToolTip(QCoreApplication::translate(context, source));
}

void RetranslateCaptions(QObject* root) {
  Retranslate(root);
  for (QObject* control : root->findChildren<QObject*>()) Retranslate(control);
}

}  // namespace core
