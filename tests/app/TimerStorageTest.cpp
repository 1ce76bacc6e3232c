#include "AppFixture.h"
#include "store/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStringList>
#include <sys/stat.h>
#include <utime.h>

namespace qv::testing {
namespace {

QStringList comboNames(QComboBox* combo) {
    QStringList names;
    for (int i = 0; i < combo->count(); ++i)
        names << combo->itemText(i);
    return names;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Sets a file's modification time to `secondsAgo` before now.
void age(const QString& path, int secondsAgo) {
    const QByteArray name = QFile::encodeName(path);
    utimbuf times{};
    times.actime = times.modtime = ::time(nullptr) - secondsAgo;
    ASSERT_EQ(::utime(name.constData(), &times), 0);
}

QByteArray timersFile(const std::vector<TimerRecord>& records) {
    TimerDB db;
    db.createEmpty();
    for (const auto& r : records)
        EXPECT_TRUE(db.insert(r));
    db.mergeChangeLog();
    return TimerFile::serialize(db);
}

const QByteArray kBroken = "<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>";

class TimerStorage : public AppTest {
protected:
    // A program folder and a separate data folder, as for a program whose
    // folder cannot be written or that is installed.
    void startSplit() {
        data = std::make_unique<TCommonData>(SoundSystem::createSilent());
        form = std::make_unique<TMainForm>(
            *data, MainFormOptions{AppPaths{programDir(), dataDir()}, &clock, &tick});
    }
    QString programDir() const { return dir.filePath(QStringLiteral("bin")); }
    QString dataDir() const { return dir.filePath(QStringLiteral("data")); }
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data")));
    }
};

TEST_F(TimerStorage, TheNewestReadableRecoveryFileComesBack) {
    writeBytes(timerPath(), kBroken);
    const QString older = dir.filePath(QStringLiteral("timers.recovered.xml"));
    const QString newer = dir.filePath(QStringLiteral("timers.recovered-2.xml"));
    const QString newest = dir.filePath(QStringLiteral("timers.recovered-3.xml"));
    writeBytes(older, timersFile({timer("Old", 60)}));
    writeBytes(newer, timersFile({timer("Tea", 300), timer("Eggs", 420)}));
    writeBytes(newest, kBroken); // refused too: skipped, and left alone
    age(older, 3000);
    age(newer, 2000);
    age(newest, 1000);

    start();
    const auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("\"%1\" is left as it is").arg(timerPath())));
    EXPECT_TRUE(shown[0].text.contains(newer)) << shown[0].text.toStdString();
    EXPECT_EQ(comboNames(combo()), (QStringList{QStringLiteral("Eggs"), QStringLiteral("Tea")}));
    EXPECT_EQ(form->timerWritePath(), newer);

    ASSERT_TRUE(form->close());
    EXPECT_EQ(fileBytes(timerPath()), kBroken);
    EXPECT_EQ(fileBytes(newest), kBroken);
    EXPECT_TRUE(fileBytes(newer).contains("Name=\"Eggs\""));

    // A repaired timers.xml is read again at the next start.
    form.reset();
    writeTimers({timer("Repaired", 30)});
    start();
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    EXPECT_EQ(comboNames(combo()), QStringList{QStringLiteral("Repaired")});
    EXPECT_EQ(form->timerWritePath(), timerPath());
}

