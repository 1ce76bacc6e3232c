#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QListWidget;
class QTextBrowser;

namespace qv {

// The program's help: the pages of the help folder in a browser, with the
// contents at the left. There is one help window; every request reuses it and
// brings it to the front.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Context numbers the dialogs' help buttons ask for.
    static constexpr int ContentsTopic = 0;
    static constexpr int SettingsTopic = 20;
    static constexpr int PreferencesTopic = 21;
    // Room left around a new help window for the window manager's frame.
    static constexpr int kFrameAllowance = 48;

    // Opens the help window at a topic, in front and with the keyboard. It
    // belongs to the modal dialog that is up, else to the caller's window, so
    // a modal dialog never blocks it.
    static void showTopic(QWidget* parent, int topic);

    // The window currently open, or null.
    static HelpWindow* instance();

    // The folder the pages are read from: the one set here if any, else
    // $QV_HELP_DIR, else "help" beside the program, else the source tree's.
    static void setHelpDirectory(const QString& dir);
    static QString helpDirectory();

    // The page a context number opens; an unknown number opens the contents.
    static QString pageForTopic(int topic);

    // The pages of the contents list: file name and title, in reading order.
    struct Page {
        QString file;
        const char* title; // the English title; the contents list shows it translated
    };
    static const QList<Page>& pages();

    void openTopic(int topic);
    void openPage(const QString& file);

    // The file name of the page shown, or empty while a message is shown.
    QString currentPage() const { return m_current; }
    QTextBrowser* browser() const { return m_browser; }
    QListWidget* contents() const { return m_contents; }

private:
    explicit HelpWindow(QWidget* parent);
    void showMessage(const QString& heading, const QString& detail);
    void pageChanged(const QUrl& source);
    void selectInContents(const QString& file);

    QListWidget* m_contents = nullptr;
    QTextBrowser* m_browser = nullptr;
    QString m_current;
};

} // namespace qv
