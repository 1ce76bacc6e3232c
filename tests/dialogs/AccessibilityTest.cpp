#include "SettingsFormFixture.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/TAboutForm.h"
#include "dialogs/TPrefForm.h"
#include "support/AccessibleTree.h"
#include "widgets/DropDown.h"
#include "widgets/PaletteKind.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

namespace qv {
namespace {

QString realHelpDir() {
    return qEnvironmentVariable("QV_SOURCE_DIR") + QStringLiteral("/help");
}

TEST(Accessibility, EveryControlOfThePreferencesAndAboutBoxHasAName) {
    TPrefForm prefs;
    prefs.show();
    EXPECT_EQ(testing::unnamedControls(&prefs), QStringList());
    auto* help = prefs.findChild<QWidget*>(QStringLiteral("HelpButton"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(help)->text(QAccessible::Name),
              QStringLiteral("Help"));
    auto* sample = prefs.findChild<QWidget*>(QStringLiteral("SampleLED"));
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(sample)->text(QAccessible::Name),
              QStringLiteral("Sample of the LED colors"));

    TAboutForm about(QPixmap(202, 45));
    about.show();
    EXPECT_EQ(testing::unnamedControls(&about), QStringList());
}

// A reader hears each label as it is shown and each list by its label, with
// the item it shows as its value; in every window and dialog, also after the
// values change.
class ReadAsShown : public test::SettingsFormTest {};

TEST_F(ReadAsShown, TheTimerSettingsDialog) {
    addTimer("Tea", 330);
    open();
    form->show();
    EXPECT_EQ(testing::misread(form.get()), QStringList());
    auto* interval = child<QComboBox>("GenAnnIntervalCombo");
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(interval);
    EXPECT_EQ(node->text(QAccessible::Name), QStringLiteral("Perform action"));
    EXPECT_EQ(node->text(QAccessible::Value), QStringLiteral("No announcement"));
    pick("GenAnnIntervalCombo", 1);
    EXPECT_EQ(node->text(QAccessible::Name), QStringLiteral("Perform action"));
    EXPECT_EQ(node->text(QAccessible::Value), QStringLiteral("Every hour"));
    QAccessibleTextInterface* text = node->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()), QStringLiteral("Every hour"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child<QComboBox>("GenAnnTypeCombo"))
                  ->text(QAccessible::Name),
              QStringLiteral("Type of action"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child<QComboBox>("R2ActionCombo"))
                  ->text(QAccessible::Name),
              QStringLiteral("Action to perform, rule 2"));
    // The items stay reachable through the list.
    ASSERT_EQ(node->childCount(), 1);
    EXPECT_EQ(node->child(0)->object(), static_cast<QObject*>(interval->view()));
    EXPECT_EQ(node->indexOfChild(node->child(0)), 0);
    EXPECT_EQ(testing::misread(form.get()), QStringList());
}

TEST(ReadAsShownToo, ThePreferencesTheAboutBoxAndHelp) {
    TPrefForm prefs;
    prefs.show();
    EXPECT_EQ(testing::misread(&prefs), QStringList());
    TAboutForm about(QPixmap(202, 45));
    about.show();
    EXPECT_EQ(testing::misread(&about), QStringList());
    HelpWindow::setHelpDirectory(realHelpDir());
    HelpWindow::showTopic(nullptr, HelpWindow::SettingsTopic);
    ASSERT_NE(HelpWindow::instance(), nullptr);
    EXPECT_EQ(testing::misread(HelpWindow::instance()), QStringList());
    delete HelpWindow::instance();
    HelpWindow::setHelpDirectory(QString());
}

// A list that no label names keeps its item as its name, so that it is never
// heard as nothing.
TEST(ReadAsShownToo, AnUnnamedListIsHeardByItsItem) {
    QWidget window;
    auto* combo = new DropDown(&window);
    combo->addItems({QStringLiteral("One"), QStringLiteral("Two")});
    window.show();
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(combo);
    EXPECT_EQ(node->role(), QAccessible::ComboBox);
    EXPECT_EQ(node->text(QAccessible::Name), QStringLiteral("One"));
    combo->setCurrentIndex(1);
    EXPECT_EQ(node->text(QAccessible::Value), QStringLiteral("Two"));
    EXPECT_TRUE(node->state().collapsed);
    EXPECT_TRUE(node->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::showMenuAction()));
}

// The version line and the link are black and blue on a light dialog, and
// readable (a contrast of 4.5:1 at least) on a dark one.
TEST(Accessibility, AboutBoxTextsStayReadableOnADarkPalette) {
    EXPECT_NEAR(TAboutForm::contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(TAboutForm::contrastRatio(Qt::white, Qt::white), 1.0, 0.01);

    const QPalette light = QApplication::palette();
    {
        TAboutForm about(QPixmap(202, 45));
        const auto* version = about.findChild<QLabel*>(QStringLiteral("StaticText1"));
        const auto* link = about.findChild<QLabel*>(QStringLiteral("StaticText2"));
        if (!isDarkPalette(about.palette())) {
            EXPECT_EQ(version->palette().color(QPalette::WindowText), QColor(Qt::black));
            EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        }
    }
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
    dark.setColor(QPalette::Link, QColor(0, 0, 255)); // a link colour unreadable on dark grey
    QApplication::setPalette(dark);
    {
        TAboutForm about(QPixmap(202, 45));
        ASSERT_TRUE(isDarkPalette(about.palette()));
        const QColor background = about.palette().color(QPalette::Window);
        for (const char* name : {"StaticText1", "StaticText2"}) {
            SCOPED_TRACE(name);
            const auto* label = about.findChild<QLabel*>(QString::fromLatin1(name));
            EXPECT_GE(
                TAboutForm::contrastRatio(label->palette().color(QPalette::WindowText), background),
                4.5);
        }
    }
    QApplication::setPalette(light);
}

// Help asked for from a modal dialog is in front, takes the keyboard and
// scrolls while the dialog stays open; it never opens larger than the screen.
TEST(Accessibility, HelpFromAModalDialogIsUsableAndFitsTheScreen) {
    HelpWindow::setHelpDirectory(realHelpDir());
    QWidget main;
    main.show();
    QDialog dialog(&main);
    bool active = false;
    int scrolled = -1;
    QTimer::singleShot(0, &dialog, [&] {
        // The dialog's help button asks through the main window.
        HelpWindow::showTopic(&main, HelpWindow::SettingsTopic);
        HelpWindow* help = HelpWindow::instance();
        ASSERT_NE(help, nullptr);
        // Belonging to the modal dialog is what lets it take input.
        active = help->parentWidget() == &dialog && help->isVisible();
        auto* page = help->findChild<QTextBrowser*>();
        ASSERT_NE(page, nullptr);
        page->resize(page->width(), 60);
        const int before = page->verticalScrollBar()->value();
        QTest::keyClick(page, Qt::Key_PageDown);
        scrolled = page->verticalScrollBar()->value() - before;
        const QRect available = help->screen()->availableGeometry();
        EXPECT_TRUE(available.contains(help->geometry()));
        // Centred, give or take what a frame adds.
        EXPECT_LE(std::abs(help->geometry().center().y() - available.center().y()), 8);
        EXPECT_LE(std::abs(help->geometry().center().x() - available.center().x()), 8);
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(active);
    EXPECT_GT(scrolled, 0);
    delete HelpWindow::instance();
    HelpWindow::setHelpDirectory(QString());
}

} // namespace
} // namespace qv
