#pragma once

#include "core/TimerRecord.h"

#include <QString>

class QComboBox;
class QWidget;

namespace qv {

// What the dialogs need of the main window. The main window implements it; tests
// implement it with a plain combo box and a recorder.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual QWidget* hostWindow() = 0;
    // The main window's timer list, kept equal to the settings dialog's list.
    virtual QComboBox* timerCombo() = 0;
    virtual int activeTimerIndex() const = 0;
    virtual void setActiveTimerIndex(int index) = 0;
    // Starts a built-in sound ("0".."3") or a WAV file; never waits.
    virtual void DoSound(const QString& sound) = 0;
    // Starts speaking a time on a worker; never waits.
    virtual void Announce(int shortForm, TTimeHMS time) = 0;
    // Opens the help window at a topic (0: the contents).
    virtual void showHelp(int topic) = 0;
};

} // namespace qv
