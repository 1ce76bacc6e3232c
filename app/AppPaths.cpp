#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qv {

QString AppPaths::freeRecoveryFile() const {
    const QString first = dataDir + QStringLiteral("/timers.recovered.xml");
    if (!QFileInfo::exists(first))
        return first;
    for (int n = 2;; ++n) {
        const QString next = dataDir + QStringLiteral("/timers.recovered-%1.xml").arg(n);
        if (!QFileInfo::exists(next))
            return next;
    }
}

AppPaths AppPaths::choose(const QString& programDir,
                          const std::function<bool(const QString&)>& isWritable,
                          const QString& userDataDir) {
    if (isWritable(programDir) || userDataDir.isEmpty())
        return AppPaths{programDir, programDir};
    const QString dir = userDataDir + QStringLiteral("/Quorvantel");
    QDir().mkpath(dir);
    return AppPaths{programDir, dir};
}

AppPaths AppPaths::fromApplication() {
    return choose(
        QCoreApplication::applicationDirPath(),
        [](const QString& dir) { return QFileInfo(dir).isWritable(); },
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

} // namespace qv
