#include "dialogs/HelpWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

namespace qv {
namespace {

QPointer<HelpWindow>& current() {
    static QPointer<HelpWindow> window;
    return window;
}

QString& overrideDirectory() {
    static QString dir;
    return dir;
}

const QString kIndexPage = QStringLiteral("index.html");

} // namespace

const QList<HelpWindow::Page>& HelpWindow::pages() {
    static const QList<Page> list = {
        {QStringLiteral("index.html"), QT_TR_NOOP("Contents")},
        {QStringLiteral("main-window.html"), QT_TR_NOOP("The main window and the keyboard")},
        {QStringLiteral("settings.html"), QT_TR_NOOP("Timer settings")},
        {QStringLiteral("rules.html"), QT_TR_NOOP("Rules and announcements")},
        {QStringLiteral("preferences.html"), QT_TR_NOOP("Preferences")},
        {QStringLiteral("files.html"), QT_TR_NOOP("Where your data are kept")},
    };
    return list;
}

void HelpWindow::setHelpDirectory(const QString& dir) {
    overrideDirectory() = dir;
}

QString HelpWindow::helpDirectory() {
    if (!overrideDirectory().isEmpty())
        return overrideDirectory();
    const QString fromEnv = qEnvironmentVariable("QV_HELP_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString besideProgram = programDir + QStringLiteral("/help");
    if (QFileInfo(besideProgram).isDir())
        return besideProgram;
    // An installed program keeps its help with its other shared files.
    const QString installed = programDir + QStringLiteral("/../share/quorvantel/help");
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
#ifdef QV_HELP_SOURCE_DIR
    // A build run from its build folder has no help beside it; the pages it
    // was built from serve instead.
    if (QFileInfo(QStringLiteral(QV_HELP_SOURCE_DIR)).isDir())
        return QStringLiteral(QV_HELP_SOURCE_DIR);
#endif
    return besideProgram;
}

QString HelpWindow::pageForTopic(int topic) {
    switch (topic) {
    case SettingsTopic:
        return QStringLiteral("settings.html");
    case PreferencesTopic:
        return QStringLiteral("preferences.html");
    default:
        return kIndexPage;
    }
}

HelpWindow* HelpWindow::instance() {
    return current().data();
}

void HelpWindow::showTopic(QWidget* parent, int topic) {
    // While a modal dialog is up, only it and its own windows take input: the
    // help window belongs to it then, whoever asked.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner && parent)
        owner = parent->window();
    HelpWindow* window = current().data();
    if (!window) {
        window = new HelpWindow(owner);
        current() = window;
        // Never larger than the screen it opens on, title bar included, and
        // centred on it: a window manager that places it over its owner could
        // push its bottom off the screen.
        if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
            const QRect available = screen->availableGeometry();
            window->resize(std::min(window->width(), available.width() - kFrameAllowance),
                           std::min(window->height(), available.height() - kFrameAllowance));
            window->move(available.x() + (available.width() - window->width()) / 2,
                         available.y() + (available.height() - window->height()) / 2);
        }
    } else if (owner && window->parentWidget() != owner) {
        // Moving the window under the asking window keeps it usable while
        // that window is modal.
        const QRect where = window->geometry();
        window->setParent(owner, Qt::Window);
        window->setGeometry(where);
    }
    window->openTopic(topic);
    window->show();
    window->raise();
    window->activateWindow();
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Quorvantel Help"));
    resize(780, 560);

    m_contents = new QListWidget;
    m_contents->setObjectName(QStringLiteral("HelpContents"));
    m_contents->setSpacing(2);
    m_contents->setAccessibleName(tr("Help contents"));
    for (const Page& page : pages()) {
        auto* item = new QListWidgetItem(tr(page.title), m_contents);
        item->setData(Qt::UserRole, page.file);
    }
    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Read as the page it shows, under a name of its own.
    m_browser->setAccessibleName(tr("Help page"));
    // Links are followed here, so that a page that is missing gets a message
    // instead of a blank view, and web addresses go to the user's browser.
    m_browser->setOpenLinks(false);

    auto* back = new QPushButton(tr("Back"));
    auto* forward = new QPushButton(tr("Forward"));
    auto* home = new QPushButton(tr("Contents"));
    back->setEnabled(false);
    forward->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();

    auto* splitter = new QSplitter;
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 530});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, [this] { openPage(kIndexPage); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::pageChanged);
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { openPage(item->data(Qt::UserRole).toString()); });
    connect(m_contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openPage(item->data(Qt::UserRole).toString()); });
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl target = m_browser->source().resolved(link);
        if (!target.isLocalFile()) {
            QDesktopServices::openUrl(target);
            return;
        }
        const QFileInfo file(target.toLocalFile());
        if (!file.isFile()) {
            showMessage(tr("This help page is missing."),
                        tr("The page \"%1\" was not found in the help folder \"%2\".")
                            .arg(file.fileName(), file.absolutePath()));
            return;
        }
        m_browser->setSource(target);
    });
}

void HelpWindow::openTopic(int topic) {
    openPage(pageForTopic(topic));
}

void HelpWindow::openPage(const QString& file) {
    const QString dir = helpDirectory();
    if (!QFileInfo(dir).isDir()) {
        showMessage(tr("The help pages were not found."),
                    tr("Quorvantel looks for its help in the folder \"%1\", and that "
                       "folder does not exist. Reinstalling Quorvantel puts the help "
                       "pages back in place.")
                        .arg(QDir::toNativeSeparators(dir)));
        return;
    }
    const QString path = QDir(dir).filePath(file);
    if (!QFileInfo(path).isFile()) {
        showMessage(tr("This help page is missing."),
                    tr("The page \"%1\" was not found in the help folder \"%2\".")
                        .arg(file, QDir::toNativeSeparators(dir)));
        return;
    }
    const QUrl url = QUrl::fromLocalFile(path);
    if (m_browser->source().adjusted(QUrl::RemoveFragment) == url) {
        // Asking for the page already loaded does not load it again, and a
        // message may have taken its place since.
        m_browser->reload();
        m_browser->verticalScrollBar()->setValue(0);
        pageChanged(url);
        return;
    }
    m_browser->setSource(url);
}

void HelpWindow::showMessage(const QString& heading, const QString& detail) {
    m_current.clear();
    // Leaves the page history alone, so Back returns to the last good page.
    m_browser->setHtml(QStringLiteral("<h2>%1</h2><p>%2</p>")
                           .arg(heading.toHtmlEscaped(), detail.toHtmlEscaped()));
    selectInContents(QString());
    setWindowTitle(tr("Quorvantel Help"));
}

void HelpWindow::pageChanged(const QUrl& source) {
    // source() still gives the previous page while the change is signalled.
    m_current = source.isLocalFile() ? QFileInfo(source.toLocalFile()).fileName() : QString();
    selectInContents(m_current);
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("Quorvantel Help") : tr("Quorvantel Help - %1").arg(title));
}

void HelpWindow::selectInContents(const QString& file) {
    const QSignalBlocker block(m_contents);
    m_contents->clearSelection();
    m_contents->setCurrentItem(nullptr);
    for (int i = 0; i < m_contents->count(); ++i) {
        if (m_contents->item(i)->data(Qt::UserRole).toString() == file) {
            m_contents->setCurrentRow(i);
            break;
        }
    }
}

} // namespace qv
