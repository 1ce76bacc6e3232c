#pragma once
// Where the core's text (UTF-8 in std::string) meets Qt's strings. Every
// crossing goes through these two, so the encoding is decided in one place.

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace qv {

QString toQString(std::string_view utf8);
std::string toUtf8(QStringView text);

// The file name part of a stored path: what follows its last "/", "\" or ":"
// (a timer file may carry a path written on another system).
QString fileNamePart(const QString& path);

} // namespace qv
