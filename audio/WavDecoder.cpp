#include "audio/WavDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t{u[0]} | std::uint32_t{u[1]} << 8 | std::uint32_t{u[2]} << 16 |
           std::uint32_t{u[3]} << 24;
}

std::uint16_t le16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(u[0] | u[1] << 8);
}

// The decoder reads the image through these callbacks; the image stays the
// caller's and is never copied.
struct MemoryReader {
    QByteArrayView bytes;
    sf_count_t pos = 0;
};

sf_count_t vioLength(void* user) {
    return static_cast<MemoryReader*>(user)->bytes.size();
}

sf_count_t vioSeek(sf_count_t offset, int whence, void* user) {
    auto* r = static_cast<MemoryReader*>(user);
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = r->pos;
    else if (whence == SEEK_END)
        base = r->bytes.size();
    const sf_count_t target = base + offset;
    if (target < 0 || target > r->bytes.size())
        return -1;
    r->pos = target;
    return r->pos;
}

sf_count_t vioRead(void* ptr, sf_count_t count, void* user) {
    auto* r = static_cast<MemoryReader*>(user);
    const sf_count_t n =
        std::clamp<sf_count_t>(r->bytes.size() - r->pos, 0, std::max<sf_count_t>(count, 0));
    std::memcpy(ptr, r->bytes.data() + r->pos, static_cast<std::size_t>(n));
    r->pos += n;
    return n;
}

sf_count_t vioWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t vioTell(void* user) {
    return static_cast<MemoryReader*>(user)->pos;
}

bool isAdpcm(std::uint16_t tag) {
    return tag == 0x0002 || tag == 0x0011;
}

} // namespace

std::optional<WavLayout> parseWavLayout(QByteArrayView image) {
    const char* d = image.data();
    const qsizetype size = image.size();
    if (size < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WavLayout w;
    bool haveFmt = false;
    qsizetype pos = 12;
    while (pos + 8 <= size) {
        const char* id = d + pos;
        const std::int64_t len = le32(d + pos + 4);
        const qsizetype body = pos + 8;
        const std::int64_t avail = std::min<std::int64_t>(len, size - body);
        if (std::memcmp(id, "fmt ", 4) == 0 && avail >= 16) {
            w.formatTag = le16(d + body);
            w.channels = le16(d + body + 2);
            w.sampleRate = le32(d + body + 4);
            if (w.formatTag == 0xFFFE && avail >= 26) // extensible: the real tag leads the GUID
                w.formatTag = le16(d + body + 24);
            haveFmt = true;
        } else if (std::memcmp(id, "fact", 4) == 0 && avail >= 4) {
            w.factFrames = le32(d + body);
        } else if (std::memcmp(id, "data", 4) == 0 && w.dataOffset < 0) {
            w.dataOffset = body;
            w.dataSize = avail;
        }
        // Chunks are padded to even sizes; a length past the end ends the walk.
        const std::int64_t next = std::int64_t{body} + len + (len & 1);
        if (next > size)
            break;
        pos = static_cast<qsizetype>(next);
    }
    if (!haveFmt || w.dataOffset < 0)
        return std::nullopt;
    return w;
}

OutputConverter::OutputConverter(int channels, int sampleRate, std::int64_t sourceFrames)
    : channels_(std::max(channels, 1)),
      step_(static_cast<double>(std::max(sampleRate, 1)) / kOutputRate) {
    const auto frames = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(static_cast<double>(sourceFrames) / step_) + 1, 0,
        kMaxDecodedFrames);
    out_->samples.reserve(static_cast<std::size_t>(frames * kOutputChannels));
}

void OutputConverter::emit(const float* f0, const float* f1, double frac) {
    for (int side = 0; side < kOutputChannels; ++side) {
        const int c = channels_ == 1 ? 0 : side;
        const double v = f0[c] * (1.0 - frac) + f1[c] * frac;
        const double scaled = std::clamp(v, -1.0, 1.0) * 32767.0;
        out_->samples.push_back(
            static_cast<std::int16_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5));
    }
}

