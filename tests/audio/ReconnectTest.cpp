// The sound channel against a sound server of the test's own that goes away,
// comes back, starts late or refuses: after each, the next sound is heard. The
// server runs on a private socket, so that killing it touches no other test.

#include "Announcements.h"
#include "SinkRecorder.h"
#include "audio/AudioChannel.h"
#include "audio/ServerConnection.h"
#include "audio/SoundSystem.h"
#include "audio/SpeakThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace qv {
namespace {

using test::findBursts;
using test::SinkRecorder;

// A PulseAudio server with one null sink on a socket in a folder of its own.
class PrivateServer {
public:
    PrivateServer() { ::mkdir(QFile::encodeName(runtime()).constData(), 0700); }
    ~PrivateServer() { kill(); }

    QString socketPath() const { return m_dir.filePath(QStringLiteral("native")); }
    QString address() const { return QStringLiteral("unix:") + socketPath(); }

    bool start() {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
        env.remove(QStringLiteral("PULSE_SERVER"));
        m_process.setProcessEnvironment(env);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(
            QStringLiteral("pulseaudio"),
            {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
             QStringLiteral("--use-pid-file=no"),
             QStringLiteral("--load=module-null-sink sink_name=null"),
             QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") +
                 socketPath()});
        if (!m_process.waitForStarted(5000))
            return false;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000) {
            QProcess info;
            info.start(QStringLiteral("pactl"),
                       {QStringLiteral("--server=") + address(), QStringLiteral("info")});
            if (info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit &&
                info.exitCode() == 0)
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    // A server that hangs: it keeps its socket and takes connections, but
    // answers nothing until it goes on.
    void freeze(bool frozen) {
        ::kill(static_cast<pid_t>(m_process.processId()), frozen ? SIGSTOP : SIGCONT);
    }

    // As a crash would: by its process id, at once, leaving its socket behind.
    void kill() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
        m_process.waitForFinished(5000);
    }

private:
    QString runtime() const { return m_dir.filePath(QStringLiteral("runtime")); }
    QTemporaryDir m_dir;
    QProcess m_process;
};

// A socket that takes every connection and closes it at once, as a server
// that refuses its clients does.
class RefusingSocket {
public:
    explicit RefusingSocket(const QString& path) {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(path);
        std::memcpy(addr.sun_path, native.constData(),
                    std::min<std::size_t>(native.size(), sizeof addr.sun_path - 1));
        ::unlink(native.constData());
        m_ok = ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
               ::listen(m_fd, 16) == 0;
        m_path = native;
        m_thread = std::thread([this] {
            while (!m_done) {
                const int c = ::accept(m_fd, nullptr, nullptr);
                if (c >= 0) {
                    ++m_refused;
                    ::close(c);
                }
            }
        });
    }
    ~RefusingSocket() {
        m_done = true;
        ::shutdown(m_fd, SHUT_RDWR);
        m_thread.join();
        ::close(m_fd);
        ::unlink(m_path.constData());
    }
    bool ok() const { return m_ok; }
    int refused() const { return m_refused.load(); }

private:
    int m_fd = -1;
    bool m_ok = false;
    QByteArray m_path;
    std::atomic<bool> m_done{false};
    std::atomic<int> m_refused{0};
    std::thread m_thread;
};

// The channel, the recorder and pactl all talk to the private server.
class ServerComesAndGoes : public ::testing::Test {
protected:
    void SetUp() override {
        if (!SinkRecorder::serverAvailable())
            GTEST_SKIP() << "no sound server here: pulseaudio cannot be run";
        m_previous = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", server.address().toUtf8());
    }
    void TearDown() override {
        sound.reset();
        recorder.reset();
        if (m_previous.isEmpty())
            qunsetenv("PULSE_SERVER");
        else
            qputenv("PULSE_SERVER", m_previous);
    }

    void makeSound() {
        auto audio = std::make_shared<AudioChannel>();
        channel = audio.get();
        sound = std::make_unique<SoundSystem>(std::move(audio));
    }

    void record() {
        recorder = std::make_unique<SinkRecorder>();
        ASSERT_TRUE(recorder->start(QStringLiteral("null.monitor")));
        recorder->mark();
    }

    // One beep, heard whole and alone.
    void expectBeepHeard() {
        recorder->mark();
        sound->DoSound(QStringLiteral("1"));
        ASSERT_TRUE(channel->waitUntilIdle(5000));
        const auto bursts = findBursts(recorder->take());
        ASSERT_EQ(bursts.size(), 1u);
        EXPECT_NEAR(bursts.front().seconds(), 6536 / 22050.0, 0.03);
    }

    // "fifteen seconds": two clips.
    void expectSpeechHeard() {
        recorder->mark();
        sound->Announce(0, {0, 0, 15});
        ASSERT_TRUE(test::waitForAnnouncements(*sound, 10000));
        ASSERT_TRUE(channel->waitUntilIdle(5000));
        EXPECT_EQ(findBursts(recorder->take()).size(), 2u);
    }

