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
    // hand in a silent one). The default output is connected to at the first
    // use of the sound system: the first sound, or the first run started.
    TCommonData();
    explicit TCommonData(std::unique_ptr<SoundSystem> sound);
    ~TCommonData();

    ::qv::TimerDB TimerDB;

    SoundSystem& Sound();
    TLMDWaveList& WaveList();
    const QPixmap& logo() const { return m_logo; }

    // The built-in logo picture at its design size (resources/logo.png, made
    // from logo.svg by tools/make-logo.sh).
    static QPixmap renderLogo();

private:
    std::unique_ptr<SoundSystem> m_sound;
    QPixmap m_logo;
};

} // namespace qv
