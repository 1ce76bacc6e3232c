#pragma once

// When the first audible sample of a sound reaches a sink's monitor, for the
// tests that hear the program and the benchmark of its delay.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>

namespace qv::testing {

// Starts parec on a monitor (44100 Hz stereo 16-bit, 10 ms latency); true
// once its first data arrived.
inline bool startMonitorRecording(QProcess& parec, const QString& monitor) {
    parec.start(QStringLiteral("parec"),
                {QStringLiteral("-d"), monitor, QStringLiteral("--raw"),
                 QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                 QStringLiteral("--channels=2"), QStringLiteral("--latency-msec=10")});
    return parec.waitForStarted(5000) && parec.waitForReadyRead(10000);
}

// Seconds from `start` to the first audible sample (|sample| > 2) the
// recording delivers. Each sample is dated by when its data arrived, less the
// data that came after it; what remains includes the monitor's own small
// delay. -1 when nothing was heard, no data arriving for timeoutMs.
inline double secondsToFirstSound(QProcess& parec, std::chrono::steady_clock::time_point start,
                                  int timeoutMs) {
    while (parec.waitForReadyRead(timeoutMs)) {
        const auto arrived = std::chrono::steady_clock::now();
        const QByteArray data = parec.readAll();
        const auto* s = reinterpret_cast<const std::int16_t*>(data.constData());
        const qsizetype n = data.size() / 2;
        for (qsizetype i = 0; i < n; ++i)
            if (std::abs(s[i]) > 2) {
                // Dating by arrival can come out a few microseconds early.
                const double after = static_cast<double>(n - i) / 2 / 44100;
                return std::max(0.0,
                                std::chrono::duration<double>(arrived - start).count() - after);
            }
    }
    return -1;
}

} // namespace qv::testing
