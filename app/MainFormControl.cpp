// The one place that changes the run: the keyboard, the command line, a second
// copy and D-Bus all ask for the same commands here, so that announcements,
// rules, the notification, the tray, the launcher entry and the kept run
// follow alike.

#include "app/CommonData.h"
#include "app/MainForm.h"
#include "store/QtText.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>

namespace qv {

CommandResult TMainForm::command(RunCommand command, const QString& timer) {
    // A modal dialog owns the keyboard and may be editing the very timer.
    if (QApplication::activeModalWidget())
        return {CommandResult::Error::Busy,
                tr("A dialog is open in Quorvantel; close it and try again.")};
    return perform(command, timer);
}

CommandResult TMainForm::perform(RunCommand command, const QString& timer) {
    switch (command) {
    case RunCommand::Toggle:
        toggle();
        break;
    case RunCommand::Reset:
        // ESC: a counting run stops first; RESET does the rest.
        if (m_engine->running())
            StartStopButtonClick();
        ResetButtonClick();
        break;
    case RunCommand::Stop:
        if (m_engine->expired())
            stopAtZero();
        else if (m_engine->running())
            StartStopButtonClick();
        break;
    case RunCommand::Start: {
        int index = TimerCombo->currentIndex();
        if (!timer.isEmpty()) {
            index = -1;
            for (int i = 0; i < TimerCombo->count() && index < 0; ++i)
                if (TimerCombo->itemText(i).compare(timer, Qt::CaseInsensitive) == 0)
                    index = i;
            if (index < 0)
                return {CommandResult::Error::NoSuchTimer,
                        tr("There is no timer named \"%1\".").arg(timer)};
        }
        if (m_engine->running())
            return {};
        // A flashing display is ended first, as SPACE would.
        if (m_engine->begun())
            stopAtZero();
        if (index != TimerCombo->currentIndex()) {
            TimerCombo->setCurrentIndex(index);
            TimerComboChange();
        }
        // A timer stopped at zero would expire at once: it starts from the top.
        if (m_engine->secondsLeft() <= 0)
            ResetButtonClick();
        StartStopButtonClick();
        break;
    }
    }
    return {};
}

RunStatus TMainForm::status() const {
    RunStatus s;
    if (const TimerRecord* r = m_data.TimerDB.current())
        s.timer = toQString(r->Name);
    s.secondsLeft = m_engine->secondsLeft();
    s.timeLeft = toQString(formatTime(m_engine->timeLeft()));
    s.state = QString::fromLatin1(phaseName(m_engine->phase()));
    return s;
}

QStringList TMainForm::timers() const {
    QStringList names;
    for (int i = 0; i < TimerCombo->count(); ++i)
        names << TimerCombo->itemText(i);
    return names;
}

void TMainForm::activate(const QString& activationToken) {
    if (!activationToken.isEmpty() &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toLatin1());
    showWindow();
}

} // namespace qv
