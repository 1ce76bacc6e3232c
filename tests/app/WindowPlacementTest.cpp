#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

namespace qv::placement {
namespace {

TEST(WindowPlacement, GroupsAreReadByPositionUntilOneIsUnreadable) {
    GeometryPlan plan = planGeometry(QStringLiteral("0800000000000000"));
    EXPECT_FALSE(plan.centreDefault);
    EXPECT_EQ(plan.width, 800);
    EXPECT_EQ(plan.height, 0);
    EXPECT_EQ(plan.left, 0);

    plan = planGeometry(QStringLiteral("08000600001000209999"));
    EXPECT_EQ(plan.width, 800);
    EXPECT_EQ(plan.height, 600);
    EXPECT_EQ(plan.top, 10);
    EXPECT_EQ(plan.left, 20);

    plan = planGeometry(QStringLiteral("08000600zz100020"));
    EXPECT_EQ(plan.height, 600);
    EXPECT_FALSE(plan.top);
    EXPECT_FALSE(plan.left);

    // Width and height zero: default size and centred, whatever top and left say.
    EXPECT_TRUE(planGeometry(QStringLiteral("0000000001000200")).centreDefault);
    // Only when all eight characters are zero: a zero width with a height is kept.
    plan = planGeometry(QStringLiteral("0000040001000200"));
    EXPECT_FALSE(plan.centreDefault);
    EXPECT_EQ(plan.width, 0);
    EXPECT_EQ(plan.height, 400);
    EXPECT_EQ(plan.top, 100);
    EXPECT_EQ(plan.left, 200);
    EXPECT_FALSE(planGeometry(QStringLiteral("0000000100000000")).centreDefault);
    // Nothing readable: nothing planned, and no centring either.
    plan = planGeometry(QString());
    EXPECT_FALSE(plan.centreDefault);
    EXPECT_FALSE(plan.width);

    // Groups take their sign; a negative width is a number like any other.
    plan = planGeometry(QStringLiteral("-800+600-010-0-5"));
    EXPECT_EQ(plan.width, -800);
    EXPECT_EQ(plan.height, 600);
    EXPECT_EQ(plan.top, -10);
    EXPECT_FALSE(plan.left);
}

// Each half is taken on its own: screen div 2 - window div 2, which differs
// from (screen - window) div 2 when the window is odd and the screen even.
TEST(WindowPlacement, CentringHalvesScreenAndWindowSeparately) {
    EXPECT_EQ(centredTopLeft(1280, 1024, 550, 400), std::make_pair(312, 365));
    EXPECT_EQ(centredTopLeft(1024, 768, 551, 401), std::make_pair(184, 237));
    EXPECT_EQ(centredTopLeft(1025, 769, 551, 401), std::make_pair(184, 237));
    EXPECT_EQ(centredTopLeft(1025, 769, 550, 400), std::make_pair(184, 237));
    // A window larger than the screen: halves rounded towards zero, then subtracted.
    EXPECT_EQ(centredTopLeft(500, 300, 551, 401), std::make_pair(-50, -25));
}

} // namespace
} // namespace qv::placement
