#include "audio/WavDecoder.h"

#include "SinkRecorder.h"
#include "WavBuilder.h"
#include "audio/SpeakThread.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QResource>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace qv {
namespace {

using test::energyShareAt;

std::vector<std::int16_t> side(const PcmBuffer& pcm, int which) {
    std::vector<std::int16_t> s(static_cast<std::size_t>(pcm.frames()));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = pcm.samples[i * kOutputChannels + static_cast<std::size_t>(which)];
    return s;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every kind of WAV a user may pick, written by sox: a 440 Hz tone on the left
// and 880 Hz on the right for half a second.
struct Kind {
    const char* name;
    QStringList soxArgs;
    int rate;
    int channels;
};

void PrintTo(const Kind& k, std::ostream* os) {
    *os << k.name;
}

class DecodeKinds : public ::testing::TestWithParam<Kind> {};

TEST_P(DecodeKinds, ToneKeepsLengthPitchAndSides) {
    if (QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty())
        GTEST_SKIP() << "sox is not installed";
    const Kind& k = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    QStringList args = {QStringLiteral("-r"), QString::number(k.rate), QStringLiteral("-c"),
                        QString::number(k.channels), QStringLiteral("-n")};
    args += k.soxArgs;
    args += {path, QStringLiteral("synth"), QStringLiteral("0.5"), QStringLiteral("sine"),
             QStringLiteral("440")};
    if (k.channels == 2)
        args += {QStringLiteral("sine"), QStringLiteral("880")};
    args += {QStringLiteral("vol"), QStringLiteral("0.5")};
    QProcess sox;
    sox.start(QStringLiteral("sox"), args);
    ASSERT_TRUE(sox.waitForFinished(20000));
    ASSERT_EQ(sox.exitCode(), 0) << sox.readAllStandardError().toStdString();

    const auto pcm = decodeWav(readAll(path));
    ASSERT_TRUE(pcm);
    // Block codecs are trimmed to their sample count, so every kind lasts 0.5 s.
    EXPECT_NEAR(static_cast<double>(pcm->frames()) / kOutputRate, 0.5, 0.002);
    const auto left = side(*pcm, 0), right = side(*pcm, 1);
    const std::int64_t from = kOutputRate / 10, n = kOutputRate / 10; // 44 and 88 whole cycles
    EXPECT_GT(energyShareAt(left, from, n, 440), 0.9);
    EXPECT_GT(energyShareAt(right, from, n, k.channels == 2 ? 880 : 440), 0.9);
}

INSTANTIATE_TEST_SUITE_P(
    AllEncodings, DecodeKinds,
    ::testing::Values(
        Kind{"u8_mono_8000", {QStringLiteral("-b"), QStringLiteral("8")}, 8000, 1},
        Kind{"s16_stereo_44100", {QStringLiteral("-b"), QStringLiteral("16")}, 44100, 2},
        Kind{"s16_mono_11025", {QStringLiteral("-b"), QStringLiteral("16")}, 11025, 1},
        Kind{"s24_mono_48000", {QStringLiteral("-b"), QStringLiteral("24")}, 48000, 1},
        Kind{"s32_stereo_96000", {QStringLiteral("-b"), QStringLiteral("32")}, 96000, 2},
        Kind{"float_stereo_22050",
             {QStringLiteral("-e"), QStringLiteral("floating-point"), QStringLiteral("-b"),
              QStringLiteral("32")},
             22050,
             2},
        Kind{"ms_adpcm_mono_22050", {QStringLiteral("-e"), QStringLiteral("ms-adpcm")}, 22050, 1},
        Kind{"ms_adpcm_stereo_44100", {QStringLiteral("-e"), QStringLiteral("ms-adpcm")}, 44100, 2},
        Kind{"ima_adpcm_mono_16000", {QStringLiteral("-e"), QStringLiteral("ima-adpcm")}, 16000, 1},
        Kind{"ima_adpcm_stereo_32000",
             {QStringLiteral("-e"), QStringLiteral("ima-adpcm")},
             32000,
             2}),
    [](const auto& kind) { return std::string(kind.param.name); });

TEST(WavDecoder, BuiltInSoundsHaveTheirLengths) {
    // The fanfare's blocks hold 148628 samples; its "fact" chunk says 146944 are sound.
    const QByteArray fanfare = QResource(QStringLiteral(":/sounds/fanfare.wav")).uncompressedData();
    const auto layout = parseWavLayout(fanfare);
    ASSERT_TRUE(layout && layout->factFrames);
    EXPECT_EQ(layout->formatTag, 2);
    EXPECT_EQ(*layout->factFrames, 146944u);
    EXPECT_EQ(decodeWav(fanfare)->frames(), 146944);

    const struct {
        const char* name;
        double seconds;
    } pcm[] = {{"beep", 6536 / 22050.0}, {"tick", 1543 / 22050.0}, {"longbeep", 14264 / 22050.0}};
    for (const auto& s : pcm) {
        const auto d =
            decodeWav(QResource(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(s.name)))
                          .uncompressedData());
        ASSERT_TRUE(d) << s.name;
        EXPECT_NEAR(static_cast<double>(d->frames()) / kOutputRate, s.seconds, 0.0001) << s.name;
    }
}

TEST(WavDecoder, ClipsAreShortMonoAdpcmWords) {
    std::vector<int> ids = {20, 30, 40, 50, 60, 70, 80, 90, 101, 102, 103, 104, 105, 106, 107};
    for (int i = 1; i <= 19; ++i)
        ids.push_back(i);
    for (int id : ids) {
        const QByteArray image = builtInClip(id);
        const auto layout = parseWavLayout(image);
        ASSERT_TRUE(layout) << id;
        EXPECT_EQ(layout->formatTag, 2) << id;
        EXPECT_EQ(layout->channels, 1) << id;
        EXPECT_EQ(layout->sampleRate, 22050u) << id;
        ASSERT_TRUE(layout->factFrames) << id;
        const auto pcm = decodeWav(image);
        ASSERT_TRUE(pcm) << id;
        const double seconds = static_cast<double>(pcm->frames()) / kOutputRate;
        EXPECT_GE(seconds, 0.25) << id;
        EXPECT_LE(seconds, 0.76) << id;
    }
    EXPECT_TRUE(builtInClip(200).isEmpty());
    EXPECT_TRUE(builtInClip(0).isEmpty());
}

TEST(WavDecoder, ChunkWalkIsBoundedAndIgnoresTrailingChunks) {
    QByteArray list;
    test::putChunk(list, "LIST", QByteArray("INFOISFT\x05\0\0\0abcde", 17)); // odd size, padded
    const QByteArray wav = test::pcm16Wav(test::sine(1000, 22050, 2205), 1, 22050, list);
    const auto layout = parseWavLayout(wav);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->dataSize, 4410);
    EXPECT_FALSE(layout->factFrames);
    const auto pcm = decodeWav(wav);
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->frames(), 4409); // 0.1 s at 44100, the last source frame not interpolated past

    // A data chunk that claims more than the image holds is read as far as it goes.
    QByteArray claims = test::pcm16Wav(test::sine(1000, 22050, 2205), 1, 22050);
    const qsizetype dataLen = claims.indexOf("data") + 4;
    claims[dataLen + 3] = '\x7f';
    ASSERT_TRUE(parseWavLayout(claims));
    EXPECT_EQ(parseWavLayout(claims)->dataSize, 4410);
    const auto partial = decodeWav(claims);
    EXPECT_TRUE(!partial || partial->frames() <= 4410);
}

