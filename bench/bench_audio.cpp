// What sound costs the user-interface thread, how fast clips decode, and how
// long a DoSound takes to be heard at the sound server's sink.
//
//   bench_audio                       all of it (the latency needs a sound server)
//   bench_audio --benchmark_filter=Latency
//   bench_audio --benchmark_filter=EverySecond   CPU and wake-ups of the program
//       and of the server while a sound plays once a second (QV_BENCH_SPAN
//       seconds each, default 20), beside a plain client playing the same beep

#include "audio/AudioChannel.h"
#include "audio/SoundSystem.h"
#include "audio/SpeakThread.h"
#include "support/FirstSound.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/resource.h>

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
        while (sound->announcementsAlive() > 0)
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

// A five-minute WAV file of a 440 Hz tone, 44100 Hz stereo 16-bit (53 MB).
QString fiveMinuteFile(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("five-minutes.wav"));
    constexpr std::uint32_t kRate = 44100, kSeconds = 300;
    QByteArray second(kRate * 4, Qt::Uninitialized);
    auto* s = reinterpret_cast<std::int16_t*>(second.data());
    for (std::uint32_t i = 0; i < kRate; ++i)
        s[2 * i] = s[2 * i + 1] =
            static_cast<std::int16_t>(12000 * std::sin(2 * 3.14159265358979 * 440 * i / kRate));
    const std::uint32_t data = kRate * 4 * kSeconds;
    QByteArray head;
    auto put = [&head](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            head.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    head.append("RIFF");
    put(36 + data, 4);
    head.append("WAVEfmt ");
    put(16, 4);
    put(1, 2);
    put(2, 2);
    put(kRate, 4);
    put(kRate * 4, 4);
    put(4, 2);
    put(16, 2);
    head.append("data");
    put(data, 4);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(head);
    for (std::uint32_t i = 0; i < kSeconds; ++i)
        f.write(second);
    return path;
}

// From DoSound to the first audible sample at the sink's monitor: the beep
// (0) and a five-minute custom file (1). The recorder's own delivery is taken
// out by dating the sample from the end of the data that arrived with it; what
// remains includes the monitor's small latency.
void BM_LatencyToSink(benchmark::State& state) {
    if (!serverAvailable()) {
        state.SkipWithError("no sound server");
        return;
    }
    SoundSystem& sound = realSound();
    auto& channel = static_cast<AudioChannel&>(sound.Channel());
    QTemporaryDir dir;
    const QString id = state.range(0) == 0 ? QStringLiteral("1") : fiveMinuteFile(dir);
    QProcess parec;
    if (!testing::startMonitorRecording(parec, QStringLiteral("@DEFAULT_MONITOR@"))) {
        state.SkipWithError("parec does not record");
        return;
    }
    for (auto _ : state) {
        parec.readAll(); // what came before this sound
        const auto start = std::chrono::steady_clock::now();
        sound.DoSound(id);
        const double seconds = testing::secondsToFirstSound(parec, start, 2000);
        if (seconds < 0) {
            state.SkipWithError("nothing was heard");
            break;
        }
        state.SetIterationTime(seconds);
        channel.stop();
        channel.waitUntilIdle(5000);
    }
    parec.terminate();
    parec.waitForFinished(5000);
}
BENCHMARK(BM_LatencyToSink)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// --- Load while a sound plays once a second --------------------------------
//
// CPU seconds per minute and wake-ups (context switches) per second, of this
// program (every thread, those that ended too) and of the sound server (every
// thread). The server is the one whose pid file lies in the runtime folder.

struct Usage {
    double cpu = 0;      // seconds
    double switches = 0; // voluntary and involuntary context switches
};

Usage selfUsage() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return {static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
                static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6,
            static_cast<double>(ru.ru_nvcsw + ru.ru_nivcsw)};
}

Usage processUsage(qint64 pid) {
    Usage u;
    if (pid <= 0)
        return u;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& t : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile sched(tasks.filePath(t + QStringLiteral("/schedstat")));
        if (sched.open(QIODevice::ReadOnly))
            u.cpu += QString::fromLatin1(sched.readAll()).section(u' ', 0, 0).toDouble() / 1e9;
        QFile status(tasks.filePath(t + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:") ||
                line.startsWith("nonvoluntary_ctxt_switches:"))
                u.switches += line.mid(line.indexOf(':') + 1).trimmed().toDouble();
        }
    }
    return u;
}

