#include "dialogs/HelpWindow.h"
#include "dialogs/TAboutForm.h"
#include "dialogs/TPrefForm.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

using namespace qv;

// Readable failure output for texts.
static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

QString realHelpDir() {
    const QString source = qEnvironmentVariable("QV_SOURCE_DIR");
    if (!source.isEmpty())
        return source + QStringLiteral("/help");
    HelpWindow::setHelpDirectory(QString());
    return HelpWindow::helpDirectory();
}

QString readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// The text a reader sees: tags dropped, entities resolved.
QString plainText(const QString& html) {
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText().simplified();
}

// --- about box -------------------------------------------------------------

TEST(AboutForm, ShowsLogoVersionAndLink) {
    QPixmap logo(202, 45);
    logo.fill(Qt::darkCyan);
    TAboutForm about(logo);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quorvantel"));
    EXPECT_EQ(about.size(), QSize(355, 211));
    auto* image = about.findChild<QLabel*>(QStringLiteral("LMDLImage1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixmap().size(), QSize(202, 45));
    EXPECT_EQ(image->parentWidget()->objectName(), QStringLiteral("Panel1"));
    auto* version = about.findChild<QLabel*>(QStringLiteral("StaticText1"));
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(version->text().startsWith(QStringLiteral("Ver 1.02")));
    EXPECT_TRUE(version->text().contains(QStringLiteral("Brindlemoor")));
    auto* link = about.findChild<QLabel*>(QStringLiteral("StaticText2"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(QUrl(link->text()), TAboutForm::webAddress());
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

TEST(AboutForm, LinkOpensTheWebAddressAndLeavesTheBoxOpen) {
    TAboutForm about{QPixmap()};
    QList<QUrl> opened;
    about.OpenUrl = [&](const QUrl& url) {
        opened.append(url);
        return false; // a failed browser start changes nothing
    };
    about.open();
    auto* link = about.findChild<QLabel*>(QStringLiteral("StaticText2"));
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://www.brindlemoor.net/quorvantel")));
    EXPECT_TRUE(about.isVisible());

    QTest::mouseClick(link, Qt::RightButton);
    EXPECT_EQ(opened.size(), 1) << "only the left button follows the link";

    about.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

// --- help window -----------------------------------------------------------

class Help : public ::testing::Test {
protected:
    void SetUp() override { HelpWindow::setHelpDirectory(realHelpDir()); }
    void TearDown() override {
        delete HelpWindow::instance();
        HelpWindow::setHelpDirectory(QString());
    }
    QWidget owner;
};

TEST_F(Help, TopicsOpenTheirPagesInOneReusedWindow) {
    const struct {
        int topic;
        const char* page;
    } cases[] = {{0, "index.html"},
                 {20, "settings.html"},
                 {21, "preferences.html"},
                 {7, "index.html"},
                 {0, "index.html"}};
    HelpWindow* first = nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.topic);
        HelpWindow::showTopic(&owner, c.topic);
        HelpWindow* help = HelpWindow::instance();
        ASSERT_NE(help, nullptr);
        if (!first)
            first = help;
        EXPECT_EQ(help, first) << "one window, reused";
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->currentPage(), QString::fromLatin1(c.page));
        EXPECT_EQ(help->browser()->source().fileName(), QString::fromLatin1(c.page));
        EXPECT_FALSE(help->browser()->toPlainText().trimmed().isEmpty());
        QListWidgetItem* selected = help->contents()->currentItem();
        ASSERT_NE(selected, nullptr);
        EXPECT_EQ(selected->data(Qt::UserRole).toString(), QString::fromLatin1(c.page));
    }
    EXPECT_TRUE(first->windowTitle().contains(QStringLiteral("Contents")));
}

TEST_F(Help, ContentsListAndLinksNavigate) {
    HelpWindow::showTopic(&owner, 0);
    HelpWindow* help = HelpWindow::instance();
    QListWidget* list = help->contents();
    for (int i = 0; i < list->count(); ++i) {
        const QRect row = list->visualItemRect(list->item(i));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        EXPECT_EQ(help->currentPage(), list->item(i)->data(Qt::UserRole).toString());
    }
    Q_EMIT help->browser()->anchorClicked(QUrl(QStringLiteral("rules.html#tea")));
    EXPECT_EQ(help->currentPage(), QStringLiteral("rules.html"));
    Q_EMIT help->browser()->anchorClicked(QUrl(QStringLiteral("no-such-page.html")));
    EXPECT_TRUE(help->currentPage().isEmpty());
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("no-such-page.html")));
    // The page that was shown before a message opens again on request.
    help->openPage(QStringLiteral("rules.html"));
    EXPECT_EQ(help->currentPage(), QStringLiteral("rules.html"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Worked examples")));
}

TEST_F(Help, MissingFolderOrPageGivesAClearMessage) {
    HelpWindow::setHelpDirectory(QStringLiteral("/nonexistent/quorvantel/help"));
    HelpWindow::showTopic(&owner, 21);
    HelpWindow* help = HelpWindow::instance();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->currentPage().isEmpty());
    const QString text = help->browser()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("help pages were not found"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("/nonexistent/quorvantel/help")));

    QTemporaryDir partial;
    ASSERT_TRUE(partial.isValid());
    QFile::copy(realHelpDir() + QStringLiteral("/index.html"), partial.filePath("index.html"));
    HelpWindow::setHelpDirectory(partial.path());
    HelpWindow::showTopic(&owner, 20);
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("settings.html")));
    HelpWindow::showTopic(&owner, 0);
    EXPECT_EQ(help->currentPage(), QStringLiteral("index.html"));
}

