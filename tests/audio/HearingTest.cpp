// Plays through the real sound channel on the sound server and listens to the
// default sink's monitor: what these tests check was really heard.

#include "Announcements.h"
#include "SinkRecorder.h"
#include "WavBuilder.h"
#include "audio/AudioChannel.h"
#include "audio/SoundSystem.h"
#include "audio/SpeakThread.h"
#include "support/FirstSound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QResource>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace qv {
namespace {

using test::Burst;
using test::findBursts;
using test::SinkRecorder;

// Seconds of sound from the first to the last audible sample.
double soundSpan(const std::vector<std::int16_t>& mono) {
    const auto bursts = findBursts(mono, 1000);
    if (bursts.empty())
        return 0;
    return static_cast<double>(bursts.back().end - bursts.front().begin) / test::kRecordRate;
}

double clipSeconds(int id) {
    const auto pcm = decodeWav(builtInClip(id));
    return pcm ? soundSpan(test::toMono(*pcm)) : 0;
}

// The tests play on a null sink of their own, so that no other program's sound
// (another test program's, say) is heard in the recording; where the server does
// not let them make one, they use the default sink. One recording for all the
// tests (a monitor takes over a second to deliver its first data); each test
// hears from its own start on.
class Hearing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!SinkRecorder::serverAvailable())
            return;
        const QString name =
            QStringLiteral("qv_hearing_%1").arg(QCoreApplication::applicationPid());
        QString monitor = QStringLiteral("@DEFAULT_MONITOR@");
        if (auto index = SinkRecorder::pactl({QStringLiteral("load-module"),
                                              QStringLiteral("module-null-sink"),
                                              QStringLiteral("sink_name=") + name})) {
            module = *index;
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < 5000 && !hasOutput(name.toUtf8()))
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (hasOutput(name.toUtf8())) {
                outputId = name.toUtf8();
                monitor = name + QStringLiteral(".monitor");
            }
        }
        monitorName = monitor;
        shared = new SinkRecorder;
        if (!shared->start(monitor)) {
            delete shared;
            shared = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
        if (!module.isEmpty())
            SinkRecorder::pactl({QStringLiteral("unload-module"), module});
        module.clear();
        outputId.clear();
    }

    static bool hasOutput(const QByteArray& id) {
        const auto sinks = SinkRecorder::pactl(
            {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sinks")});
        if (!sinks)
            return false;
        const auto lines = sinks->split(u'\n');
        return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
            return line.section(u'\t', 1, 1) == QString::fromUtf8(id);
        });
    }

    void SetUp() override {
        if (!SinkRecorder::serverAvailable())
            GTEST_SKIP() << "no sound server answers (pactl info fails): nothing can be heard";
        ASSERT_NE(shared, nullptr) << "parec does not record the default sink's monitor";
        auto audio = std::make_shared<AudioChannel>(outputId);
        channel = audio.get();
        sound = std::make_unique<SoundSystem>(std::move(audio));
        ASSERT_TRUE(channel->waitUntilConnected(5000)) << "the server offers no output";
        shared->mark();
    }

    static inline SinkRecorder* shared = nullptr;
    static inline QString module;
    static inline QString monitorName;
    static inline QByteArray outputId;
    std::unique_ptr<SoundSystem> sound;
    AudioChannel* channel = nullptr;
};

TEST_F(Hearing, FanfareIsHeardWholeAndAlone) {
    const double expected = soundSpan(test::toMono(*sound->WaveList().Items(0).Wave.Decoded()));
    EXPECT_NEAR(expected, 3.3, 0.15);

    sound->DoSound(QStringLiteral("0"));
    ASSERT_TRUE(channel->waitUntilIdle(10000));
    const auto heard = shared->take();
    // Nothing of the end is lost: a channel that stops when the last data was
    // handed over cuts about a tenth of a second.
    EXPECT_NEAR(soundSpan(heard), expected, 0.04);
}

