// What sound costs the user-interface thread, how fast clips decode, and how
// long a DoSound takes to be heard at the sound server's sink.
//
//   bench_audio                       all of it (the latency needs a sound server)
//   bench_audio --benchmark_filter=Latency

#include "audio/AudioChannel.h"
#include "audio/SoundSystem.h"
#include "audio/SpeakThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

using namespace qv;

bool serverAvailable() {
    QProcess p;
    p.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    return p.waitForFinished(5000) && p.exitCode() == 0;
}

// Made in main, after the application object, and gone before it.
SoundSystem* gSound = nullptr;

SoundSystem& realSound() {
    return *gSound;
}

// DoSound of a built-in sound: the UI thread only hands a decoded sound over.
void BM_DoSoundBuiltIn(benchmark::State& state) {
    SoundSystem& sound = realSound();
    const QString id = QString::number(state.range(0));
    for (auto _ : state)
        sound.DoSound(id);
    sound.Channel().stop();
    static_cast<AudioChannel&>(sound.Channel()).waitUntilIdle(10000);
}
BENCHMARK(BM_DoSoundBuiltIn)->Arg(0)->Arg(2);

// DoSound of a file: reading and decoding happen on the loader thread.
void BM_DoSoundFile(benchmark::State& state) {
    SoundSystem& sound = realSound();
    const QString path = QStringLiteral("/nonexistent-dir/alarm.wav");
    for (auto _ : state)
        sound.DoSound(path);
    sound.Channel().stop();
    static_cast<AudioChannel&>(sound.Channel()).waitUntilIdle(10000);
}
BENCHMARK(BM_DoSoundFile);

// Announce: starting the thread is all the UI thread does.
void BM_Announce(benchmark::State& state) {
    auto sound = SoundSystem::createSilent();
    for (auto _ : state) {
        sound->Announce(0, {1, 21, 45});
        state.PauseTiming();
        while (TSpeakThread::liveCount() > 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Announce)->Iterations(200);

// Decoding a clip on the announcement thread, right before it plays.
void BM_DecodeClip(benchmark::State& state) {
    const QByteArray clip = builtInClip(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeWav(clip));
}
BENCHMARK(BM_DecodeClip)->Arg(17)->Arg(107);

// Decoding the fanfare, done once at start-up.
void BM_DecodeFanfare(benchmark::State& state) {
    const QByteArray image = realSound().WaveList().Items(0).Wave.Data();
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeWav(image));
}
BENCHMARK(BM_DecodeFanfare);

// From DoSound("1") to the first audible sample at the sink's monitor. The
// recorder's own delivery is taken out by dating the sample from the end of the
// data that arrived with it; what remains includes the monitor's small latency.
void BM_LatencyToSink(benchmark::State& state) {
    if (!serverAvailable()) {
        state.SkipWithError("no sound server");
        return;
    }
    SoundSystem& sound = realSound();
    auto& channel = static_cast<AudioChannel&>(sound.Channel());
    QProcess parec;
    parec.start(QStringLiteral("parec"),
                {QStringLiteral("-d"), QStringLiteral("@DEFAULT_MONITOR@"), QStringLiteral("--raw"),
                 QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                 QStringLiteral("--channels=2"), QStringLiteral("--latency-msec=10")});
    if (!parec.waitForStarted(5000) || !parec.waitForReadyRead(10000)) {
        state.SkipWithError("parec does not record");
        return;
    }
    for (auto _ : state) {
        parec.readAll(); // what came before this sound
        const auto start = std::chrono::steady_clock::now();
        sound.DoSound(QStringLiteral("1"));
        double seconds = -1;
        while (seconds < 0 && parec.waitForReadyRead(2000)) {
            const auto arrived = std::chrono::steady_clock::now();
            const QByteArray data = parec.readAll();
            const auto* s = reinterpret_cast<const std::int16_t*>(data.constData());
            const qsizetype n = data.size() / 2;
            for (qsizetype i = 0; i < n; ++i) {
                if (std::abs(s[i]) > 2) {
                    const double after = static_cast<double>(n - i) / 2 / 44100;
                    seconds = std::chrono::duration<double>(arrived - start).count() - after;
                    break;
                }
            }
        }
        if (seconds < 0) {
            state.SkipWithError("nothing was heard");
            break;
        }
        state.SetIterationTime(seconds);
        channel.waitUntilIdle(5000);
    }
    parec.terminate();
    parec.waitForFinished(5000);
}
BENCHMARK(BM_LatencyToSink)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    {
        SoundSystem sound;
        gSound = &sound;
        benchmark::RunSpecifiedBenchmarks();
        gSound = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
