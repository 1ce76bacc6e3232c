#include "store/QtText.h"

#include <QByteArray>

namespace qv {

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toUtf8(QStringView text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString fileNamePart(const QString& path) {
    qsizetype cut = -1;
    for (const QChar separator : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
        cut = qMax(cut, path.lastIndexOf(separator));
    return path.mid(cut + 1);
}

} // namespace qv
