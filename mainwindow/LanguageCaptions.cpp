#include "mainwindow/LanguageCaptions.h"

namespace mainwindow {

std::vector<Caption> LanguageCaptions(int languageIndex) {
  const bool english = languageIndex == 1;
  auto pick = [english](const char* german, const char* englishText) {
    return QString::fromUtf8(english ? englishText : german);
  };
  const QString tagTab = pick("mehr", "more");
  const QString allFiles = pick("Alle Dateien", "Select all files");
  return {
      {QStringLiteral("optTagEdit(0)"), pick("Normal", "Default")},
      {QStringLiteral("optTagEdit(1)"), pick("Dateiname -> ID3-TAG", "Filename -> ID3-TAG")},
      {QStringLiteral("optTagEdit(2)"), pick("ID3-TAG -> Dateiname", "ID3-TAG -> Filename")},
      {QStringLiteral("lblArtist"), pick("Interpret", "Artist")},
      {QStringLiteral("lblTitle"), pick("Titel", "Title")},
      {QStringLiteral("lblAlbum"), pick("Album", "Album")},
      {QStringLiteral("lblComment"), pick("Kommentar", "Comment")},
      {QStringLiteral("lblYear"), pick("Jahr", "Year")},
      {QStringLiteral("lblSeparator"), pick("Trennzeichen:", "Separator:")},
      {QStringLiteral("lblTimeCaption"), pick("Laufzeit:", "Time:")},
      {QStringLiteral("cmdTagCheck"), pick("TAGS einlesen", "Read TAG list")},
      {QStringLiteral("chkView(1)"), pick("Jahr", "Year")},
      {QStringLiteral("chkView(3)"), pick("Zeit", "Time")},
      {QStringLiteral("chkRecursive"), pick("Rekursiv", "recursive")},
      {QStringLiteral("cmdAllFiles(0)"), allFiles},
      {QStringLiteral("cmdNew"), pick("< Neu   ", "< New   ")},
      {QStringLiteral("cmdSaveTag"), pick("TAG \xC3\x9C" "bernehmen", "Save TAG  Data to file")},
      {QStringLiteral("chkTagTab(0)"), tagTab},
      {QStringLiteral("chkTagTab(1)"), tagTab},  // follows chkTagTab(0)
      {QStringLiteral("chkAuto"), pick("automatisch", "automatic")},
      {QStringLiteral("chkNoTagOnly"), pick("nur auf MP3s ohne Tags anwenden", "only apply to MP3s without Tags")},
      {QStringLiteral("chkDragDrop"),
       pick("Reihenfolge per Drag && Drop \xC3\xA4ndern bzw. Playlist erstellen",
            "Change order via Drag && Drop and rename files")},
      {QStringLiteral("chkMerge"),
       pick("Alle Dateien im Ordner zu einem MP3 Album zusammenf\xC3\xBChren",
            "Merge all files in current folder into one big MP3 album file")},
      {QStringLiteral("chkIgnore"),
       pick("Die ersten            Zeichen vom Dateinamen ignorieren",
            "Ignore first            characters from file name")},
      {QStringLiteral("cmdAllFiles(1)"), allFiles},  // follows cmdAllFiles(0)
  };
}

QString TotalTimeLabelFor(int languageIndex) {
  return languageIndex == 1 ? QStringLiteral("Total running time : ") : QStringLiteral("Gesamtspieldauer : ");
}

}  // namespace mainwindow
