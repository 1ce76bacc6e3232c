#pragma once

#include "desktop/DesktopServices.h"

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

class QAction;
class QMenu;

namespace qv {

// The program's icon in the panel: its tooltip is the program title, its picture
// the run state (idle; counting, with the share of the start value still left;
// flashing), a click brings the window forward, and its menu offers what the
// window's controls do. Qt shows it as a StatusNotifierItem or in an XEmbed tray,
// whichever the desktop has; without a tray it stays unseen.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    // The picture's pie moves in steps of a sixtieth of a turn, so that a long
    // timer does not repaint the icon every second.
    static constexpr int kPieSteps = 60;

    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    void setActions(DesktopActions actions) { m_actions = std::move(actions); }
    // Brings the icon up to date with the window.
    void show(const RunView& view);
    void showIfTray();

    QSystemTrayIcon& icon() { return *m_icon; }
    QMenu* menu() const { return m_menu; }
    QAction* startStopAction() const { return m_startStop; }
    QAction* resetAction() const { return m_reset; }
    QAction* showAction() const { return m_show; }
    QAction* exitAction() const { return m_exit; }
    // Which picture is shown: -1 idle, -2 flashing, else the pie steps left.
    int pictureKey() const { return m_pictureKey; }

    static QIcon picture(int key);

private:
    void activated(QSystemTrayIcon::ActivationReason reason);

    DesktopActions m_actions;
    QMenu* m_menu = nullptr;
    QSystemTrayIcon* m_icon = nullptr;
    QAction* m_startStop = nullptr;
    QAction* m_reset = nullptr;
    QAction* m_show = nullptr;
    QAction* m_exit = nullptr;
    int m_pictureKey = 0;
};

} // namespace qv
