#include "app/AppPaths.h"

#include "store/RunStateFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace qv {
namespace {

// timers.recovered.xml is number 1, timers.recovered-N.xml number N.
int recoveryNumber(const QString& fileName) {
    static const QRegularExpression pattern(
        QStringLiteral("^timers\\.recovered(?:-([0-9]{1,9}))?\\.xml$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch())
        return 0;
    return m.captured(1).isEmpty() ? 1 : m.captured(1).toInt();
}

} // namespace

QString AppPaths::carryOverFile() const {
    if (QDir(programDir) == QDir(dataDir))
        return QString();
    return programDir + QStringLiteral("/timers.xml");
}

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

QStringList AppPaths::recoveryFiles() const {
    struct Found {
        QString path;
        QDateTime modified;
        int number;
    };
    std::vector<Found> found;
    const QFileInfoList entries =
        QDir(dataDir).entryInfoList({QStringLiteral("timers.recovered*.xml")}, QDir::Files);
    for (const QFileInfo& info : entries) {
        if (const int n = recoveryNumber(info.fileName()))
            found.push_back({info.filePath(), info.lastModified(), n});
    }
    // Newest first; files of the same moment by their number, the later first.
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.modified != b.modified)
            return a.modified > b.modified;
        return a.number > b.number;
    });
    QStringList paths;
    for (const Found& f : found)
        paths << f.path;
    return paths;
}

bool AppPaths::isInstalled(const QString& programDir) {
    return QFileInfo(programDir + QStringLiteral("/../share/quorvantel")).isDir();
}

AppPaths AppPaths::choose(const QString& programDir,
                          const std::function<bool(const QString&)>& isWritable,
                          const QString& userDataDir, bool installed) {
    if (userDataDir.isEmpty() || (!installed && isWritable(programDir)))
        return AppPaths{programDir, programDir};
    const QString dir = userDataDir + QStringLiteral("/Quorvantel");
    QDir().mkpath(dir);
    return AppPaths{programDir, dir};
}

AppPaths AppPaths::fromApplication() {
    const QString programDir = QCoreApplication::applicationDirPath();
    AppPaths paths = choose(
        programDir, [](const QString& dir) { return QFileInfo(dir).isWritable(); },
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        isInstalled(programDir));
    paths.stateDir = runstate::defaultDir();
    return paths;
}

} // namespace qv
