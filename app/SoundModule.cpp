#include "app/SoundModule.h"

#include <QFileInfo>
#include <QLibrary>

namespace qv {

QStringList soundModuleCandidates(const QString& programDir) {
    const QString file = QString::fromLatin1(kSoundModuleFile);
    return {programDir + QLatin1Char('/') + file,
            programDir + QStringLiteral("/" QV_SOUND_MODULE_DIR "/") + file};
}

std::unique_ptr<SoundPlayer> loadSoundPlayer(const QStringList& candidates, QString* error) {
    for (const QString& path : candidates) {
        if (!QFileInfo(path).isFile())
            continue;
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (!module.load()) {
            *error = module.errorString();
            return nullptr;
        }
        const auto entry = reinterpret_cast<SoundModuleEntry>(module.resolve(kSoundModuleEntry));
        if (!entry) {
            // A library of another kind or another version: leave it be.
            *error = QStringLiteral("%1 has no entry point %2")
                         .arg(path, QString::fromLatin1(kSoundModuleEntry));
            module.unload();
            return nullptr;
        }
        return std::unique_ptr<SoundPlayer>(entry());
    }
    *error = QStringLiteral("no sound module at %1").arg(candidates.join(QStringLiteral(", ")));
    return nullptr;
}

} // namespace qv
