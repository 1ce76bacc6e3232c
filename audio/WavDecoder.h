#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace qv {

// Every sound is converted once, when it is decoded, to the one format the sound
// channel plays: 16-bit signed samples, interleaved stereo, 44100 Hz. The sound
// server converts that to whatever the device wants.
inline constexpr int kOutputRate = 44100;
inline constexpr int kOutputChannels = 2;

// A sound ready to play, in the output format.
struct PcmBuffer {
    std::vector<std::int16_t> samples; // interleaved, kOutputChannels per frame

    std::int64_t frames() const {
        return static_cast<std::int64_t>(samples.size()) / kOutputChannels;
    }
    std::int64_t durationUs() const { return frames() * 1000000 / kOutputRate; }
};

// What the RIFF chunks of a WAV image say, read by us rather than the decoder:
// the decoder pads ADPCM to whole blocks and ignores the "fact" sample count.
struct WavLayout {
    std::uint16_t formatTag = 0; // 1 PCM, 2 Microsoft ADPCM, 3 float, 0x11 IMA ADPCM, ...
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::optional<std::uint32_t> factFrames; // the "fact" chunk's sample count
    std::int64_t dataOffset = -1;
    std::int64_t dataSize = 0; // as much of the data chunk as the image holds
};

// Walks the chunks of a RIFF/WAVE image. Fails on anything that is not one, or
// that has no "fmt " or "data" chunk. Never reads past the image.
std::optional<WavLayout> parseWavLayout(QByteArrayView image);

// Sounds longer than this (five minutes) are cut: a timer's sound is seconds
// long, and a huge file must not take the memory of minutes of audio.
inline constexpr std::int64_t kMaxDecodedFrames = std::int64_t{kOutputRate} * 300;

// Decodes a WAV image (PCM of 8 to 32 bits, float, Microsoft or IMA ADPCM, any
// channel count and common rate) to the output format. Null when the image is not
// a WAV the decoder can read. The image is only read during the call.
std::shared_ptr<const PcmBuffer> decodeWav(QByteArrayView image);

// Converts float frames of any rate and channel count to the output format as
// they come, so that a long file is never held whole at its own rate. Mono goes
// to both sides; of more than two channels the first two are kept. Linear
// interpolation is enough for alert sounds and speech. Output stops at
// kMaxDecodedFrames.
class OutputConverter {
public:
    // sourceFrames: how many frames are expected, to size the output once (0
    // when the output is taken piece by piece).
    OutputConverter(int channels, int sampleRate, std::int64_t sourceFrames = 0);
    void feed(const float* interleaved, std::int64_t frames);
    // Moves the samples made so far to the end of dst.
    void takeInto(std::vector<std::int16_t>& dst);
    // Call once after the last feed; takes what was not taken yet.
    std::shared_ptr<PcmBuffer> finish();
    std::int64_t produced() const { return m_produced; }

private:
    void emit(const float* f0, const float* f1, double frac);
    int m_channels;
    double m_step;               // source frames per output frame
    double m_next = 0;           // source position of the next output frame
    std::int64_t m_consumed = 0; // source frames fed before the current chunk
    std::int64_t m_produced = 0; // output frames made, taken or not
    float m_last[2] = {0, 0};    // the last frame fed, first two channels
    std::shared_ptr<PcmBuffer> m_out = std::make_shared<PcmBuffer>();
};

struct ByteSource;

// A WAV decoded piece by piece, as it is played, in the output format: the
// first samples of a long file are ready at once, and memory stays small.
class SoundDecoder {
public:
    // An image in memory, which must outlive the decoder. Null when it is not a
    // WAV the decoder can read.
    static std::unique_ptr<SoundDecoder> fromImage(QByteArrayView image);
    // A regular file, read through the descriptor, which the decoder takes over
    // (closed also when this fails).
    static std::unique_ptr<SoundDecoder> fromFile(int fd, std::int64_t size);
    ~SoundDecoder();
    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;

    // Copies up to maxFrames output frames to out; fewer only at the end, 0 once
    // everything was read.
    std::size_t read(std::int16_t* out, std::size_t maxFrames);
    // Output frames the header promises (at most kMaxDecodedFrames).
    std::int64_t expectedFrames() const;

private:
    explicit SoundDecoder(std::unique_ptr<ByteSource> source);
    bool open();
    void decodeMore();

    std::unique_ptr<ByteSource> m_source;
    void* m_file = nullptr; // SNDFILE
    int m_channels = 0;
    int m_rate = 0;
    std::int64_t m_limit = 0; // source frames to read at most
    std::int64_t m_have = 0;  // source frames read
    std::optional<OutputConverter> m_converter;
    std::vector<float> m_chunk;
    std::vector<std::int16_t> m_pending; // decoded, not yet read
    std::size_t m_pendingPos = 0;
    bool m_ended = false;
};

// The whole conversion at once.
std::shared_ptr<PcmBuffer> convertToOutput(const std::vector<float>& interleaved, int channels,
                                           int sampleRate);

// The largest sound file read; anything larger is not played.
inline constexpr std::int64_t kMaxSoundFileBytes = 64LL * 1024 * 1024;

enum class SoundFileStatus { Ok, NotFound, Unplayable };

struct SoundFile {
    SoundFileStatus status = SoundFileStatus::NotFound;
    std::shared_ptr<const PcmBuffer> pcm; // set when Ok
};

struct OpenedSoundFile {
    SoundFileStatus status = SoundFileStatus::NotFound;
    std::unique_ptr<SoundDecoder> decoder; // set when Ok
};

// Opens a WAV file by path for decoding as it plays; the checks of
// loadSoundFile, without reading more than the header.
OpenedSoundFile openSoundFile(const QString& path);

// Reads and decodes a whole WAV file by path. Only regular files up to kMaxSoundFileBytes
// are read, and they are opened without blocking so that a FIFO or device swapped
// in after the check cannot hang the reader. NotFound only when nothing exists at
// the path (the caller plays the alert then); everything else that fails is
// Unplayable.
SoundFile loadSoundFile(const QString& path);

} // namespace qv
