#pragma once

#include "core/TimerDB.h"

#include <QPixmap>
#include <memory>

namespace qv {

class SoundSystem;
class TLMDWaveList;

// The data module: the timer table, the sound system with its built-in sounds,
// and the logo, shared by the main window and the dialogs for the whole run.
class TCommonData {
public:
    static constexpr int kLogoWidth = 202;
    static constexpr int kLogoHeight = 45;

    // Plays on the default output unless a sound system is handed in (tests
    // hand in a silent one).
    TCommonData();
    explicit TCommonData(std::unique_ptr<SoundSystem> sound);
    ~TCommonData();

    ::qv::TimerDB TimerDB;

    SoundSystem& Sound() { return *m_sound; }
    TLMDWaveList& WaveList();
    const QPixmap& logo() const { return m_logo; }

    // The built-in logo picture at its design size.
    static QPixmap renderLogo();

private:
    std::unique_ptr<SoundSystem> m_sound;
    QPixmap m_logo;
};

} // namespace qv
