#include "support/AccessibleTree.h"
#include "widgets/TLMDLEDLabel.h"

#include <QAccessible>
#include <QWidget>
#include <gtest/gtest.h>

namespace qv {
namespace {

QString textOf(QAccessibleInterface* led) {
    QAccessibleTextInterface* text = led->textInterface();
    return text ? text->text(0, text->characterCount()) : QStringLiteral("<no text>");
}

TEST(LedAccessible, ReadsAsAStaticTextWhoseTextIsTheTimeShown) {
    QWidget window;
    auto* led = new TLMDLEDLabel(&window);
    led->setCaption(QStringLiteral("00:04:59"));
    window.show();

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(led);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Time left"));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("00:04:59"));
    EXPECT_EQ(textOf(iface), QStringLiteral("00:04:59"));
    EXPECT_TRUE(iface->state().readOnly);
    EXPECT_EQ(iface->textInterface()->text(3, 5), QStringLiteral("04"));
    EXPECT_EQ(iface->textInterface()->text(-4, 99), QStringLiteral("00:04:59"));

    // The dark phase of a flashing display still reads as the time.
    led->setCaption(QStringLiteral("        "));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("00:04:59"));
    led->setCaption(QStringLiteral("00:00:00"));
    EXPECT_EQ(textOf(iface), QStringLiteral("00:00:00"));

    // A display with a name of its own (the sample in the preferences) keeps it.
    led->setAccessibleName(QStringLiteral("Sample of the LED colors"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Sample of the LED colors"));
    EXPECT_TRUE(testing::unnamedControls(&window).isEmpty());
}

} // namespace
} // namespace qv
