#pragma once

#include "core/TimerRecord.h"

#include <QString>

namespace qv {

// What the window asks of the sound: a sound played, the time spoken. The
// program's own player lives in a module of its own (audio/module), loaded at
// the first sound or run, so that the sound server's client and the decoders
// are not loaded with the window.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // One character "0" to "3" plays that built-in sound; any other single
    // character does nothing; every other string is the path of a WAV file.
    // Returns at once.
    virtual void DoSound(const QString& sound) = 0;
    // Starts an announcement of the time and returns at once.
    virtual void Announce(int shortForm, TTimeHMS time) = 0;
};

// The name of the module's one entry point: a new player on the default output,
// owned by the caller. The number changes with the interface above.
inline constexpr const char* kSoundModuleEntry = "qvCreateSoundPlayer1";
using SoundModuleEntry = SoundPlayer* (*)();

} // namespace qv
