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

QString CommentWindowCaption() { return QCoreApplication::translate("mainwindow::Tagger", "Kommentar"); }

const texts::RunTexts& RunWords() {
  // The translator follows the interface language: the texts are looked up when built.
  static const texts::RunTexts words(
      [](const char* source) { return QCoreApplication::translate(texts::Context, source).toStdString(); });
  return words;
}

QString SaveFailureMessage(const std::vector<formats::Status>& files, std::size_t shown) {
  if (files.empty()) return {};
  QString text = QCoreApplication::translate("mainwindow::Tagger",
                                             "Diese Dateien konnten nicht geschrieben werden, ihre Tags sind unverändert:");
  const std::size_t listed = std::min(files.size(), shown);
  for (std::size_t i = 0; i < listed; ++i)
    text += QStringLiteral("\n") + QFile::decodeName(QByteArray::fromStdString(files[i].file)) + QStringLiteral(": ") +
            QString::fromStdString(RunWords().status(files[i]));
  if (listed < files.size()) {
    const QString more = QString::number(files.size() - listed);
    text += QStringLiteral("\n") + QCoreApplication::translate("mainwindow::Tagger", "... und %1 weitere").arg(more);
  }
  return text;
}

QString LossQuestion(const tagging::SaveLoss& loss) {
  QString text = QFile::decodeName(QByteArray::fromStdString(loss.file)) + QStringLiteral("\n") +
                 QCoreApplication::translate("mainwindow::Tagger", "Beim Speichern ginge verloren:");
  for (const formats::Loss& what : loss.what) text += QStringLiteral("\n  ") + QString::fromStdString(RunWords().loss(what));
  text += QStringLiteral("\n") + QCoreApplication::translate("mainwindow::Tagger", "Trotzdem speichern?");
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
