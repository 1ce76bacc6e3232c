#pragma once

// Builds small WAV images in memory for tests.

#include <QByteArray>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace qv::test {

inline void put32(QByteArray& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline void put16(QByteArray& b, std::uint16_t v) {
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
}

inline void putChunk(QByteArray& b, const char* id, const QByteArray& body) {
    b.append(id, 4);
    put32(b, static_cast<std::uint32_t>(body.size()));
    b.append(body);
    if (body.size() % 2)
        b.append('\0');
}

// 16-bit PCM, interleaved samples; extra chunks go after the data.
inline QByteArray pcm16Wav(const std::vector<std::int16_t>& samples, int channels, int rate,
                           const QByteArray& trailingChunks = {}) {
    QByteArray fmt;
    put16(fmt, 1);
    put16(fmt, static_cast<std::uint16_t>(channels));
    put32(fmt, static_cast<std::uint32_t>(rate));
    put32(fmt, static_cast<std::uint32_t>(rate * channels * 2));
    put16(fmt, static_cast<std::uint16_t>(channels * 2));
    put16(fmt, 16);
    QByteArray data;
    for (std::int16_t s : samples)
        put16(data, static_cast<std::uint16_t>(s));
    QByteArray body("WAVE");
    putChunk(body, "fmt ", fmt);
    putChunk(body, "data", data);
    body.append(trailingChunks);
    QByteArray wav("RIFF");
    put32(wav, static_cast<std::uint32_t>(body.size()));
    wav.append(body);
    return wav;
}

inline std::vector<std::int16_t> sine(double hz, int rate, int frames, double amplitude = 0.5) {
    std::vector<std::int16_t> s(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
            std::lround(amplitude * 32767 * std::sin(2 * std::numbers::pi * hz * i / rate)));
    return s;
}

} // namespace qv::test
