#include "app/MainForm.h"

#include "app/CommonData.h"
#include "app/QtTickSource.h"
#include "app/WindowPlacement.h"
#include "store/PreferencesStore.h"
#include "widgets/DropDown.h"
#include "widgets/PaletteKind.h"
#include "widgets/TLMDLEDLabel.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>

namespace qv {
namespace {

// The client area behind the controls, painted by the window's form fill.
class BackgroundArea final : public QWidget {
public:
    BackgroundArea(TLMDFormFill& fill, QWidget* parent) : QWidget(parent), m_fill(fill) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        m_fill.paint(p, rect(), event->rect());
    }

private:
    TLMDFormFill& m_fill;
};

// The time panel's text changes every second. A label in the status bar's
// layout makes the bar lay out again with each new text, and the bar answers by
// repainting itself whole, grip and all; inside a holder of its own width the
// label repaints just its text, and the bar hears of it only when the text
// needs another width.
//
// Measuring the text shapes it anew, about a fifth of what a counting second
// costs the window, and a new second rarely needs another width: the holder
// measures once for each shape of text ("00:00:00" for every time), with the
// widest digit in place of each digit, so that no time of that shape needs
// more than its first measure. A new font or style measures again.
class PanelHolder final : public QWidget {
public:
    PanelHolder(QLabel* label, QWidget* parent) : QWidget(parent), m_label(label) {
        label->setParent(this);
        label->installEventFilter(this);
        fit();
    }
    QSize sizeHint() const override { return m_label->sizeHint(); }

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::LayoutRequest)
            fit();
        return QWidget::event(e);
    }
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == m_label &&
            (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange))
            m_widths.clear();
        return QWidget::eventFilter(watched, e);
    }
    void resizeEvent(QResizeEvent*) override { m_label->setGeometry(rect()); }

private:
    void fit() {
        const QString text = m_label->text();
        QString shape = text;
        for (QChar& c : shape)
            if (c.isDigit())
                c = QLatin1Char('0');
        auto known = m_widths.constFind(shape);
        if (known == m_widths.cend()) {
            // Times come in a shape or two; any other text is measured as it comes.
            if (m_widths.size() >= 8)
                m_widths.clear();
            known = m_widths.insert(shape, measure(text, shape));
        }
        if (*known != width() || minimumWidth() != *known)
            setFixedWidth(*known);
    }
    // The label's own width for its text, with its frame and margins, less the
    // text's advance plus that of the shape with the widest digit throughout.
    int measure(const QString& text, QString shape) const {
        const QFontMetrics metrics(m_label->font());
        QChar widest = QLatin1Char('0');
        for (char d = '1'; d <= '9'; ++d)
            if (metrics.horizontalAdvance(QLatin1Char(d)) > metrics.horizontalAdvance(widest))
                widest = QLatin1Char(d);
        for (int i = 0; i < shape.size(); ++i)
            if (text[i].isDigit())
                shape[i] = widest;
        const int width = m_label->sizeHint().width() - metrics.horizontalAdvance(text) +
                          metrics.horizontalAdvance(shape);
        return std::max(width, m_label->minimumWidth());
    }

    QLabel* m_label;
    QHash<QString, int> m_widths;
};

QFont buttonFont(int pixelSize) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    return f;
}

} // namespace

TMainForm::TMainForm(TCommonData& data, MainFormOptions options, QWidget* parent)
    : QMainWindow(parent), m_data(data), m_paths(std::move(options.paths)) {
    if (!options.clock)
        m_ownClock = std::make_unique<BootClock>();
    const Clock& clock = options.clock ? *options.clock : *m_ownClock;
    m_clock = &clock;
    m_wall = options.wall ? options.wall : &m_systemWall;
    if (const QString path = m_paths.runStateFile(); !path.isEmpty())
        m_runWriter = std::make_unique<RunStateWriter>(path);
    if (!options.tick)
        m_ownTick = std::make_unique<QtTickSource>([this] { MainTimerTimer(); },
                                                   [this] { return m_engine->msUntilNextTick(); });
    TickSource& tick = options.tick ? *options.tick : *m_ownTick;
    m_engine = std::make_unique<CountdownEngine>(m_data.TimerDB, *this, clock, tick);
    m_desktop = options.desktop ? options.desktop : &m_noDesktop;

    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setProgramTitle(QString::fromLatin1(kProgramTitle));
    QFont f = font();
    f.setFamily(QStringLiteral("Sans Serif"));
    f.setPixelSize(11);
    setFont(f);
    resize(placement::kDesignWidth, placement::kDesignHeight);
    move(placement::kDesignLeft, placement::kDesignTop);
    buildControls();
    buildMenu();
    qApp->installEventFilter(this);
    FormCreate();
    attachDesktop();
    resumeKeptRun();
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
}

