#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace qv {

// Where the program keeps its timer file, decided once at start-up.
//
// A program run from its build tree or from an unpacked folder keeps
// "timers.xml" beside itself, as it always has. An installed program (one
// whose shared files stand in ../share/quorvantel) and a program whose folder
// cannot be written keep it in the user's data folder instead
// ($XDG_DATA_HOME/Quorvantel), for every user, root included, so nothing is
// ever written into an install prefix. Tests put a temporary folder in its
// place.
struct AppPaths {
    QString programDir;
    QString dataDir; // the folder of timers.xml
    // The folder of the run-state file; none (no run outlives the program)
    // unless it is set.
    QString stateDir = {};

    QString timerFile() const { return dataDir + QStringLiteral("/timers.xml"); }
    QString runStateFile() const {
        return stateDir.isEmpty() ? QString() : stateDir + QStringLiteral("/run-state.json");
    }
    // A timer file beside the program that the data folder should take over
    // when it has none of its own yet; empty when the timers live beside the
    // program anyway.
    QString carryOverFile() const;
    // Where the timers go when timers.xml exists but cannot be read: a name that
    // is still free, so that neither the unreadable file nor an earlier
    // recovered one is ever overwritten.
    QString freeRecoveryFile() const;
    // The recovery files earlier sessions left, newest first.
    QStringList recoveryFiles() const;

    static bool isInstalled(const QString& programDir);
    static AppPaths choose(const QString& programDir,
                           const std::function<bool(const QString&)>& isWritable,
                           const QString& userDataDir, bool installed = false);
    static AppPaths inFolder(const QString& dir) { return AppPaths{dir, dir}; }
    static AppPaths fromApplication();
};

} // namespace qv
