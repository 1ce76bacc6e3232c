#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv {
namespace {

// The second copy blocks while it waits for an answer, so it asks from a
// thread of its own while this thread serves the first copy's socket.
bool askFromAnotherCopy(const QString& dir, int timeoutMs = 2000) {
    auto answer = std::async(std::launch::async, [dir, timeoutMs] {
        SingleInstance second(dir, QStringLiteral("Quorvantel"));
        return second.askFirstToRaise(timeoutMs);
    });
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return answer.get();
}

TEST(SingleInstance, SecondCopyFindsTheLockAndAsksTheFirstToComeForward) {
    QTemporaryDir dir;
    SingleInstance first(dir.path(), QStringLiteral("Quorvantel"));
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("QUORVANTEL"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("Quorvantel"))));

    SingleInstance second(dir.path(), QStringLiteral("Quorvantel"));
    EXPECT_FALSE(second.acquire());

    int asked = 0;
    bool idle = true;
    first.setRaiseHandler([&] {
        ++asked;
        return idle;
    });
    EXPECT_TRUE(askFromAnotherCopy(dir.path()));
    // While the first copy counts down its title is not found: no raise.
    idle = false;
    EXPECT_FALSE(askFromAnotherCopy(dir.path()));
    EXPECT_EQ(asked, 2);
}

TEST(SingleInstance, NobodyAnsweringIsNotARaise) {
    QTemporaryDir dir;
    SingleInstance lonely(dir.path(), QStringLiteral("Quorvantel"));
    EXPECT_FALSE(lonely.askFirstToRaise(200));
}

TEST(SingleInstance, TheLockIsNamedAfterTheExecutableInUpperCase) {
    QTemporaryDir dir;
    SingleInstance a(dir.path(), QStringLiteral("quorvantel-dev"));
    ASSERT_TRUE(a.acquire());
    EXPECT_EQ(a.lockPath(), dir.filePath(QStringLiteral("QUORVANTEL-DEV")));
    // A copy under another file name is another program as far as the lock goes.
    SingleInstance b(dir.path(), QStringLiteral("Quorvantel"));
    EXPECT_TRUE(b.acquire());
}

TEST(SingleInstance, ALockLeftByACrashedCopyDoesNotBlock) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QUORVANTEL"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(path);
        lock.tryLock(0);
        _exit(lock.isLocked() ? 0 : 1); // ends without unlocking, as a crash would
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFileInfo::exists(path));

    SingleInstance next(dir.path(), QStringLiteral("Quorvantel"));
    EXPECT_TRUE(next.acquire());
    // Its socket from before is taken over as well.
    next.setRaiseHandler([] { return true; });
    EXPECT_TRUE(askFromAnotherCopy(dir.path()));
}

TEST(SingleInstance, NoRuntimeFolderDoesNotKeepTheProgramFromRunning) {
    SingleInstance guard(QStringLiteral("/nonexistent/runtime"), QStringLiteral("Quorvantel"));
    EXPECT_TRUE(guard.acquire());
}

} // namespace
} // namespace qv
