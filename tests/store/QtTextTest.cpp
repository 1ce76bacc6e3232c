#include "store/QtText.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(QtText, CrossesBothWaysWithoutLosingText) {
    // Non-ASCII, a character outside the basic plane and an embedded zero byte:
    // the zero must not end the string on either side.
    const std::string utf8 = std::string("Tee \xC3\xA4pfel \xF0\x9F\x8D\xB5") + '\0' + "x";
    const QString text = toQString(utf8);
    EXPECT_EQ(text.size(), 14);
    EXPECT_EQ(text.at(4), QChar(0x00E4));
    EXPECT_EQ(text.at(12), QChar(0));
    EXPECT_EQ(toUtf8(text), utf8);
    EXPECT_TRUE(toQString(std::string_view()).isEmpty());
    EXPECT_EQ(toUtf8(QString()), std::string());
}

TEST(QtText, FileNamePartFollowsTheLastSeparatorOfAnySystem) {
    EXPECT_EQ(fileNamePart(QStringLiteral("/home/ann/sounds/gong.wav")),
              QStringLiteral("gong.wav"));
    EXPECT_EQ(fileNamePart(QStringLiteral("C:\\Sounds\\gong.wav")), QStringLiteral("gong.wav"));
    EXPECT_EQ(fileNamePart(QStringLiteral("C:gong.wav")), QStringLiteral("gong.wav"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/mnt/c:\\old/new\\gong.wav")),
              QStringLiteral("gong.wav"));
    EXPECT_EQ(fileNamePart(QStringLiteral("gong.wav")), QStringLiteral("gong.wav"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/home/ann/")), QString());
    EXPECT_EQ(fileNamePart(QString()), QString());
}

} // namespace
} // namespace qv
