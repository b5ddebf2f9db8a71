// File names are native bytes (UTF-8 as a rule) in core/ and formats/, QString in the
// widgets. Entries that name files keep their bytes beside the shown text, so that a
// name that is not valid UTF-8 still reaches the disk unchanged.
#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace mainwindow {

inline QString ToQString(const std::string& native) {
  return QFile::decodeName(QByteArray::fromStdString(native));
}

inline std::string ToNative(const QString& text) { return QFile::encodeName(text).toStdString(); }

inline QByteArray ToBytes(const std::string& native) { return QByteArray::fromStdString(native); }

}  // namespace mainwindow
