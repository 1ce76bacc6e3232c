#pragma once

// Records what the sound server's default sink plays, through its monitor, so
// that tests hear what the program really played.

#include "audio/WavDecoder.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace qv::test {

inline constexpr int kRecordRate = 44100;

// A span of sound in a recording, in frames.
struct Burst {
    std::int64_t begin = 0;
    std::int64_t end = 0;
    double seconds() const { return static_cast<double>(end - begin) / kRecordRate; }
};

// Bursts of sound separated by at least minGapMs of digital silence (|sample| <=
// 2): the sink plays exact zeros while nothing plays, and a sound itself never
// holds that still for long.
std::vector<Burst> findBursts(const std::vector<std::int16_t>& mono, int minGapMs = 12);

// Loudest channel of each stereo frame.
std::vector<std::int16_t> toMono(const std::vector<std::int16_t>& stereo);
std::vector<std::int16_t> toMono(const PcmBuffer& pcm);

// Share of the energy of frames [begin, begin + n) that lies at frequency hz.
double energyShareAt(const std::vector<std::int16_t>& mono, std::int64_t begin, std::int64_t n,
                     double hz);

class SinkRecorder {
public:
    // True when a sound server answers (pactl info succeeds).
    static bool serverAvailable();

    // Runs pactl; its output, or nothing when it failed.
    static std::optional<QString> pactl(const QStringList& args);

    // Starts recording a source (a sink's monitor); true once the first data arrived.
    bool start(const QString& source);
    // Later calls see only what is recorded from now on.
    void mark();
    // Everything recorded since the mark so far, mono.
    std::vector<std::int16_t> snapshot() const;
    // Everything since the mark once what was played has reached the recording
    // (the monitor lags the sink): sound followed by 150 ms of silence, or 3 s.
    std::vector<std::int16_t> take();
    // Waits until the recording holds at least ms of sound; false after timeoutMs.
    bool waitForSound(int ms, int timeoutMs);
    void stop();
    ~SinkRecorder();

private:
    qint64 recordedBytes() const;
    qint64 m_mark = 0;
    QTemporaryDir m_dir;
    QProcess m_parec;
};

} // namespace qv::test
