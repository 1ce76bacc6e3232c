#pragma once

#include "app/AppPaths.h"
#include "core/CountdownEngine.h"
#include "desktop/DesktopServices.h"
#include "desktop/RunControl.h"
#include "dialogs/DialogHost.h"
#include "store/Preferences.h"
#include "store/RunStateFile.h"
#include "widgets/TLMDFormFill.h"

#include <ProgramVersion.h>
#include <QMainWindow>
#include <QRect>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;

namespace qv {

class SessionRequest;
class TCommonData;
class TLMDLEDLabel;
struct WindowSnapshot;

// How a main window is put together: where its files are, and (for tests) the
// clocks and the tick source of the engine, and the desktop services. Without
// them the window reads the boot clock and the system's wall clock, ticks with
// a 100 ms timer and tells the desktop nothing.
struct MainFormOptions {
    AppPaths paths;
    const Clock* clock = nullptr;
    TickSource* tick = nullptr;
    DesktopServices* desktop = nullptr;
    const WallClock* wall = nullptr;
};

// The program's one permanent window: the LED read-out of the selected timer,
// START/STOP and RESET, the timer list, the status bar and the menu. It owns the
// countdown engine and the preferences, and runs start-up (in its constructor),
// the first placement (first show) and the close with its writes.
class TMainForm : public QMainWindow, public EngineHost, public DialogHost, public RunControl {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Quorvantel " QV_VERSION;
    static constexpr const char* kProgramTitle = "Quorvantel";
    static constexpr const char* kNotFound = QT_TR_NOOP("Fatal error, DB record not found!");
    static constexpr const char* kConfirmClose =
        QT_TR_NOOP("The timer is running, are you sure you want to close the application?");
    // The largest segment length whose vertical segment (x 1.1) still fits the
    // LED's 0..255 range, so very wide windows keep the digits' proportions.
    static constexpr int kMaxHorzsize = 231;
    // The buttons' tops in the designed client area; they keep their distance
    // from its bottom as the window's height changes.
    static constexpr int kStartStopTop = 243;
    static constexpr int kResetTop = 296;

