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

} // namespace

// What the decoder reads from: an image in memory, never copied, or a regular
// file read at offsets.
struct ByteSource {
    QByteArrayView bytes;
    int fd = -1;
    sf_count_t size = 0;
    sf_count_t pos = 0;

    ~ByteSource() {
        if (fd >= 0)
            ::close(fd);
    }

    sf_count_t readAt(sf_count_t at, void* dst, sf_count_t n) const {
        n = std::clamp<sf_count_t>(size - at, 0, std::max<sf_count_t>(n, 0));
        if (fd < 0) {
            std::memcpy(dst, bytes.data() + at, static_cast<std::size_t>(n));
            return n;
        }
        sf_count_t got = 0;
        while (got < n) {
            const ssize_t r = ::pread(fd, static_cast<char*>(dst) + got,
                                      static_cast<std::size_t>(n - got), at + got);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                break;
            got += r;
        }
        return got;
    }
};

namespace {

sf_count_t vioLength(void* user) {
    return static_cast<ByteSource*>(user)->size;
}

sf_count_t vioSeek(sf_count_t offset, int whence, void* user) {
    auto* r = static_cast<ByteSource*>(user);
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = r->pos;
    else if (whence == SEEK_END)
        base = r->size;
    const sf_count_t target = base + offset;
    if (target < 0 || target > r->size)
        return -1;
    r->pos = target;
    return r->pos;
}

sf_count_t vioRead(void* ptr, sf_count_t count, void* user) {
    auto* r = static_cast<ByteSource*>(user);
    const sf_count_t n = r->readAt(r->pos, ptr, count);
    r->pos += n;
    return n;
}

sf_count_t vioWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t vioTell(void* user) {
    return static_cast<ByteSource*>(user)->pos;
}

SF_VIRTUAL_IO kVirtualIo{vioLength, vioSeek, vioRead, vioWrite, vioTell};

bool isAdpcm(std::uint16_t tag) {
    return tag == 0x0002 || tag == 0x0011;
}

std::optional<WavLayout> parseLayout(const ByteSource& src) {
    const sf_count_t size = src.size;
    char head[26];
    if (size < 12 || src.readAt(0, head, 12) != 12 || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WavLayout w;
    bool haveFmt = false;
    sf_count_t pos = 12;
    while (pos + 8 <= size) {
        char id[8];
        if (src.readAt(pos, id, 8) != 8)
            break;
        const std::int64_t len = le32(id + 4);
        const sf_count_t body = pos + 8;
        const std::int64_t avail = std::min<std::int64_t>(len, size - body);
        if (std::memcmp(id, "fmt ", 4) == 0 && avail >= 16) {
            const sf_count_t n = src.readAt(body, head, std::min<std::int64_t>(avail, 26));
            if (n < 16)
                break;
            w.formatTag = le16(head);
            w.channels = le16(head + 2);
            w.sampleRate = le32(head + 4);
            if (w.formatTag == 0xFFFE && n >= 26) // extensible: the real tag leads the GUID
                w.formatTag = le16(head + 24);
            haveFmt = true;
        } else if (std::memcmp(id, "fact", 4) == 0 && avail >= 4) {
            if (src.readAt(body, head, 4) == 4)
                w.factFrames = le32(head);
        } else if (std::memcmp(id, "data", 4) == 0 && w.dataOffset < 0) {
            w.dataOffset = body;
            w.dataSize = avail;
        }
        // Chunks are padded to even sizes; a length past the end ends the walk.
        const std::int64_t next = std::int64_t{body} + len + (len & 1);
        if (next > size)
            break;
        pos = next;
    }
    if (!haveFmt || w.dataOffset < 0)
        return std::nullopt;
    return w;
}

} // namespace

std::optional<WavLayout> parseWavLayout(QByteArrayView image) {
    ByteSource src;
    src.bytes = image;
    src.size = image.size();
    return parseLayout(src);
}

OutputConverter::OutputConverter(int channels, int sampleRate, std::int64_t sourceFrames)
    : m_channels(std::max(channels, 1)),
      m_step(static_cast<double>(std::max(sampleRate, 1)) / kOutputRate) {
    const auto frames = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(static_cast<double>(sourceFrames) / m_step) + 1, 0,
        kMaxDecodedFrames);
    m_out->samples.reserve(static_cast<std::size_t>(frames * kOutputChannels));
}

