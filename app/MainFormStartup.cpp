#include "app/CommonData.h"
#include "app/MainForm.h"
#include "store/PreferencesStore.h"
#include "store/TimerFile.h"
#include "widgets/FormBackground.h"
#include "widgets/MessageBox.h"
#include "widgets/TLMDLEDLabel.h"

#include <QCloseEvent>
#include <QComboBox>
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
    if (!db.locate(TimerCombo->currentText().toStdString())) {
        MessageBox::error(this, QString::fromLatin1(kNotFound));
        db.first();
        TimerCombo->setCurrentIndex(0);
    }
    m_engine->loadTimer();
}

void TMainForm::openTimerTable() {
    TimerDB& db = m_data.TimerDB;
    const QString path = m_paths.timerFile();
    m_writePath = path;
    QString error;
    if (QFileInfo::exists(path)) {
        if (!TimerFile::read(path, db, &error)) {
            // The user's timers may still be in there: the file is never
            // written over; this session's table goes to a file of its own.
            m_writePath = m_paths.freeRecoveryFile();
            db.createEmpty();
            MessageBox::error(this, error + QStringLiteral("\n\nThe timer file \"%1\" is left as "
                                                           "it is. The timers will be saved to "
                                                           "\"%2\".")
                                                .arg(path, m_writePath));
        }
    } else if (!TimerFile::createEmpty(path, db, &error)) {
        MessageBox::error(this, error);
    }
    if (db.isEmpty()) {
        TimerRecord first;
        first.Name = "Timer 1";
        PopulateNewTimer(first);
        db.insert(std::move(first));
    }
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
        TimerCombo->addItem(QString::fromStdString(name));
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
        if (!MessageBox::confirm(this, QString::fromLatin1(kConfirmClose)))
            return false;
    }
    QString error;
    if (!TimerFile::mergeAndSave(m_writePath, m_data.TimerDB, &error)) {
        MessageBox::error(this, error);
        return false;
    }
    // A store that cannot be written (no rights) keeps what it had; the
    // timers are safe, so the close goes on.
    PreferencesStore::save(prefs::makeStored(m_prefs, snapshot()));
    m_closeAccepted = true;
    return true;
}

} // namespace qv
