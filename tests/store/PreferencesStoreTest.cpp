#include "store/PreferencesStore.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace qv {
namespace {

using prefs::applyStored;
using prefs::makeStored;
using prefs::parseColorPair;

const QColor kRed(255, 0, 0);
const QColor kDarkRed(51, 0, 0);

TPreferences load(const StoredPreferences& s, int timers = 3) {
    TPreferences p;
    // Start from values a load must overwrite, so a field left alone shows.
    p.WindowStateCode = 2;
    p.ActiveTimerIndex = 2;
    p.TiledBackground = true;
    p.SpaceResets = true;
    p.WindowGeometry = QStringLiteral("stale");
    applyStored(s, timers, kRed, kDarkRed, p);
    return p;
}

StoredPreferences withSNum(const char* snum, const char* lnum = "") {
    StoredPreferences s;
    s.SNumSettings = QString::fromLatin1(snum);
    s.LNumSettings = QString::fromLatin1(lnum);
    return s;
}

TEST(PreferenceColours, AreUpperCaseHexOfTheBlueGreenRedNumber) {
    EXPECT_EQ(prefs::formatColor(QColor(255, 0, 0)), QStringLiteral("000000FF"));
    EXPECT_EQ(prefs::formatColor(QColor(0x12, 0xab, 0xcd)), QStringLiteral("00CDAB12"));
    EXPECT_EQ(prefs::colorToNumber(QColor(0, 0, 255)), 0x00ff0000u);

    const auto pair = parseColorPair(QStringLiteral("00cdab12000000ff"));
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->first, QColor(0x12, 0xab, 0xcd));
    EXPECT_EQ(pair->second, kRed);
    // A top byte carries no colour.
    EXPECT_EQ(parseColorPair(QStringLiteral("FF00000F00000000"))->first, QColor(15, 0, 0));
}

TEST(PreferenceColours, AnythingButSixteenHexDigitsIsRefused) {
    for (const char* bad : {"", "000000FF0000003", "000000FF000000330", "000000FG00000033",
                            "000000FF 0000033", "-00000FF00000033", "0x0000FF00000033"})
        EXPECT_FALSE(parseColorPair(QString::fromLatin1(bad))) << bad;
    // Digits of another script are not hexadecimal digits.
    EXPECT_FALSE(parseColorPair(QStringLiteral("000000FF0000003") + QChar(0x0663)));
}

TEST(PreferencesLoad, EmptyStoreGivesTheDefaults) {
    const TPreferences p = load(StoredPreferences{});
    EXPECT_EQ(p.ActiveLEDColor, kRed);
    EXPECT_EQ(p.InactiveLEDColor, kDarkRed);
    EXPECT_EQ(p.BkgColor1, QColor(0, 0, 255));
    EXPECT_EQ(p.BkgColor2, QColor(0, 0, 0));
    EXPECT_EQ(p.BkgBitmapFile, QString());
    EXPECT_EQ(p.WindowStateCode, 0);
    EXPECT_EQ(p.ActiveTimerIndex, 0);
    EXPECT_FALSE(p.TiledBackground);
    EXPECT_FALSE(p.SpaceResets);
    EXPECT_EQ(p.WindowGeometry, QStringLiteral("0000000000000000"));
}

TEST(PreferencesLoad, ColoursOfTheWrongShapeKeepTheLedsAndTheDefaultBackground) {
    for (const char* bad : {"00FF00000000FF0", "00FF00000000FF000", "00FF00000000FFZZ"}) {
        StoredPreferences s;
        s.TimerColors = QString::fromLatin1(bad);
        s.BkgColors = QString::fromLatin1(bad);
        const TPreferences p = load(s);
        EXPECT_EQ(p.ActiveLEDColor, kRed) << bad;
        EXPECT_EQ(p.InactiveLEDColor, kDarkRed) << bad;
        EXPECT_EQ(p.BkgColor1, QColor(0, 0, 255)) << bad;
        EXPECT_EQ(p.BkgColor2, QColor(0, 0, 0)) << bad;
    }
    StoredPreferences good;
    good.TimerColors = QStringLiteral("0000FF0000FF0000");
    good.BkgColors = QStringLiteral("000000000000FFFF");
    good.BmpFilename = QStringLiteral("/pics/tile.bmp");
    const TPreferences p = load(good);
    EXPECT_EQ(p.ActiveLEDColor, QColor(0, 255, 0));
    EXPECT_EQ(p.InactiveLEDColor, QColor(0, 0, 255));
    EXPECT_EQ(p.BkgColor1, QColor(0, 0, 0));
    EXPECT_EQ(p.BkgColor2, QColor(255, 255, 0));
    EXPECT_EQ(p.BkgBitmapFile, QStringLiteral("/pics/tile.bmp"));
}

