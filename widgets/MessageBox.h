#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

class QWidget;

namespace qv {

// Every message box, input box and beep of the program goes through here, so
// that texts, titles and buttons are the same everywhere, and so that tests can
// answer a box instead of a person: queue the answers, run the action, then
// read what was shown.
class MessageBox {
public:
    enum class Kind { Error, Information, Confirm, Input };

    struct Shown {
        Kind kind;
        QString title;
        QString text;
    };

    // "Error" box with an OK button.
    static void error(QWidget* parent, const QString& text);
    // "Information" box with an OK button.
    static void information(QWidget* parent, const QString& text);
    enum class Default { Yes, No };
    // "Confirm" box with "&Yes" and "&No"; true for Yes. Enter answers
    // `defaultAnswer`; Escape always answers No.
    static bool confirm(QWidget* parent, const QString& text, Default defaultAnswer = Default::Yes);
    // An input box that starts empty; nullopt on Cancel.
    static std::optional<QString> input(QWidget* parent, const QString& title,
                                        const QString& prompt);
    static void beep();

    // --- for tests ---------------------------------------------------------
    // While answers are queued (or auto-answering is on) no dialog is shown:
    // a confirm takes the next bool, an input the next text (nullopt = Cancel).
    static void setTesting(bool on);
    static bool testing();
    static void queueYes(bool yes);
    static void queueInput(std::optional<QString> text);
    static QList<Shown> takeShown();
    static int takeBeeps();
    static void clear();
};

} // namespace qv
