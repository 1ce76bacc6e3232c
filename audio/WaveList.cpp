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
    QByteArray data;
    {
        std::lock_guard lock(m_mutex);
        if (m_decodedOnce)
            return m_decoded;
        data = m_data;
    }
    // Decoded outside the lock: the window's first play never waits for the
    // background decoder to finish a longer sound; if both decode it, the first
    // result is kept and the other is dropped.
    auto decoded = data.isEmpty() ? nullptr : decodeWav(data);
    std::lock_guard lock(m_mutex);
    if (!m_decodedOnce && m_data.constData() == data.constData()) {
        m_decodedOnce = true;
        m_decoded = std::move(decoded);
    }
    return m_decodedOnce ? m_decoded : decoded;
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
