#include "audio/SoundSystem.h"

#include "Announcements.h"
#include "WavBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

namespace qv {
namespace {

// A channel that records what it was asked to play. Sync plays behave like the
// real channel's: a newer request cuts them (they return false); otherwise they
// end after holdMs.
class RecordingChannel final : public SoundChannel {
public:
    int devices = 1;
    int holdMs = 0;
    int refuseAfter = -1; // sync plays granted before every further one is refused

    int outputDeviceCount() const override { return devices; }

    bool playAsync(std::shared_ptr<const PcmBuffer> pcm) override {
        std::lock_guard lock(m_mutex);
        asyncPlays.push_back(std::move(pcm));
        ++m_generation;
        m_cv.notify_all();
        return true;
    }

    bool playSync(std::shared_ptr<const PcmBuffer> pcm) override {
        std::unique_lock lock(m_mutex);
        if (refuseAfter >= 0 && static_cast<int>(syncFrames.size()) >= refuseAfter)
            return false;
        syncFrames.push_back(pcm->frames());
        const auto mine = ++m_generation;
        m_cv.notify_all();
        m_cv.wait_for(lock, std::chrono::milliseconds(holdMs),
                      [&] { return m_generation != mine; });
        return m_generation == mine;
    }

    void playFileAsync(const QString& path) override {
        std::lock_guard lock(m_mutex);
        files.push_back(path);
        ++m_generation;
        m_cv.notify_all();
    }

    void stop() override {
        std::lock_guard lock(m_mutex);
        ++m_generation;
        m_cv.notify_all();
    }

    std::vector<std::shared_ptr<const PcmBuffer>> asyncPlays;
    std::vector<std::int64_t> syncFrames;
    QStringList files;

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::uint64_t m_generation = 0;
};

// Clip id n is a sound of 10 * n frames at the output rate, so the length of what
// was played tells which clip it was.
QByteArray numberedClip(int id) {
    return test::pcm16Wav(std::vector<std::int16_t>(static_cast<std::size_t>(10 * id), 1000), 1,
                          kOutputRate);
}

std::vector<int> clipIds(const std::vector<std::int64_t>& frames) {
    std::vector<int> ids;
    for (auto f : frames)
        ids.push_back(static_cast<int>(f / 10));
    return ids;
}

TEST(DoSound, OneCharacterPlaysABuiltInSoundOrNothing) {
    auto channel = std::make_shared<RecordingChannel>();
    SoundSystem sound(channel);
    ASSERT_EQ(sound.WaveList().Count(), 4);
    for (const char* id : {"2", "0", "3", "1"})
        sound.DoSound(QString::fromLatin1(id));
    ASSERT_EQ(channel->asyncPlays.size(), 4u);
    EXPECT_EQ(channel->asyncPlays[0], sound.WaveList().Items(2).Wave.Decoded());
    EXPECT_EQ(channel->asyncPlays[1], sound.WaveList().Items(0).Wave.Decoded());
    EXPECT_EQ(channel->asyncPlays[2], sound.WaveList().Items(3).Wave.Decoded());
    EXPECT_EQ(channel->asyncPlays[3], sound.WaveList().Items(1).Wave.Decoded());

    // Any other single character plays nothing and is never taken for a file.
    for (const QString& s :
         {QStringLiteral("4"), QStringLiteral("x"), QStringLiteral("/"), QStringLiteral(" "),
          QStringLiteral("\u00e9"), QStringLiteral("\u0663")})
        sound.DoSound(s);
    EXPECT_EQ(channel->asyncPlays.size(), 4u);
    EXPECT_TRUE(channel->files.isEmpty());
}

TEST(DoSound, EveryOtherStringIsAFilePath) {
    auto channel = std::make_shared<RecordingChannel>();
    SoundSystem sound(channel);
    const QStringList paths = {QString(), QStringLiteral("00"), QStringLiteral("1 "),
                               QStringLiteral("/home/u/gong.wav"), QStringLiteral("x\u00e9")};
    for (const QString& p : paths)
        sound.DoSound(p);
    EXPECT_EQ(channel->files, paths);
    EXPECT_TRUE(channel->asyncPlays.empty());
}

TEST(WaveList, BuiltInSoundsInOrderAndSilentWithoutADevice) {
    auto channel = std::make_shared<RecordingChannel>();
    SoundSystem sound(channel);
    TLMDWaveList& list = sound.WaveList();
    const double seconds[] = {146944 / 44100.0, 6536 / 22050.0, 1543 / 22050.0, 14264 / 22050.0};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(list.Items(i).Wave.Decoded()) << i;
        EXPECT_NEAR(static_cast<double>(list.Items(i).Wave.Decoded()->frames()) / kOutputRate,
                    seconds[i], 0.001)
            << i;
        EXPECT_TRUE(list.Items(i).Play());
    }

    TLMDWaveListItem& empty = list.Add();
    EXPECT_FALSE(empty.Play());
    empty.Wave.LoadFromData(QByteArray("RIFF junk that is no sound"));
    EXPECT_FALSE(empty.Play());
    EXPECT_EQ(channel->asyncPlays.size(), 4u);