TEST(WavDecoder, RejectsWhatIsNotAPlayableWav) {
    const QByteArray good = test::pcm16Wav(test::sine(1000, 22050, 2205), 1, 22050);
    EXPECT_FALSE(decodeWav(QByteArray()));
    EXPECT_FALSE(decodeWav(QByteArray(5000, 'x')));
    EXPECT_FALSE(decodeWav(good.left(11)));
    EXPECT_FALSE(decodeWav(good.left(30))); // "fmt " cut short, no data chunk
    QByteArray notWave = good;
    notWave.replace(8, 4, "AVI ");
    EXPECT_FALSE(decodeWav(notWave));
    QByteArray noChannels = good;
    noChannels[22] = 0; // fmt channel count
    EXPECT_FALSE(decodeWav(noChannels));
    QByteArray chunkPastEnd = good.left(12);
    test::put32(chunkPastEnd.append("junk"), 0xFFFFFFF0u);
    EXPECT_FALSE(parseWavLayout(chunkPastEnd));

    // Half an ADPCM image decodes as far as its blocks go, no further.
    const QByteArray fanfare = QResource(QStringLiteral(":/sounds/fanfare.wav")).uncompressedData();
    const auto half = decodeWav(fanfare.left(fanfare.size() / 2));
    if (half) {
        EXPECT_LT(half->frames(), 146944 * 6 / 10);
    }
}

TEST(WavDecoder, ConversionMapsChannelsRateAndRange) {
    // Mono reaches both sides, and a loud float is clipped, not wrapped.
    auto mono = convertToOutput({0.5f, 2.0f, -2.0f}, 1, kOutputRate);
    ASSERT_EQ(mono->frames(), 3);
    EXPECT_EQ(mono->samples,
              (std::vector<std::int16_t>{16384, 16384, 32767, 32767, -32767, -32767}));
    // Three channels keep the first two.
    auto three = convertToOutput({0.25f, -0.25f, 0.9f}, 3, kOutputRate);
    EXPECT_EQ(three->samples, (std::vector<std::int16_t>{8192, -8192}));
    // Half the rate: twice the frames, the gaps filled halfway.
    auto slow = convertToOutput({0.0f, 0.5f, 1.0f}, 1, kOutputRate / 2);
    ASSERT_EQ(slow->frames(), 5);
    EXPECT_EQ(slow->samples[2], 8192);
    // 48 kHz to 44.1 kHz keeps the duration.
    auto fast = convertToOutput(std::vector<float>(48000, 0.1f), 1, 48000);
    EXPECT_NEAR(static_cast<double>(fast->frames()), 44100, 1);
    EXPECT_EQ(convertToOutput({}, 1, 8000)->frames(), 0);
}

