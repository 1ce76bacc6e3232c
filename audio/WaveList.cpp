#include "audio/WaveList.h"

#include "audio/SoundChannel.h"

namespace qv {

void TLMDWave::LoadFromData(const QByteArray& image) {
    std::lock_guard lock(m_mutex);
    m_data = image;
    m_decoded.reset();
    m_decodedOnce = false;
}

std::shared_ptr<const PcmBuffer> TLMDWave::Decoded() const {
    std::lock_guard lock(m_mutex);
    if (!m_decodedOnce) {
        m_decodedOnce = true;
        m_decoded = m_data.isEmpty() ? nullptr : decodeWav(m_data);
    }
    return m_decoded;
}

bool TLMDWaveListItem::Play() const {
    SoundChannel& channel = m_owner.Channel();
    if (Wave.Size() == 0 || channel.outputDeviceCount() == 0)
        return false;
    auto pcm = Wave.Decoded();
    return pcm && channel.playAsync(std::move(pcm));
}

TLMDWaveListItem& TLMDWaveList::Add() {
    return m_items.emplace_back(*this);
}

} // namespace qv
