#include "dialogs/HelpWindow.h"
#include "dialogs/TAboutForm.h"
#include "dialogs/TPrefForm.h"
#include "support/AccessibleTree.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>

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
        if (!TAboutForm::isDarkPalette(about.palette())) {
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
        ASSERT_TRUE(TAboutForm::isDarkPalette(about.palette()));
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
