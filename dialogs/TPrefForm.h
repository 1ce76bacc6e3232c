#pragma once

#include "store/Preferences.h"

#include <QColor>
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv {

class TLMDLEDLabel;

// The preferences dialog: LED colours, the window background (a gradient of
// two colours or a tiled bitmap) and what SPACE does. It edits copies; the
// caller takes them back with store() only when the dialog ends with OK.
class TPrefForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrefForm(QWidget* parent = nullptr);

    void load(const TPreferences& prefs);
    // Writes the colours, the bitmap path, the background mode and the keyboard
    // mode; the other fields are left as they are.
    void store(TPreferences& prefs) const;

    // The colour picker: preset with a colour, gives the chosen one or nothing
    // on Cancel. Tests put in their own.
    std::function<std::optional<QColor>(const QColor& preset)> ColorDialog;
    // The file picker for "Bitmap files": preset with a path (or empty), gives
    // the chosen path or empty on Cancel.
    std::function<QString(const QString& preset)> OpenDialog;

    // 0: SPACE starts and stops; 1: SPACE starts, stops and resets.
    int keyItemIndex() const;
    void setKeyItemIndex(int index);

public Q_SLOTS:
    void ActiveColButtonClick();
    void InactiveColButtonClick();
    void Col1ButtonClick();
    void Col2ButtonClick();
    void GradientRadioClick();
    void BrowseButtonClick();
    void HelpButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildKeyboardGroup();
    void buildBackgroundGroup();
    void buildLedGroup();
    void buildButtons();
    void setTabOrderOfControls();
    void setBitmapPath(const QString& path);
    std::optional<QColor> pickColor(const QColor& preset);

    QGroupBox* KeyRadioGroup = nullptr;
    QButtonGroup* m_keyItems = nullptr;
    QRadioButton* m_keyItem0 = nullptr;
    QRadioButton* m_keyItem1 = nullptr;

    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* GradientRadio = nullptr;
    QRadioButton* TileRadio = nullptr;
    QPushButton* Col1Button = nullptr;
    QFrame* Col1PV = nullptr;
    QPushButton* Col2Button = nullptr;
    QFrame* Col2PV = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* TileFileEdit = nullptr;
    QPushButton* BrowseButton = nullptr;
    QLabel* TileFilePath = nullptr;

    QGroupBox* GroupBox2 = nullptr;
    QPushButton* ActiveColButton = nullptr;
    QFrame* ActivePV = nullptr;
    QPushButton* InactiveColButton = nullptr;
    QFrame* InactivePV = nullptr;
    QLabel* Label2 = nullptr;
    TLMDLEDLabel* SampleLED = nullptr;

    QPushButton* OKButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

// The fill colour of a swatch made by the preferences dialog.
QColor swatchColor(const QWidget* swatch);

} // namespace qv
