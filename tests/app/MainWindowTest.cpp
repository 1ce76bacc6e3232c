#include "AppFixture.h"
#include "support/AccessibleTree.h"
#include "support/ClippedText.h"
#include "support/ScopedLanguage.h"
#include "support/ScopedLook.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace qv::testing {
namespace {

using Cycle = TMainForm::KeyCycle;

class MainWindow : public AppTest {
protected:
    void startWith(std::int32_t startTime, bool loop = false) {
        writeTimers({timer("Tea", startTime, loop)});
        start();
        form->show();
    }
    bool idleControlsEnabled() {
        return resetButton()->isEnabled() && combo()->isEnabled() &&
               child<QAction>("Timersettings1")->isEnabled();
    }
};

TEST_F(MainWindow, ShowsTheTimeWithTwoDigitsPerField) {
    for (auto [seconds, text] : {std::pair{3723, "01:02:03"}, std::pair{359999, "99:59:59"},
                                 std::pair{0, "00:00:00"}, std::pair{36000, "10:00:00"}}) {
        form.reset();
        startWith(seconds);
        EXPECT_EQ(ledText(), QString::fromLatin1(text));
        EXPECT_EQ(form->statusText(1), QString::fromLatin1(text));
        EXPECT_EQ(form->engine().displayText(), text);
    }
}

// The time panel is measured once for each shape of text, not each second: each
// new time still fits, and so does a time in a font that grew during the run.
TEST_F(MainWindow, TheTimePanelFitsEachTimeAndAFontThatGrows) {
    startWith(3723);
    auto* panel = form->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    ASSERT_NE(panel, nullptr);
    startStop()->click();
    auto fits = [&] {
        QCoreApplication::processEvents();
        return panel->width() >= panel->sizeHint().width() &&
               panel->parentWidget()->width() == panel->width();
    };
    for (int i = 0; i < 12; ++i) {
        seconds(1);
        EXPECT_TRUE(fits()) << panel->text().toStdString();
    }
    const int before = panel->width();
    QFont large = form->statusBar()->font();
    large.setPixelSize(large.pixelSize() > 0 ? large.pixelSize() * 2 : 24);
    form->statusBar()->setFont(large);
    seconds(1);
    EXPECT_TRUE(fits());
    EXPECT_GT(panel->width(), before);
    EXPECT_EQ(clippedTexts(form.get()).join(QLatin1Char(';')).toStdString(), "");
}

TEST_F(MainWindow, ProgramTitleFollowsTheRunWhileTheCaptionStays) {
    startWith(300);
    EXPECT_EQ(form->programTitle(), QStringLiteral("Quorvantel"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quorvantel 1.02"));
    EXPECT_EQ(form->statusText(0), QStringLiteral("Not running"));

    startStop()->click();
    EXPECT_EQ(startStop()->text(), QStringLiteral("STOP"));
    EXPECT_EQ(form->statusText(0), QStringLiteral("Running..."));
    EXPECT_FALSE(resetButton()->isEnabled());
    EXPECT_FALSE(combo()->isEnabled());
    EXPECT_FALSE(child<QAction>("Timersettings1")->isEnabled());
    EXPECT_TRUE(child<QAction>("Preferences1")->isEnabled());

    tickAfter(999);
    EXPECT_EQ(form->programTitle(), QStringLiteral("Quorvantel"));
    tickAfter(1);
    EXPECT_EQ(form->programTitle(), QStringLiteral("Quorvantel - 00:04:59"));
    seconds(1);
    EXPECT_EQ(form->programTitle(), QStringLiteral("Quorvantel - 00:04:58"));
    EXPECT_EQ(form->statusText(1), QStringLiteral("00:04:58"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quorvantel 1.02"));

    startStop()->click();
    EXPECT_EQ(form->programTitle(), QStringLiteral("Quorvantel"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quorvantel 1.02"));
    EXPECT_EQ(startStop()->text(), QStringLiteral("START"));
    EXPECT_EQ(form->statusText(0), QStringLiteral("Not running"));
    EXPECT_TRUE(idleControlsEnabled());
    EXPECT_EQ(ledText(), QStringLiteral("00:04:58"));
    EXPECT_FALSE(tick.enabled);
}

TEST_F(MainWindow, ComesForwardOnlyWhileItsTitleIsThePlainName) {
    startWith(300);
    form->showMinimized();
    EXPECT_TRUE(form->comeForward());
    EXPECT_FALSE(form->isMinimized());

    startStop()->click();
    seconds(1);
    form->showMinimized();
    EXPECT_FALSE(form->comeForward());
    EXPECT_TRUE(form->isMinimized());
    startStop()->click();
    EXPECT_TRUE(form->comeForward());
}

TEST_F(MainWindow, RunEndingAtZeroFlashesUntilStoppedAndStartWaitsForReset) {
    startWith(3);
    startStop()->click();
    seconds(3);
    EXPECT_TRUE(form->engine().expired());
    EXPECT_EQ(form->programTitle(), QStringLiteral("Quorvantel - 00:00:00"));
    EXPECT_EQ(form->statusText(0), QStringLiteral("Running..."));
    EXPECT_FALSE(resetButton()->isEnabled());

    tickAfter(100);
    EXPECT_EQ(ledText(), QStringLiteral("        "));
    tickAfter(100);
    EXPECT_EQ(ledText(), QStringLiteral("00:00:00"));
    tickAfter(100);
    EXPECT_EQ(ledText(), QStringLiteral("        "));

    // Stopped while blank: the digits come back, START is greyed.
    startStop()->click();
    EXPECT_EQ(ledText(), QStringLiteral("00:00:00"));
    EXPECT_FALSE(startStop()->isEnabled());
    EXPECT_EQ(form->programTitle(), QStringLiteral("Quorvantel"));

    // Choosing a timer in the list does not enable it; RESET does.
    combo()->setCurrentIndex(0);
    form->TimerComboChange();
    EXPECT_FALSE(startStop()->isEnabled());
    resetButton()->click();
    EXPECT_TRUE(startStop()->isEnabled());
    EXPECT_EQ(ledText(), QStringLiteral("00:00:03"));
}

TEST_F(MainWindow, SpaceStepsStartStopResetInTheSecondMode) {
    startWith(300);
    form->preferences().SpaceResets = true;
    key(Qt::Key_Space);
    EXPECT_TRUE(form->engine().running());
    EXPECT_EQ(form->keyCycle(), Cycle::Start);
    seconds(2);
    key(Qt::Key_Space);
    EXPECT_FALSE(form->engine().running());
    EXPECT_EQ(form->keyCycle(), Cycle::Stop);
    EXPECT_EQ(ledText(), QStringLiteral("00:04:58"));
    key(Qt::Key_Space);
    EXPECT_FALSE(form->engine().running());
    EXPECT_EQ(form->keyCycle(), Cycle::Reset);
    EXPECT_EQ(ledText(), QStringLiteral("00:05:00"));
    key(Qt::Key_Space);
    EXPECT_TRUE(form->engine().running());
    EXPECT_EQ(form->keyCycle(), Cycle::Start);
}

TEST_F(MainWindow, SpaceTogglesInTheFirstModeAndEscapeStopsAndResets) {
    startWith(300);
    key(Qt::Key_Space);
    seconds(2);
    key(Qt::Key_Space);
    EXPECT_FALSE(form->engine().running());
    key(Qt::Key_Space);
    EXPECT_TRUE(form->engine().running());
    EXPECT_EQ(form->keyCycle(), Cycle::Start);
    seconds(1);
    EXPECT_EQ(ledText(), QStringLiteral("00:04:57"));

    key(Qt::Key_Escape);
    EXPECT_FALSE(form->engine().running());
    EXPECT_EQ(ledText(), QStringLiteral("00:05:00"));
    EXPECT_EQ(startStop()->text(), QStringLiteral("START"));
    EXPECT_EQ(form->keyCycle(), Cycle::Start);
    EXPECT_TRUE(idleControlsEnabled());
}

TEST_F(MainWindow, SpaceWhileFlashingStopsAndResetsInEitherMode) {
    for (bool spaceResets : {false, true}) {
        form.reset();
        startWith(2);
        form->preferences().SpaceResets = spaceResets;
        key(Qt::Key_Space);
        seconds(2);
        tickAfter(100);
        ASSERT_TRUE(form->engine().expired());
        key(Qt::Key_Space);
        EXPECT_FALSE(form->engine().expired());
        EXPECT_FALSE(tick.enabled);
        EXPECT_EQ(ledText(), QStringLiteral("00:00:02"));
        EXPECT_TRUE(startStop()->isEnabled());
        EXPECT_EQ(form->keyCycle(), Cycle::Reset);
    }
}

TEST_F(MainWindow, MouseClicksLeaveTheKeyboardCycleAlone) {
    startWith(300);
    form->preferences().SpaceResets = true;
    key(Qt::Key_Space);
    seconds(1);
    startStop()->click();
    key(Qt::Key_Space);
    EXPECT_TRUE(form->engine().running());
    EXPECT_EQ(ledText(), QStringLiteral("00:04:59"));
}

TEST_F(MainWindow, OneKeyPressActsOnceWhereverTheFocusIs) {
    startWith(300);
    // The buttons never take the focus; after a start it is with no control
    // (the list is disabled) and after a stop with the list.
    key(Qt::Key_Space);
    EXPECT_TRUE(form->engine().running());
    EXPECT_FALSE(startStop()->hasFocus());
    key(Qt::Key_Space);
    EXPECT_FALSE(form->engine().running());
    EXPECT_EQ(form->keyTarget(), combo());
    // A key sent to the window itself while a control has the focus is a
    // later delivery of the same press and does nothing more.
    QTest::keyClick(form.get(), Qt::Key_Space);
    EXPECT_FALSE(form->engine().running());
    key(Qt::Key_Space);
    EXPECT_TRUE(form->engine().running());
    // Other keys are not ours, modifiers make no difference.
    QTest::keyClick(form->keyTarget(), Qt::Key_A);
    EXPECT_TRUE(form->engine().running());
    QTest::keyClick(form->keyTarget(), Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_FALSE(form->engine().running());
}

TEST_F(MainWindow, ANameWithoutARecordIsReportedAndTheCurrentRowShown) {
    writeTimers({timer("Alpha", 10), timer("Beta", 20)});
    start();
    combo()->setItemText(1, QStringLiteral("Gone"));
    combo()->setCurrentIndex(1);
    form->TimerComboChange();
    const auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, MessageBox::Kind::Error);
    EXPECT_EQ(shown[0].text, QStringLiteral("Fatal error, DB record not found!"));
    EXPECT_EQ(ledText(), QStringLiteral("00:00:10"));
    EXPECT_EQ(form->activeTimerIndex(), 1);
}

TEST_F(MainWindow, StartWithNothingLeftExpiresOnTheFirstStep) {
    startWith(1);
    key(Qt::Key_Space);
    seconds(1);
    startStop()->click(); // stops at zero: START greyed
    ASSERT_FALSE(startStop()->isEnabled());
    key(Qt::Key_Space); // SPACE does not look at the button
    EXPECT_TRUE(form->engine().running());
    seconds(1);
    EXPECT_TRUE(form->engine().expired());
    EXPECT_EQ(ledText(), QStringLiteral("00:00:00"));
}

TEST(MainWindowLayoutRules, SegmentSizesFollowTheWidth) {
    EXPECT_EQ(layout::horzsize(640), 40);
    EXPECT_EQ(layout::vertsize(40), 44);
    EXPECT_EQ(layout::thickness(40), 7);
    EXPECT_EQ(layout::thickness(39), 6);
    EXPECT_EQ(layout::thickness(45), 8);
    EXPECT_EQ(layout::thickness(33), 6);
    EXPECT_EQ(layout::thickness(34), 6);
    EXPECT_EQ(layout::thickness(35), 6);
    // Very wide windows keep the proportions within the LED's byte range.
    EXPECT_EQ(layout::horzsize(3696), 231);
    EXPECT_EQ(layout::horzsize(4096), 231);
    EXPECT_EQ(layout::horzsize(20000), 231);
    EXPECT_EQ(layout::vertsize(231), 254);
    EXPECT_EQ(layout::horzsize(0), 0);
}

TEST_F(MainWindow, ResizeSizesTheDigitsAndKeepsTheMinimum) {
    startWith(300);
    form->resize(640, 480);
    QCoreApplication::processEvents();
    EXPECT_EQ(led()->led().Horzsize, 40);
    EXPECT_EQ(led()->led().Vertsize, 44);
    EXPECT_EQ(led()->led().Thickness, 7);
    EXPECT_EQ(led()->x(), (640 - led()->width()) / 2);
    EXPECT_EQ(startStop()->x(), 320 - startStop()->width() / 2);
    EXPECT_EQ(resetButton()->x(), 320 - resetButton()->width() / 2);

    form->resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->width(), 450);
    EXPECT_GE(form->height(), 350);

    // A short wide window grows until the buttons sit below the digits.
    for (QSize s : {QSize(1200, 360), QSize(2000, 400), QSize(450, 350)}) {
        form->resize(s);
        QCoreApplication::processEvents();
        EXPECT_LE(led()->y() + led()->height(), startStop()->y()) << s.width();
        EXPECT_LE(startStop()->y() + startStop()->height(), resetButton()->y()) << s.width();
        EXPECT_LE(resetButton()->y() + resetButton()->height(), form->centralWidget()->height())
            << s.width();
    }
}

} // namespace
} // namespace qv::testing

namespace qv::testing {
namespace {

class MainWindowAccess : public AppTest {};

// A screen reader finds the time on the LED, a name on every control, every
// text as it is shown, and a timer list that looks as disabled as it is while
// a run counts.
TEST_F(MainWindowAccess, TheLedReadsTheTimeAndEveryControlHasAName) {
    writeTimers({timer("Tea", 300)});
    start();
    form->show();
    EXPECT_EQ(unnamedControls(form.get()), QStringList());
    QAccessibleInterface* led = QAccessible::queryAccessibleInterface(this->led());
    ASSERT_NE(led, nullptr);
    EXPECT_EQ(led->text(QAccessible::Name), QStringLiteral("Time left"));
    EXPECT_EQ(led->text(QAccessible::Value), QStringLiteral("00:05:00"));

    EXPECT_EQ(misread(form.get()), QStringList());
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(combo());
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Active timer"));
    EXPECT_EQ(list->text(QAccessible::Value), QStringLiteral("Tea"));

    startStop()->click();
    seconds(1);
    EXPECT_EQ(led->text(QAccessible::Value), QStringLiteral("00:04:59"));
    // The status bar's panels read what they show, as it changes.
    QStringList panels;
    for (const char* name : {"StatusPanel0", "StatusPanel1"})
        panels << QAccessible::queryAccessibleInterface(
                      form->findChild<QWidget*>(QLatin1String(name)))
                      ->text(QAccessible::Name);
    EXPECT_EQ(panels, (QStringList{QStringLiteral("Running..."), QStringLiteral("00:04:59")}));
    EXPECT_EQ(misread(form.get()), QStringList());
    EXPECT_FALSE(combo()->isEnabled());
    const QPalette& pal = combo()->palette();
    EXPECT_NE(pal.color(QPalette::Disabled, QPalette::Text),
              pal.color(QPalette::Active, QPalette::Text));
    EXPECT_EQ(pal.color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(pal.color(QPalette::Active, QPalette::Text), QColor(Qt::black));
}

// A dark style and a large font: the top panel holds the whole timer list and
// no text of the window is cut off.
TEST_F(MainWindowAccess, DarkStyleAndLargeFontCutNothingOff) {
    for (const char* name : {"Adwaita-Dark", "Fusion"}) {
        SCOPED_TRACE(name);
        const ScopedLook look(name, 13);
        if (!look.active())
            continue;

        writeTimers({timer("Tea", 300)});
        start();
        form->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(clippedTexts(form.get()).join(QLatin1Char(';')).toStdString(), "");
        const QWidget* panel = form->findChild<QWidget*>(QStringLiteral("Panel1"));
        ASSERT_NE(panel, nullptr);
        EXPECT_LE(combo()->geometry().bottom(), panel->height() - 1);
        EXPECT_GE(combo()->height(), combo()->sizeHint().height());
        // The list's text is readable where the style draws it.
        QStyleOptionComboBox option;
        option.initFrom(combo());
        const QRect field = combo()->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                             QStyle::SC_ComboBoxEditField, combo());
        EXPECT_GE(textContrast(combo()->grab(field).toImage()), 4.5);
        form.reset();
    }
}

// In each language the program speaks, idle and counting, at a small and a
// large font: every text of the window is whole, the menus included, and
// every control still has a name a reader can say.
TEST_F(MainWindowAccess, EveryLanguageCutsNothingOff) {
    for (const char* language : {"de", "fr", "es"}) {
        for (const auto& [style, points] :
             {std::pair{"Fusion", 9}, std::pair{"Adwaita-Dark", 13}}) {
            SCOPED_TRACE(std::string(language) + " " + style + " " + std::to_string(points));
            const ScopedLook look(style, points);
            if (!look.active())
                continue;
            const testing::ScopedLanguage translated(language);
            ASSERT_EQ(translated.language(), QLatin1String(language));
            writeTimers({timer("Tea", 300)});
            start();
            form->show();
            QCoreApplication::processEvents();
            EXPECT_NE(form->menuBar()->actions().value(0)->text(), QLatin1String("&File"));
            EXPECT_EQ(clippedTexts(form.get()).join(QLatin1Char(';')).toStdString(), "");
            for (QMenu* menu : form->menuBar()->findChildren<QMenu*>()) {
                menu->popup(QPoint());
                EXPECT_GE(menu->width(), menu->sizeHint().width()) << menu->title().toStdString();
                menu->hide();
            }
            EXPECT_EQ(unnamedControls(form.get()), QStringList());

            startStop()->click();
            seconds(1);
            EXPECT_NE(form->statusText(0), QLatin1String("Running..."));
            EXPECT_EQ(clippedTexts(form.get()).join(QLatin1Char(';')).toStdString(), "");
            startStop()->click();
            form.reset();
            data.reset();
        }
    }
}

TEST_F(MainWindowAccess, AFlashingLedStillReadsAsTheTime) {
    writeTimers({timer("Egg", 1)});
    start();
    form->show();
    QAccessibleInterface* led = QAccessible::queryAccessibleInterface(this->led());
    startStop()->click();
    seconds(1);
    ASSERT_TRUE(form->engine().expired());
    bool sawBlank = false;
    for (int i = 0; i < 4; ++i) {
        tickAfter(100);
        sawBlank = sawBlank || ledText().trimmed().isEmpty();
        EXPECT_EQ(led->text(QAccessible::Value), QStringLiteral("00:00:00"));
    }
    EXPECT_TRUE(sawBlank);
}

} // namespace
} // namespace qv::testing