void OutputConverter::emit(const float* f0, const float* f1, double frac) {
    ++m_produced;
    for (int side = 0; side < kOutputChannels; ++side) {
        const int c = m_channels == 1 ? 0 : side;
        const double v = f0[c] * (1.0 - frac) + f1[c] * frac;
        const double scaled = std::clamp(v, -1.0, 1.0) * 32767.0;
        m_out->samples.push_back(
            static_cast<std::int16_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5));
    }
}

void OutputConverter::feed(const float* in, std::int64_t frames) {
    if (frames <= 0)
        return;
    const std::int64_t end = m_consumed + frames; // one past the last source frame fed
    float prev[2] = {m_last[0], m_last[1]};
    auto frame = [&](std::int64_t index) -> const float* {
        return index < m_consumed ? prev : in + (index - m_consumed) * m_channels;
    };
    // Every output frame whose two neighbours have both arrived.
    while (m_produced < kMaxDecodedFrames) {
        const auto f0 = static_cast<std::int64_t>(m_next);
        if (f0 + 1 >= end)
            break;
        emit(frame(f0), frame(f0 + 1), m_next - static_cast<double>(f0));
        m_next = static_cast<double>(m_produced) * m_step;
    }
    const float* lastFrame = in + (frames - 1) * m_channels;
    m_last[0] = lastFrame[0];
    m_last[1] = m_channels > 1 ? lastFrame[1] : lastFrame[0];
    m_consumed = end;
}

std::shared_ptr<PcmBuffer> OutputConverter::finish() {
    // An output frame that falls exactly on the last source frame has no
    // right-hand neighbour: it takes that frame as it is.
    while (m_consumed > 0 && m_produced < kMaxDecodedFrames &&
           m_next <= static_cast<double>(m_consumed - 1)) {
        emit(m_last, m_last, 0);
        m_next = static_cast<double>(m_produced) * m_step;
    }
    return std::move(m_out);
}

