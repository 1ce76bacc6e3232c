#pragma once

#include <QString>
#include <functional>

namespace qv {

// Where the program keeps its timer file. The timers live beside the program,
// as they always have; a program installed in a folder the user cannot write
// (a system-wide install) keeps them in the user's data folder instead
// ($XDG_DATA_HOME/Quorvantel). Tests put a temporary folder in its place.
struct AppPaths {
    QString programDir;
    QString dataDir; // the folder of timers.xml

    QString timerFile() const { return dataDir + QStringLiteral("/timers.xml"); }
    // Where the timers go when timers.xml exists but cannot be read: a name that
    // is still free, so that neither the unreadable file nor an earlier
    // recovered one is ever overwritten.
    QString freeRecoveryFile() const;

    // Decided once at start-up: beside the program when its folder can be
    // written, else in the user's data folder (created when missing).
    static AppPaths choose(const QString& programDir,
                           const std::function<bool(const QString&)>& isWritable,
                           const QString& userDataDir);
    static AppPaths inFolder(const QString& dir) { return AppPaths{dir, dir}; }
    static AppPaths fromApplication();
};

} // namespace qv
