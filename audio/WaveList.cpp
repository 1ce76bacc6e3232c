#include "audio/WaveList.h"

#include "audio/SoundChannel.h"

namespace qv {

void TLMDWave::LoadFromData(const QByteArray& image) {
    std::lock_guard lock(m_);
    data_ = image;
    decoded_.reset();
    decodedOnce_ = false;
}

std::shared_ptr<const PcmBuffer> TLMDWave::Decoded() const {
    std::lock_guard lock(m_);
    if (!decodedOnce_) {
        decodedOnce_ = true;
        decoded_ = data_.isEmpty() ? nullptr : decodeWav(data_);
    }
    return decoded_;
}

bool TLMDWaveListItem::Play() const {
    SoundChannel& channel = owner_.Channel();
    if (Wave.Size() == 0 || channel.outputDeviceCount() == 0)
        return false;
    auto pcm = Wave.Decoded();
    return pcm && channel.playAsync(std::move(pcm));
}

TLMDWaveListItem& TLMDWaveList::Add() {
    return items_.emplace_back(*this);
}

} // namespace qv