void TMainForm::buildControls() {
    auto* area = new BackgroundArea(m_formFill, this);
    area->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(area);

    Panel1 = new QWidget(area);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry(0, 0, width(), 47);

    Label1 = new QLabel(tr("Active timer:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(9, 6);

    TimerCombo = new DropDown(Panel1);
    TimerCombo->setObjectName(QStringLiteral("TimerCombo"));
    TimerCombo->setGeometry(8, 21, 145, TimerCombo->sizeHint().height());
    if (!isDarkPalette(TimerCombo->palette())) {
        // Black on white while it can be used; greyed, as in every style,
        // while a run counts and the list is disabled. A dark palette keeps
        // its own colours, which its style draws readably.
        QPalette pal = TimerCombo->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(group, QPalette::Base, Qt::white);
            pal.setColor(group, QPalette::Button, Qt::white);
            pal.setColor(group, QPalette::Text, Qt::black);
            pal.setColor(group, QPalette::ButtonText, Qt::black);
        }
        pal.setColor(QPalette::Disabled, QPalette::Base, QColor(240, 240, 240));
        pal.setColor(QPalette::Disabled, QPalette::Button, QColor(240, 240, 240));
        pal.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
        pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
        TimerCombo->setPalette(pal);
    }
    TimerCombo->setAccessibleName(tr("Active timer"));
    // The panel grows with a style whose lists are taller than the design's.
    Panel1->setFixedHeight(std::max(47, TimerCombo->geometry().bottom() + 5));
    connect(TimerCombo, &QComboBox::activated, this, [this] { TimerComboChange(); });

    LMDLImage1 = new QLabel(Panel1);
    LMDLImage1->setObjectName(QStringLiteral("LMDLImage1"));
    LMDLImage1->setPixmap(m_data.logo());
    LMDLImage1->setFixedSize(TCommonData::kLogoWidth, TCommonData::kLogoHeight);
    LMDLImage1->setAccessibleName(tr("Quorvantel logo"));

    TimerLED = new TLMDLEDLabel(area);
    TimerLED->setObjectName(QStringLiteral("TimerLED"));
    TLMDLED led;
    led.Horzsize = 40;
    led.Vertsize = 45;
    led.Thickness = 6;
    led.ActiveColor = kDefaultActiveLEDColor;
    led.InActiveColor = kDefaultInactiveLEDColor;
    TimerLED->setLED(led);
    TimerLED->setBevel(timerLedBevel());
    TimerLED->setCaption(QStringLiteral("00:00:00"));
    TimerLED->setAutoSize(true);
    TimerLED->move(24, 72);

    StartStopButton = new QPushButton(tr("START"), area);
    StartStopButton->setObjectName(QStringLiteral("StartStopButton"));
    StartStopButton->setFont(buttonFont(16));
    StartStopButton->setFocusPolicy(Qt::NoFocus);
    StartStopButton->setGeometry(232, kStartStopTop, 153, 46);
    connect(StartStopButton, &QPushButton::clicked, this, [this] { StartStopButtonClick(); });

    ResetButton = new QPushButton(tr("RESET"), area);
    ResetButton->setObjectName(QStringLiteral("ResetButton"));
    ResetButton->setFont(buttonFont(13));
    ResetButton->setFocusPolicy(Qt::NoFocus);
    ResetButton->setGeometry(232, kResetTop, 153, 25);
    connect(ResetButton, &QPushButton::clicked, this, [this] { ResetButtonClick(); });

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(true);
    const QString texts[2] = {tr("Not running"), QStringLiteral("00:00:00")};
    const int widths[2] = {80, 50};
    // A reader hears each panel by what it shows, as it changes: a name of
    // its own would stand in for the text.
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel(texts[i], StatusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setMinimumWidth(widths[i]);
        if (i == 1)
            StatusBar->addWidget(new PanelHolder(panel, StatusBar));
        else
            StatusBar->addWidget(panel);
        m_statusPanels[i] = panel;
    }
    setStatusBar(StatusBar);
}

void TMainForm::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto action = [this](QMenu* menu, const char* name, const QString& text, auto handler) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* a = menu->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    File1 = bar->addMenu(tr("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    Exit1 = action(File1, "Exit1", tr("E&xit"), [this] { Exit1Click(); });
    Exit1->setShortcut(QKeySequence::Quit);

    Settings1 = bar->addMenu(tr("&Settings"));
    Settings1->setObjectName(QStringLiteral("Settings1"));
    Timersettings1 = action(Settings1, "Timersettings1", tr("&Timer settings..."),
                            [this] { Timersettings1Click(); });
    N1 = separator(Settings1, "N1");
    Preferences1 =
        action(Settings1, "Preferences1", tr("&Preferences..."), [this] { Preferences1Click(); });

    help1 = bar->addMenu(tr("&Help"));
    help1->setObjectName(QStringLiteral("help1"));
    Quorvantelhelp1 = action(help1, "Quorvantelhelp1", tr("&Quorvantel Help..."),
                             [this] { Quorvantelhelp1Click(); });
    Quorvantelhelp1->setShortcut(QKeySequence::HelpContents);
    N2 = separator(help1, "N2");
    AboutQuorvantel1 = action(help1, "AboutQuorvantel1", tr("&About Quorvantel"),
                              [this] { AboutQuorvantel1Click(); });
}

QString TMainForm::statusText(int panel) const {
    return (panel == 0 || panel == 1) ? m_statusPanels[panel]->text() : QString();
}

void TMainForm::setProgramTitle(const QString& title) {
    setWindowIconText(title);
}

QWidget* TMainForm::keyTarget() {
    QWidget* w = focusWidget();
    return w ? w : this;
}

// Keys are seen here before the focused control, as the window's key preview.
// Qt offers a key first to the focused control and then, if it is ignored, to
// each parent; acting only on the first of these deliveries keeps one press
// from counting twice.
bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || watched != keyTarget())
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (!FormKeyDown(key))
        return false;
    // The key goes on to the focused control, except where it would act a second
    // time: SPACE would open the timer list's drop-down.
    return watched == TimerCombo;
}

bool TMainForm::comeForward() {
    // The program title is the plain "Quorvantel" exactly while no run is begun.
    if (m_engine->begun())
        return false;
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    return true;
}

void TMainForm::Exit1Click() {
    close();
}

} // namespace qv
