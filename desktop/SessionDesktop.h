#pragma once

#include "desktop/DesktopServices.h"
#include "desktop/IdleInhibit.h"
#include "desktop/LauncherEntry.h"
#include "desktop/TrayIcon.h"
#include "desktop/ZeroNotification.h"

#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace qv {

// The desktop services of a freedesktop session: the notification at zero, the
// attention request, the tray icon, the launcher entry's progress and the idle
// inhibit while counting. The bus is handed in (the session bus in the program,
// a private one in tests) and first opened when a run begins, and the tray icon
// is made once the event loop runs, so neither delays the window's first
// showing; without a connected bus only the tray icon and the attention
// request remain.
class SessionDesktop final : public QObject, public DesktopServices {
    Q_OBJECT
public:
    explicit SessionDesktop(std::function<QDBusConnection()> bus, QObject* parent = nullptr);
    ~SessionDesktop() override;

    void attach(QWidget* window, DesktopActions actions, const RunView& view) override;
    void runBegun(const RunView& view) override;
    void stepped(const RunView& view) override;
    void reachedZero(const RunView& view) override;
    void runEnded(const RunView& view) override;
    void wasReset(const RunView& view) override;

    TrayIcon* tray() const { return m_tray.get(); }
    // Opens the bus and makes the tray icon now, if that has not happened yet.
    void connectNow();

    // Names the program after its desktop entry: the Wayland app id and the
    // X11 window properties docks match with net.brindlemoor.Quorvantel.desktop.
    static void nameApplication();

    // The share of the start value already counted, 0 to 1.
    static double counted(const RunView& view);
    // The notification's text for a zero that was not seen as it happened
    // ("Tea reached zero at 14:05"); empty for a zero reached just now.
    static QString zeroText(const RunView& view);

private:
    void makeTray();

    std::function<QDBusConnection()> m_openBus;
    QPointer<QWidget> m_window;
    DesktopActions m_actions;
    RunView m_last;
    std::unique_ptr<ZeroNotification> m_notification;
    std::unique_ptr<IdleInhibit> m_inhibit;
    std::unique_ptr<LauncherEntry> m_launcher;
    std::unique_ptr<TrayIcon> m_tray;
};

} // namespace qv