    // Sounds asked for while no server answers are silent and nothing waits.
    void expectSilentAndQuick() {
        QElapsedTimer t;
        t.start();
        EXPECT_EQ(channel->outputDeviceCount(), 0);
        sound->DoSound(QStringLiteral("1"));
        sound->DoSound(QStringLiteral("/nonexistent/file.wav"));
        EXPECT_FALSE(sound->WaveList().Items(0).Play());
        EXPECT_FALSE(channel->playSync(sound->WaveList().Items(1).Wave.Decoded()));
        sound->Announce(0, {1, 1, 1});
        EXPECT_TRUE(test::waitForAnnouncements(*sound, 5000));
        EXPECT_TRUE(channel->waitUntilIdle(5000));
        EXPECT_LT(t.elapsed(), 3000);
    }

    // Back on its own, without a request, within the longest retry pause.
    static constexpr int kBackWithinMs = ServerConnection::kRetryMaxMs + 3000;

    PrivateServer server;
    std::unique_ptr<SinkRecorder> recorder;
    std::unique_ptr<SoundSystem> sound;
    AudioChannel* channel = nullptr;

private:
    QByteArray m_previous;
};

TEST_F(ServerComesAndGoes, AfterTheServerIsKilledAndStartedAgainTheNextSoundsAreHeard) {
    ASSERT_TRUE(server.start());
    makeSound();
    ASSERT_TRUE(channel->waitUntilConnected(5000));
    record();
    expectBeepHeard();

    // The fanfare is playing when the server dies: nothing hangs, nothing is
    // reported, and the channel knows it has no output.
    recorder->mark();
    sound->DoSound(QStringLiteral("0"));
    ASSERT_TRUE(recorder->waitForSound(300, 5000));
    server.kill();
    recorder.reset();
    EXPECT_TRUE(channel->waitUntilIdle(5000));
    QElapsedTimer t;
    t.start();
    while (channel->outputDeviceCount() != 0 && t.elapsed() < 5000)
        QThread::msleep(10);
    expectSilentAndQuick();

    // Twice, so that the back-off that grew while it was gone comes back too.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(server.start()) << "round " << round;
        ASSERT_TRUE(channel->waitUntilConnected(kBackWithinMs)) << "round " << round;
        record();
        expectBeepHeard();
        expectSpeechHeard();
        server.kill();
        recorder.reset();
    }
}

TEST_F(ServerComesAndGoes, ProgramStartedBeforeTheServerPlaysOnceItAppears) {
    QElapsedTimer t;
    t.start();
    makeSound();
    EXPECT_LT(t.elapsed(), 2000) << "creating the channel waits for a server";
    ASSERT_TRUE(test::waitForNoOutput(*channel, 3000));
    expectSilentAndQuick();

    ASSERT_TRUE(server.start());
    ASSERT_TRUE(channel->waitUntilConnected(kBackWithinMs));
    record();
    expectBeepHeard();
    expectSpeechHeard();
}

TEST_F(ServerComesAndGoes, AServerThatRefusesIsSilentAndOneThatAcceptsLaterIsHeard) {
    {
        RefusingSocket refusing(server.socketPath());
        ASSERT_TRUE(refusing.ok());
        makeSound();
        ASSERT_TRUE(test::waitForNoOutput(*channel, 3000));
        expectSilentAndQuick();
        // It keeps asking, at a pace and not in a busy loop.
        QElapsedTimer t;
        t.start();
        while (refusing.refused() < 3 && t.elapsed() < 3 * kBackWithinMs)
            QThread::msleep(20);
        EXPECT_GE(refusing.refused(), 3);
        EXPECT_LT(refusing.refused(), 100);
    }
    ASSERT_TRUE(server.start());
    ASSERT_TRUE(channel->waitUntilConnected(kBackWithinMs));
    record();
    expectBeepHeard();
}

// A server that takes the connection and then answers nothing: the window's
// side never waits for it. Sounds asked for meanwhile are held a while and then
// dropped, a synchronous play gives up, and once the server goes on, it is heard.
TEST_F(ServerComesAndGoes, AServerThatHangsMakesNoCallerWait) {
    ASSERT_TRUE(server.start());
    server.freeze(true);
    QElapsedTimer t;
    t.start();
    makeSound();
    sound->DoSound(QStringLiteral("1"));
    sound->DoSound(QStringLiteral("0"));
    sound->DoSound(QStringLiteral("/nonexistent/file.wav"));
    sound->Announce(0, {0, 0, 15});
    EXPECT_LT(t.elapsed(), 500) << "the caller waited for the server";

    t.restart();
    EXPECT_FALSE(channel->playSync(sound->WaveList().Items(1).Wave.Decoded()));
    EXPECT_LT(t.elapsed(), AudioChannel::kHoldForServerMs + 1500);
    EXPECT_TRUE(test::waitForAnnouncements(*sound, 5000));
    EXPECT_TRUE(channel->waitUntilIdle(3000)) << "a held sound was never dropped";

    server.freeze(false);
    ASSERT_TRUE(channel->waitUntilConnected(kBackWithinMs));
    record();
    expectBeepHeard();
}

} // namespace
} // namespace qv