TEST_F(Help, FolderComesFromTheEnvironmentWhenNotSet) {
    HelpWindow::setHelpDirectory(QString());
    qputenv("QV_HELP_DIR", "/opt/elsewhere/help");
    EXPECT_EQ(HelpWindow::helpDirectory(), QStringLiteral("/opt/elsewhere/help"));
    qunsetenv("QV_HELP_DIR");
    EXPECT_TRUE(QFileInfo(HelpWindow::helpDirectory() + QStringLiteral("/index.html")).isFile())
        << "a build run from its build folder finds the pages";
}

TEST_F(Help, WindowMovesUnderAModalDialogThatAsks) {
    HelpWindow::showTopic(&owner, 0);
    HelpWindow* help = HelpWindow::instance();
    EXPECT_EQ(help->parentWidget(), &owner);
    QDialog dialog(&owner);
    QLabel inside(&dialog);
    dialog.open();
    HelpWindow::showTopic(&inside, 20);
    EXPECT_EQ(HelpWindow::instance(), help);
    EXPECT_EQ(help->parentWidget(), &dialog);
    EXPECT_TRUE(help->isWindow());
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentPage(), QStringLiteral("settings.html"));
}

// --- the help book itself --------------------------------------------------

TEST(HelpBook, EveryPageExistsHasItsTitleAndEveryLinkResolves) {
    const QDir dir(realHelpDir());
    QStringList listed;
    for (const HelpWindow::Page& page : HelpWindow::pages()) {
        SCOPED_TRACE(page.file.toStdString());
        listed << page.file;
        const QString html = readAll(dir.filePath(page.file));
        ASSERT_FALSE(html.isEmpty());
        const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"));
        EXPECT_EQ(title.match(html).captured(1), page.title);
    }
    for (int topic : {0, 20, 21})
        EXPECT_TRUE(listed.contains(HelpWindow::pageForTopic(topic)));
    QStringList onDisk = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
    onDisk.sort();
    listed.sort();
    EXPECT_EQ(onDisk, listed) << "every page is in the contents list";

    const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    int links = 0;
    for (const QString& file : onDisk) {
        const QString html = readAll(dir.filePath(file));
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            SCOPED_TRACE((file + QStringLiteral(" -> ") + target).toStdString());
            ++links;
            ASSERT_FALSE(target.isEmpty());
            const QUrl url(target);
            if (!url.scheme().isEmpty()) {
                ADD_FAILURE() << "help pages link only to each other";
                continue;
            }
            const QString page = url.path().isEmpty() ? file : url.path();
            ASSERT_TRUE(QFileInfo(dir.filePath(page)).isFile());
            if (url.hasFragment()) {
                EXPECT_TRUE(readAll(dir.filePath(page))
                                .contains(QStringLiteral("id=\"%1\"").arg(url.fragment())));
            }
        }
    }
    EXPECT_GT(links, 20);
}

TEST(HelpBook, PreferencesPageNamesEveryControlOfTheDialog) {
    const QString page = plainText(readAll(realHelpDir() + QStringLiteral("/preferences.html")));
    ASSERT_FALSE(page.isEmpty());
    TPrefForm form;
    QStringList texts;
    for (const QAbstractButton* b : form.findChildren<QAbstractButton*>())
        if (!b->text().isEmpty())
            texts << b->text();
    for (const QGroupBox* g : form.findChildren<QGroupBox*>())
        texts << g->title();
    for (const QLabel* l : form.findChildren<QLabel*>())
        if (l->isVisibleTo(&form) && !l->text().isEmpty())
            texts << l->text();
    ASSERT_GE(texts.size(), 14);
    for (const QString& text : texts)
        EXPECT_TRUE(page.contains(text)) << text.toStdString();
}

TEST(HelpBook, PagesQuoteTheProgramsOwnTexts) {
    const QString dir = realHelpDir();
    const struct {
        const char* page;
        QStringList texts;
    } cases[] = {
        {"main-window.html",
         {"Active timer:", "Not running", "Running...", "START", "STOP", "RESET", "Quorvantel 1.02",
          "Use SPACE for start/stop and ESC for reset",
          "Use SPACE for start/stop/reset (ESC will still also work as reset)",
          "The timer is running, are you sure you want to close the application?"}},
        {"settings.html",
         {"Loop continuously", "Quick set (drag to quickly change start time)", "Perform action",
          "Type of action", "No announcement", "Custom sound filename", "Enable rule",
          "Starting from (hh:mm:ss)", "Perform the selected action", "Action to perform",
          "Only numeric values allowed!", "Numeric value out of range!",
          "You need to give the timer a unique name - try again!",
          "You already have 100 timers defined, no more timers can be added!",
          "Are you sure you want to delete this timer?", "New timer name"}},
        {"files.html", {"timers.xml", "Brindlemoor/Quorvantel", "TimerColors", "SNumSettings"}},
        {"preferences.html", {"The gradient bitmap file could not be found!"}},
    };
    for (const auto& c : cases) {
        const QString text = plainText(readAll(dir + QLatin1Char('/') + QLatin1String(c.page)));
        for (const QString& quote : c.texts)
            EXPECT_TRUE(text.contains(quote)) << c.page << ": " << quote.toStdString();
    }
}

} // namespace
