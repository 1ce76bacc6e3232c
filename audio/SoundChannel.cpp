#include "audio/SoundChannel.h"

namespace qv {

bool SoundChannel::playImageAsync(QByteArrayView image) {
    if (image.isEmpty() || outputDeviceCount() == 0)
        return false;
    auto pcm = decodeWav(image);
    return pcm && playAsync(std::move(pcm));
}

bool SoundChannel::playImageSync(QByteArrayView image) {
    if (image.isEmpty() || outputDeviceCount() == 0)
        return false;
    auto pcm = decodeWav(image);
    return pcm && playSync(std::move(pcm));
}

} // namespace qv
