#include "dialogs/TPrefForm.h"

#include "dialogs/HelpWindow.h"
#include "store/QtText.h"
#include "widgets/AccessibleNames.h"
#include "widgets/GrowToContents.h"
#include "widgets/TLMDLEDLabel.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <algorithm>

namespace qv {
namespace {

QFrame* makeSwatch(QWidget* parent, const char* name, const QRect& where) {
    auto* swatch = new QFrame(parent);
    swatch->setObjectName(QString::fromLatin1(name));
    swatch->setGeometry(where);
    // A plain box draws its outline in the text colour: a black pen around a
    // solid fill.
    swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
    swatch->setLineWidth(1);
    swatch->setAutoFillBackground(true);
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    swatch->setPalette(pal);
    return swatch;
}

void setSwatchColor(QFrame* swatch, const QColor& color) {
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, color);
    swatch->setPalette(pal);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text,
                        const QRect& where) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(where);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QPoint& where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(where);
    label->adjustSize();
    return label;
}

} // namespace

QColor swatchColor(const QWidget* swatch) {
    return swatch ? swatch->palette().color(QPalette::Window) : QColor();
}

TPrefForm::TPrefForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrefForm"));
    setWindowTitle(tr("Preferences"));
    setFixedSize(465, 342);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    ColorDialog = [this](const QColor& preset) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(preset, this);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
    OpenDialog = [this](const QString& preset) {
        return QFileDialog::getOpenFileName(this, tr("Open"), preset,
                                            tr("Bitmap files (*.BMP *.bmp)"));
    };

    buildKeyboardGroup();
    buildBackgroundGroup();
    buildLedGroup();
    buildButtons();
    growToContents(this);
    setTabOrderOfControls();
    GradientRadioClick();
}

void TPrefForm::buildKeyboardGroup() {
    KeyRadioGroup = new QGroupBox(tr("Keyboard shortcuts behaviour"), this);
    KeyRadioGroup->setObjectName(QStringLiteral("KeyRadioGroup"));
    KeyRadioGroup->setGeometry(16, 8, 433, 65);
    m_keyItem0 = new QRadioButton(tr("Use SPACE for start/stop and ESC for reset"), KeyRadioGroup);
    m_keyItem0->setObjectName(QStringLiteral("KeyRadioItem0"));
    m_keyItem0->setGeometry(8, 18, 417, 19);
    m_keyItem1 = new QRadioButton(
        tr("Use SPACE for start/stop/reset (ESC will still also work as reset)"), KeyRadioGroup);
    m_keyItem1->setObjectName(QStringLiteral("KeyRadioItem1"));
    m_keyItem1->setGeometry(8, 39, 417, 19);
    m_keyItems = new QButtonGroup(this);
    m_keyItems->addButton(m_keyItem0, 0);
    m_keyItems->addButton(m_keyItem1, 1);
    m_keyItem0->setChecked(true);
}

