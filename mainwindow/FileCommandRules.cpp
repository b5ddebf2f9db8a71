#include "mainwindow/FileCommandRules.h"

#include <QCoreApplication>

namespace mainwindow {

QString DeleteQuestion() {
  return QCoreApplication::translate("mainwindow::Tagger",
                                     "Ausgewählte Dateien wirklich in den Papierkorb verschieben ?   ");
}

QString DeleteForGoodQuestion(const QStringList& files) {
  return QCoreApplication::translate("mainwindow::Tagger",
                                     "Diese Dateien können nicht in den Papierkorb verschoben werden, ihr "
                                     "Laufwerk hat keinen:\n\n%1\n\nEndgültig löschen ?   ")
      .arg(files.join(QLatin1Char('\n')));
}

std::string CollectionFileName(const std::string& currentDirName) {
  if (currentDirName.empty() || currentDirName.find('/') != std::string::npos) return "Root.htm";
  return currentDirName + ".htm";
}

QString InfoText(const std::string& appTitle) {
  return QString::fromStdString(appTitle) +
         QStringLiteral("\r\n\r\nMP3-Tags (ID3v1.1 und ID3v2.3) lesen, bearbeiten, umbenennen und auflisten."
                        "\r\nRead, edit, rename and list the tags (ID3v1.1 and ID3v2.3) of MP3 files.");
}

}  // namespace mainwindow
