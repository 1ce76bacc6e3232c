#include "desktop/SessionDesktop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>

namespace qv {

SessionDesktop::SessionDesktop(std::function<QDBusConnection()> bus, QObject* parent)
    : QObject(parent), m_openBus(std::move(bus)) {}

SessionDesktop::~SessionDesktop() = default;

double SessionDesktop::counted(const RunView& view) {
    if (view.startSeconds <= 0)
        return 1.0;
    const double left = static_cast<double>(std::max(view.secondsLeft, 0));
    return 1.0 - left / static_cast<double>(view.startSeconds);
}

void SessionDesktop::nameApplication() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopAppId));
}

void SessionDesktop::connectNow() {
    makeTray();
    if (m_notification)
        return;
    const QDBusConnection bus = m_openBus ? m_openBus() : QDBusConnection(QString());
    m_notification = std::make_unique<ZeroNotification>(
        bus,
        [this] {
            if (m_actions.stopAtZero)
                m_actions.stopAtZero();
        },
        [this] {
            if (m_actions.showWindow)
                m_actions.showWindow();
        });
    m_inhibit = std::make_unique<IdleInhibit>(bus);
    m_launcher = std::make_unique<LauncherEntry>(bus);
}

void SessionDesktop::makeTray() {
    if (m_tray)
        return;
    m_tray = std::make_unique<TrayIcon>();
    m_tray->setActions(m_actions);
    m_tray->show(m_last);
    m_tray->showIfTray();
}

void SessionDesktop::attach(QWidget* window, DesktopActions actions, const RunView& view) {
    m_window = window;
    m_actions = std::move(actions);
    m_last = view;
    QTimer::singleShot(0, this, [this] { makeTray(); });
}

void SessionDesktop::runBegun(const RunView& view) {
    m_last = view;
    connectNow();
    if (m_window && QGuiApplication::platformName() == QLatin1String("xcb"))
        m_inhibit->setWindowId(QStringLiteral("x11:%1").arg(m_window->winId(), 0, 16));
    m_inhibit->take();
    m_launcher->showProgress(counted(view), false);
    m_tray->show(view);
    m_tray->showIfTray();
}

void SessionDesktop::stepped(const RunView& view) {
    m_last = view;
    connectNow();
    m_launcher->showProgress(counted(view), false);
    m_tray->show(view);
}

QString SessionDesktop::zeroText(const RunView& view) {
    if (!view.zeroAt.isValid())
        return QString();
    const QString at = view.zeroAt.toLocalTime().toString(QStringLiteral("HH:mm"));
    if (view.zeroWhileClosed)
        return tr("%1 reached zero at %2 while Quorvantel was not running").arg(view.timerName, at);
    return tr("%1 reached zero at %2").arg(view.timerName, at);
}

void SessionDesktop::reachedZero(const RunView& view) {
    m_last = view;
    connectNow();
    m_notification->show(view.timerName, zeroText(view));
    const bool flashing = view.state == RunState::Flashing;
    if (flashing)
        m_inhibit->release();
    m_launcher->showProgress(1.0, flashing);
    // Qt clears the request when the user comes to the window.
    if (m_window && !m_window->isActiveWindow())
        QApplication::alert(m_window, 0);
    m_tray->show(view);
}

void SessionDesktop::runEnded(const RunView& view) {
    m_last = view;
    connectNow();
    m_notification->withdraw();
    m_inhibit->release();
    m_launcher->clear();
    m_tray->show(view);
}

void SessionDesktop::wasReset(const RunView& view) {
    m_last = view;
    if (m_tray)
        m_tray->show(view);
}

} // namespace qv
