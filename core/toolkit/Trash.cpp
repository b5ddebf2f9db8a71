#include "core/toolkit/Trash.h"

#include <QFile>

namespace core {

bool MoveToTrash(const std::string& path, std::string& trashedPath) {
  QString inTrash;
  if (!QFile::moveToTrash(QFile::decodeName(QByteArray::fromStdString(path)), &inTrash)) return false;
  trashedPath = QFile::encodeName(inTrash).toStdString();
  return true;
}

}  // namespace core
