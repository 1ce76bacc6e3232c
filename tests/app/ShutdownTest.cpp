#include "AppFixture.h"
#include "dialogs/TPrefForm.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace qv::testing {
namespace {

class Shutdown : public AppTest {};

TEST_F(Shutdown, ClosingWhileRunningAndAnsweringNoWritesNothing) {
    writeTimers({timer("Tea", 300)});
    start();
    const QByteArray before = fileBytes(timerPath());
    startStop()->click();
    seconds(2);

    MessageBox::queueYes(false);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(MessageBox::takeBeeps(), 1);
    const auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, MessageBox::Kind::Confirm);
    EXPECT_EQ(shown[0].text, QStringLiteral("The timer is running, are you sure you want to "
                                            "close the application?"));
    EXPECT_FALSE(form->closeAccepted());
    EXPECT_EQ(fileBytes(timerPath()), before);
    EXPECT_FALSE(hasSetting("TimerColors"));

    // The countdown goes on without a gap.
    EXPECT_TRUE(form->engine().running());
    seconds(1);
    EXPECT_EQ(ledText(), QStringLiteral("00:04:57"));

    MessageBox::queueYes(true);
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(hasSetting("TimerColors"));
}

TEST_F(Shutdown, ClosingWhileIdleOrFlashingAsksNothing) {
    writeTimers({timer("Tea", 1)});
    start();
    startStop()->click();
    seconds(1);
    ASSERT_TRUE(form->engine().expired());
    EXPECT_TRUE(form->close());
    EXPECT_EQ(MessageBox::takeBeeps(), 0);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
}

TEST_F(Shutdown, CloseMergesTheTableAndStoresTheSelectedPositionAndMode) {
    writeTimers({timer("Alpha", 10), timer("Beta", 20)});
    start();
    combo()->setCurrentIndex(1);
    form->TimerComboChange();
    EXPECT_EQ(form->activeTimerIndex(), 1);
    form->preferences().SpaceResets = true;
    form->preferences().TiledBackground = true;
    ASSERT_TRUE(form->close());
    EXPECT_EQ(setting("SNumSettings"), QStringLiteral("00010101"));
    const QByteArray file = fileBytes(timerPath());
    EXPECT_TRUE(file.contains("Name=\"Alpha\""));
    EXPECT_TRUE(file.contains("Name=\"Beta\""));
    EXPECT_FALSE(file.contains("RowState"));
}

TEST_F(Shutdown, AFailedWriteStopsTheCloseAndKeepsThePreferences) {
    start();
    // The file's place is taken by a folder: the atomic write cannot replace it.
    ASSERT_TRUE(QFile::remove(timerPath()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("timers.xml")));
    EXPECT_FALSE(form->close());
    const auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, MessageBox::Kind::Error);
    EXPECT_TRUE(shown[0].text.startsWith(QStringLiteral("Cannot create file \"")));
    EXPECT_FALSE(form->closeAccepted());
    EXPECT_FALSE(hasSetting("TimerColors"));

    // Once the place is free again, the next close goes through.
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("timers.xml")));
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(fileBytes(timerPath()).contains("Name=\"Timer 1\""));
}

TEST_F(Shutdown, AnUnreadableTimerFileIsNeverOverwritten) {
    const QByteArray broken = "<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>";
    {
        QFile f(timerPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(broken);
    }
    start();
    auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, MessageBox::Kind::Error);
    QString readerMessage;
    TimerDB probe;
    ASSERT_FALSE(TimerFile::read(timerPath(), probe, &readerMessage));
    EXPECT_TRUE(shown[0].text.startsWith(readerMessage));
    const QString recovered = dir.filePath(QStringLiteral("timers.recovered.xml"));
    EXPECT_TRUE(shown[0].text.contains(recovered));
    EXPECT_EQ(combo()->currentText(), QStringLiteral("Timer 1"));
    EXPECT_EQ(form->timerWritePath(), recovered);

    ASSERT_TRUE(form->close());
    EXPECT_EQ(fileBytes(timerPath()), broken);
    EXPECT_TRUE(fileBytes(recovered).contains("Name=\"Timer 1\""));

    // Another start with the file still broken brings the recovered timers
    // back, says where from, and goes on saving there.
    form.reset();
    start();
    shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(
        shown[0].text.contains(QStringLiteral("The timers were read from \"%1\"").arg(recovered)))
        << shown[0].text.toStdString();
    EXPECT_EQ(form->timerWritePath(), recovered);
    EXPECT_EQ(fileBytes(timerPath()), broken);
}

// Modal dialogs are ended by the test once they are up.
void whenModal(std::function<void(QDialog*)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

// The real confirmation box: Enter keeps the timer running, Yes ends it.
TEST_F(Shutdown, EnterInTheCloseConfirmationKeepsTheTimerRunning) {
    writeTimers({timer("Tea", 300)});
    start();
    form->show();
    startStop()->click();
    seconds(1);
    MessageBox::setTesting(false);
    QString defaultText;
    whenModal([&defaultText](QDialog* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        defaultText = message->defaultButton()->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    const bool closed = form->close();
    whenModal([](QDialog* box) {
        for (QPushButton* button : box->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("&Yes"))
                button->click();
        }
    });
    const bool closedOnYes = form->close();
    MessageBox::setTesting(true);

    EXPECT_EQ(defaultText, QStringLiteral("&No"));
    EXPECT_FALSE(closed);
    EXPECT_TRUE(closedOnYes);
}

TEST_F(Shutdown, TimerSettingsOkWritesTheTableAndResets) {
    writeTimers({timer("Alpha", 3), timer("Beta", 20)});
    start();
    form->show();
    startStop()->click();
    seconds(3);
    startStop()->click();
    ASSERT_FALSE(startStop()->isEnabled());
    ASSERT_TRUE(QFile::remove(timerPath()));

    whenModal([](QDialog* d) { d->accept(); });
    form->Timersettings1Click();
    EXPECT_TRUE(startStop()->isEnabled());
    EXPECT_EQ(ledText(), QStringLiteral("00:00:03"));
    EXPECT_EQ(combo()->currentText(), QStringLiteral("Alpha"));
    EXPECT_TRUE(fileBytes(timerPath()).contains("Name=\"Alpha\""));
    EXPECT_EQ(MessageBox::takeShown().size(), 0);
}

TEST_F(Shutdown, TimerSettingsWriteFailureIsReportedAndTheCloseWritesLater) {
    start();
    ASSERT_TRUE(QFile::remove(timerPath()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("timers.xml")));
    whenModal([](QDialog* d) { d->accept(); });
    form->Timersettings1Click();
    const auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].text.startsWith(QStringLiteral("Cannot create file \"")));
    EXPECT_EQ(ledText(), QStringLiteral("00:05:00"));

    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("timers.xml")));
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(fileBytes(timerPath()).contains("Name=\"Timer 1\""));
}

TEST_F(Shutdown, PreferencesOkAppliesColoursAndModeAtOnceButStoresThemAtClose) {
    start();
    form->show();
    whenModal([](QDialog* d) {
        auto* pref = qobject_cast<TPrefForm*>(d);
        ASSERT_NE(pref, nullptr);
        pref->setKeyItemIndex(1);
        d->accept();
    });
    form->Preferences1Click();
    EXPECT_TRUE(form->preferences().SpaceResets);
    EXPECT_FALSE(hasSetting("SNumSettings"));
    ASSERT_TRUE(form->close());
    EXPECT_EQ(setting("SNumSettings"), QStringLiteral("00000001"));
}

} // namespace
} // namespace qv::testing
