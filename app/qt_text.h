// The widget boundary of the program's texts: core strings hold
// Windows-1252 bytes, Qt shows Unicode.
#pragma once

#include <QFile>
#include <QString>
#include <string>

#include "base/cp1252.h"

namespace capter {

inline QString ToQt(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

inline std::string FromQt(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

// Paths are bytes of the file system's encoding, not Windows-1252 texts.
inline QString PathToQt(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string PathFromQt(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace capter
