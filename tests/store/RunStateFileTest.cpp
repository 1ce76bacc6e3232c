#include "store/RunStateFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>

namespace qv {
namespace {

KeptRun tea() {
    KeptRun run;
    run.kind = KeptRun::Kind::Counting;
    run.timer = QStringLiteral("Tea");
    run.leftAtRun = 120;
    run.begunUtcMs = 1'796'000'000'123;
    return run;
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

TEST(RunStateFile, EncodedRunsReadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run-state.json"));
    KeptRun flashing = tea();
    flashing.kind = KeptRun::Kind::Flashing;
    flashing.timer = QStringLiteral("Über 99:59:59 \"tea\"");
    flashing.leftAtRun = runstate::kMaxLeft;
    for (const KeptRun& run : {tea(), flashing}) {
        put(path, runstate::encode(run));
        EXPECT_EQ(runstate::read(path), run);
    }
    put(path, runstate::encode(KeptRun{}));
    EXPECT_EQ(runstate::read(path).kind, KeptRun::Kind::None);
    EXPECT_TRUE(runstate::encode(tea()).contains("\"state\":\"counting\""));
}

// Every odd file means "no run to take up", and never a crash or a wait.
TEST(RunStateFile, AnythingOddReadsAsNoRun) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run-state.json"));
    EXPECT_EQ(runstate::read(path).kind, KeptRun::Kind::None) << "no file";

    const QByteArray good = runstate::encode(tea());
    auto with = [&](const char* from, const char* to) {
        QByteArray b = good;
        return b.replace(from, to);
    };
    const QByteArray bad[] = {
        "",
        good.left(good.size() / 2),
        "\xff\xfe{}",
        "[]",
        "{}",
        with("\"version\":1", "\"version\":2"),
        with("\"version\":1", "\"version\":\"1\""),
        with("counting", "running"),
        with("\"timer\":\"Tea\"", "\"timer\":\"\""),
        with("\"timer\":\"Tea\"", "\"timer\":7"),
        with("\"leftAtRun\":120", "\"leftAtRun\":-1"),
        with("\"leftAtRun\":120", "\"leftAtRun\":360000"),
        with("\"leftAtRun\":120", "\"leftAtRun\":12.5"),
        with("\"leftAtRun\":120", "\"leftAtRun\":1e300"),
        with("1796000000123", "-5"),
        with("1796000000123", "9e18"),
        QByteArray(runstate::kMaxFileSize + 1, ' ') + good,
    };
    for (const QByteArray& bytes : bad) {
        put(path, bytes);
        EXPECT_EQ(runstate::read(path).kind, KeptRun::Kind::None) << bytes.left(80).toStdString();
    }

    // Other kinds of file in its place: a folder, a FIFO (which would block
    // a plain open), a link to a good file, a device.
    QFile::remove(path);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("run-state.json")));
    EXPECT_EQ(runstate::read(path).kind, KeptRun::Kind::None) << "a folder";
    QDir(dir.path()).rmdir(QStringLiteral("run-state.json"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(runstate::read(path).kind, KeptRun::Kind::None) << "a FIFO";
    QFile::remove(path);
    const QString real = dir.filePath(QStringLiteral("real.json"));
    put(real, good);
    ASSERT_TRUE(QFile::link(real, path));
    EXPECT_EQ(runstate::read(path).kind, KeptRun::Kind::None) << "a link";
    EXPECT_EQ(runstate::read(QStringLiteral("/dev/zero")).kind, KeptRun::Kind::None);
}

TEST(RunStateFile, DefaultFolderFollowsXdgStateHome) {
    const QByteArray saved = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", "/somewhere/state");
    EXPECT_EQ(runstate::defaultDir(), QStringLiteral("/somewhere/state/Quorvantel"));
    qputenv("XDG_STATE_HOME", "relative/state");
    EXPECT_EQ(runstate::defaultDir(),
              QDir::homePath() + QStringLiteral("/.local/state/Quorvantel"));
    qunsetenv("XDG_STATE_HOME");
    EXPECT_EQ(runstate::defaultDir(),
              QDir::homePath() + QStringLiteral("/.local/state/Quorvantel"));
    if (!saved.isNull())
        qputenv("XDG_STATE_HOME", saved);
}

// A disk whose sync takes as long as the test says.
class SlowOps final : public FileOps {
public:
    int fsync(int fd) override {
        std::unique_lock lock(mutex);
        ++syncs;
        woken.notify_all();
        released.wait(lock, [this] { return open; });
        return FileOps::fsync(fd);
    }
    void release() {
        std::lock_guard lock(mutex);
        open = true;
        released.notify_all();
    }
    void waitForSync(int n) {
        std::unique_lock lock(mutex);
        woken.wait(lock, [&] { return syncs >= n; });
    }
    std::mutex mutex;
    std::condition_variable woken, released;
    bool open = false;
    int syncs = 0;
};

TEST(RunStateWriter, ASlowDiskNeverHoldsUpTheCallerAndTheLastStateWins) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state/Quorvantel/run-state.json"));
    SlowOps ops;
    RunStateWriter writer(path, ops);

    const auto before = std::chrono::steady_clock::now();
    writer.submit("first");
    ops.waitForSync(1); // the first write is stuck in its sync
    writer.submit("second");
    writer.submit("third");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1))
        << "submit() returns while the disk is busy";

    ops.release();
    writer.flush();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "the folder was made";
    EXPECT_EQ(f.readAll(), QByteArray("third"));
    EXPECT_EQ(writer.written(), 2) << "the second state never waited long enough to be written";
}

TEST(RunStateWriter, WhatIsPendingAtTheEndIsWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run-state.json"));
    {
        RunStateWriter writer(path);
        for (int i = 0; i < 50; ++i)
            writer.submit(QByteArray::number(i));
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("49"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".saving")));
}

// A disk that refuses the renames while `full` is set.
class FullOps final : public FileOps {
public:
    int rename(const char* from, const char* to) override {
        if (full) {
            errno = ENOSPC;
            return -1;
        }
        return FileOps::rename(from, to);
    }
    std::atomic<bool> full = false;
};

TEST(RunStateWriter, AFailedWriteLeavesTheOldStateAndTheNextOneTries) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run-state.json"));
    FullOps ops;
    RunStateWriter writer(path, ops);
    auto content = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    writer.submit("old");
    writer.flush();
    ops.full = true;
    writer.submit("lost");
    writer.flush();
    EXPECT_EQ(content(), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".saving")));
    ops.full = false;
    writer.submit("new");
    writer.flush();
    EXPECT_EQ(content(), QByteArray("new"));
    EXPECT_EQ(writer.written(), 2);
}

} // namespace
} // namespace qv
