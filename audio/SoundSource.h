#pragma once

#include "audio/WavDecoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace qv {

inline constexpr std::size_t kFrameBytes = kOutputChannels * sizeof(std::int16_t);

// A sound as the stream takes it, on the sound server's main loop thread: only
// copies of what is ready, never a read of a file or a decoding.
class SoundSource {
public:
    virtual ~SoundSource() = default;
    // Copies up to maxFrames of the frames ready now to out.
    virtual std::size_t read(std::int16_t* out, std::size_t maxFrames) = 0;
    // Everything there is was read.
    virtual bool exhausted() const = 0;
    // Bytes to hand over at once when the sound starts.
    virtual std::size_t firstWrite() const = 0;
};

class MemorySource final : public SoundSource {
public:
    // Sounds up to this long go to the server in one write, so that a beep or a
    // clip costs no further wake-ups for data.
    static constexpr std::size_t kWholeSoundBytes = std::size_t{kOutputRate} * kFrameBytes;

    explicit MemorySource(std::shared_ptr<const PcmBuffer> pcm) : m_pcm(std::move(pcm)) {}

    std::size_t read(std::int16_t* out, std::size_t maxFrames) override {
        const std::size_t n = std::min(maxFrames, totalFrames() - m_pos);
        std::memcpy(out, m_pcm->samples.data() + m_pos * kOutputChannels, n * kFrameBytes);
        m_pos += n;
        return n;
    }
    bool exhausted() const override { return m_pos == totalFrames(); }
    std::size_t firstWrite() const override {
        return std::min(m_pcm->samples.size() * sizeof(std::int16_t), kWholeSoundBytes);
    }

private:
    std::size_t totalFrames() const { return m_pcm->samples.size() / kOutputChannels; }
    std::shared_ptr<const PcmBuffer> m_pcm;
    std::size_t m_pos = 0;
};

} // namespace qv
