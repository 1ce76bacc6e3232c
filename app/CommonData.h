#pragma once

#include "core/TimerDB.h"

#include <QPixmap>
#include <memory>

namespace qv {

class SoundPlayer;

// The data module: the timer table, the sound with its built-in sounds,
// and the logo, shared by the main window and the dialogs for the whole run.
class TCommonData {
public:
    static constexpr int kLogoWidth = 202;
    static constexpr int kLogoHeight = 45;

    // Plays on the default output unless a player is handed in (tests hand in
    // a silent sound system). The sound module is loaded, and the default
    // output connected to, at the first use of the sound: the first sound, or
    // the first run started. Without a module the program is silent and says
    // why on its error output.
    TCommonData();
    explicit TCommonData(std::unique_ptr<SoundPlayer> sound);
    ~TCommonData();

    ::qv::TimerDB TimerDB;

    SoundPlayer& Sound();
    const QPixmap& logo() const { return m_logo; }

    // The built-in logo picture at its design size (resources/logo.png, made
    // from logo.svg by tools/make-logo.sh).
    static QPixmap renderLogo();

private:
    std::unique_ptr<SoundPlayer> m_sound;
    QPixmap m_logo;
};

} // namespace qv
