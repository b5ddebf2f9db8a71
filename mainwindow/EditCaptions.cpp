#include "mainwindow/EditCaptions.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>

#include "core/Ini.h"

namespace mainwindow {

QString SaveTagCaption(SaveCaption caption) {
  switch (caption) {
    case SaveCaption::Ready:
      return QCoreApplication::translate("mainwindow::Tagger", "TAG speichern");
    case SaveCaption::SeveralSelected:
      return QCoreApplication::translate("mainwindow::Tagger", "TAGs bearbeiten");
    case SaveCaption::AllFiles:
      return QCoreApplication::translate("mainwindow::Tagger", "TAGs Übernehmen");
    case SaveCaption::AfterEnterSave:
      return QCoreApplication::translate("mainwindow::Tagger", "TAG Übernehmen");
    case SaveCaption::SavingOne:
      return QCoreApplication::translate("mainwindow::Tagger", "TAG schreiben...");
    case SaveCaption::SavingSeveral:
      return QCoreApplication::translate("mainwindow::Tagger", "TAGs bearbeiten...");
    case SaveCaption::EnterSaving:
      return QCoreApplication::translate("mainwindow::Tagger", "TAG Schreiben...");
  }
  return QCoreApplication::translate("mainwindow::Tagger", "TAG speichern");
}

QString ApplyHeldQuestion() {
  return QCoreApplication::translate("mainwindow::Tagger", "Gehaltene Tags wirklich auf alle ausgewählte Dateien anwenden ?   ");
}

QString CommentWindowCaption(int languageIndex) {
  return languageIndex == 1 ? QStringLiteral("Comment") : QStringLiteral("Kommentar");
}

QString SaveFailureMessage(const std::vector<std::string>& files, int languageIndex, std::size_t shown) {
  if (files.empty()) return {};
  const bool english = languageIndex == 1;
  QString text = english ? QStringLiteral("These files could not be written; their tags are unchanged:")
                         : QString::fromUtf8("Diese Dateien konnten nicht geschrieben werden, ihre Tags sind "
                                             "unver\xC3\xA4ndert:");
  const std::size_t listed = std::min(files.size(), shown);
  for (std::size_t i = 0; i < listed; ++i) text += QStringLiteral("\n") + QFile::decodeName(QByteArray::fromStdString(files[i]));
  if (listed < files.size()) {
    const QString more = QString::number(files.size() - listed);
    text += english ? QStringLiteral("\n... and %1 more").arg(more) : QStringLiteral("\n... und %1 weitere").arg(more);
  }
  return text;
}

QString LossQuestion(const tagging::SaveLoss& loss, int languageIndex) {
  const bool english = languageIndex == 1;
  QString text = QFile::decodeName(QByteArray::fromStdString(loss.file)) +
                 (english ? QStringLiteral("\nSaving would lose:") : QStringLiteral("\nBeim Speichern ginge verloren:"));
  for (const std::string& what : loss.what) text += QStringLiteral("\n  ") + QString::fromStdString(what);
  text += english ? QStringLiteral("\nSave anyway?") : QStringLiteral("\nTrotzdem speichern?");
  return text;
}

int SaveProgressPercent(int count, int index) {
  if (count <= 0) return 0;
  const long long percent = core::RoundHalfEven(100.0 / count * (index + 1));
  if (percent < 0) return 0;
  if (percent > 100) return 100;
  return static_cast<int>(percent);
}

}  // namespace mainwindow