qint64 serverPid() {
    QFile f(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/pulse/pid"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().trimmed().toLongLong();
}

double spanSeconds() {
    const int s = qEnvironmentVariableIntValue("QV_BENCH_SPAN");
    return s > 0 ? s : 20;
}

// Runs every() once a second for the span on this thread's event loop, as the
// countdown does, and reports the program's and the server's load over it.
// otherPid: a further process whose load is counted as the client's (pacat).
void measureEverySecond(benchmark::State& state, const std::function<void()>& every,
                        const std::function<qint64()>& otherPid = {}) {
    if (!serverAvailable()) {
        state.SkipWithError("no sound server");
        return;
    }
    const qint64 server = serverPid();
    if (server <= 0) {
        state.SkipWithError("no server pid file in XDG_RUNTIME_DIR/pulse");
        return;
    }
    const double span = spanSeconds();
    for (auto _ : state) {
        // One sound first, so that connecting and opening a stream are not counted.
        every();
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 1500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        const qint64 other = otherPid ? otherPid() : -1;
        const Usage self0 = other > 0 ? processUsage(other) : selfUsage();
        const Usage server0 = processUsage(server);
        QElapsedTimer t;
        t.start();
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, every);
        timer.start(1000);
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(span * 1000), &loop, &QEventLoop::quit);
        loop.exec();
        timer.stop();
        const double seconds = static_cast<double>(t.elapsed()) / 1000;
        const Usage self1 = other > 0 ? processUsage(other) : selfUsage();
        const Usage server1 = processUsage(server);
        state.SetIterationTime(seconds);
        state.counters["client_cpu_s_per_min"] = (self1.cpu - self0.cpu) * 60 / seconds;
        state.counters["client_wakeups_per_s"] = (self1.switches - self0.switches) / seconds;
        state.counters["server_cpu_s_per_min"] = (server1.cpu - server0.cpu) * 60 / seconds;
        state.counters["server_wakeups_per_s"] = (server1.switches - server0.switches) / seconds;
    }
}

// Nothing plays: the floor of the event loop and of the idle server.
void BM_NothingEverySecond(benchmark::State& state) {
    measureEverySecond(state, [] {});
}
BENCHMARK(BM_NothingEverySecond)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

void BM_BeepEverySecond(benchmark::State& state) {
    measureEverySecond(state, [] { realSound().DoSound(QStringLiteral("1")); });
}
BENCHMARK(BM_BeepEverySecond)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// The short form, as the countdown speaks it every second: "fifty", "nine", ...
void BM_SpeechEverySecond(benchmark::State& state) {
    int left = 59;
    measureEverySecond(state, [&left] {
        realSound().Announce(1, {0, 0, left});
        left = left > 1 ? left - 1 : 59;
    });
}
BENCHMARK(BM_SpeechEverySecond)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// A plain client beside it: pacat keeps one stream and is handed the same
// decoded beep once a second. Its counters are pacat's and the server's.
void BM_PacatBeepEverySecond(benchmark::State& state) {
    auto beep = realSound().WaveList().Items(1).Wave.Decoded();
    if (!beep) {
        state.SkipWithError("no beep");
        return;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(beep->samples.data()),
                           static_cast<qsizetype>(beep->samples.size() * sizeof(std::int16_t)));
    QProcess pacat;
    pacat.start(QStringLiteral("pacat"),
                {QStringLiteral("--playback"), QStringLiteral("--raw"),
                 QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                 QStringLiteral("--channels=2"), QStringLiteral("--latency-msec=100")});
    if (!pacat.waitForStarted(5000)) {
        state.SkipWithError("pacat does not start");
        return;
    }
    measureEverySecond(
        state, [&] { pacat.write(bytes); }, [&] { return pacat.processId(); });
    pacat.closeWriteChannel();
    pacat.waitForFinished(5000);
}
BENCHMARK(BM_PacatBeepEverySecond)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

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
