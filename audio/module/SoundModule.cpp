// The sound module (quorvantel-sound.so): the program's sound system behind the
// one entry point the window's side looks up.

#include "audio/SoundPlayer.h"
#include "audio/SoundSystem.h"

extern "C" __attribute__((visibility("default"))) qv::SoundPlayer* qvCreateSoundPlayer1() {
    return new qv::SoundSystem();
}
