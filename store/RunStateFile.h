#pragma once

#include "store/AtomicFile.h"

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

namespace qv {

// A run kept for the next start: what was counting, or flashing after its
// zero, when the program last wrote it. Nothing else of the program's state
// is in it; the timer itself is the timer file's.
struct KeptRun {
    enum class Kind { None, Counting, Flashing };
    Kind kind = Kind::None;
    QString timer;
    // Seconds left when the run (for a looping timer, its current loop) began,
    // and that moment on the wall clock, in milliseconds since 1970 (UTC).
    std::int32_t leftAtRun = 0;
    std::int64_t begunUtcMs = 0;

    bool operator==(const KeptRun&) const = default;
};

// The run-state file: a small JSON object, versioned and read strictly.
// Anything odd in it (no file, another kind of file, too large, not the
// format, a value out of range) reads as no run at all; the next change of
// the run writes it anew.
namespace runstate {

inline constexpr int kVersion = 1;
inline constexpr qint64 kMaxFileSize = 4096;
// The longest a timer counts: 99:59:59.
inline constexpr std::int32_t kMaxLeft = 359999;

QByteArray encode(const KeptRun& run);
KeptRun decode(const QByteArray& bytes);
KeptRun read(const QString& path);

// $XDG_STATE_HOME/Quorvantel, else ~/.local/state/Quorvantel.
QString defaultDir();

} // namespace runstate

// Writes the run-state file on a thread of its own, so that a slow disk never
// holds up the window: submit() returns at once, the writes happen in the
// order submitted, and a state submitted while an earlier one is still being
// written replaces any that waited (the last state wins). flush() and the
// destructor wait until what was submitted is on disk.
class RunStateWriter {
public:
    explicit RunStateWriter(QString path, FileOps& ops = FileOps::system());
    ~RunStateWriter();
    RunStateWriter(const RunStateWriter&) = delete;
    RunStateWriter& operator=(const RunStateWriter&) = delete;

    void submit(QByteArray bytes);
    void flush();
    QString path() const { return m_path; }
    // How many writes reached the disk (for tests and figures).
    int written() const;

private:
    void run();

    const QString m_path;
    FileOps& m_ops;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<QByteArray> m_pending;
    bool m_busy = false;
    bool m_stop = false;
    int m_written = 0;
    std::thread m_thread;
};

} // namespace qv
