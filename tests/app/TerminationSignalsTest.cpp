#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <vector>

namespace qv {
namespace {

volatile std::sig_atomic_t g_before = 0;
void recordBefore(int signal) {
    g_before = signal;
}

// Each of the three signals reaches the callback from the event loop, not in
// the handler; the handlers that were there before come back afterwards.
TEST(TerminationSignals, EachSignalIsHandedToTheEventLoopAndTheOldHandlersComeBack) {
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        std::signal(s, recordBefore);
    {
        std::vector<int> seen;
        TerminationSignals signals([&seen](int s) { seen.push_back(s); });
        ASSERT_TRUE(signals.isActive());
        {
            TerminationSignals second([](int) {});
            EXPECT_FALSE(second.isActive()) << "one at a time, and the first keeps working";
        }
        for (int s : {SIGTERM, SIGINT, SIGHUP}) {
            seen.clear();
            ASSERT_EQ(::raise(s), 0);
            EXPECT_TRUE(seen.empty()) << "nothing runs inside the handler";
            EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.empty(); }, 5000));
            ASSERT_EQ(seen.size(), std::size_t{1});
            EXPECT_EQ(seen[0], s);
        }
    }
    g_before = 0;
    ASSERT_EQ(::raise(SIGHUP), 0);
    EXPECT_EQ(g_before, SIGHUP);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        std::signal(s, SIG_DFL);
}

} // namespace
} // namespace qv
