#include "audio/AudioChannel.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QIODevice>
#include <QMediaDevices>
#include <QResource>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>

namespace qv {

// How a synchronous caller learns the end of its sound.
struct AudioChannel::Completion {
    std::mutex m;
    std::condition_variable cv;
    std::optional<bool> result;

    void set(bool ok) {
        {
            std::lock_guard lock(m);
            if (result)
                return;
            result = ok;
        }
        cv.notify_all();
    }

    bool wait(std::chrono::milliseconds limit) {
        std::unique_lock lock(m);
        if (!cv.wait_for(lock, limit, [this] { return result.has_value(); }))
            return false;
        return *result;
    }
};

namespace {

// Hands a decoded sound to the output stream.
class PcmSource final : public QIODevice {
public:
    explicit PcmSource(std::shared_ptr<const PcmBuffer> pcm) : pcm_(std::move(pcm)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return remaining() + QIODevice::bytesAvailable(); }
    bool atEnd() const override { return remaining() == 0; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = std::min(maxSize, remaining());
        if (n <= 0)
            return 0;
        std::memcpy(data, reinterpret_cast<const char*>(pcm_->samples.data()) + pos_,
                    static_cast<std::size_t>(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 remaining() const {
        return static_cast<qint64>(pcm_->samples.size() * sizeof(std::int16_t)) - pos_;
    }
    std::shared_ptr<const PcmBuffer> pcm_;
    qint64 pos_ = 0;
};

constexpr int kSinkGraceMs = 2000;
constexpr qint64 kShutdownGraceMs = 250;
constexpr int kWatchdogSlackMs = 3000;

QtMessageHandler previousHandler = nullptr;

void dropServerNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("PulseAudioService:")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

QAudioFormat outputFormat() {
    QAudioFormat f;
    f.setSampleRate(kOutputRate);
    f.setChannelCount(kOutputChannels);
    f.setSampleFormat(QAudioFormat::Int16);
    return f;
}

} // namespace

// Lives on the audio thread; everything in it runs there.
class AudioChannel::Engine final : public QObject {
public:
    explicit Engine(AudioChannel& owner) : owner_(owner), drainTimer_(this), watchdog_(this) {
        drainTimer_.setInterval(4);
        connect(&drainTimer_, &QTimer::timeout, this, &Engine::checkDrained);
        // A sound that neither ends nor fails in time (a stalled server, a
        // backend that never reports Idle) is given up, so no caller waits for ever.
        watchdog_.setSingleShot(true);
        connect(&watchdog_, &QTimer::timeout, this, [this] { finish(false); });
    }

    struct Request {
        std::uint64_t ticket = 0;
        std::shared_ptr<const PcmBuffer> pcm;
        std::shared_ptr<Completion> done;
    };

    void start(Request r) {
        // A request that a newer one has already superseded (started, or only
        // asked for) would be cut at once: it never starts, so a burst of
        // requests costs one stream, not one each.
        if (r.ticket <= lastTicket_ || r.ticket < owner_.nextTicket_.load()) {
            complete(r, false);
            return;
        }
        lastTicket_ = r.ticket;
        finish(false);
        if (!r.pcm) {
            complete(r, false);
            return;
        }
        if (r.pcm->frames() == 0) {
            complete(r, true);
            return;
        }
        const QAudioDevice device = outputDevice();
        if (device.isNull()) {
            complete(r, false);
            return;
        }
        auto* sink = new QAudioSink(device, outputFormat(), this);
        auto* source = new PcmSource(r.pcm);
        source->setParent(sink);
        current_ = std::move(r);
        sink_ = sink;
        source_ = source;
        draining_ = false;
        connect(sink, &QAudioSink::stateChanged, this, &Engine::stateChanged);
        watchdog_.start(static_cast<int>(current_.pcm->durationUs() / 1000) + kWatchdogSlackMs);
        sink->start(source);
        // Without a server start() fails with no state change at all.
        if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState)
            finish(false);
    }

    void shutdown() {
        finish(false);
        lastTicket_ = UINT64_MAX;
        // The sinks go with this object when the thread ends: give the backend
        // the same grace for a stream stopped a moment ago, briefly.
        if (sinceStop_.isValid() && sinceStop_.elapsed() < kShutdownGraceMs)
            QThread::msleep(static_cast<unsigned long>(kShutdownGraceMs - sinceStop_.elapsed()));
    }

private:
    QAudioDevice outputDevice() const {
        if (owner_.outputId_.isEmpty())
            return QMediaDevices::defaultAudioOutput();
        for (const QAudioDevice& d : QMediaDevices::audioOutputs()) {
            if (d.id() == owner_.outputId_)
                return d;
        }
        return {};
    }

    void stateChanged(QAudio::State state) {
        if (!sink_)
            return;
        if (state == QAudio::IdleState && source_->atEnd() && !draining_) {
            // Idle means the last data went into the server's buffer, not that
            // it was heard: wait for the stream's clock to pass the sound's end.
            draining_ = true;
            idleSince_.start();
            drainTimer_.start();
        } else if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
            finish(false);
        }
    }

    void checkDrained() {
        if (!sink_)
            return;
        const qint64 played = sink_->processedUSecs();
        const qint64 length = current_.pcm->durationUs();
        // The stream clock normally reaches the end within the buffer's length;
        // the cap keeps a stalled server from holding a caller forever.
        const qint64 bufferUs =
            qint64{sink_->bufferSize()} * 1000000 / (kOutputRate * kOutputChannels * 2);
        if (played >= length || idleSince_.elapsed() * 1000 > bufferUs + 500000)
            finish(true);
    }

