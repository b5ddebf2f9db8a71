// The interface language and the captions that follow it. The German texts are the
// sources in the code; English comes from the catalogue translations/tonewright_en.ts,
// compiled into the program as :/i18n/tonewright_en.qm.
#pragma once

class QObject;
class QWidget;

namespace core {

// 0 German, 1 English; any other index gives German. Installs or removes the English
// translator; every window then receives a LanguageChange event. False when the English
// catalogue cannot be loaded (the interface stays German).
bool SetInterfaceLanguage(int index);
int InterfaceLanguage();

// Sets the caption of a control (button, label, box, group box title, menu, action, or a
// window's title) to the translation of source under context, and keeps both, so that
// RetranslateCaptions sets it again after a language change.
void SetCaption(QObject* control, const char* context, const char* source);
void SetToolTip(QWidget* control, const char* context, const char* source);
// Sets again every kept caption and tooltip of root and of the objects under it.
void RetranslateCaptions(QObject* root);

}  // namespace core
