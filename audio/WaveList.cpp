#include "audio/WaveList.h"

#include "audio/SoundChannel.h"

namespace qv {

void TLMDWave::LoadFromData(const QByteArray& image) {
    data_ = image;
    decoded_ = image.isEmpty() ? nullptr : decodeWav(image);
}

bool TLMDWaveListItem::Play() const {
    SoundChannel& channel = owner_.Channel();
    if (Wave.Size() == 0 || channel.outputDeviceCount() == 0 || !Wave.Decoded())
        return false;
    return channel.playAsync(Wave.Decoded());
}

TLMDWaveListItem& TLMDWaveList::Add() {
    return items_.emplace_back(*this);
}

} // namespace qv
