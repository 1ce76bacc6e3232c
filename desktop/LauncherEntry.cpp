#include "desktop/LauncherEntry.h"

#include "desktop/DesktopServices.h"

#include <QDBusMessage>
#include <QVariantMap>
#include <algorithm>
#include <cmath>

namespace qv {

// A launcher's progress bar is a few dozen pixels long: whole percents are all
// it can show, and a long timer then sends a signal every few seconds rather
// than every second.
void LauncherEntry::showProgress(double share, bool urgent) {
    send(true, std::round(std::clamp(share, 0.0, 1.0) * 100.0) / 100.0, urgent);
}

void LauncherEntry::clear() {
    // Nothing shown yet: nothing to take back.
    if (!m_sent)
        return;
    send(false, 0.0, false);
}

void LauncherEntry::send(bool visible, double share, bool urgent) {
    if (m_sent && visible == m_visible && share == m_share && urgent == m_urgent)
        return;
    if (!m_bus.isConnected())
        return;
    m_sent = true;
    m_visible = visible;
    m_share = share;
    m_urgent = urgent;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kPath), QStringLiteral("com.canonical.Unity.LauncherEntry"),
        QStringLiteral("Update"));
    QVariantMap props;
    props.insert(QStringLiteral("progress"), share);
    props.insert(QStringLiteral("progress-visible"), visible);
    props.insert(QStringLiteral("urgent"), urgent);
    signal << QStringLiteral("application://%1.desktop").arg(QString::fromLatin1(kDesktopAppId))
           << props;
    m_bus.send(signal);
}

} // namespace qv
