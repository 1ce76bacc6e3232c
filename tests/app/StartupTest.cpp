#include "AppFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>

namespace qv::testing {
namespace {

class Startup : public AppTest {};

TEST_F(Startup, FirstStartWritesAnEmptyTableAndShowsTimerOne) {
    start();
    // The file is there at once, with the columns and no rows.
    const QByteArray file = fileBytes(timerPath());
    EXPECT_TRUE(file.contains("<ROWDATA"));
    EXPECT_FALSE(file.contains("<ROW "));
    EXPECT_EQ(setting("CurrentVer"), QStringLiteral("1.0"));
    EXPECT_FALSE(hasSetting("TimerColors"));
    EXPECT_FALSE(hasSetting("SNumSettings"));

    ASSERT_EQ(combo()->count(), 1);
    EXPECT_EQ(combo()->currentText(), QStringLiteral("Timer 1"));
    EXPECT_EQ(ledText(), QStringLiteral("00:05:00"));
    EXPECT_EQ(led()->led().ActiveColor, QColor(255, 0, 0));
    EXPECT_EQ(led()->led().InActiveColor, QColor(51, 0, 0));
    EXPECT_EQ(form->formFill().style(), TLMDFormFill::Style::Gradient);
    EXPECT_EQ(form->formFill().firstColor(), QColor(0, 0, 255));
    EXPECT_EQ(form->formFill().lastColor(), QColor(0, 0, 0));
    EXPECT_EQ(form->formFill().colorCount(), 100);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());

    form->show();
    EXPECT_EQ(form->size(), QSize(550, 400));
    const QRect screen = form->screen()->geometry();
    EXPECT_EQ(form->x(), screen.width() / 2 - 275);
    EXPECT_EQ(form->y(), screen.height() / 2 - 200);

