// The run beyond the program's end: kept in the run-state file at each change
// of the run, taken up again at the next start, and the ends of the program
// that nobody chose (a termination signal, the session manager's request).

#include "app/CommonData.h"
#include "app/MainForm.h"
#include "app/SessionRequest.h"
#include "audio/SoundPlayer.h"
#include "store/PreferencesStore.h"
#include "store/QtText.h"
#include "store/TimerFile.h"
#include "widgets/MessageBox.h"

#include <QComboBox>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>

namespace qv {
namespace {

// How far the wall clock may stand behind a kept run's start before the file
// counts as dated in the future (a clock set back, or a hostile file).
constexpr std::int64_t kClockSlackMs = 60'000;

} // namespace

bool QtSessionRequest::allowsInteraction() {
    return m_manager.allowsInteraction();
}
void QtSessionRequest::release() {
    m_manager.release();
}
void QtSessionRequest::cancel() {
    m_manager.cancel();
}

std::int64_t TMainForm::utcOf(std::int64_t engineMs) const {
    return m_wall->utcMs() - (m_clock->nowMs() - engineMs);
}

void TMainForm::keepRun() {
    KeptRun run;
    const RunPhase phase = m_engine->phase();
    // A flashing display that RESET has set back is no zero to come back to.
    if (phase == RunPhase::Counting || (phase == RunPhase::Flashing && m_engine->expired())) {
        run.kind = phase == RunPhase::Counting ? KeptRun::Kind::Counting : KeptRun::Kind::Flashing;
        if (const TimerRecord* r = m_data.TimerDB.current())
            run.timer = toQString(r->Name);
        run.leftAtRun = m_engine->leftAtRun();
        run.begunUtcMs = utcOf(m_engine->runBegunMs());
    }
    submitRun(run);
}

// A run ended by the user (STOP, RESET, a close that the user confirmed) is
// not taken up again, whatever the engine still shows.
void TMainForm::forgetRun() {
    submitRun(KeptRun{});
}

// The wall clock is read anew at each change; a run that did not change is
// not written again for the milliseconds between two readings.
void TMainForm::submitRun(const KeptRun& run) {
    if (!m_runWriter)
        return;
    if (run.kind == m_kept.kind && run.timer == m_kept.timer && run.leftAtRun == m_kept.leftAtRun &&
        std::abs(run.begunUtcMs - m_kept.begunUtcMs) < 1000)
        return;
    m_kept = run;
    m_runWriter->submit(runstate::encode(run));
}

void TMainForm::flushRunState() {
    if (m_runWriter)
        m_runWriter->flush();
}

// A run the state file still holds was ended by no choice of the user's: it
// comes back where it would be now. A file that is odd in any way, names a
// timer no longer in the table or was dated in the future is passed over,
// and the next change of the run writes it anew.
void TMainForm::resumeKeptRun() {
    if (!m_runWriter)
        return;
    const KeptRun kept = runstate::read(m_runWriter->path());
    if (kept.kind == KeptRun::Kind::None)
        return;
    // What the file holds, so that the first change of the run overwrites it
    // even when the run is not taken up.
    m_kept = kept;
    int index = -1;
    for (int i = 0; i < TimerCombo->count() && index < 0; ++i)
        if (TimerCombo->itemText(i).compare(kept.timer, Qt::CaseInsensitive) == 0)
            index = i;
    const std::int64_t elapsedMs = m_wall->utcMs() - kept.begunUtcMs;
    if (index < 0 || elapsedMs < -kClockSlackMs)
        return;

    TimerCombo->setCurrentIndex(index);
    if (!m_data.TimerDB.locate(toUtf8(TimerCombo->currentText())))
        return;
    m_prefs.ActiveTimerIndex = index;
    m_engine->loadTimer();
    setRunningControls(true);
    Step step = Step::Zero;
    std::int64_t zeroUtcMs = kept.begunUtcMs + std::int64_t{kept.leftAtRun} * 1000;
    if (kept.kind == KeptRun::Kind::Flashing) {
        m_engine->resumeFlashing();
    } else {
        step = m_engine->resume(kept.leftAtRun, std::max<std::int64_t>(elapsedMs, 0));
        if (step == Step::Zero)
            zeroUtcMs = utcOf(m_engine->zeroAtMs());
    }
    m_desktop->runBegun(runView());
    if (step == Step::Zero)
        tellZero(zeroUtcMs, kept.kind == KeptRun::Kind::Counting);
    // A run still counting is heard from its next second on.
    if (m_engine->running())
        QTimer::singleShot(0, this, [this] { m_data.Sound(); });
    keepRun();
    Q_EMIT runChanged();
}

bool TMainForm::saveForClose(QString* error) {
    if (!TimerFile::mergeAndSave(m_writePath, m_data.TimerDB, error))
        return false;
    // A store that cannot be written (no rights) keeps what it had; the
    // timers are safe, so the close goes on.
    PreferencesStore::save(prefs::makeStored(m_prefs, snapshot()));
    return true;
}

bool TMainForm::endSession() {
    QString error;
    const bool saved = saveForClose(&error);
    if (!saved)
        std::fprintf(stderr, "quorvantel: %s\n", qPrintable(error));
    flushRunState();
    m_closeAccepted = true;
    return saved;
}

void TMainForm::commitSession(SessionRequest& request) {
    if (m_engine->running() && request.allowsInteraction()) {
        MessageBox::beep();
        const bool yes = MessageBox::confirm(this, tr(kConfirmClose), MessageBox::Default::No);
        QString error;
        const bool saved = yes && saveForClose(&error);
        if (yes && !saved)
            MessageBox::error(this, error);
        request.release();
        if (!saved) {
            request.cancel();
            return;
        }
        // A confirmed close: the timer ends with the program.
        forgetRun();
        flushRunState();
        m_closeAccepted = true;
        QTimer::singleShot(0, this, [this] { close(); });
        return;
    }
    // No question can be asked: what a close saves is saved, and a running
    // timer comes back at the next start.
    QString error;
    if (!saveForClose(&error)) {
        std::fprintf(stderr, "quorvantel: %s\n", qPrintable(error));
        request.cancel();
        return;
    }
    flushRunState();
}

} // namespace qv