    TMainForm(TCommonData& data, MainFormOptions options, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- EngineHost --------------------------------------------------------
    void UpdateTimerDisplay() override;
    void setLedText(const std::string& text) override;
    void DoSound(const std::string& sound) override;
    void Announce(int shortForm, TTimeHMS time) override;

    // --- DialogHost --------------------------------------------------------
    QWidget* hostWindow() override { return this; }
    QComboBox* timerCombo() override { return TimerCombo; }
    int activeTimerIndex() const override { return m_prefs.ActiveTimerIndex; }
    void setActiveTimerIndex(int index) override { m_prefs.ActiveTimerIndex = index; }
    void DoSound(const QString& sound) override;
    void showHelp(int topic) override;

    // --- RunControl (MainFormControl.cpp): the one place that changes the run,
    // for the keyboard and for every way in from outside the window ----------
    // Refused while a modal dialog owns the keyboard.
    CommandResult command(RunCommand command, const QString& timer) override;
    RunStatus status() const override;
    QStringList timers() const override;
    void activate(const QString& activationToken) override;

    // --- handlers ----------------------------------------------------------
    void StartStopButtonClick();
    void ResetButtonClick();
    void TimerComboChange();
    // SPACE and ESC; true when the key was one of them.
    bool FormKeyDown(int key);
    void FormResize();
    // The engine's tick; a tick that made a step tells the desktop about it.
    void MainTimerTimer();
    void Exit1Click();
    void Timersettings1Click();
    void Preferences1Click();
    void Quorvantelhelp1Click();
    void AboutQuorvantel1Click();
    void UpdateFormBkg();

    // --- state, for the program entry and for tests --------------------------
    enum class KeyCycle { Start, Stop, Reset };

    const CountdownEngine& engine() const { return *m_engine; }
    const TPreferences& preferences() const { return m_prefs; }
    TPreferences& preferences() { return m_prefs; }
    KeyCycle keyCycle() const { return m_keyCycle; }
    // The text of the program's task bar entry, apart from the window caption.
    QString programTitle() const { return windowIconText(); }
    QString statusText(int panel) const;
    // Where the table is written: timers.xml, or a recovery file beside it when
    // timers.xml could not be read at start-up.
    QString timerWritePath() const { return m_writePath; }
    TLMDFormFill& formFill() { return m_formFill; }
    // Outer size and place, maximised or not, and the selected list position.
    WindowSnapshot snapshot() const;
    // The widget that receives the window's keys: the focused control, or the
    // window itself when no control has the focus.
    QWidget* keyTarget();
    // A second copy's request: restore or raise the window, but only while the
    // program title is the plain "Quorvantel" (a search by title would find
    // nothing while a run counts). True when the window came forward.
    bool comeForward();
    // The same, with the asking copy's activation token, which lets a Wayland
    // compositor bring the window forward (MainFormDesktop.cpp).
    bool comeForward(const QString& activationToken);
    // True once a close went through: the file and the preferences are written.
    bool closeAccepted() const { return m_closeAccepted; }

    // --- the end of the program that nobody chose (MainFormSession.cpp) -----
    // A termination signal: saves what a close saves, keeps the running timer
    // for the next start and asks nothing. False when the timer file could
    // not be written (the reason went to the error output).
    bool endSession();
    // The session manager's request at logout or shutdown: the close query
    // where the session allows a question, else the saves of endSession().
    void commitSession(SessionRequest& request);
    // Waits until the last change of the run is in the run-state file.
    void flushRunState();

    void setVisible(bool visible) override;

Q_SIGNALS:
    // The selected timer or the run's phase may have changed (never sent for
    // a plain step of the countdown).
    void runChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void setRunningControls(bool running);
    CommandResult perform(RunCommand command, const QString& timer);
    void toggle();
    // What a close saves: the timer file (its change log merged) and the
    // preferences. False, with the message, when the timer file failed.
    bool saveForClose(QString* error);
    // The run as it stands goes to the run-state file; called at each change
    // of the run, never at a plain step.
    void keepRun();
    void forgetRun();
    void submitRun(const KeptRun& run);
    void resumeKeptRun();
    // The engine's moment on the wall clock.
    std::int64_t utcOf(std::int64_t engineMs) const;
    // The desktop is told of a zero, with the local time it was reached at
    // when that was not now.
    void tellZero(std::int64_t zeroUtcMs, bool whileClosed);
    void setProgramTitle(const QString& title);
    // What the desktop services are told (MainFormDesktop.cpp).
    RunView runView() const;
    void attachDesktop();
    void stopAtZero();
    void showWindow();
    void focusTimerCombo();

    void FormCreate();
    void openTimerTable();
    // The file start-up reads: timers.xml, once a file left beside the program
    // has been carried over into the data folder.
    QString carryOverTimerFile();
    void recoverTimers(const QString& refused, const QString& error);
    void loadPreferences();
    void fillTimerCombo();
    void FormShow();
    bool FormCloseQuery();

    TCommonData& m_data;
    AppPaths m_paths;
    QString m_writePath;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<TickSource> m_ownTick;
    const Clock* m_clock = nullptr;
    SystemWallClock m_systemWall;
    const WallClock* m_wall = nullptr;
    std::unique_ptr<RunStateWriter> m_runWriter;
    KeptRun m_kept;
    std::unique_ptr<CountdownEngine> m_engine;
    NoDesktopServices m_noDesktop;
    DesktopServices* m_desktop = nullptr;
    TPreferences m_prefs;
    TLMDFormFill m_formFill;
    KeyCycle m_keyCycle = KeyCycle::Start;
    bool m_shown = false;
    bool m_closeAccepted = false;
    bool m_inResize = false;

    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* TimerCombo = nullptr;
    QLabel* LMDLImage1 = nullptr;
    TLMDLEDLabel* TimerLED = nullptr;
    QPushButton* StartStopButton = nullptr;
    QPushButton* ResetButton = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* m_statusPanels[2] = {nullptr, nullptr};

    QMenu* File1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* Settings1 = nullptr;
    QAction* Timersettings1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Preferences1 = nullptr;
    QMenu* help1 = nullptr;
    QAction* Quorvantelhelp1 = nullptr;
    QAction* N2 = nullptr;
    QAction* AboutQuorvantel1 = nullptr;
};

// The layout rules of the LED, from the window's width.
namespace layout {
int horzsize(int windowWidth);
int vertsize(int horzsize);
int thickness(int horzsize);
// How much of a window's top edge stays on its screen.
constexpr int kTitleGrip = 64;
// A window's place and size limited to a screen's available area: the size
// first, then the place, so that the title bar can be reached.
QRect fitToScreen(const QRect& window, const QRect& available);
} // namespace layout

} // namespace qv
