#include "dialogs/TSettingsForm.h"

#include "core/TimerDB.h"
#include "dialogs/DialogHost.h"

#include <QComboBox>
#include <QFileDialog>
#include <QScreen>

namespace qv {

TSettingsForm::TSettingsForm(TimerDB& db, DialogHost& host, QWidget* parent)
    : QDialog(parent), db_(db), host_(host) {
    setObjectName(QStringLiteral("SettingsForm"));
    buildWindow();
    FormCreate();

    QComboBox* hostCombo = host_.timerCombo();
    for (int i = 0; hostCombo && i < hostCombo->count(); ++i)
        TimerNameCombo->addItem(hostCombo->itemText(i));
    const int active = host_.activeTimerIndex();
    if (active >= 0 && active < TimerNameCombo->count()) {
        TimerNameCombo->setCurrentIndex(active);
        // The main window keeps this timer current; locating it again only
        // guards against a table that moved its current row meanwhile.
        db_.locate(TimerNameCombo->currentText().toStdString());
    }
    PopulateSettingsForm();
}

TSettingsForm::~TSettingsForm() = default;

void TSettingsForm::FormCreate() {
    trackerGuard_ = false;
    picker_ = [this](const QString& preset) {
        QFileDialog dialog(this, QString(), QString(), QStringLiteral("Audio files (*.WAV *.wav)"));
        dialog.setObjectName(QStringLiteral("OpenDialog"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (!preset.isEmpty())
            dialog.selectFile(preset);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };
}

void TSettingsForm::setFilePicker(FilePicker picker) {
    picker_ = std::move(picker);
}

int TSettingsForm::selectedIndex() const {
    return TimerNameCombo->currentIndex();
}

void TSettingsForm::FormShow() {
    UpdateLEDS();
}

void TSettingsForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    FormShow();
}

void TSettingsForm::FormClose() {
    SaveSettings();
}

void TSettingsForm::done(int) {
    FormClose();
    QDialog::done(QDialog::Accepted);
}

void TSettingsForm::CloseButtonClick() {
    SaveSettings();
    accept();
}

void TSettingsForm::HelpButtonClick() {
    host_.showHelp(20);
}

} // namespace qv
