#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace qv {
namespace {

struct TestState {
    bool on = false;
    std::deque<bool> yes;
    std::deque<std::optional<QString>> inputs;
    QList<MessageBox::Shown> shown;
    int beeps = 0;
};

TestState& state() {
    static TestState s;
    return s;
}

QString titleOf(MessageBox::Kind k) {
    switch (k) {
    case MessageBox::Kind::Error:
        return QCoreApplication::translate("qv::MessageBox", "Error");
    case MessageBox::Kind::Information:
        return QCoreApplication::translate("qv::MessageBox", "Information");
    case MessageBox::Kind::Confirm:
        return QCoreApplication::translate("qv::MessageBox", "Confirm");
    case MessageBox::Kind::Input:
        break;
    }
    return {};
}

void record(MessageBox::Kind k, const QString& title, const QString& text) {
    state().shown.append({k, title, text});
}

void showOk(QWidget* parent, MessageBox::Kind kind, QMessageBox::Icon icon, const QString& text) {
    record(kind, titleOf(kind), text);
    if (state().on)
        return;
    QMessageBox box(icon, titleOf(kind), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void MessageBox::error(QWidget* parent, const QString& text) {
    showOk(parent, Kind::Error, QMessageBox::Critical, text);
}

void MessageBox::information(QWidget* parent, const QString& text) {
    showOk(parent, Kind::Information, QMessageBox::Information, text);
}

bool MessageBox::confirm(QWidget* parent, const QString& text, Default defaultAnswer) {
    record(Kind::Confirm, titleOf(Kind::Confirm), text);
    if (state().on) {
        if (state().yes.empty())
            return false;
        const bool yes = state().yes.front();
        state().yes.pop_front();
        return yes;
    }
    QMessageBox box(QMessageBox::Question, titleOf(Kind::Confirm), text, QMessageBox::NoButton,
                    parent);
    QPushButton* yesButton =
        box.addButton(QCoreApplication::translate("qv::MessageBox", "&Yes"), QMessageBox::YesRole);
    QPushButton* noButton =
        box.addButton(QCoreApplication::translate("qv::MessageBox", "&No"), QMessageBox::NoRole);
    box.setDefaultButton(defaultAnswer == Default::Yes ? yesButton : noButton);
    box.setEscapeButton(noButton);
    box.exec();
    return box.clickedButton() == yesButton;
}

std::optional<QString> MessageBox::input(QWidget* parent, const QString& title,
                                         const QString& prompt) {
    if (state().on) {
        record(Kind::Input, title, prompt);
        if (state().inputs.empty())
            return std::nullopt;
        auto answer = state().inputs.front();
        state().inputs.pop_front();
        return answer;
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QCoreApplication::translate("qv::MessageBox", "OK"));
    dialog.setCancelButtonText(QCoreApplication::translate("qv::MessageBox", "Cancel"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void MessageBox::beep() {
    ++state().beeps;
    if (!state().on)
        QApplication::beep();
}

void MessageBox::setTesting(bool on) {
    state().on = on;
}
bool MessageBox::testing() {
    return state().on;
}
void MessageBox::queueYes(bool yes) {
    state().yes.push_back(yes);
}
void MessageBox::queueInput(std::optional<QString> text) {
    state().inputs.push_back(std::move(text));
}

QList<MessageBox::Shown> MessageBox::takeShown() {
    QList<Shown> out;
    out.swap(state().shown);
    return out;
}

int MessageBox::takeBeeps() {
    const int n = state().beeps;
    state().beeps = 0;
    return n;
}

void MessageBox::clear() {
    state().yes.clear();
    state().inputs.clear();
    state().shown.clear();
    state().beeps = 0;
}

} // namespace qv
