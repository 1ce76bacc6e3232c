// The window's size and place: the LED scaled to the width, the first
// showing from the stored geometry, and what a save records of it.

#include "app/MainForm.h"
#include "app/WindowPlacement.h"
#include "store/PreferencesStore.h"
#include "widgets/TLMDLEDLabel.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace qv {
namespace {

// Distances of the buttons' tops from the bottom of the client area (below the
// menu), kept as the window's height changes.
constexpr int kStartFromBottom = placement::kDesignHeight - TMainForm::kStartStopTop;
constexpr int kResetFromBottom = placement::kDesignHeight - TMainForm::kResetTop;
// Room under the digits for the two buttons and the gaps around them.
constexpr int kBelowDigits = 98;

} // namespace

namespace layout {

int horzsize(int windowWidth) {
    return std::clamp(windowWidth / 16, 0, TMainForm::kMaxHorzsize);
}

int vertsize(int horz) {
    return static_cast<int>(std::lround(horz * 1.1));
}

// horz / 6 to the nearest integer, an exact half to the even neighbour.
int thickness(int horz) {
    const int q = horz / 6;
    const int r = horz % 6;
    if (r > 3 || (r == 3 && q % 2 == 1))
        return q + 1;
    return q;
}

QRect fitToScreen(const QRect& window, const QRect& available) {
    if (available.isEmpty())
        return window;
    const int w = std::min(window.width(), available.width());
    const int h = std::min(window.height(), available.height());
    // Enough of the top edge stays on the screen to take hold of the title bar.
    const int grip = std::min(kTitleGrip, std::min(w, available.width()));
    const int x = std::clamp(window.x(), available.left() - w + grip, available.right() + 1 - grip);
    const int y = std::clamp(window.y(), available.top(),
                             available.bottom() + 1 - std::min(kTitleGrip, available.height()));
    return QRect(x, y, w, h);
}

} // namespace layout

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!m_inResize)
        FormResize();
}

void TMainForm::FormResize() {
    m_inResize = true;
    const int menuHeight = menuBar()->isVisible() ? menuBar()->height() : 0;
    // A resize is applied at once off screen but only later under a window
    // manager; then the resize event that follows runs the layout again.
    for (int pass = 0; pass < 4; ++pass) {
        const int W = width();
        const int H = height();
        TLMDLED led = TimerLED->led();
        led.Horzsize = layout::horzsize(W);
        led.Vertsize = layout::vertsize(led.Horzsize);
        led.Thickness = layout::thickness(led.Horzsize);
        TimerLED->setLED(led);
        TimerLED->move((W - TimerLED->width()) / 2, TimerLED->y());

        const int clientHeight = H - menuHeight;
        StartStopButton->move(W / 2 - StartStopButton->width() / 2,
                              clientHeight - kStartFromBottom);
        ResetButton->move(W / 2 - ResetButton->width() / 2, clientHeight - kResetFromBottom);
        Panel1->setGeometry(0, 0, centralWidget()->width(), Panel1->height());
        LMDLImage1->move(Panel1->width() - LMDLImage1->width(), 1);

        QSize wanted(std::max(W, placement::kMinWidth), std::max(H, placement::kMinHeight));
        const int ledBottom = TimerLED->y() + TimerLED->height();
        if (ledBottom > StartStopButton->y())
            wanted.setHeight(menuHeight + ledBottom + StartStopButton->height() +
                             ResetButton->height() + kBelowDigits);
        if (wanted == size() || isMaximized() || isFullScreen())
            break;
        const QSize before = size();
        resize(wanted);
        if (size() == before)
            break;
    }
    Panel1->repaint();
    m_inResize = false;
}

void TMainForm::setVisible(bool visible) {
    if (visible && !m_shown) {
        m_shown = true;
        FormShow();
    }
    QMainWindow::setVisible(visible);
}

void TMainForm::FormShow() {
    switch (m_prefs.WindowStateCode) {
    case 0: {
        const placement::GeometryPlan plan = placement::planGeometry(m_prefs.WindowGeometry);
        if (plan.centreDefault) {
            resize(placement::kDefaultWidth, placement::kDefaultHeight);
            const QScreen* s = screen();
            const QRect sg = s ? s->geometry() : QRect(0, 0, 1024, 768);
            const auto [top, left] =
                placement::centredTopLeft(sg.width(), sg.height(), width(), height());
            move(sg.x() + left, sg.y() + top);
            break;
        }
        if (plan.width)
            resize(std::max(*plan.width, 0), height());
        if (plan.height)
            resize(width(), std::max(*plan.height, 0));
        if (plan.top)
            move(x(), *plan.top);
        if (plan.left)
            move(*plan.left, y());
        // A stored size or place from another screen (or a hand-edited one)
        // never makes a window larger than the screen or out of reach.
        const QRect stored(pos(), size());
        const QScreen* s = QGuiApplication::screenAt(stored.center());
        if (!s)
            s = screen();
        if (s) {
            const QRect fitted = layout::fitToScreen(stored, s->availableGeometry());
            if (fitted.size() != stored.size())
                resize(fitted.size());
            if (fitted.topLeft() != stored.topLeft())
                move(fitted.topLeft());
        }
        break;
    }
    case 1:
        setWindowState(windowState() | Qt::WindowMaximized);
        break;
    default:
        break;
    }
}

WindowSnapshot TMainForm::snapshot() const {
    WindowSnapshot s;
    s.width = width();
    s.height = height();
    s.top = y();
    s.left = x();
    s.maximized = isMaximized();
    s.selectedTimer = TimerCombo->currentIndex();
    return s;
}

} // namespace qv
