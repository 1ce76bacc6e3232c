#include "app/CommonData.h"
#include "app/MainForm.h"
#include "store/AtomicFile.h"
#include "store/PreferencesStore.h"
#include "store/QtText.h"
#include "store/TimerFile.h"
#include "widgets/FormBackground.h"
#include "widgets/MessageBox.h"
#include "widgets/TLMDLEDLabel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QWidget>

namespace qv {

// Start-up, in the order the window's parts depend on each other: the table
// before the preferences (the stored timer position is checked against it),
// the preferences before the background and the list selection.
void TMainForm::FormCreate() {
    m_prefs.ActiveTimerIndex = 0;
    openTimerTable();
    loadPreferences();
    UpdateFormBkg();
    fillTimerCombo();

    TimerDB& db = m_data.TimerDB;
    TimerCombo->setCurrentIndex(m_prefs.ActiveTimerIndex);
    if (!db.locate(toUtf8(TimerCombo->currentText()))) {
        MessageBox::error(this, tr(kNotFound));
        db.first();
        TimerCombo->setCurrentIndex(0);
    }
    m_engine->loadTimer();
}

void TMainForm::openTimerTable() {
    TimerDB& db = m_data.TimerDB;
    const QString path = m_paths.timerFile();
    m_writePath = path;
    // A save cut short by a crash may have left its temporary file; the
    // timers themselves are whole in timers.xml.
    removeStaleTemporary(path);
    const QString source = carryOverTimerFile();
    QString error;
    if (QFileInfo::exists(source)) {
        if (!TimerFile::read(source, db, &error))
            recoverTimers(source, error);
    } else if (!TimerFile::createEmpty(path, db, &error)) {
        MessageBox::error(this, error);
    }
    if (db.isEmpty()) {
        TimerRecord first;
        first.Name = toUtf8(tr("Timer 1"));
        PopulateNewTimer(first);
        db.insert(std::move(first));
    }
}

QString TMainForm::carryOverTimerFile() {
    const QString path = m_paths.timerFile();
    const QString old = m_paths.carryOverFile();
    if (old.isEmpty() || QFileInfo::exists(path) || !QFileInfo::exists(old))
        return path;
    // The timers beside the program move into the data folder as a copy; the
    // file beside the program is left as it is. A file too large to be a
    // timer file is read (and refused) where it stands.
    QFile file(old);
    if (!file.open(QIODevice::ReadOnly) || file.size() > TimerFile::kMaxFileSize)
        return old;
    const QByteArray bytes = file.readAll();
    QString reason;
    if (file.error() != QFileDevice::NoError)
        return old;
    if (!writeFileAtomically(path, bytes, &reason)) {
        // Read from where they are; the saves still go to the data folder
        // and say why they fail.
        MessageBox::error(this, TimerFile::cannotCreateMessage(path, reason));
        return old;
    }
    return path;
}

void TMainForm::recoverTimers(const QString& refused, const QString& error) {
    // The user's timers may still be in the refused file: it is never
    // written over. What an earlier session saved instead comes back.
    for (const QString& candidate : m_paths.recoveryFiles()) {
        TimerDB recovered;
        recovered.createEmpty();
        QString ignored;
        if (!TimerFile::read(candidate, recovered, &ignored))
            continue;
        m_data.TimerDB = std::move(recovered);
        m_writePath = candidate;
        MessageBox::error(this, tr("%1\n\nThe timer file \"%2\" is left as it is. "
                                   "The timers were read from \"%3\", where an "
                                   "earlier session saved them, and will be "
                                   "saved there.")
                                    .arg(error, refused, candidate));
        return;
    }
    m_writePath = m_paths.freeRecoveryFile();
    m_data.TimerDB.createEmpty();
    MessageBox::error(this, tr("%1\n\nThe timer file \"%2\" is left as it is. "
                               "The timers will be saved to \"%3\".")
                                .arg(error, refused, m_writePath));
}

void TMainForm::loadPreferences() {
    const StoredPreferences stored = PreferencesStore::load();
    prefs::applyStored(stored, m_data.TimerDB.recordCount(), TimerLED->led().ActiveColor,
                       TimerLED->led().InActiveColor, m_prefs);
    TimerLED->setActiveColor(m_prefs.ActiveLEDColor);
    TimerLED->setInActiveColor(m_prefs.InactiveLEDColor);
}

void TMainForm::fillTimerCombo() {
    TimerCombo->clear();
    for (const std::string& name : m_data.TimerDB.names())
        TimerCombo->addItem(toQString(name));
}

void TMainForm::UpdateFormBkg() {
    BackgroundSettings bg;
    bg.BkgColor1 = m_prefs.BkgColor1;
    bg.BkgColor2 = m_prefs.BkgColor2;
    bg.BkgBitmapFile = m_prefs.BkgBitmapFile;
    bg.TiledBackground = m_prefs.TiledBackground;
    qv::UpdateFormBkg(m_formFill, bg, this);
    m_prefs.TiledBackground = bg.TiledBackground;
    centralWidget()->update();
    Panel1->repaint();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (m_closeAccepted || FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TMainForm::FormCloseQuery() {
    if (m_engine->running()) {
        MessageBox::beep();
        // A stray Enter must not abandon a running timer.
        if (!MessageBox::confirm(this, tr(kConfirmClose), MessageBox::Default::No))
            return false;
    }
    QString error;
    if (!saveForClose(&error)) {
        MessageBox::error(this, error);
        return false;
    }
    // A close the user chose ends the run with the program.
    forgetRun();
    flushRunState();
    m_closeAccepted = true;
    return true;
}

} // namespace qv