TEST_F(Hearing, ShortSoundsAreHeardToTheirEnd) {
    // The tick is shorter than the server's buffer: it must not be lost in it.
    for (const auto& [id, seconds] :
         {std::pair{"2", 1543 / 22050.0}, std::pair{"3", 14264 / 22050.0},
          std::pair{"1", 6536 / 22050.0}}) {
        shared->mark();
        sound->DoSound(QString::fromLatin1(id));
        ASSERT_TRUE(channel->waitUntilIdle(5000));
        EXPECT_NEAR(soundSpan(shared->take()), seconds, 0.02) << "sound " << id;
    }
}

TEST_F(Hearing, BeepCutsTheFanfareAndNothingOfTheFanfareFollows) {
    sound->DoSound(QStringLiteral("0"));
    ASSERT_TRUE(shared->waitForSound(800, 5000));
    sound->DoSound(QStringLiteral("1"));
    ASSERT_TRUE(channel->waitUntilIdle(10000));
    const auto heard = shared->take();

    const auto bursts = findBursts(heard, 1000);
    ASSERT_FALSE(bursts.empty());
    const double span = soundSpan(heard);
    EXPECT_GT(span, 0.8 + 0.25);
    EXPECT_LT(span, 2.4) << "the fanfare went on after the beep";
    // The last 0.2 s heard are the beep's pure 1 kHz tone, so the beep came last
    // and whole, and the fanfare did not resume after it.
    const std::int64_t window = test::kRecordRate / 5;
    EXPECT_GT(test::energyShareAt(heard, bursts.back().end - window - 400, window, 1000), 0.9);
    // Before the beep the fanfare played, not a 1 kHz tone.
    EXPECT_LT(
        test::energyShareAt(heard, bursts.front().begin + test::kRecordRate / 2, window, 1000),
        0.5);
}

TEST_F(Hearing, AnnouncementSpeaksItsClipsInOrder) {
    // Each clip is one burst by itself, or counting them in a recording means nothing.
    const std::vector<int> ids = {20, 1, 104, 107, 1, 105};
    for (int id : ids) {
        const auto pcm = decodeWav(builtInClip(id));
        ASSERT_TRUE(pcm) << id;
        EXPECT_EQ(findBursts(test::toMono(*pcm)).size(), 1u) << "clip " << id;
    }

    sound->Announce(0, {0, 21, 1});
    ASSERT_TRUE(test::waitForAnnouncements(*sound, 15000));
    ASSERT_TRUE(channel->waitUntilIdle(5000));
    const auto bursts = findBursts(shared->take());

    ASSERT_EQ(bursts.size(), ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i)
        EXPECT_NEAR(bursts[i].seconds(), clipSeconds(ids[i]), 0.03) << "clip " << i;
}

TEST_F(Hearing, NewerAnnouncementCutsTheOlderOne) {
    sound->Announce(0, {1, 1, 1}); // eight clips, about four seconds
    ASSERT_TRUE(shared->waitForSound(150, 5000));
    sound->Announce(0, {0, 0, 15});
    ASSERT_TRUE(test::waitForAnnouncements(*sound, 15000));
    ASSERT_TRUE(channel->waitUntilIdle(5000));
    const auto bursts = findBursts(shared->take());

    // One or two clips of the older announcement, then the newer one's two; none
    // of the older one's remaining clips after them.
    ASSERT_GE(bursts.size(), 3u);
    EXPECT_LE(bursts.size(), 4u);
    EXPECT_NEAR(bursts[bursts.size() - 2].seconds(), clipSeconds(15), 0.03);
    EXPECT_NEAR(bursts.back().seconds(), clipSeconds(106), 0.03);
}

// The channel connects in the background: a sound asked for at once, before the
// connection is ready, waits for it and is heard whole.
TEST_F(Hearing, ASoundAskedForWhileConnectingIsHeardOnceConnected) {
    const auto beep = sound->WaveList().Items(1).Wave.Decoded();
    sound.reset();
    auto fresh = std::make_shared<AudioChannel>(outputId);
    EXPECT_TRUE(fresh->playAsync(beep));
    ASSERT_TRUE(fresh->waitUntilIdle(5000));
    const auto bursts = findBursts(shared->take());
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_NEAR(bursts.front().seconds(), 0.30, 0.03);
}