void TPrefForm::buildBackgroundGroup() {
    GroupBox1 = new QGroupBox(tr("Window background"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(16, 176, 433, 105);

    GradientRadio = new QRadioButton(tr("Use color gradient"), GroupBox1);
    GradientRadio->setObjectName(QStringLiteral("GradientRadio"));
    GradientRadio->setGeometry(16, 20, 113, 17);
    GradientRadio->setChecked(true);
    TileRadio = new QRadioButton(tr("Use a tiled bitmap"), GroupBox1);
    TileRadio->setObjectName(QStringLiteral("TileRadio"));
    TileRadio->setGeometry(208, 20, 113, 17);
    // toggled, not clicked: checking a button from code (load) must update
    // the enabled states exactly as a click does.
    connect(GradientRadio, &QRadioButton::toggled, this, &TPrefForm::GradientRadioClick);
    connect(TileRadio, &QRadioButton::toggled, this, &TPrefForm::GradientRadioClick);

    Col1Button = makeButton(GroupBox1, "Col1Button", tr("Set color 1"), {32, 40, 73, 25});
    Col1PV = makeSwatch(GroupBox1, "Col1PV", {112, 40, 33, 25});
    Col2Button = makeButton(GroupBox1, "Col2Button", tr("Set color 2"), {32, 72, 73, 25});
    Col2PV = makeSwatch(GroupBox1, "Col2PV", {112, 72, 33, 25});
    connect(Col1Button, &QPushButton::clicked, this, &TPrefForm::Col1ButtonClick);
    connect(Col2Button, &QPushButton::clicked, this, &TPrefForm::Col2ButtonClick);

    Label1 = makeLabel(GroupBox1, "Label1", tr("Bitmap file"), {226, 43});
    TileFileEdit = new QLineEdit(GroupBox1);
    TileFileEdit->setObjectName(QStringLiteral("TileFileEdit"));
    TileFileEdit->setGeometry(226, 59, 145, 21);
    BrowseButton = makeButton(GroupBox1, "BrowseButton", QStringLiteral("..."), {371, 59, 24, 21});
    BrowseButton->setToolTip(tr("Browse files"));
    connect(BrowseButton, &QPushButton::clicked, this, &TPrefForm::BrowseButtonClick);

    TileFilePath = makeLabel(GroupBox1, "TileFilePath", QStringLiteral("Hidden"), {328, 80});
    TileFilePath->setVisible(false);
    // Holds the path until load() sets one: the placeholder is no path.
    TileFilePath->setText(QString());
}

void TPrefForm::buildLedGroup() {
    GroupBox2 = new QGroupBox(tr("LED display"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(16, 80, 433, 89);

    ActiveColButton =
        makeButton(GroupBox2, "ActiveColButton", tr("Set active color"), {16, 21, 105, 25});
    ActivePV = makeSwatch(GroupBox2, "ActivePV", {128, 21, 33, 25});
    InactiveColButton =
        makeButton(GroupBox2, "InactiveColButton", tr("Set inactive color"), {16, 53, 105, 25});
    InactivePV = makeSwatch(GroupBox2, "InactivePV", {128, 53, 33, 25});
    connect(ActiveColButton, &QPushButton::clicked, this, &TPrefForm::ActiveColButtonClick);
    connect(InactiveColButton, &QPushButton::clicked, this, &TPrefForm::InactiveColButtonClick);

    Label2 = makeLabel(GroupBox2, "Label2", tr("Sample"), {184, 13});

    SampleLED = new TLMDLEDLabel(GroupBox2);
    SampleLED->setObjectName(QStringLiteral("SampleLED"));
    SampleLED->move(184, 29);
    TLMDLED led = SampleLED->led();
    led.Horzsize = 14;
    led.Vertsize = 12;
    led.Thickness = 3;
    SampleLED->setLED(led);
    SampleLED->setColor(Qt::black);
    SampleLED->setBevel(TLMDBevel{});
    SampleLED->setCaption(QStringLiteral("00:00:00"));
    SampleLED->setAutoSize(true);
    setSwatchColor(ActivePV, SampleLED->led().ActiveColor);
    setSwatchColor(InactivePV, SampleLED->led().InActiveColor);
}

void TPrefForm::buildButtons() {
    OKButton = makeButton(this, "OKButton", tr("OK"), {136, 296, 75, 33});
    OKButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    OKButton->setDefault(true);
    HelpButton = makeButton(this, "HelpButton", QStringLiteral("?"), {217, 296, 33, 33});
    QFont glyph = HelpButton->font();
    glyph.setBold(true);
    glyph.setPixelSize(16);
    HelpButton->setFont(glyph);
    HelpButton->setToolTip(tr("Help"));
    CancelButton = makeButton(this, "CancelButton", tr("Cancel"), {256, 296, 75, 33});
    CancelButton->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &TPrefForm::HelpButtonClick);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &TPrefForm::HelpButtonClick);

    nameControls(this, {{Col1PV, tr("Background color 1")},
                        {Col2PV, tr("Background color 2")},
                        {ActivePV, tr("Active LED color")},
                        {InactivePV, tr("Inactive LED color")},
                        {TileFileEdit, tr("Bitmap file")},
                        {SampleLED, tr("Sample of the LED colors")}});
}

void TPrefForm::setTabOrderOfControls() {
    const QList<QWidget*> order = {m_keyItem0,      m_keyItem1,        GradientRadio, TileRadio,
                                   Col1Button,      Col2Button,        TileFileEdit,  BrowseButton,
                                   ActiveColButton, InactiveColButton, OKButton,      HelpButton,
                                   CancelButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TPrefForm::load(const TPreferences& prefs) {
    TLMDLED led = SampleLED->led();
    led.ActiveColor = prefs.ActiveLEDColor;
    led.InActiveColor = prefs.InactiveLEDColor;
    SampleLED->setLED(led);
    setSwatchColor(ActivePV, prefs.ActiveLEDColor);
    setSwatchColor(InactivePV, prefs.InactiveLEDColor);
    setSwatchColor(Col1PV, prefs.BkgColor1);
    setSwatchColor(Col2PV, prefs.BkgColor2);

    setBitmapPath(prefs.BkgBitmapFile);

    if (prefs.TiledBackground)
        TileRadio->setChecked(true);
    else
        GradientRadio->setChecked(true);
    GradientRadioClick();

    setKeyItemIndex(prefs.SpaceResets ? 1 : 0);
}

void TPrefForm::store(TPreferences& prefs) const {
    prefs.ActiveLEDColor = SampleLED->led().ActiveColor;
    prefs.InactiveLEDColor = SampleLED->led().InActiveColor;
    prefs.BkgColor1 = swatchColor(Col1PV);
    prefs.BkgColor2 = swatchColor(Col2PV);
    prefs.BkgBitmapFile = TileFilePath->text();
    prefs.SpaceResets = keyItemIndex() != 0;
    prefs.TiledBackground = !GradientRadio->isChecked();
}

int TPrefForm::keyItemIndex() const {
    return m_keyItems->checkedId();
}

void TPrefForm::setKeyItemIndex(int index) {
    (index == 1 ? m_keyItem1 : m_keyItem0)->setChecked(true);
}

std::optional<QColor> TPrefForm::pickColor(const QColor& preset) {
    if (!ColorDialog)
        return std::nullopt;
    std::optional<QColor> chosen = ColorDialog(preset);
    // The stored colour has no alpha: an opaque colour keeps what was picked
    // and what is saved the same.
    if (chosen && chosen->isValid())
        return QColor(chosen->red(), chosen->green(), chosen->blue());
    return std::nullopt;
}

void TPrefForm::ActiveColButtonClick() {
    if (const auto color = pickColor(SampleLED->led().ActiveColor)) {
        SampleLED->setActiveColor(*color);
        setSwatchColor(ActivePV, *color);
    }
}

void TPrefForm::InactiveColButtonClick() {
    if (const auto color = pickColor(SampleLED->led().InActiveColor)) {
        SampleLED->setInActiveColor(*color);
        setSwatchColor(InactivePV, *color);
    }
}

void TPrefForm::Col1ButtonClick() {
    if (const auto color = pickColor(swatchColor(Col1PV)))
        setSwatchColor(Col1PV, *color);
}

void TPrefForm::Col2ButtonClick() {
    if (const auto color = pickColor(swatchColor(Col2PV)))
        setSwatchColor(Col2PV, *color);
}

void TPrefForm::GradientRadioClick() {
    const bool gradient = GradientRadio->isChecked();
    TileFileEdit->setEnabled(!gradient);
    BrowseButton->setEnabled(!gradient);
    Col1Button->setEnabled(gradient);
    Col2Button->setEnabled(gradient);
}

void TPrefForm::BrowseButtonClick() {
    if (!OpenDialog)
        return;
    const QString chosen = OpenDialog(TileFilePath->text());
    if (!chosen.isEmpty())
        setBitmapPath(chosen);
}

void TPrefForm::HelpButtonClick() {
    HelpWindow::showTopic(this, HelpWindow::PreferencesTopic);
}

void TPrefForm::setBitmapPath(const QString& path) {
    TileFilePath->setText(path);
    TileFileEdit->setText(fileNamePart(path));
    TileFileEdit->setCursorPosition(0);
}

void TPrefForm::showEvent(QShowEvent* event) {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace qv
