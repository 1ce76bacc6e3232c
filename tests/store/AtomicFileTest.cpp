#include "store/AtomicFile.h"

#include "store/TimerFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv {
namespace {

enum class Step { Open, FirstWrite, LaterWrite, ShortWrite, Sync, Close, Rename };

// The real calls, except that one chosen step fails with a chosen error.
class FailingOps final : public FileOps {
public:
    FailingOps(Step step, int code) : m_step(step), m_code(code) {}

    int open(const char* path, int flags, mode_t mode) override {
        return m_step == Step::Open ? failed(-1) : FileOps::open(path, flags, mode);
    }
    ssize_t write(int fd, const void* data, size_t size) override {
        ++m_writes;
        if (m_step == Step::FirstWrite && m_writes == 1)
            return failed(-1);
        if (m_step == Step::LaterWrite && m_writes == 2)
            return failed(-1);
        if (m_step == Step::ShortWrite && m_writes == 2)
            return 0;
        return FileOps::write(fd, data, size);
    }
    int fsync(int fd) override { return m_step == Step::Sync ? failed(-1) : FileOps::fsync(fd); }
    int close(int fd) override {
        // The descriptor is closed whatever close() says, as on Linux.
        const int result = FileOps::close(fd);
        return m_step == Step::Close ? failed(-1) : result;
    }
    int rename(const char* from, const char* to) override {
        return m_step == Step::Rename ? failed(-1) : FileOps::rename(from, to);
    }

private:
    int failed(int result) {
        errno = m_code;
        return result;
    }
    Step m_step;
    int m_code;
    int m_writes = 0;
};

QByteArray slurp(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray filler(char c, int size) {
    return QByteArray(size, c);
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        old = filler('o', 700);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("timers.xml"));
    QByteArray old;
};

// Each step of a save can fail, with files below and above the size that is
// written in one piece; every time the old file stays as it was, nothing of
// the attempt remains, and the reason is the system's.
TEST_F(AtomicFile, EveryFailedStepKeepsTheOldFileAndSaysWhy) {
    const struct {
        Step step;
        int code;
        bool needsLargeFile;
    } cases[] = {
        {Step::Open, EACCES, false},      {Step::FirstWrite, ENOSPC, false},
        {Step::LaterWrite, ENOSPC, true}, {Step::ShortWrite, ENOSPC, true},
        {Step::Sync, EIO, false},         {Step::Close, EDQUOT, false},
        {Step::Rename, EROFS, false},
    };
    for (const int size : {200, 100 * 1024}) {
        for (const auto& c : cases) {
            if (c.needsLargeFile && size < 32 * 1024)
                continue;
            SCOPED_TRACE(testing::Message()
                         << "step " << static_cast<int>(c.step) << ", " << size << " bytes");
            FailingOps ops(c.step, c.code);
            QString reason;
            EXPECT_FALSE(writeFileAtomically(path, filler('n', size), &reason, ops));
            EXPECT_EQ(reason, qt_error_string(c.code));
            EXPECT_EQ(slurp(path), old);
            EXPECT_EQ(entries(), QStringList{QStringLiteral("timers.xml")});
        }
    }
}

TEST_F(AtomicFile, ASaveReplacesTheFileWholeAndKeepsItsPermissions) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const QByteArray large = filler('n', 100 * 1024 + 3);
    QString reason;
    ASSERT_TRUE(writeFileAtomically(path, large, &reason)) << reason.toStdString();
    EXPECT_EQ(slurp(path), large);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("timers.xml")});
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A new file gets the usual permissions, not the temporary file's.
    const QString fresh = dir.filePath(QStringLiteral("new.xml"));
    ASSERT_TRUE(writeFileAtomically(fresh, "x", &reason));
    ASSERT_EQ(::stat(QFile::encodeName(fresh).constData(), &st), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask);
}

// The timer file's own save goes through the same steps: a failed sync is a
// failed save, with the message the user sees.
TEST_F(AtomicFile, TimerFileReportsAFailedSyncAsAFailedSave) {
    TimerDB db;
    db.createEmpty();
    FailingOps ops(Step::Sync, ENOSPC);
    QString error;
    EXPECT_FALSE(TimerFile::write(path, db, &error, ops));
    EXPECT_EQ(error,
              QStringLiteral("Cannot create file \"%1\". %2").arg(path, qt_error_string(ENOSPC)));
    EXPECT_EQ(slurp(path), old);
}

// A save killed at any moment leaves the old file or the new one, whole; the
// temporary file it may leave is reused by the next save and gone after it.
TEST_F(AtomicFile, KilledSavesNeverLeaveABrokenFile) {
    const QByteArray small = filler('s', 3000);
    const QByteArray large = filler('L', 60000);
    QString reason;
    ASSERT_TRUE(writeFileAtomically(path, small, &reason));
    QRandomGenerator random(20261209);
    const int rounds = 150;
    int cutMidway = 0;
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                writeFileAtomically(path, i % 2 ? small : large, nullptr);
        }
        ::usleep(200 + random.bounded(3000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const QByteArray now = slurp(path);
        ASSERT_TRUE(now == small || now == large)
            << "round " << round << ": " << now.size() << " bytes";
        const QStringList left = entries();
        if (left.size() > 1) {
            ++cutMidway;
            ASSERT_EQ(left, (QStringList{QStringLiteral("timers.xml"),
                                         QStringLiteral("timers.xml.saving")}));
        }
        ASSERT_TRUE(writeFileAtomically(path, small, &reason));
        ASSERT_EQ(entries(), QStringList{QStringLiteral("timers.xml")});
    }
    // The kills did fall inside saves, so the test saw what it is meant to.
    EXPECT_GT(cutMidway, 0);
    RecordProperty("killed_midway", cutMidway);
}

TEST_F(AtomicFile, AStaleTemporaryIsRemovedAndNothingElse) {
    const QString temp = temporaryPathFor(path);
    {
        QFile f(temp);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("half");
    }
    removeStaleTemporary(path);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("timers.xml")});
    EXPECT_EQ(slurp(path), old);
}

} // namespace
} // namespace qv
