#pragma once

#include "audio/SoundPlayer.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace qv {

// The file name of the sound module and the places the program looks for it:
// beside itself (the build tree, a program copied into a folder with it), then
// its own library folder (installed: ../lib/<arch>/quorvantel from bin/).
inline constexpr const char* kSoundModuleFile = "quorvantel-sound.so";
QStringList soundModuleCandidates(const QString& programDir);

// The player of the first candidate that exists, loaded and created; null with
// the reason in *error when there is none or it cannot be loaded. A loaded
// module stays loaded for the rest of the run.
std::unique_ptr<SoundPlayer> loadSoundPlayer(const QStringList& candidates, QString* error);

// Plays nothing: what the program uses when no sound module can be loaded.
class SilentPlayer : public SoundPlayer {
public:
    void DoSound(const QString&) override {}
    void Announce(int, TTimeHMS) override {}
};

} // namespace qv
