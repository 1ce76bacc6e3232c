#pragma once

#include <QString>

namespace qv {

// Where the program keeps its files. The program uses the folder of its own
// executable; tests put a temporary folder in its place.
struct AppPaths {
    QString programDir;

    QString timerFile() const { return programDir + QStringLiteral("/timers.xml"); }
    // Where the timers go when timers.xml exists but cannot be read: a name that
    // is still free, so that neither the unreadable file nor an earlier
    // recovered one is ever overwritten.
    QString freeRecoveryFile() const;

    static AppPaths fromApplication();
};

} // namespace qv
