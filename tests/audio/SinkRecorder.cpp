#include "SinkRecorder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

namespace qv::test {

std::vector<Burst> findBursts(const std::vector<std::int16_t>& mono, int minGapMs) {
    const std::int64_t minGap = std::int64_t{kRecordRate} * minGapMs / 1000;
    std::vector<Burst> bursts;
    std::int64_t quietRun = 0;
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(mono.size()); ++i) {
        if (std::abs(mono[static_cast<std::size_t>(i)]) <= 2) {
            ++quietRun;
            continue;
        }
        if (bursts.empty() || quietRun >= minGap)
            bursts.push_back({i, i + 1});
        else
            bursts.back().end = i + 1;
        quietRun = 0;
    }
    return bursts;
}

std::vector<std::int16_t> toMono(const std::vector<std::int16_t>& stereo) {
    std::vector<std::int16_t> mono(stereo.size() / 2);
    for (std::size_t i = 0; i < mono.size(); ++i) {
        const int l = stereo[2 * i], r = stereo[2 * i + 1];
        mono[i] = static_cast<std::int16_t>(std::abs(l) >= std::abs(r) ? l : r);
    }
    return mono;
}

std::vector<std::int16_t> toMono(const PcmBuffer& pcm) {
    return toMono(pcm.samples);
}

double energyShareAt(const std::vector<std::int16_t>& mono, std::int64_t begin, std::int64_t n,
                     double hz) {
    if (begin < 0 || n <= 0 || begin + n > static_cast<std::int64_t>(mono.size()))
        return 0;
    // Goertzel over the window: the power at hz against the total power.
    const double w = 2 * std::numbers::pi * hz / kRecordRate;
    const double coeff = 2 * std::cos(w);
    double s1 = 0, s2 = 0, total = 0;
    for (std::int64_t i = 0; i < n; ++i) {
        const double x = mono[static_cast<std::size_t>(begin + i)];
        total += x * x;
        const double s0 = x + coeff * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
    return total > 0 ? 2 * power / (static_cast<double>(n) * total) : 0;
}

bool SinkRecorder::serverAvailable() {
    return pactl({QStringLiteral("info")}).has_value();
}

std::optional<QString> SinkRecorder::pactl(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("pactl"), args);
    if (!p.waitForFinished(5000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

bool SinkRecorder::start(const QString& source) {
    m_parec.setStandardOutputFile(m_dir.filePath(QStringLiteral("rec.raw")));
    m_parec.setStandardErrorFile(QProcess::nullDevice());
    m_parec.start(QStringLiteral("parec"),
                  {QStringLiteral("-d"), source, QStringLiteral("--raw"),
                   QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                   QStringLiteral("--channels=2"), QStringLiteral("--latency-msec=20")});
    if (!m_parec.waitForStarted(5000))
        return false;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        if (QFile(m_dir.filePath(QStringLiteral("rec.raw"))).size() > 0)
            return true;
        QThread::msleep(5);
    }
    return false;
}

qint64 SinkRecorder::recordedBytes() const {
    return QFile(m_dir.filePath(QStringLiteral("rec.raw"))).size() / 4 * 4;
}

void SinkRecorder::mark() {
    m_mark = recordedBytes();
}

std::vector<std::int16_t> SinkRecorder::snapshot() const {
    QFile f(m_dir.filePath(QStringLiteral("rec.raw")));
    if (!f.open(QIODevice::ReadOnly) || !f.seek(m_mark))
        return {};
    const QByteArray raw = f.read(recordedBytes() - m_mark);
    std::vector<std::int16_t> stereo(static_cast<std::size_t>(raw.size() / 4) * 2);
    if (!stereo.empty())
        std::memcpy(stereo.data(), raw.constData(), stereo.size() * sizeof(std::int16_t));
    return toMono(stereo);
}

bool SinkRecorder::waitForSound(int ms, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        const auto bursts = findBursts(snapshot(), 50);
        if (!bursts.empty() && bursts.front().seconds() * 1000 >= ms)
            return true;
        QThread::msleep(10);
    }
    return false;
}

std::vector<std::int16_t> SinkRecorder::take() {
    // How far the monitor lags the sink grows with the load on the machine, so a
    // fixed wait may cut the end of a sound. What was played is all there once
    // the recording holds sound and then at least 150 ms of silence; the 150 ms
    // still reach the recording first, so that silence from before the sound
    // arrived is not taken for the silence after it.
    constexpr std::size_t quiet = std::size_t{kRecordRate} * 150 / 1000;
    const qint64 until = recordedBytes() + qint64{kRecordRate} * 4 * 150 / 1000;
    QElapsedTimer t;
    t.start();
    while (recordedBytes() < until && t.elapsed() < 5000)
        QThread::msleep(5);
    auto heard = snapshot();
    auto settled = [&heard] {
        if (heard.size() < quiet)
            return false;
        const auto tail = heard.end() - static_cast<std::ptrdiff_t>(quiet);
        const bool tailQuiet = std::all_of(
            tail, heard.end(), [](std::int16_t s) { return std::abs(static_cast<int>(s)) <= 2; });
        return tailQuiet && !findBursts(heard).empty();
    };
    while (!settled() && t.elapsed() < 3000) {
        QThread::msleep(10);
        heard = snapshot();
    }
    return heard;
}

void SinkRecorder::stop() {
    m_parec.terminate();
    if (!m_parec.waitForFinished(5000))
        m_parec.kill();
    m_parec.waitForFinished(5000);
}

SinkRecorder::~SinkRecorder() {
    if (m_parec.state() != QProcess::NotRunning) {
        m_parec.kill();
        m_parec.waitForFinished(5000);
    }
}

} // namespace qv::test