TEST_F(Hearing, SynchronousPlayReturnsAfterTheSoundWasHeard) {
    const auto beep = sound->WaveList().Items(1).Wave.Decoded();
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(channel->playSync(beep));
    const double returnedAfter = static_cast<double>(t.elapsed()) / 1000;
    EXPECT_GE(returnedAfter, 0.30);
    const auto bursts = findBursts(shared->take());
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_NEAR(bursts.front().seconds(), 0.30, 0.03);
}

TEST_F(Hearing, MissingFilePlaysTheAlertAndABrokenFileIsSilent) {
    QTemporaryDir dir;
    QFile junk(dir.filePath(QStringLiteral("junk.wav")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4000, 'x'));
    junk.close();

    sound->DoSound(junk.fileName());
    ASSERT_TRUE(channel->waitUntilIdle(5000));
    EXPECT_TRUE(findBursts(shared->snapshot()).empty());

    sound->DoSound(dir.filePath(QStringLiteral("missing.wav")));
    ASSERT_TRUE(channel->waitUntilIdle(5000));
    const auto bursts = findBursts(shared->take(), 1000);
    ASSERT_EQ(bursts.size(), 1u);
    const auto alert =
        decodeWav(QResource(QStringLiteral(":/sounds/alert.wav")).uncompressedData());
    ASSERT_TRUE(alert);
    EXPECT_NEAR(bursts.front().seconds(), soundSpan(test::toMono(*alert)), 0.03);
}

TEST_F(Hearing, FilePlaysUnlessANewerSoundWasAskedForWhileItLoaded) {
    QTemporaryDir dir;
    const QString shortFile = dir.filePath(QStringLiteral("short.wav"));
    const QString longFile = dir.filePath(QStringLiteral("long.wav"));
    for (const auto& [path, seconds] : {std::pair{shortFile, 0.5}, std::pair{longFile, 20.0}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            test::pcm16Wav(test::sine(440, 22050, static_cast<int>(22050 * seconds)), 1, 22050));
    }

    sound->DoSound(shortFile);
    ASSERT_TRUE(channel->waitUntilIdle(5000));
    const auto played = shared->take();
    EXPECT_NEAR(soundSpan(played), 0.5, 0.03);
    shared->mark();

    // The long file is still being read when the beep is asked for: the beep
    // wins, and the file never plays after it.
    sound->DoSound(longFile);
    sound->DoSound(QStringLiteral("1"));
    ASSERT_TRUE(channel->waitUntilIdle(10000));
    const auto heard = shared->take();
    EXPECT_NEAR(soundSpan(heard), 0.30, 0.03);
}

// Seconds from play() to the first audible sample at the monitor. Each sample
// is dated by when its data arrived, less the data that came after it; what
// remains includes the monitor's own small delay.
double delayToFirstSample(const QString& monitor, const std::function<void()>& play) {
    QProcess parec;
    if (!testing::startMonitorRecording(parec, monitor))
        return -1;
    // Some silence first, so that the monitor delivers steadily.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        parec.waitForReadyRead(50);
    parec.readAll();
    const auto start = std::chrono::steady_clock::now();
    play();
    const double seconds = testing::secondsToFirstSound(parec, start, 3000);
    parec.terminate();
    parec.waitForFinished(5000);
    return seconds;
}

