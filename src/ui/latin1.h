#pragma once
// The logic keeps single-byte (Latin-1) texts; the widgets take QString.

#include <QString>
#include <string>

namespace vexilor {

inline QString ToQString(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToLatin1(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace vexilor
