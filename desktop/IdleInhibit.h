#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>

namespace qv {

// Keeps the desktop from suspending for idleness while a run counts: the desktop
// portal's Inhibit with the suspend flag, else the session manager's inhibit,
// else the screen saver's. Every call is asynchronous; when none of them answers
// the count goes on as before.
class IdleInhibit : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kReason = QT_TR_NOOP("A timer is counting down");

    enum class Backend { None, Portal, SessionManager, ScreenSaver };

    explicit IdleInhibit(QDBusConnection bus, QObject* parent = nullptr);
    ~IdleInhibit() override;

    // An identifier of the window asking ("x11:1a00003"), or empty.
    void setWindowId(QString id) { m_windowId = std::move(id); }

    void take();
    void release();
    // True while an inhibit is held (its reply has come).
    bool held() const { return m_held != Backend::None; }

private:
    void ask(Backend backend);
    void answered(Backend backend, const QDBusMessage& reply);
    void letGo();

    QDBusConnection m_bus;
    QString m_windowId;
    bool m_wanted = false;
    bool m_pending = false;
    Backend m_held = Backend::None;
    // The first service that granted an inhibit is asked first the next time.
    Backend m_known = Backend::None;
    QDBusObjectPath m_handle;
    quint32 m_cookie = 0;
};

} // namespace qv
