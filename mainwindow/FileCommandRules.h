// The texts and names of the file commands, apart from the widgets.
#pragma once
#include <QString>
#include <QStringList>
#include <string>

namespace mainwindow {

// The delete question; it ends in three blanks in both languages.
QString DeleteQuestion();
// Asked for the files the trash would not take: deleting them cannot be taken back.
QString DeleteForGoodQuestion(const QStringList& files);
// The collection copy of a folder's list: the folder name and ".htm". The root folder's
// name "/" cannot name a file: its list is saved as "Root.htm".
std::string CollectionFileName(const std::string& currentDirName);
// The information box: a German and an English line, whatever the interface language.
QString InfoText(const std::string& appTitle);

}  // namespace mainwindow
