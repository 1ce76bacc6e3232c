// A file decoded ahead of the stream on the loader's thread: what the stream
// takes, piece by piece and as the feed asks for more, is the whole sound.

#include "audio/FileFeed.h"

#include "WavBuilder.h"

#include <gtest/gtest.h>
#include <latch>
#include <thread>

namespace qv {
namespace {

// A three-and-a-half-second tone: longer than what the feed decodes ahead.
QByteArray longTone() {
    return test::pcm16Wav(test::sine(440, 44100, 44100 * 7 / 2), 1, 44100);
}

TEST(FileFeed, TheStreamTakesTheWholeSoundAsTheFeedAsksForMore) {
    const QByteArray image = longTone();
    const auto whole = decodeWav(image);
    ASSERT_TRUE(whole);

    auto feed = std::make_shared<FileFeed>(SoundDecoder::fromImage(image));
    ASSERT_TRUE(feed->decodeAhead());
    int asked = 0;
    FeedSource source(feed, [&asked] { ++asked; });
    EXPECT_EQ(source.firstWrite() % kFrameBytes, 0u);

    std::vector<std::int16_t> heard;
    std::vector<std::int16_t> piece(4410 * kOutputChannels);
    // The stream takes pieces; the feed decodes only when it asked for more,
    // as the loader would.
    for (int round = 0; round < 1000 && !source.exhausted(); ++round) {
        const int before = asked;
        const std::size_t n = source.read(piece.data(), 4410);
        heard.insert(heard.end(), piece.begin(), piece.begin() + n * kOutputChannels);
        if (asked != before)
            feed->decodeAhead();
        if (n == 0) {
            ASSERT_NE(asked, before) << "the feed ran dry without asking for more";
        }
    }
    EXPECT_TRUE(source.exhausted());
    EXPECT_EQ(heard, whole->samples);
    // A request for every half second taken, give or take, never one per piece.
    EXPECT_GE(asked, 4);
    EXPECT_LE(asked, 10);
}

TEST(FileFeed, ADroppedFeedStopsDecodingAndNeverEnds) {
    const QByteArray image = longTone();
    auto feed = std::make_shared<FileFeed>(SoundDecoder::fromImage(image));
    ASSERT_TRUE(feed->decodeAhead());
    {
        FeedSource source(feed, [] {});
        std::vector<std::int16_t> piece(44100 * kOutputChannels);
        EXPECT_EQ(source.read(piece.data(), 44100), 44100u);
    } // the sound is cut: its source goes
    EXPECT_TRUE(feed->dropped());
    EXPECT_FALSE(feed->decodeAhead());
    EXPECT_FALSE(feed->exhausted());
}

TEST(SoundLoader, RunsTasksInOrderAndDropsThoseLeftAtItsEnd) {
    std::vector<int> ran;
    std::latch first(1);
    std::latch release(1);
    {
        SoundLoader loader;
        loader.post([&] {
            first.count_down();
            release.wait();
            ran.push_back(1);
        });
        loader.post([&] { ran.push_back(2); });
        first.wait();
        loader.post([&] { ran.push_back(3); });
        std::thread([&] { release.count_down(); }).join();
        // The loader may or may not reach the later tasks before its end; what
        // it runs, it runs in order, and its end never hangs.
    }
    ASSERT_FALSE(ran.empty());
    for (std::size_t i = 0; i < ran.size(); ++i)
        EXPECT_EQ(ran[i], static_cast<int>(i + 1));
}

} // namespace
} // namespace qv
