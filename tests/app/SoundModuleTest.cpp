#include "app/SoundModule.h"

#include "app/CommonData.h"

#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qv;

namespace {

const QString kBuiltModule =
    QStringLiteral(QV_TEST_SOUND_MODULE_DIR "/") + QString::fromLatin1(kSoundModuleFile);

QStringList warnings;
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg)
        warnings << text;
}

} // namespace

// The sound lives in a module of its own, loaded at the first sound: the
// program must find the one built beside it, take the first place that holds
// one, and come through a missing, foreign or broken file silent but whole.
TEST(SoundModule, LoadsTheFirstModuleFoundAndSaysWhyWhenThereIsNone) {
    QTemporaryDir empty;
    QString error;
    auto player = loadSoundPlayer(
        {empty.filePath(QStringLiteral("quorvantel-sound.so")), kBuiltModule}, &error);
    ASSERT_NE(player, nullptr) << error.toStdString();
    player->DoSound(QStringLiteral("9")); // no such built-in sound: nothing plays
    player.reset();

    const QStringList nowhere = soundModuleCandidates(empty.path());
    ASSERT_EQ(nowhere.size(), 2);
    EXPECT_EQ(nowhere.front(), empty.filePath(QStringLiteral("quorvantel-sound.so")));
    EXPECT_TRUE(nowhere.back().endsWith(QStringLiteral("/quorvantel/quorvantel-sound.so")));
    EXPECT_EQ(loadSoundPlayer(nowhere, &error), nullptr);
    EXPECT_TRUE(error.contains(nowhere.front())) << error.toStdString();
    EXPECT_TRUE(error.contains(nowhere.back())) << error.toStdString();
}

TEST(SoundModule, AFileThatIsNoSoundModuleIsRefusedWithItsReason) {
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("quorvantel-sound.so"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x7f"
               "ELF but nothing more");
    file.close();
    QString error;
    EXPECT_EQ(loadSoundPlayer({junk, kBuiltModule}, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());

    // A real library without the entry point: one of another version, say.
    const QString foreign =
        QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Test.so.6");
    ASSERT_TRUE(QFile::exists(foreign));
    EXPECT_EQ(loadSoundPlayer({foreign}, &error), nullptr);
    EXPECT_TRUE(error.contains(QString::fromLatin1(kSoundModuleEntry))) << error.toStdString();
}

TEST(SoundModule, WithoutAModuleTheProgramIsSilentAndSaysSo) {
    // The test program has no module beside it.
    warnings.clear();
    const QtMessageHandler before = qInstallMessageHandler(keepWarning);
    {
        TCommonData data;
        data.Sound().DoSound(QStringLiteral("0"));
        data.Sound().Announce(0, TTimeHMS{0, 4, 0});
    }
    qInstallMessageHandler(before);
    ASSERT_EQ(warnings.size(), 1) << warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(warnings.front().startsWith(QStringLiteral("Quorvantel plays no sound: ")));
}
