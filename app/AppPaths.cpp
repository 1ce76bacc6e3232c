#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace qv {

QString AppPaths::freeRecoveryFile() const {
    const QString first = programDir + QStringLiteral("/timers.recovered.xml");
    if (!QFileInfo::exists(first))
        return first;
    for (int n = 2;; ++n) {
        const QString next = programDir + QStringLiteral("/timers.recovered-%1.xml").arg(n);
        if (!QFileInfo::exists(next))
            return next;
    }
}

AppPaths AppPaths::fromApplication() {
    return AppPaths{QCoreApplication::applicationDirPath()};
}

} // namespace qv