TEST_F(TimerStorage, TimersBesideTheProgramAreCarriedIntoTheDataFolder) {
    const QString besideProgram = programDir() + QStringLiteral("/timers.xml");
    const QString inData = dataDir() + QStringLiteral("/timers.xml");
    const QByteArray original = timersFile({timer("A", 1), timer("B", 2), timer("C", 3)});
    writeBytes(besideProgram, original);

    startSplit();
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    EXPECT_EQ(comboNames(combo()),
              (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(fileBytes(inData), original);
    EXPECT_EQ(form->timerWritePath(), inData);
    ASSERT_TRUE(form->close());
    EXPECT_EQ(fileBytes(besideProgram), original);

    // From now on the data folder's file is the one: a file beside the
    // program never replaces it.
    form.reset();
    writeBytes(besideProgram, timersFile({timer("Stale", 9)}));
    startSplit();
    EXPECT_EQ(comboNames(combo()),
              (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
}

TEST_F(TimerStorage, ABrokenFileBesideTheProgramIsCarriedOverAndRefusedWithoutLoss) {
    const QString besideProgram = programDir() + QStringLiteral("/timers.xml");
    writeBytes(besideProgram, kBroken);
    startSplit();
    const auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(comboNames(combo()), QStringList{QStringLiteral("Timer 1")});
    EXPECT_EQ(form->timerWritePath(), dataDir() + QStringLiteral("/timers.recovered.xml"));
    ASSERT_TRUE(form->close());
    EXPECT_EQ(fileBytes(besideProgram), kBroken);
    EXPECT_EQ(fileBytes(dataDir() + QStringLiteral("/timers.xml")), kBroken);
}

TEST_F(TimerStorage, ALeftoverTemporaryFileIsClearedAtStartUp) {
    writeTimers({timer("Tea", 300)});
    writeBytes(temporaryPathFor(timerPath()), "<?xml half a save");
    start();
    EXPECT_FALSE(QFileInfo::exists(temporaryPathFor(timerPath())));
    EXPECT_EQ(comboNames(combo()), QStringList{QStringLiteral("Tea")});
}

TEST(TimerFileLocation, InstalledProgramsAndReadOnlyFoldersUseTheDataFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString prefix = root.path() + QStringLiteral("/usr");
    const QString program = prefix + QStringLiteral("/bin");
    const QString data = root.path() + QStringLiteral("/home/.local/share");
    ASSERT_TRUE(QDir().mkpath(program));
    auto writable = [](const QString&) { return true; };

    // A build tree or an unpacked copy: beside the program.
    EXPECT_FALSE(AppPaths::isInstalled(program));
    EXPECT_EQ(AppPaths::choose(program, writable, data, false).timerFile(),
              program + QStringLiteral("/timers.xml"));

    // Installed, even where the prefix can be written (root, or ~/.local).
    ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/share/quorvantel/help")));
    EXPECT_TRUE(AppPaths::isInstalled(program));
    const AppPaths installed = AppPaths::choose(program, writable, data, true);
    EXPECT_EQ(installed.timerFile(), data + QStringLiteral("/Quorvantel/timers.xml"));
    EXPECT_EQ(installed.carryOverFile(), program + QStringLiteral("/timers.xml"));
    EXPECT_TRUE(QFileInfo(data + QStringLiteral("/Quorvantel")).isDir());

    // A folder that cannot be written, or no data folder known at all.
    EXPECT_EQ(AppPaths::choose(
                  program, [](const QString&) { return false; }, data)
                  .timerFile(),
              data + QStringLiteral("/Quorvantel/timers.xml"));
    EXPECT_EQ(AppPaths::choose(program, writable, QString(), true).timerFile(),
              program + QStringLiteral("/timers.xml"));
    EXPECT_TRUE(AppPaths::inFolder(program).carryOverFile().isEmpty());
}

TEST(WindowPlacement, FitToScreenLimitsSizeThenKeepsTheTitleBarReachable) {
    const QRect screen(0, 30, 1280, 994); // below a 30-pixel panel
    using layout::fitToScreen;
    using layout::kTitleGrip;
    // What fits stays as it is, also partly off the sides.
    EXPECT_EQ(fitToScreen(QRect(40, 50, 800, 600), screen), QRect(40, 50, 800, 600));
    EXPECT_EQ(fitToScreen(QRect(-300, 100, 800, 600), screen), QRect(-300, 100, 800, 600));
    // Too large: the size shrinks to the screen, then the place follows.
    EXPECT_EQ(fitToScreen(QRect(0, 0, 9999, 9999), screen), QRect(0, 30, 1280, 994));
    EXPECT_EQ(fitToScreen(QRect(7777, 7777, 7777, 7777), screen),
              QRect(1280 - kTitleGrip, 1024 - kTitleGrip, 1280, 994));
    // Off every edge: back to where the title bar can be taken hold of.
    EXPECT_EQ(fitToScreen(QRect(-5000, -5000, 550, 400), screen),
              QRect(kTitleGrip - 550, 30, 550, 400));
    EXPECT_EQ(fitToScreen(QRect(5000, 5000, 550, 400), screen),
              QRect(1280 - kTitleGrip, 1024 - kTitleGrip, 550, 400));
    // A screen elsewhere in the desktop's coordinates: the size is its own.
    EXPECT_EQ(fitToScreen(QRect(0, 0, 3000, 300), QRect(1280, 0, 1920, 1080)),
              QRect(0, 0, 1920, 300));
}

class StoredWindow : public AppTest {};

TEST_F(StoredWindow, AHugeStoredWindowIsLimitedToTheScreenAndStoredAsItWas) {
    writeSettings({{QStringLiteral("SNumSettings"), QStringLiteral("00000000")},
                   {QStringLiteral("LNumSettings"), QStringLiteral("9999999900000000")}});
    start();
    form->show();
    const QRect available = form->screen()->availableGeometry();
    EXPECT_LE(form->width(), available.width());
    EXPECT_LE(form->height(), available.height());
    EXPECT_TRUE(available.contains(form->pos()));
    const QSize shown = form->size();
    ASSERT_TRUE(form->close());
    EXPECT_EQ(setting("LNumSettings").left(8), QStringLiteral("%1%2")
                                                   .arg(shown.width(), 4, 10, QLatin1Char('0'))
                                                   .arg(shown.height(), 4, 10, QLatin1Char('0')));
}

} // namespace
} // namespace qv::testing