    ASSERT_TRUE(form->close());
    EXPECT_TRUE(fileBytes(timerPath()).contains("<ROW Name=\"Timer 1\" StartTime=\"300\""));
    EXPECT_EQ(setting("TimerColors"), QStringLiteral("000000FF00000033"));
    EXPECT_EQ(setting("BkgColors"), QStringLiteral("00FF000000000000"));
    EXPECT_EQ(setting("BmpFilename"), QString());
    EXPECT_TRUE(hasSetting("BmpFilename"));
    EXPECT_EQ(setting("SNumSettings"), QStringLiteral("00000000"));
    EXPECT_EQ(setting("LNumSettings"), QStringLiteral("05500400%1%2")
                                           .arg(form->y(), 4, 10, QLatin1Char('0'))
                                           .arg(form->x(), 4, 10, QLatin1Char('0')));
}

TEST_F(Startup, AFileWithoutRowsGetsTimerOne) {
    writeTimers({});
    start();
    ASSERT_EQ(combo()->count(), 1);
    EXPECT_EQ(combo()->itemText(0), QStringLiteral("Timer 1"));
    EXPECT_EQ(data->TimerDB.current()->StartTime, 300);
    EXPECT_FALSE(data->TimerDB.current()->TimerLoop);
}

TEST_F(Startup, StoredPositionSelectsTheTimerAndOutOfRangeFallsBackToTheFirst) {
    writeTimers({timer("gamma", 30), timer("Alpha", 10), timer("beta", 20)});
    writeSettings({{QStringLiteral("SNumSettings"), QStringLiteral("00020000")}});
    start();
    ASSERT_EQ(combo()->count(), 3);
    EXPECT_EQ(combo()->itemText(0), QStringLiteral("Alpha"));
    EXPECT_EQ(combo()->itemText(1), QStringLiteral("beta"));
    EXPECT_EQ(combo()->currentText(), QStringLiteral("gamma"));
    EXPECT_EQ(ledText(), QStringLiteral("00:00:30"));

    form.reset();
    writeSettings({{QStringLiteral("SNumSettings"), QStringLiteral("00070000")}});
    start();
    EXPECT_EQ(combo()->currentIndex(), 0);
    EXPECT_EQ(combo()->currentText(), QStringLiteral("Alpha"));
    EXPECT_EQ(ledText(), QStringLiteral("00:00:10"));
    EXPECT_EQ(form->activeTimerIndex(), 0);
}

TEST_F(Startup, LettersInTheWindowStateIgnoreTheWholeBlock) {
    writeTimers({timer("Alpha", 10), timer("beta", 20)});
    writeSettings({{QStringLiteral("SNumSettings"), QStringLiteral("ab010101")},
                   {QStringLiteral("BmpFilename"), QStringLiteral("/nowhere/tile.bmp")},
                   {QStringLiteral("LNumSettings"), QString()}});
    start();
    EXPECT_EQ(combo()->currentText(), QStringLiteral("Alpha"));
    EXPECT_EQ(form->formFill().style(), TLMDFormFill::Style::Gradient);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    EXPECT_FALSE(form->preferences().SpaceResets);
    // An unreadable geometry leaves the window at its design size.
    const QSize design = form->size();
    form->show();
    EXPECT_EQ(form->size(), design);

    // Mode 0: the third SPACE starts again instead of resetting.
    QTest::keyClick(form->keyTarget(), Qt::Key_Space);
    QTest::keyClick(form->keyTarget(), Qt::Key_Space);
    QTest::keyClick(form->keyTarget(), Qt::Key_Space);
    EXPECT_TRUE(form->engine().running());
}

TEST_F(Startup, StoredGeometryAndStatesPlaceTheWindow) {
    writeSettings({{QStringLiteral("SNumSettings"), QStringLiteral("00000000")},
                   {QStringLiteral("LNumSettings"), QStringLiteral("0800060000500040")}});
    start();
    form->show();
    EXPECT_EQ(form->size(), QSize(800, 600));
    EXPECT_EQ(form->pos(), QPoint(40, 50));
    form.reset();

    writeSettings({{QStringLiteral("SNumSettings"), QStringLiteral("01")}});
    start();
    form->show();
    EXPECT_TRUE(form->isMaximized());
    ASSERT_TRUE(form->close());
    EXPECT_TRUE(setting("SNumSettings").startsWith(QStringLiteral("01")));
}

TEST_F(Startup, ColoursAndModesReachTheWindow) {
    writeSettings({{QStringLiteral("TimerColors"), QStringLiteral("0000FF0000330000")},
                   {QStringLiteral("BkgColors"), QStringLiteral("000000FF00FF0000")},
                   {QStringLiteral("SNumSettings"), QStringLiteral("00000001")}});
    start();
    EXPECT_EQ(led()->led().ActiveColor, QColor(0, 255, 0));
    EXPECT_EQ(led()->led().InActiveColor, QColor(0, 0, 51));
    EXPECT_EQ(form->formFill().firstColor(), QColor(255, 0, 0));
    EXPECT_TRUE(form->preferences().SpaceResets);
    ASSERT_TRUE(form->close());
    EXPECT_EQ(setting("TimerColors"), QStringLiteral("0000FF0000330000"));
    EXPECT_EQ(setting("BkgColors"), QStringLiteral("000000FF00FF0000"));
    EXPECT_EQ(setting("SNumSettings"), QStringLiteral("00000001"));
}

TEST_F(Startup, TiledBackgroundThatCannotLoadIsReportedAndNotStored) {
    writeSettings({{QStringLiteral("SNumSettings"), QStringLiteral("00000100")},
                   {QStringLiteral("BmpFilename"), QStringLiteral("/nowhere/tile.bmp")}});
    start();
    const auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("The gradient bitmap file could not be found!"));
    EXPECT_FALSE(form->preferences().TiledBackground);
    ASSERT_TRUE(form->close());
    EXPECT_EQ(setting("SNumSettings"), QStringLiteral("00000000"));
    EXPECT_EQ(setting("BmpFilename"), QStringLiteral("/nowhere/tile.bmp"));
}

TEST(TimerFileLocation, BesideAWritableProgramElseInTheUserDataFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString program = root.path() + QStringLiteral("/bin");
    const QString data = root.path() + QStringLiteral("/share");

    const AppPaths own = AppPaths::choose(
        program, [](const QString&) { return true; }, data);
    EXPECT_EQ(own.timerFile(), program + QStringLiteral("/timers.xml"));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/Quorvantel")));

    QString asked;
    const AppPaths system = AppPaths::choose(
        program,
        [&asked](const QString& dir) {
            asked = dir;
            return false;
        },
        data);
    EXPECT_EQ(asked, program);
    EXPECT_EQ(system.timerFile(), data + QStringLiteral("/Quorvantel/timers.xml"));
    EXPECT_EQ(system.freeRecoveryFile(), data + QStringLiteral("/Quorvantel/timers.recovered.xml"));
    // The folder exists at once, so the first save can create the file in it.
    EXPECT_TRUE(QFileInfo(data + QStringLiteral("/Quorvantel")).isDir());
}

} // namespace
} // namespace qv::testing
