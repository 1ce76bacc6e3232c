// The dialog's top row: switching the edited timer, adding, deleting and renaming.
// The table, TimerNameCombo and the main window's TimerCombo change together, so
// that one position means one timer in both lists.

#include "core/Text.h"
#include "core/TimerDB.h"
#include "core/TimerRecord.h"
#include "dialogs/DialogHost.h"
#include "dialogs/TSettingsForm.h"
#include "store/QtText.h"
#include "widgets/MessageBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>
#include <QStringList>

namespace qv {
namespace {

const char* const kNotFound =
    QT_TRANSLATE_NOOP("qv::TSettingsForm", "Fatal error, DB record not found!");

} // namespace

void TSettingsForm::TimerNameComboChange() {
    SaveSettings();
    if (!m_db.locate(toUtf8(TimerNameCombo->currentText())))
        MessageBox::error(this, tr(kNotFound));
    PopulateSettingsForm();
    m_host.setActiveTimerIndex(TimerNameCombo->currentIndex());
}

void TSettingsForm::insertSorted(QComboBox* combo, const QString& name, int* position) {
    const std::string key = toUtf8(name);
    int at = 0;
    while (at < combo->count() && compareNames(toUtf8(combo->itemText(at)), key) <= 0)
        ++at;
    combo->insertItem(at, name);
    *position = at;
}

// A name has to be visible in the lists: an empty or all-blank one is refused
// the way a taken name is, with a beep and a box, and the user presses the
// button again.
bool TSettingsForm::acceptableName(const QString& name) {
    if (!name.trimmed().isEmpty())
        return true;
    MessageBox::beep();
    MessageBox::information(this, tr("You need to give the timer a name - try again!"));
    return false;
}

// The table keeps only the column's width of a name; the lists must hold
// exactly what the table holds, and the uniqueness test must see it too.
std::optional<QString> TSettingsForm::askTimerName(const QString& title, const QString& prompt) {
    const auto typed = MessageBox::input(this, title, prompt);
    if (!typed)
        return std::nullopt;
    const QString name = toQString(cutToWidth(toUtf8(*typed), m_db.textWidth(Column::Name)));
    if (!acceptableName(name))
        return std::nullopt;
    return name;
}

void TSettingsForm::NewButtonClick() {
    // A table read from a file may already hold more than the limit.
    if (m_db.recordCount() >= kMaxTimers) {
        MessageBox::information(
            this, tr("You already have 100 timers defined, no more timers can be added!"));
        return;
    }
    const auto asked = askTimerName(tr("New timer"), tr("Enter the name of the new timer:"));
    if (!asked)
        return;
    const QString& name = *asked;
    if (m_db.contains(toUtf8(name))) {
        MessageBox::beep();
        MessageBox::information(this, tr("You need to give the timer a unique name - try again!"));
        m_db.locate(toUtf8(TimerNameCombo->currentText()));
        return;
    }

    TimerRecord record;
    PopulateNewTimer(record);
    record.Name = toUtf8(name);
    std::string error;
    if (!m_db.insert(std::move(record), &error)) {
        MessageBox::error(this, QCoreApplication::translate("qv::TimerDB", error.c_str()));
        m_db.locate(toUtf8(TimerNameCombo->currentText()));
        return;
    }

    int position = 0;
    insertSorted(TimerNameCombo, name, &position);
    TimerNameCombo->setCurrentIndex(position);
    if (QComboBox* hostCombo = m_host.timerCombo()) {
        const QSignalBlocker blocker(hostCombo);
        int hostPosition = 0;
        insertSorted(hostCombo, name, &hostPosition);
        hostCombo->setCurrentIndex(hostPosition);
    }
    // Unsaved edits of the timer shown until now are dropped here on purpose.
    PopulateSettingsForm();
    m_host.setActiveTimerIndex(position);
}

void TSettingsForm::DeleteButtonClick() {
    const int count = m_db.recordCount();
    if (count < 1 || TimerNameCombo->currentIndex() < 0)
        return;

    if (count == 1) {
        if (!MessageBox::confirm(this, tr("You cannot delete this timer (there must "
                                          "always be at least\none timer defined), "
                                          "would you like to rename it?")))
            return;
        const auto asked =
            askTimerName(tr("New timer name"), tr("Enter the new name of this timer:"));
        if (!asked)
            return;
        const QString& name = *asked;
        // Only the name changes; the other controls keep their unsaved edits
        // until the next save.
        TimerRecord record = *m_db.current();
        record.Name = toUtf8(name);
        std::string error;
        if (!m_db.updateCurrent(std::move(record), &error)) {
            MessageBox::error(this, QCoreApplication::translate("qv::TimerDB", error.c_str()));
            return;
        }
        TimerNameCombo->setItemText(0, name);
        TimerNameCombo->setCurrentIndex(0);
        if (QComboBox* hostCombo = m_host.timerCombo(); hostCombo && hostCombo->count() > 0) {
            const QSignalBlocker blocker(hostCombo);
            hostCombo->setItemText(0, name);
            hostCombo->setCurrentIndex(0);
        }
        return;
    }

    if (!MessageBox::confirm(this, tr("Are you sure you want to delete this timer?")))
        return;
    m_db.deleteCurrent();
    TimerNameCombo->removeItem(TimerNameCombo->currentIndex());
    TimerNameCombo->setCurrentIndex(0);
    if (QComboBox* hostCombo = m_host.timerCombo()) {
        const QSignalBlocker blocker(hostCombo);
        QStringList names;
        for (int i = 0; i < TimerNameCombo->count(); ++i)
            names.append(TimerNameCombo->itemText(i));
        hostCombo->clear();
        hostCombo->addItems(names);
        hostCombo->setCurrentIndex(0);
    }
    if (!m_db.locate(toUtf8(TimerNameCombo->currentText())))
        MessageBox::error(this, tr(kNotFound));
    PopulateSettingsForm();
    m_host.setActiveTimerIndex(0);
}

} // namespace qv