TEST(PreferencesLoad, ShortSNumSettingsIsPaddedWithZeros) {
    const TPreferences p = load(withSNum("01"));
    EXPECT_EQ(p.WindowStateCode, 1);
    EXPECT_EQ(p.ActiveTimerIndex, 0);
    EXPECT_FALSE(p.TiledBackground);
    EXPECT_FALSE(p.SpaceResets);
}

TEST(PreferencesLoad, OutOfRangeStateAndIndexFallBackToZero) {
    EXPECT_EQ(load(withSNum("00070000"), 3).ActiveTimerIndex, 0);
    EXPECT_EQ(load(withSNum("00020000"), 3).ActiveTimerIndex, 2);
    EXPECT_EQ(load(withSNum("00-10000"), 3).ActiveTimerIndex, 0);
    EXPECT_EQ(load(withSNum("00030000"), 3).ActiveTimerIndex, 0);

    const TPreferences p = load(withSNum("05000101"));
    EXPECT_EQ(p.WindowStateCode, 0);
    EXPECT_TRUE(p.TiledBackground);
    EXPECT_TRUE(p.SpaceResets);
    EXPECT_EQ(load(withSNum("-1000000")).WindowStateCode, 0);
    EXPECT_EQ(load(withSNum("02000000")).WindowStateCode, 2);
    EXPECT_EQ(load(withSNum("03000000")).WindowStateCode, 0) << "the first value out of range";
    EXPECT_EQ(load(withSNum("01000000")).WindowStateCode, 1);
}

TEST(PreferencesLoad, AnUnreadableGroupEndsTheBlockWithTheRestAtTheirDefaults) {
    // Letters in the first group: nothing of the block, and LNumSettings unfilled.
    TPreferences p = load(withSNum("ab000101", "0800060000100020"));
    EXPECT_EQ(p.WindowStateCode, 0);
    EXPECT_EQ(p.ActiveTimerIndex, 0);
    EXPECT_FALSE(p.TiledBackground);
    EXPECT_FALSE(p.SpaceResets);
    EXPECT_EQ(p.WindowGeometry, QString());

    // Letters in the third group: the groups before it are kept.
    p = load(withSNum("0102x101", "0800060000100020"));
    EXPECT_EQ(p.WindowStateCode, 1);
    EXPECT_EQ(p.ActiveTimerIndex, 2);
    EXPECT_FALSE(p.TiledBackground);
    EXPECT_FALSE(p.SpaceResets);
    EXPECT_EQ(p.WindowGeometry, QString());

    // A space is not a digit either.
    EXPECT_EQ(load(withSNum("01 10000")).ActiveTimerIndex, 0);
    EXPECT_EQ(load(withSNum("01 10000")).WindowGeometry, QString());
}

// A group is read as a whole number: a leading sign counts, a sign anywhere
// else or alone makes the group unreadable.
TEST(PreferencesLoad, SignsInDigitGroups) {
    EXPECT_EQ(prefs::parseGroup(QStringLiteral("+1")), 1);
    EXPECT_EQ(prefs::parseGroup(QStringLiteral("-1")), -1);
    EXPECT_EQ(prefs::parseGroup(QStringLiteral("-800")), -800);
    EXPECT_EQ(prefs::parseGroup(QStringLiteral("0042")), 42);
    for (const char* bad : {"+", "-", "1-", "+-1", "--1", "0+1", " 1", "1 ", ""})
        EXPECT_FALSE(prefs::parseGroup(QString::fromLatin1(bad))) << bad;

    TPreferences p = load(withSNum("+1+2+1+1"));
    EXPECT_EQ(p.WindowStateCode, 1);
    EXPECT_EQ(p.ActiveTimerIndex, 2);
    EXPECT_FALSE(p.TiledBackground) << "only \"01\" turns the flags on";
    EXPECT_FALSE(p.SpaceResets);
    EXPECT_EQ(p.WindowGeometry, QStringLiteral("0000000000000000"));
    // A sign in the second place of a group: unreadable, the block ends there.
    p = load(withSNum("1-020000"));
    EXPECT_EQ(p.WindowStateCode, 0);
    EXPECT_EQ(p.ActiveTimerIndex, 0);
    EXPECT_EQ(p.WindowGeometry, QString());
}

