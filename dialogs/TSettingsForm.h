#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace qv {

class DialogHost;
class RulePage;
class TimerDB;

// The timer settings dialog. It edits the table's current record in place: the
// timer selected in TimerNameCombo is always the current record, and every way
// out of the dialog (Close, the close box, Escape) writes the controls back into
// it. exec() returns QDialog::Accepted for all of them, so that the main window
// always selects, loads and writes the timer the user last saw; there is no
// Cancel. The dialog never writes the timer file itself.
//
// The list operations (New, Delete, rename) change the table and the main
// window's TimerCombo at once; the main window's combo is changed with its
// signals blocked, so the main window reacts only after the dialog ends.
//
// The handlers are public so that tests can drive the dialog the way the user's
// clicks would.
class TSettingsForm : public QDialog {
    Q_OBJECT

public:
    // Returns the chosen file's full path, or an empty text when the user
    // cancels. The argument is the file name the file dialog starts with.
    using FilePicker = std::function<QString(const QString& preset)>;

    // Fills TimerNameCombo from the host's TimerCombo, selects the host's
    // active timer and fills the controls from the table's current record.
    TSettingsForm(TimerDB& db, DialogHost& host, QWidget* parent = nullptr);
    ~TSettingsForm() override;

    // Position of the timer selected in TimerNameCombo (-1 when the list is empty).
    int selectedIndex() const;

    void setFilePicker(FilePicker picker);

    void FormCreate();
    void FormShow();
    void FormClose();
    void PopulateSettingsForm();
    void SaveSettings();
    void UpdateLEDS();
    void CloseButtonClick();
    void HelpButtonClick();

    void TimerNameComboChange();
    void NewButtonClick();
    void DeleteButtonClick();

    void HrSpinClick();
    void MinSpinClick();
    void SecSpinClick();
    // Acts only on the user's moves of the thumb, never on the dialog's own.
    void QSTrackerChange(int position);
    // Shared by the nine rule time fields; each rule's page does the work.
    void AnnHrEditChange(QLineEdit* field);
    void GenAnnIntervalComboChange();
    void TimerExpTypeComboChange();
    void R1ActionComboChange();
    void R2ActionComboChange();
    void R3ActionComboChange();
    void ExpBrowseButtonClick();
    void R1BrowseButtonClick();
    void R2BrowseButtonClick();
    void R3BrowseButtonClick();
    void GenPreviewButtonClick();
    void ExpPreviewButtonClick();
    void R1PreviewButtonClick();
    void R2PreviewButtonClick();
    void R3PreviewButtonClick();

public Q_SLOTS:
    // Every ending saves the shown timer and reports Accepted (see above).
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    QWidget* buildTopRow();
    QWidget* buildStartGroup();
    QWidget* buildGeneralGroup();
    QWidget* buildExpiryGroup();

    void moveThumb(int hours, int minutes);
    void previewAction(int action, const QLabel* customPath);
    void browse(QLabel* pathHolder, QLineEdit* shown, int width);
    void previewAnnouncement();
    void insertSorted(QComboBox* combo, const QString& name, int* position);
    bool acceptableName(const QString& name);
    std::optional<QString> askTimerName(const QString& title, const QString& prompt);

    TimerDB& m_db;
    DialogHost& m_host;
    FilePicker m_picker;
    QString m_openDialogFileName;
    bool m_trackerGuard = false;

    QComboBox* TimerNameCombo = nullptr;
    QPushButton* NewButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QToolButton* HelpButton = nullptr;
    QPushButton* CloseButton = nullptr;

    QLineEdit* HrLED = nullptr;
    QLineEdit* MinLED = nullptr;
    QLineEdit* SecLED = nullptr;
    QSpinBox* HrSpin = nullptr;
    QSpinBox* MinSpin = nullptr;
    QSpinBox* SecSpin = nullptr;
    QCheckBox* LoopCheck = nullptr;
    QSlider* QSTracker = nullptr;

    QComboBox* GenAnnIntervalCombo = nullptr;
    QComboBox* GenAnnTypeCombo = nullptr;
    QToolButton* GenPreviewButton = nullptr;

    QComboBox* TimerExpTypeCombo = nullptr;
    QToolButton* ExpPreviewButton = nullptr;
    QLineEdit* TimerExpFilenameEdit = nullptr;
    QToolButton* ExpBrowseButton = nullptr;
    QLabel* TimerExpPath = nullptr;

    QTabWidget* RulePages = nullptr;
    std::array<RulePage*, 3> m_pages{};
};

} // namespace qv
