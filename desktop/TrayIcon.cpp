#include "desktop/TrayIcon.h"

#include "store/Preferences.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace qv {
namespace {

constexpr int kIdle = -1;
constexpr int kFlashing = -2;

// Whole pie steps still left, rounded up so that a run with a second left still
// shows a sliver.
int pieSteps(const RunView& v) {
    if (v.startSeconds <= 0 || v.secondsLeft <= 0)
        return 0;
    const auto left = static_cast<std::int64_t>(v.secondsLeft) * TrayIcon::kPieSteps;
    return static_cast<int>((left + v.startSeconds - 1) / v.startSeconds);
}

} // namespace

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {
    m_menu = new QMenu();
    m_startStop = m_menu->addAction(tr("Start"));
    m_reset = m_menu->addAction(tr("Reset"));
    m_menu->addSeparator();
    m_show = m_menu->addAction(tr("Show window"));
    m_menu->addSeparator();
    m_exit = m_menu->addAction(tr("Exit"));
    auto call = [](const std::function<void()>& f) {
        if (f)
            f();
    };
    connect(m_startStop, &QAction::triggered, this, [this, call] { call(m_actions.startStop); });
    connect(m_reset, &QAction::triggered, this, [this, call] { call(m_actions.reset); });
    connect(m_show, &QAction::triggered, this, [this, call] { call(m_actions.showWindow); });
    connect(m_exit, &QAction::triggered, this, [this, call] { call(m_actions.exit); });

    // The picture is painted when a tray shows the icon (showIfTray).
    m_icon = new QSystemTrayIcon(this);
    m_pictureKey = kIdle;
    m_icon->setContextMenu(m_menu);
    m_icon->setToolTip(QStringLiteral("Quorvantel"));
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
}

TrayIcon::~TrayIcon() {
    delete m_icon;
    delete m_menu;
}

void TrayIcon::show(const RunView& view) {
    if (m_icon->toolTip() != view.title)
        m_icon->setToolTip(view.title);
    const int key = view.state == RunState::Idle       ? kIdle
                    : view.state == RunState::Flashing ? kFlashing
                                                       : pieSteps(view);
    if (key != m_pictureKey) {
        m_pictureKey = key;
        // Without a tray nobody sees it: a run would paint six pictures every
        // few seconds for nothing.
        if (m_icon->isVisible())
            m_icon->setIcon(picture(key));
    }
    m_startStop->setText(view.state == RunState::Idle ? tr("Start") : tr("Stop"));
    m_startStop->setEnabled(view.startStopEnabled);
    m_reset->setEnabled(view.resetEnabled);
}

// Qt's tray complains on a platform that has none, so the icon is only shown
// where a tray is; asked again at each START, a tray that came later is found.
void TrayIcon::showIfTray() {
    if (!m_icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_icon->setIcon(picture(m_pictureKey));
        m_icon->show();
    }
}

void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason) {
    if ((reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) &&
        m_actions.showWindow)
        m_actions.showWindow();
}

// The LED's own colours: a dark disc, lit red for the part of the start value
// still left while counting, all lit while the display flashes.
QIcon TrayIcon::picture(int key) {
    const QColor lit = kDefaultActiveLEDColor;
    const QColor unlit = kDefaultInactiveLEDColor;
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF disc(1, 1, size - 2, size - 2);
        p.setPen(QPen(lit, size >= 32 ? 2 : 1));
        p.setBrush(key == kFlashing ? lit : unlit);
        p.drawEllipse(disc);
        if (key > 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(lit);
            // Clockwise from twelve o'clock, as a clock hand sweeps.
            p.drawPie(disc.adjusted(2, 2, -2, -2), 90 * 16, -key * 360 * 16 / kPieSteps);
        }
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace qv