TEST(PreferencesGeometry, TheWindowTextIsKeptPaddedToFourGroups) {
    EXPECT_EQ(load(withSNum("00000000", "0800")).WindowGeometry,
              QStringLiteral("0800000000000000"));
    EXPECT_EQ(load(withSNum("00000000", "-800+600-010-0-5")).WindowGeometry,
              QStringLiteral("-800+600-010-0-5"));
}

TEST(PreferencesSave, WritesFixedWidthGroups) {
    TPreferences p;
    WindowSnapshot w{550, 400, 312, 365, false, 0};
    StoredPreferences s = makeStored(p, w);
    EXPECT_EQ(s.TimerColors, QStringLiteral("000000FF00000033"));
    EXPECT_EQ(s.BkgColors, QStringLiteral("00FF000000000000"));
    EXPECT_EQ(s.LNumSettings, QStringLiteral("0550040003120365"));
    EXPECT_EQ(s.SNumSettings, QStringLiteral("00000000"));
    EXPECT_EQ(s.CurrentVer, QString());

    p.TiledBackground = true;
    p.SpaceResets = true;
    s = makeStored(p, WindowSnapshot{12000, 400, -8, -30, true, 12});
    EXPECT_EQ(s.LNumSettings, QStringLiteral("9999040000000000"));
    EXPECT_EQ(s.SNumSettings, QStringLiteral("01120101"));

    s = makeStored(p, WindowSnapshot{600, 450, 5, 7, false, -1});
    EXPECT_EQ(s.SNumSettings, QStringLiteral("00-10101"));
    // What is written reads back as written.
    const TPreferences back = load(s, 5);
    EXPECT_EQ(back.ActiveTimerIndex, 0);
    EXPECT_TRUE(back.TiledBackground);
    EXPECT_TRUE(back.SpaceResets);
    EXPECT_EQ(back.WindowGeometry, QStringLiteral("0600045000050007"));
}

class PreferencesStoreFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto opened = PreferencesStore::openKey();
        QSettings& key = *opened;
        key.clear();
        key.sync();
    }
    QVariant value(const char* name) {
        const auto opened = PreferencesStore::openKey();
        QSettings& key = *opened;
        return key.value(QString::fromLatin1(name));
    }
    void put(const char* name, const QVariant& v) {
        const auto opened = PreferencesStore::openKey();
        QSettings& key = *opened;
        key.setValue(QString::fromLatin1(name), v);
    }
};

TEST_F(PreferencesStoreFile, LoadWritesTheVersionOnlyWhenItIsNotOneDotZero) {
    StoredPreferences s = PreferencesStore::load();
    EXPECT_EQ(s.CurrentVer, QString());
    EXPECT_EQ(value("CurrentVer").toString(), QStringLiteral("1.0"));
    EXPECT_FALSE(value("TimerColors").isValid());

    put("CurrentVer", QStringLiteral("0.9"));
    EXPECT_EQ(PreferencesStore::load().CurrentVer, QStringLiteral("0.9"));
    EXPECT_EQ(value("CurrentVer").toString(), QStringLiteral("1.0"));
    EXPECT_EQ(PreferencesStore::load().CurrentVer, QStringLiteral("1.0"));
}

TEST_F(PreferencesStoreFile, SaveWritesFiveStringValuesThatLoadReadsBack) {
    StoredPreferences s;
    s.TimerColors = QStringLiteral("000000FF00000033");
    s.BkgColors = QStringLiteral("00FF000000000000");
    s.BmpFilename = QStringLiteral("/home/u/tile, one.bmp");
    s.LNumSettings = QStringLiteral("0550040003120365");
    s.SNumSettings = QStringLiteral("00-10000");
    s.CurrentVer = QStringLiteral("7.7");
    ASSERT_TRUE(PreferencesStore::save(s));
    EXPECT_FALSE(value("CurrentVer").isValid());
    StoredPreferences back = PreferencesStore::load();
    back.CurrentVer = s.CurrentVer;
    EXPECT_EQ(back, s);
}

TEST_F(PreferencesStoreFile, AValueThatIsNotPlainTextReadsAsEmpty) {
    put("SNumSettings", QStringList{QStringLiteral("01"), QStringLiteral("02")});
    const StoredPreferences s = PreferencesStore::load();
    EXPECT_EQ(s.SNumSettings, QString());
}

} // namespace
} // namespace qv
