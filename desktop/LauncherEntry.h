#pragma once

#include <QDBusConnection>

namespace qv {

// The progress and urgency of the program's launcher entry, sent as the
// com.canonical.Unity.LauncherEntry Update signal that task managers and docks
// read. A signal is only sent when what it says changes, the share counted in
// whole percents.
class LauncherEntry {
public:
    static constexpr const char* kPath = "/net/brindlemoor/Quorvantel/LauncherEntry";

    explicit LauncherEntry(QDBusConnection bus) : m_bus(std::move(bus)) {}

    // share: 0 to 1 of the start value already counted; sent to the nearest
    // hundredth.
    void showProgress(double share, bool urgent);
    void clear();

private:
    void send(bool visible, double share, bool urgent);

    QDBusConnection m_bus;
    bool m_sent = false;
    bool m_visible = false;
    double m_share = -1;
    bool m_urgent = false;
};

} // namespace qv