    channel->devices = 0;
    EXPECT_FALSE(list.Items(0).Play());
    sound.DoSound(QStringLiteral("1"));
    EXPECT_EQ(channel->asyncPlays.size(), 4u);
}

TEST(SpeakThread, WalksThePlanSkipsMissingClipsAndStopsWhenRefused) {
    auto channel = std::make_shared<RecordingChannel>();
    {
        TSpeakThread t(0, {1, 1, 1}, channel, numberedClip);
        t.start();
        t.wait();
        EXPECT_EQ(clipIds(channel->syncFrames),
                  (std::vector<int>{1, 101, 107, 1, 103, 107, 1, 105}));
    }
    channel->syncFrames.clear();
    {
        // 101 and 107 are missing: the rest is still spoken.
        TSpeakThread t(0, {1, 1, 1}, channel, [](int id) {
            return id == 101 || id == 107 ? QByteArray() : numberedClip(id);
        });
        t.start();
        t.wait();
        EXPECT_EQ(clipIds(channel->syncFrames), (std::vector<int>{1, 1, 103, 1, 105}));
    }
    channel->syncFrames.clear();
    channel->refuseAfter = 2;
    {
        std::vector<int> asked;
        TSpeakThread t(0, {0, 21, 1}, channel, [&asked](int id) {
            asked.push_back(id);
            return numberedClip(id);
        });
        t.start();
        t.wait();
        EXPECT_EQ(clipIds(channel->syncFrames), (std::vector<int>{20, 1}));
        EXPECT_EQ(asked, (std::vector<int>{20, 1, 104})); // nothing after the refused clip
    }
}

TEST(Announce, NewerAnnouncementCutsTheOlderAndThreadsFreeThemselves) {
    auto channel = std::make_shared<RecordingChannel>();
    channel->holdMs = 5000;
    SoundSystem sound(channel, numberedClip);
    sound.Announce(0, {1, 1, 1});
    QElapsedTimer t;
    t.start();
    while (channel->syncFrames.empty() && t.elapsed() < 5000)
        QThread::msleep(1);
    channel->holdMs = 0;
    sound.Announce(0, {0, 0, 15});
    ASSERT_TRUE(test::waitForAnnouncements(sound, 10000));
    EXPECT_EQ(clipIds(channel->syncFrames), (std::vector<int>{1, 15, 106}));
}

// An announcement every second for an hour, a thousand times faster: each cuts
// the one before, and nothing is left behind (the sanitizer build checks memory).
TEST(Announce, AnHourOfAnnouncementsLeavesNoThreads) {
    auto channel = std::make_shared<RecordingChannel>();
    channel->holdMs = 1;
    SoundSystem sound(channel, numberedClip);
    int peak = 0;
    for (int left = 3600; left > 0; --left) {
        sound.Announce(left % 60 < 2 ? 1 : 0, splitTime(left));
        QCoreApplication::processEvents();
        peak = std::max(peak, sound.announcementsAlive());
    }
    ASSERT_TRUE(test::waitForAnnouncements(sound, 60000));
    EXPECT_LT(peak, 3600);
    EXPECT_GE(channel->syncFrames.size(), 3600u - 60u); // short form at whole minutes says nothing
}

// The system's end cuts the sound and waits for every announcement, also one
// between two clips: none outlives it, and none holds the channel after it.
TEST(Announce, TheSystemsEndEndsEveryAnnouncement) {
    auto channel = std::make_shared<RecordingChannel>();
    channel->holdMs = 10000;
    QElapsedTimer t;
    {
        // Each clip lookup takes a while, so that some thread is between two
        // clips when the end comes.
        SoundSystem sound(channel, [](int id) {
            QThread::msleep(5);
            return numberedClip(id);
        });
        for (int i = 0; i < 8; ++i)
            sound.Announce(0, {1, 1, 1});
        while (channel->syncFrames.empty())
            QThread::msleep(1);
        EXPECT_EQ(sound.announcementsAlive(), 8);
        t.start();
    }
    EXPECT_LT(t.elapsed(), 2000) << "the end waited for the clips to play out";
    EXPECT_EQ(channel.use_count(), 1) << "an announcement still holds the channel";
    const std::size_t spoken = channel->syncFrames.size();
    QThread::msleep(50);
    EXPECT_EQ(channel->syncFrames.size(), spoken);
}

TEST(Announce, SilentSystemPlaysNothingAndNeverWaits) {
    auto sound = SoundSystem::createSilent();
    EXPECT_EQ(sound->Channel().outputDeviceCount(), 0);
    EXPECT_FALSE(sound->WaveList().Items(0).Play());
    sound->DoSound(QStringLiteral("0"));
    sound->DoSound(QStringLiteral("/no/such.wav"));
    sound->Announce(0, {12, 34, 56});
    EXPECT_TRUE(test::waitForAnnouncements(*sound, 10000));
}

} // namespace
} // namespace qv