    // Ends the current sound, if any: true when it was heard to its end.
    void finish(bool ok) {
        drainTimer_.stop();
        watchdog_.stop();
        if (sink_) {
            QAudioSink* sink = sink_;
            sink_ = nullptr;
            source_ = nullptr;
            disconnect(sink, nullptr, this, nullptr);
            sink->stop();
            sinceStop_.start();
            // The media backend may still be delivering a state change for the
            // stream from its own thread; freeing the sink under it crashes.
            // Stopped sinks are kept a while before they go.
            QTimer::singleShot(kSinkGraceMs, sink, [sink] { delete sink; });
            complete(current_, ok);
            current_ = {};
        }
    }

    void complete(Request& r, bool ok) {
        if (r.done)
            r.done->set(ok);
        r.done.reset();
        owner_.requestEnded();
    }

    AudioChannel& owner_;
    std::uint64_t lastTicket_ = 0;
    Request current_;
    QAudioSink* sink_ = nullptr;
    PcmSource* source_ = nullptr;
    bool draining_ = false;
    QTimer drainTimer_;
    QTimer watchdog_;
    QElapsedTimer idleSince_;
    QElapsedTimer sinceStop_;
};

AudioChannel::AudioChannel(const QByteArray& outputId) : outputId_(outputId) {
    const QResource alert(QStringLiteral(":/sounds/alert.wav"));
    alert_ = decodeWav(alert.uncompressedData());

    // The media backend connects to the server on first use and prints a line
    // when there is none; sound never logs, so that line is held back.
    previousHandler = qInstallMessageHandler(dropServerNotices);
    mediaDevices_ = new QMediaDevices;
    devices_ = static_cast<int>(QMediaDevices::audioOutputs().size());
    qInstallMessageHandler(previousHandler);
    QObject::connect(mediaDevices_, &QMediaDevices::audioOutputsChanged, mediaDevices_,
                     [this] { devices_ = static_cast<int>(QMediaDevices::audioOutputs().size()); });

    engine_ = new Engine(*this);
    engine_->moveToThread(&audioThread_);
    QObject::connect(&audioThread_, &QThread::finished, engine_, &QObject::deleteLater);
    audioThread_.setObjectName(QStringLiteral("qv-audio"));
    audioThread_.start();

    loader_ = new QObject;
    loader_->moveToThread(&loaderThread_);
    QObject::connect(&loaderThread_, &QThread::finished, loader_, &QObject::deleteLater);
    loaderThread_.setObjectName(QStringLiteral("qv-sound-loader"));
    loaderThread_.start();
}

AudioChannel::~AudioChannel() {
    loaderThread_.quit();
    loaderThread_.wait();
    QMetaObject::invokeMethod(
        engine_, [e = engine_] { e->shutdown(); }, Qt::BlockingQueuedConnection);
    audioThread_.quit();
    audioThread_.wait();
    delete mediaDevices_;
}

int AudioChannel::outputDeviceCount() const {
    return devices_.load();
}

void AudioChannel::post(std::uint64_t ticket, std::shared_ptr<const PcmBuffer> pcm,
                        std::shared_ptr<Completion> done) {
    QMetaObject::invokeMethod(
        engine_,
        [e = engine_, r = Engine::Request{ticket, std::move(pcm), std::move(done)}]() mutable {
            e->start(std::move(r));
        },
        Qt::QueuedConnection);
}

void AudioChannel::requestEnded() {
    {
        std::lock_guard lock(idleMutex_);
        --outstanding_;
    }
    idleCv_.notify_all();
}

bool AudioChannel::playAsync(std::shared_ptr<const PcmBuffer> pcm) {
    if (!pcm || outputDeviceCount() == 0)
        return false;
    {
        std::lock_guard lock(idleMutex_);
        ++outstanding_;
    }
    post(++nextTicket_, std::move(pcm), nullptr);
    return true;
}

bool AudioChannel::playSync(std::shared_ptr<const PcmBuffer> pcm) {
    if (!pcm || outputDeviceCount() == 0)
        return false;
    const auto length = std::chrono::microseconds(pcm->durationUs());
    auto done = std::make_shared<Completion>();
    {
        std::lock_guard lock(idleMutex_);
        ++outstanding_;
    }
    post(++nextTicket_, std::move(pcm), done);
    // The margin covers the server's buffer and start-up; past it the server has
    // stalled and the caller gives up rather than hang.
    return done->wait(std::chrono::duration_cast<std::chrono::milliseconds>(length) +
                      std::chrono::seconds(5));
}

void AudioChannel::playFileAsync(const QString& path) {
    if (outputDeviceCount() == 0)
        return;
    const std::uint64_t ticket = ++nextTicket_;
    {
        std::lock_guard lock(idleMutex_);
        ++outstanding_;
    }
    QMetaObject::invokeMethod(
        loader_,
        [this, ticket, path] {
            const SoundFile file = loadSoundFile(path);
            std::shared_ptr<const PcmBuffer> pcm;
            if (file.status == SoundFileStatus::Ok)
                pcm = file.pcm;
            else if (file.status == SoundFileStatus::NotFound)
                pcm = alert_;
            post(ticket, std::move(pcm), nullptr);
        },
        Qt::QueuedConnection);
}

void AudioChannel::stop() {
    {
        std::lock_guard lock(idleMutex_);
        ++outstanding_;
    }
    post(++nextTicket_, nullptr, nullptr);
}

bool AudioChannel::waitUntilIdle(int timeoutMs) {
    std::unique_lock lock(idleMutex_);
    return idleCv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [this] { return outstanding_ == 0; });
}

} // namespace qv