// A WAV file of a 440 Hz tone, 44100 Hz stereo 16-bit, of the given length.
void writeToneFile(const QString& path, int seconds) {
    const std::vector<std::int16_t> mono = test::sine(440, 44100, 44100);
    std::vector<std::int16_t> stereo(mono.size() * 2);
    for (std::size_t i = 0; i < mono.size(); ++i)
        stereo[2 * i] = stereo[2 * i + 1] = mono[i];
    const QByteArray second = test::pcm16Wav(stereo, 2, 44100);
    const qsizetype header = second.size() - static_cast<qsizetype>(stereo.size() * 2);
    QByteArray head = second.left(header);
    const auto dataBytes = static_cast<std::uint32_t>((second.size() - header) * seconds);
    auto patch = [&head](qsizetype at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            head[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    patch(4, static_cast<std::uint32_t>(header - 8) + dataBytes);
    patch(header - 4, dataBytes);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(head);
    for (int i = 0; i < seconds; ++i)
        f.write(second.mid(header));
}

// A five-minute file is decoded as it plays: it starts as fast as a short one
// (reading and decoding it whole first took most of a second), and goes on
// past the part handed over at its start.
TEST_F(Hearing, AFiveMinuteFileStartsWithinATenthOfASecond) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("five-minutes.wav"));
    writeToneFile(path, 300);
    ASSERT_EQ(QFileInfo(path).size(), 44 + 300LL * 44100 * 4);

    std::vector<double> delays;
    for (int i = 0; i < 3; ++i) {
        const double d = delayToFirstSample(monitorName, [&] { sound->DoSound(path); });
        ASSERT_GE(d, 0) << "nothing was heard";
        delays.push_back(d);
        shared->mark();
        ASSERT_TRUE(shared->waitForSound(1500, 5000)) << "the file stopped after its first part";
        channel->stop();
        ASSERT_TRUE(channel->waitUntilIdle(5000));
    }
    std::sort(delays.begin(), delays.end());
    EXPECT_LT(delays[1], 0.100) << "delays " << delays[0] << ", " << delays[1] << ", " << delays[2];
}

// Sounds cut one another from two threads as fast as they come; the channel
// must survive every interleaving of starts and cuts, and end up silent.
TEST_F(Hearing, RapidCutsFromTwoThreadsEndCleanly) {
    std::atomic<bool> done{false};
    std::thread speaker([&] {
        const auto tick = sound->WaveList().Items(2).Wave.Decoded();
        while (!done)
            channel->playSync(tick);
    });
    for (int i = 0; i < 150; ++i) {
        sound->DoSound(QString::number(i % 4));
        QThread::usleep(static_cast<unsigned long>((i * 7919) % 9000));
    }
    done = true;
    speaker.join();
    channel->stop();
    EXPECT_TRUE(channel->waitUntilIdle(10000));
}

// Without a sound server: the channel is started in a child process whose
// client library is pointed at a socket where no server listens, so that what
// it prints, and that it prints nothing, can be seen.
TEST(NoSoundServer, EverythingIsSilentAndNothingWaits) {
    if (qEnvironmentVariableIsSet("QV_NO_SERVER_CHILD")) {
        QElapsedTimer t;
        t.start();
        SoundSystem sound;
        auto& channel = static_cast<AudioChannel&>(sound.Channel());
        // Asked for before the channel knows that there is no server: held for
        // the outcome, then dropped.
        sound.DoSound(QStringLiteral("1"));
        ASSERT_TRUE(test::waitForNoOutput(channel, 3000));
        EXPECT_TRUE(channel.waitUntilIdle(3000));
        EXPECT_FALSE(sound.WaveList().Items(0).Play());
        sound.DoSound(QStringLiteral("0"));
        sound.DoSound(QStringLiteral("/nonexistent/file.wav"));
        EXPECT_FALSE(sound.Channel().playSync(sound.WaveList().Items(1).Wave.Decoded()));
        sound.Announce(0, {1, 1, 1});
        EXPECT_TRUE(test::waitForAnnouncements(sound, 5000));
        EXPECT_LT(t.elapsed(), 5000);
        return;
    }
    QProcess child;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QV_NO_SERVER_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent/qv-no-server"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=NoSoundServer.EverythingIsSilentAndNothingWaits")});
    ASSERT_TRUE(child.waitForFinished(60000)) << "the channel hangs without a server";
    const QString out = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 1 test"))) << out.toStdString();
    // Nothing is logged: the only output is the test framework's own.
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(line.startsWith(u'[') || line.startsWith(QStringLiteral("Note:")) ||
                    line.startsWith(QStringLiteral("Running main")))
            << "unexpected output: " << line.toStdString();
}

} // namespace
} // namespace qv