TEST(WavDecoder, ConversionInPiecesEqualsConversionAtOnce) {
    std::vector<float> in(2 * 5000);
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<float>(std::sin(0.37 * static_cast<double>(i)) * 0.8);
    for (int rate : {8000, 22050, 44100, 48000}) {
        const auto whole = convertToOutput(in, 2, rate);
        OutputConverter pieces(2, rate);
        std::int64_t at = 0, size = 1;
        while (at < 5000) {
            const std::int64_t n = std::min<std::int64_t>(size, 5000 - at);
            pieces.feed(in.data() + at * 2, n);
            at += n;
            size = size % 13 + 1; // 1, 2, ... 13, 1, ...
        }
        EXPECT_EQ(pieces.finish()->samples, whole->samples) << rate;
    }
}

// Read piece by piece, as the stream asks for it, a sound is the same as decoded
// at once: from memory, from a file, and ADPCM ends at its "fact" count.
TEST(SoundDecoder, PiecesAreTheWholeSound) {
    const QByteArray images[] = {
        test::pcm16Wav(test::sine(500, 22050, 22050 * 2 + 17), 1, 22050),
        QResource(QStringLiteral(":/sounds/fanfare.wav")).uncompressedData()};
    QTemporaryDir dir;
    for (const QByteArray& image : images) {
        const auto whole = decodeWav(image);
        ASSERT_TRUE(whole);
        auto fromMemory = SoundDecoder::fromImage(image);
        ASSERT_TRUE(fromMemory);
        const QString path = dir.filePath(QStringLiteral("piece.wav"));
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(image);
        }
        OpenedSoundFile file = openSoundFile(path);
        ASSERT_EQ(file.status, SoundFileStatus::Ok);
        for (SoundDecoder* d : {fromMemory.get(), file.decoder.get()}) {
            std::vector<std::int16_t> got;
            std::vector<std::int16_t> piece(2 * 997);
            // Odd sizes, none a multiple of the decoder's own chunk.
            for (std::size_t n = 1;; n = n * 3 % 997 + 1) {
                const std::size_t frames = d->read(piece.data(), n);
                got.insert(got.end(), piece.begin(),
                           piece.begin() + static_cast<std::ptrdiff_t>(frames * 2));
                if (frames < n)
                    break;
            }
            EXPECT_EQ(d->read(piece.data(), 10), 0u) << "more after the end";
            EXPECT_EQ(got, whole->samples);
            EXPECT_NEAR(static_cast<double>(d->expectedFrames()),
                        static_cast<double>(whole->frames()), 2);
        }
        QFile::remove(path);
    }
}

TEST(SoundFile, FindsPlaysOrRefusesWithoutBlocking) {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.wav"));
    {
        QFile f(good);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(test::pcm16Wav(test::sine(500, 8000, 800), 1, 8000));
    }
    const SoundFile ok = loadSoundFile(good);
    ASSERT_EQ(ok.status, SoundFileStatus::Ok);
    EXPECT_NEAR(static_cast<double>(ok.pcm->frames()), 4410, 6);

    EXPECT_EQ(loadSoundFile(dir.filePath(QStringLiteral("missing.wav"))).status,
              SoundFileStatus::NotFound);
    EXPECT_EQ(loadSoundFile(QString()).status, SoundFileStatus::NotFound);
    EXPECT_EQ(loadSoundFile(dir.path()).status, SoundFileStatus::Unplayable);
    EXPECT_EQ(loadSoundFile(QStringLiteral("/dev/zero")).status, SoundFileStatus::Unplayable);

    // A FIFO with no writer would block a plain open for ever.
    const QString fifo = dir.filePath(QStringLiteral("fifo.wav"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(loadSoundFile(fifo).status, SoundFileStatus::Unplayable);

    // Past the size cap nothing is read (the file is sparse: no disk is used).
    const QString huge = dir.filePath(QStringLiteral("huge.wav"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(test::pcm16Wav(test::sine(500, 8000, 800), 1, 8000));
        ASSERT_TRUE(f.resize(kMaxSoundFileBytes + 1));
    }
    EXPECT_EQ(loadSoundFile(huge).status, SoundFileStatus::Unplayable);

    const QString text = dir.filePath(QStringLiteral("notes.wav"));
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a sound at all\n");
    }
    EXPECT_EQ(loadSoundFile(text).status, SoundFileStatus::Unplayable);

    // Opening for playing as it decodes refuses the same things.
    EXPECT_EQ(openSoundFile(good).status, SoundFileStatus::Ok);
    EXPECT_EQ(openSoundFile(dir.filePath(QStringLiteral("missing.wav"))).status,
              SoundFileStatus::NotFound);
    for (const QString& bad : {dir.path(), QStringLiteral("/dev/zero"), fifo, huge, text})
        EXPECT_EQ(openSoundFile(bad).status, SoundFileStatus::Unplayable) << bad.toStdString();
}

} // namespace
} // namespace qv