void OutputConverter::takeInto(std::vector<std::int16_t>& dst) {
    dst.insert(dst.end(), m_out->samples.begin(), m_out->samples.end());
    m_out->samples.clear();
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

SoundDecoder::SoundDecoder(std::unique_ptr<ByteSource> source) : m_source(std::move(source)) {}

SoundDecoder::~SoundDecoder() {
    if (m_file)
        sf_close(static_cast<SNDFILE*>(m_file));
}

std::unique_ptr<SoundDecoder> SoundDecoder::fromImage(QByteArrayView image) {
    auto src = std::make_unique<ByteSource>();
    src->bytes = image;
    src->size = image.size();
    std::unique_ptr<SoundDecoder> d(new SoundDecoder(std::move(src)));
    return d->open() ? std::move(d) : nullptr;
}

std::unique_ptr<SoundDecoder> SoundDecoder::fromFile(int fd, std::int64_t size) {
    auto src = std::make_unique<ByteSource>();
    src->fd = fd;
    src->size = size;
    std::unique_ptr<SoundDecoder> d(new SoundDecoder(std::move(src)));
    return d->open() ? std::move(d) : nullptr;
}

bool SoundDecoder::open() {
    const auto layout = parseLayout(*m_source);
    if (!layout)
        return false;
    SF_INFO info{};
    auto* file = sf_open_virtual(&kVirtualIo, SFM_READ, &info, m_source.get());
    if (!file)
        return false;
    m_file = file;
    const bool wav = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV ||
                     (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAVEX;
    if (!wav || info.channels < 1 || info.channels > 64 || info.samplerate < 1000 ||
        info.samplerate > 384000)
        return false;
    m_channels = info.channels;
    m_rate = info.samplerate;
    // Read no more input than the longest sound we keep needs, whatever the
    // header claims; ADPCM ends at the "fact" count, not at the padded block.
    m_limit = kMaxDecodedFrames * info.samplerate / kOutputRate + 1;
    if (isAdpcm(layout->formatTag) && layout->factFrames && *layout->factFrames > 0)
        m_limit = std::min<std::int64_t>(m_limit, *layout->factFrames);
    m_limit = std::min<std::int64_t>(m_limit, std::max<sf_count_t>(info.frames, 0));
    m_converter.emplace(m_channels, m_rate);
    return true;
}

std::int64_t SoundDecoder::expectedFrames() const {
    if (m_rate <= 0)
        return 0;
    return std::min<std::int64_t>(m_limit * kOutputRate / m_rate + 1, kMaxDecodedFrames);
}

void SoundDecoder::decodeMore() {
    constexpr sf_count_t kChunk = 4096;
    m_chunk.resize(static_cast<std::size_t>(kChunk * m_channels));
    const sf_count_t want = std::min<sf_count_t>(kChunk, m_limit - m_have);
    const sf_count_t got =
        want > 0 ? sf_readf_float(static_cast<SNDFILE*>(m_file), m_chunk.data(), want) : 0;
    if (got > 0) {
        m_converter->feed(m_chunk.data(), got);
        m_have += got;
    }
    if (got <= 0 || m_have >= m_limit || m_converter->produced() >= kMaxDecodedFrames) {
        m_ended = true;
        const auto rest = m_converter->finish();
        m_pending.insert(m_pending.end(), rest->samples.begin(), rest->samples.end());
        return;
    }
    m_converter->takeInto(m_pending);
}

std::size_t SoundDecoder::read(std::int16_t* out, std::size_t maxFrames) {
    const std::size_t want = maxFrames * kOutputChannels;
    std::size_t done = 0;
    while (done < want) {
        if (m_pendingPos == m_pending.size()) {
            m_pending.clear();
            m_pendingPos = 0;
            if (m_ended)
                break;
            decodeMore();
            continue;
        }
        const std::size_t n = std::min(want - done, m_pending.size() - m_pendingPos);
        std::memcpy(out + done, m_pending.data() + m_pendingPos, n * sizeof(std::int16_t));
        m_pendingPos += n;
        done += n;
    }
    return done / kOutputChannels;
}

std::shared_ptr<const PcmBuffer> decodeWav(QByteArrayView image) {
    auto decoder = SoundDecoder::fromImage(image);
    if (!decoder)
        return nullptr;
    auto pcm = std::make_shared<PcmBuffer>();
    pcm->samples.resize(static_cast<std::size_t>(decoder->expectedFrames() * kOutputChannels));
    std::size_t frames = 0;
    for (;;) {
        const std::size_t room = pcm->samples.size() / kOutputChannels - frames;
        if (room == 0)
            pcm->samples.resize(pcm->samples.size() + 4096 * kOutputChannels);
        const std::size_t got = decoder->read(pcm->samples.data() + frames * kOutputChannels,
                                              std::max<std::size_t>(room, 1));
        if (got == 0)
            break;
        frames += got;
    }
    pcm->samples.resize(frames * kOutputChannels);
    pcm->samples.shrink_to_fit();
    return pcm;
}

namespace {

// The descriptor of a regular file of at most kMaxSoundFileBytes, opened without
// blocking so that a FIFO or device swapped in after the check cannot hang the
// reader; -1 otherwise.
int openRegular(const QFileInfo& fi, std::int64_t& size) {
    if (!fi.isFile() || fi.size() > kMaxSoundFileBytes)
        return -1;
    const QByteArray native = QFile::encodeName(fi.absoluteFilePath());
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxSoundFileBytes) {
        ::close(fd);
        return -1;
    }
    size = st.st_size;
    return fd;
}

// NotFound when there is no such file, Unplayable when it is no regular file
// or too large; Ok with its descriptor and size otherwise.
SoundFileStatus openForReading(const QString& path, int& fd, std::int64_t& size) {
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.exists())
        return SoundFileStatus::NotFound;
    fd = openRegular(fi, size);
    return fd < 0 ? SoundFileStatus::Unplayable : SoundFileStatus::Ok;
}

} // namespace

OpenedSoundFile openSoundFile(const QString& path) {
    OpenedSoundFile result;
    int fd = -1;
    std::int64_t size = 0;
    result.status = openForReading(path, fd, size);
    if (result.status != SoundFileStatus::Ok)
        return result;
    result.decoder = SoundDecoder::fromFile(fd, size);
    if (!result.decoder)
        result.status = SoundFileStatus::Unplayable;
    return result;
}

SoundFile loadSoundFile(const QString& path) {
    SoundFile result;
    int fd = -1;
    std::int64_t size = 0;
    result.status = openForReading(path, fd, size);
    if (result.status != SoundFileStatus::Ok)
        return result;
    result.status = SoundFileStatus::Unplayable;
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    ByteSource file;
    file.fd = fd;
    file.size = size;
    bytes.truncate(static_cast<qsizetype>(file.readAt(0, bytes.data(), size))); // it may shrink
    if (auto pcm = decodeWav(bytes)) {
        result.status = SoundFileStatus::Ok;
        result.pcm = std::move(pcm);
    }
    return result;
}

} // namespace qv
