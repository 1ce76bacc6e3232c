#include "store/RunStateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::runstate {
namespace {

const char* kindName(KeptRun::Kind kind) {
    switch (kind) {
    case KeptRun::Kind::Counting:
        return "counting";
    case KeptRun::Kind::Flashing:
        return "flashing";
    case KeptRun::Kind::None:
        break;
    }
    return "idle";
}

// An integer held exactly by a JSON number (which is a double) and within
// [low, high]; anything else is refused.
std::optional<std::int64_t> integer(const QJsonValue& v, std::int64_t low, std::int64_t high) {
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (!(d >= static_cast<double>(low) && d <= static_cast<double>(high)))
        return std::nullopt;
    const auto i = static_cast<std::int64_t>(d);
    if (static_cast<double>(i) != d)
        return std::nullopt;
    return i;
}

} // namespace

QByteArray encode(const KeptRun& run) {
    QJsonObject o;
    o.insert(QStringLiteral("version"), kVersion);
    o.insert(QStringLiteral("state"), QString::fromLatin1(kindName(run.kind)));
    if (run.kind != KeptRun::Kind::None) {
        o.insert(QStringLiteral("timer"), run.timer);
        o.insert(QStringLiteral("leftAtRun"), run.leftAtRun);
        o.insert(QStringLiteral("begunUtcMs"), static_cast<double>(run.begunUtcMs));
    }
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

KeptRun decode(const QByteArray& bytes) {
    if (bytes.size() > kMaxFileSize)
        return {};
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return {};
    const QJsonObject o = doc.object();
    if (integer(o.value(QStringLiteral("version")), kVersion, kVersion) != kVersion)
        return {};
    const QString state = o.value(QStringLiteral("state")).toString();
    KeptRun run;
    if (state == QLatin1String("counting"))
        run.kind = KeptRun::Kind::Counting;
    else if (state == QLatin1String("flashing"))
        run.kind = KeptRun::Kind::Flashing;
    else
        return {};
    const QJsonValue timer = o.value(QStringLiteral("timer"));
    const auto left = integer(o.value(QStringLiteral("leftAtRun")), 0, kMaxLeft);
    // Years 1970 to 9999: a moment that any date library can show.
    const auto begun = integer(o.value(QStringLiteral("begunUtcMs")), 0, 253402300799999);
    if (!timer.isString() || timer.toString().isEmpty() || !left || !begun)
        return {};
    run.timer = timer.toString();
    run.leftAtRun = static_cast<std::int32_t>(*left);
    run.begunUtcMs = *begun;
    return run;
}

KeptRun read(const QString& path) {
    // Opened without following a link and without waiting on a FIFO; only a
    // regular file of a few kilobytes is read at all.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return {};
    struct stat st {};
    QByteArray bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxFileSize) {
        bytes.resize(static_cast<qsizetype>(kMaxFileSize + 1));
        qsizetype got = 0;
        while (got < bytes.size()) {
            const ssize_t n =
                ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += n;
        }
        bytes.truncate(got);
    }
    ::close(fd);
    return decode(bytes);
}

QString defaultDir() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    // XDG base directories must be absolute; a relative one is ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/Quorvantel");
}

} // namespace qv::runstate

namespace qv {

RunStateWriter::RunStateWriter(QString path, FileOps& ops)
    : m_path(std::move(path)), m_ops(ops), m_thread([this] { run(); }) {}

RunStateWriter::~RunStateWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void RunStateWriter::submit(QByteArray bytes) {
    {
        std::lock_guard lock(m_mutex);
        m_pending = std::move(bytes);
    }
    m_wake.notify_one();
}

void RunStateWriter::flush() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_pending && !m_busy; });
}

int RunStateWriter::written() const {
    std::lock_guard lock(m_mutex);
    return m_written;
}

// What is pending when the writer is asked to stop is still written: a state
// submitted just before the program ends must reach the disk.
void RunStateWriter::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_pending || m_stop; });
        if (!m_pending)
            return;
        QByteArray bytes = std::move(*m_pending);
        m_pending.reset();
        m_busy = true;
        lock.unlock();
        // A state that cannot be written is no worse than none: the run goes
        // on, and the next change tries again.
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        QString ignored;
        const bool ok = writeFileAtomically(m_path, bytes, &ignored, m_ops);
        lock.lock();
        m_busy = false;
        if (ok)
            ++m_written;
        if (!m_pending)
            m_idle.notify_all();
    }
}

} // namespace qv