void OutputConverter::feed(const float* in, std::int64_t frames) {
    if (frames <= 0)
        return;
    const std::int64_t end = consumed_ + frames; // one past the last source frame fed
    float prev[2] = {last_[0], last_[1]};
    auto frame = [&](std::int64_t index) -> const float* {
        return index < consumed_ ? prev : in + (index - consumed_) * channels_;
    };
    // Every output frame whose two neighbours have both arrived.
    while (out_->frames() < kMaxDecodedFrames) {
        const auto f0 = static_cast<std::int64_t>(next_);
        if (f0 + 1 >= end)
            break;
        emit(frame(f0), frame(f0 + 1), next_ - static_cast<double>(f0));
        next_ = static_cast<double>(out_->frames()) * step_;
    }
    const float* lastFrame = in + (frames - 1) * channels_;
    last_[0] = lastFrame[0];
    last_[1] = channels_ > 1 ? lastFrame[1] : lastFrame[0];
    consumed_ = end;
}

std::shared_ptr<PcmBuffer> OutputConverter::finish() {
    // An output frame that falls exactly on the last source frame has no
    // right-hand neighbour: it takes that frame as it is.
    while (consumed_ > 0 && out_->frames() < kMaxDecodedFrames &&
           next_ <= static_cast<double>(consumed_ - 1)) {
        emit(last_, last_, 0);
        next_ = static_cast<double>(out_->frames()) * step_;
    }
    return std::move(out_);
}

std::shared_ptr<PcmBuffer> convertToOutput(const std::vector<float>& in, int channels,
                                           int sampleRate) {
    if (channels <= 0 || sampleRate <= 0)
        return std::make_shared<PcmBuffer>();
    OutputConverter converter(channels, sampleRate,
                              static_cast<std::int64_t>(in.size()) / channels);
    converter.feed(in.data(), static_cast<std::int64_t>(in.size()) / channels);
    return converter.finish();
}

std::shared_ptr<const PcmBuffer> decodeWav(QByteArrayView image) {
    const auto layout = parseWavLayout(image);
    if (!layout)
        return nullptr;
    MemoryReader reader{image, 0};
    SF_VIRTUAL_IO io{vioLength, vioSeek, vioRead, vioWrite, vioTell};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &reader);
    if (!file)
        return nullptr;
    const bool wav = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV ||
                     (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAVEX;
    if (!wav || info.channels < 1 || info.channels > 64 || info.samplerate < 1000 ||
        info.samplerate > 384000) {
        sf_close(file);
        return nullptr;
    }
    // Read no more input than the longest sound we keep needs, whatever the
    // header claims.
    std::int64_t limit = kMaxDecodedFrames * info.samplerate / kOutputRate + 1;
    if (isAdpcm(layout->formatTag) && layout->factFrames && *layout->factFrames > 0)
        limit = std::min<std::int64_t>(limit, *layout->factFrames);
    OutputConverter converter(info.channels, info.samplerate,
                              std::min<std::int64_t>(limit, info.frames));
    constexpr sf_count_t kChunk = 4096;
    std::vector<float> chunk(static_cast<std::size_t>(kChunk * info.channels));
    std::int64_t have = 0;
    while (have < limit) {
        const sf_count_t want = std::min<sf_count_t>(kChunk, limit - have);
        const sf_count_t got = sf_readf_float(file, chunk.data(), want);
        if (got <= 0)
            break;
        converter.feed(chunk.data(), got);
        have += got;
    }
    sf_close(file);
    return converter.finish();
}

SoundFile loadSoundFile(const QString& path) {
    SoundFile result;
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.exists()) {
        result.status = SoundFileStatus::NotFound;
        return result;
    }
    result.status = SoundFileStatus::Unplayable;
    if (!fi.isFile() || fi.size() > kMaxSoundFileBytes)
        return result;
    const QByteArray native = QFile::encodeName(fi.absoluteFilePath());
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return result;
    struct stat st {};
    QByteArray bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxSoundFileBytes) {
        bytes.resize(static_cast<qsizetype>(st.st_size));
        qsizetype got = 0;
        while (got < bytes.size()) {
            const ssize_t n =
                ::read(fd, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += n;
        }
        bytes.truncate(got); // a file that shrank while read
    }
    ::close(fd);
    if (auto pcm = decodeWav(bytes)) {
        result.status = SoundFileStatus::Ok;
        result.pcm = std::move(pcm);
    }
    return result;
}

} // namespace qv
