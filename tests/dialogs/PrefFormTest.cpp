#include "dialogs/HelpWindow.h"
#include "dialogs/TPrefForm.h"
#include "widgets/TLMDLEDLabel.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

using namespace qv;

// Readable failure output for texts.
static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

TPreferences gradientPrefs() {
    TPreferences p;
    p.ActiveLEDColor = QColor(10, 200, 30);
    p.InactiveLEDColor = QColor(0, 40, 5);
    p.BkgColor1 = QColor(250, 128, 0);
    p.BkgColor2 = QColor(20, 20, 60);
    p.BkgBitmapFile = QStringLiteral("/home/ann/Pictures/old tiles/marble.bmp");
    p.WindowGeometry = QStringLiteral("0550040001000200");
    p.WindowStateCode = 1;
    p.ActiveTimerIndex = 3;
    p.TiledBackground = false;
    p.SpaceResets = false;
    return p;
}

TPreferences tiledPrefs() {
    TPreferences p = gradientPrefs();
    p.TiledBackground = true;
    p.SpaceResets = true;
    return p;
}

void expectSame(const TPreferences& a, const TPreferences& b) {
    EXPECT_EQ(a.ActiveLEDColor, b.ActiveLEDColor);
    EXPECT_EQ(a.InactiveLEDColor, b.InactiveLEDColor);
    EXPECT_EQ(a.BkgColor1, b.BkgColor1);
    EXPECT_EQ(a.BkgColor2, b.BkgColor2);
    EXPECT_EQ(a.BkgBitmapFile, b.BkgBitmapFile);
    EXPECT_EQ(a.WindowGeometry, b.WindowGeometry);
    EXPECT_EQ(a.WindowStateCode, b.WindowStateCode);
    EXPECT_EQ(a.ActiveTimerIndex, b.ActiveTimerIndex);
    EXPECT_EQ(a.TiledBackground, b.TiledBackground);
    EXPECT_EQ(a.SpaceResets, b.SpaceResets);
}

class PrefForm : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TPrefForm>();
        form->ColorDialog = [this](const QColor& preset) {
            colorPresets.append(preset);
            return nextColor;
        };
        form->OpenDialog = [this](const QString& preset) {
            openPresets.append(preset);
            return nextPath;
        };
    }

    template <typename T>
    T* child(const char* name) const {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) { child<QAbstractButton>(name)->click(); }
    QColor swatch(const char* name) const { return swatchColor(child<QWidget>(name)); }
    bool enabled(const char* name) const { return child<QWidget>(name)->isEnabled(); }
    TPreferences stored(TPreferences base = {}) const {
        form->store(base);
        return base;
    }

    std::unique_ptr<TPrefForm> form;
    std::optional<QColor> nextColor;
    QString nextPath;
    QList<QColor> colorPresets;
    QStringList openPresets;
};

TEST_F(PrefForm, OkWithoutChangesGivesEveryValueBack) {
    for (const TPreferences& prefs : {gradientPrefs(), tiledPrefs(), TPreferences{}}) {
        SetUp();
        form->load(prefs);
        form->open();
        click("OKButton");
        EXPECT_EQ(form->result(), QDialog::Accepted);
        TPreferences back = prefs;
        form->store(back);
        expectSame(back, prefs);
    }
}

TEST_F(PrefForm, LoadShowsTheValuesInSwatchesSampleAndFileBox) {
    const TPreferences p = gradientPrefs();
    form->load(p);
    EXPECT_EQ(swatch("ActivePV"), p.ActiveLEDColor);
    EXPECT_EQ(swatch("InactivePV"), p.InactiveLEDColor);
    EXPECT_EQ(swatch("Col1PV"), p.BkgColor1);
    EXPECT_EQ(swatch("Col2PV"), p.BkgColor2);
    const TLMDLED& led = child<TLMDLEDLabel>("SampleLED")->led();
    EXPECT_EQ(led.ActiveColor, p.ActiveLEDColor);
    EXPECT_EQ(led.InActiveColor, p.InactiveLEDColor);
    EXPECT_EQ(child<QLineEdit>("TileFileEdit")->text(), QStringLiteral("marble.bmp"));
    EXPECT_EQ(child<QLabel>("TileFilePath")->text(), p.BkgBitmapFile);

    TPreferences noFile = p;
    noFile.BkgBitmapFile.clear();
    form->load(noFile);
    EXPECT_TRUE(child<QLineEdit>("TileFileEdit")->text().isEmpty());
    EXPECT_TRUE(stored().BkgBitmapFile.isEmpty()) << "no placeholder text may pass for a path";
}

// Each colour button edits one value; the picker starts at that value.
struct ColourCase {
    const char* button;
    const char* swatch;
    QColor TPreferences::*field;
};

TEST_F(PrefForm, ColourButtonsPresetThePickerAndChangeOnlyTheirOwnValue) {
    const ColourCase cases[] = {
        {"ActiveColButton", "ActivePV", &TPreferences::ActiveLEDColor},
        {"InactiveColButton", "InactivePV", &TPreferences::InactiveLEDColor},
        {"Col1Button", "Col1PV", &TPreferences::BkgColor1},
        {"Col2Button", "Col2PV", &TPreferences::BkgColor2},
    };
    const QColor picked(123, 45, 67);
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.button);
        const TPreferences before = gradientPrefs();
        form->load(before);
        colorPresets.clear();

        nextColor.reset(); // the picker is cancelled
        click(c.button);
        ASSERT_EQ(colorPresets.size(), 1);
        EXPECT_EQ(colorPresets[0], before.*c.field);
        expectSame(stored(before), before);

        nextColor = picked;
        click(c.button);
        EXPECT_EQ(swatch(c.swatch), picked);
        TPreferences expected = before;
        expected.*c.field = picked;
        expectSame(stored(before), expected);

        // The next pick starts from the colour just chosen.
        click(c.button);
        EXPECT_EQ(colorPresets.last(), picked);
    }
}

TEST_F(PrefForm, ColourChangedThenCancelledGivesNothingBack) {
    const TPreferences before = gradientPrefs();
    form->load(before);
    form->open();
    nextColor = QColor(1, 2, 3);
    click("ActiveColButton");
    click("CancelButton");
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_FALSE(form->isVisible());
    // The caller takes values back only after Accepted; what the dialog holds
    // now differs from what the caller keeps.
    EXPECT_NE(stored(before).ActiveLEDColor, before.ActiveLEDColor);
}

TEST_F(PrefForm, EnabledStatesFollowTheBackgroundMode) {
    auto expectMode = [this](bool gradient) {
        EXPECT_EQ(child<QRadioButton>("GradientRadio")->isChecked(), gradient);
        EXPECT_EQ(child<QRadioButton>("TileRadio")->isChecked(), !gradient);
        EXPECT_EQ(enabled("Col1Button"), gradient);
        EXPECT_EQ(enabled("Col2Button"), gradient);
        EXPECT_EQ(enabled("TileFileEdit"), !gradient);
        EXPECT_EQ(enabled("BrowseButton"), !gradient);
        // The swatches show their colours in both modes.
        EXPECT_FALSE(child<QWidget>("Col1PV")->isHidden());
        EXPECT_FALSE(child<QWidget>("Col2PV")->isHidden());
    };
    {
        SCOPED_TRACE("fresh dialog");
        expectMode(true);
    }
    form->load(tiledPrefs());
    {
        SCOPED_TRACE("tiled stored");
        expectMode(false);
    }
    form->load(gradientPrefs());
    {
        SCOPED_TRACE("gradient stored after tiled");
        expectMode(true);
    }
    click("TileRadio");
    {
        SCOPED_TRACE("tile radio clicked");
        expectMode(false);
    }
    click("GradientRadio");
    {
        SCOPED_TRACE("gradient radio clicked");
        expectMode(true);
    }
}

TEST_F(PrefForm, PickedBitmapIsKeptAfterSwitchingBackToGradient) {
    form->load(gradientPrefs());
    click("TileRadio");
    nextPath = QStringLiteral("/srv/pics/wood grain.bmp");
    click("BrowseButton");
    ASSERT_EQ(openPresets.size(), 1);
    EXPECT_EQ(openPresets[0], gradientPrefs().BkgBitmapFile) << "the picker starts at the file";
    EXPECT_EQ(child<QLineEdit>("TileFileEdit")->text(), QStringLiteral("wood grain.bmp"));
    EXPECT_EQ(stored().TiledBackground, true);

    click("GradientRadio");
    const TPreferences back = stored();
    EXPECT_EQ(back.BkgBitmapFile, QStringLiteral("/srv/pics/wood grain.bmp"));
    EXPECT_FALSE(back.TiledBackground);
    EXPECT_EQ(back.BkgColor1, gradientPrefs().BkgColor1);
}

TEST_F(PrefForm, CancelledFileDialogAndTypingKeepThePath) {
    const TPreferences before = tiledPrefs();
    form->load(before);
    nextPath.clear();
    click("BrowseButton");
    EXPECT_EQ(stored().BkgBitmapFile, before.BkgBitmapFile);
    EXPECT_EQ(child<QLineEdit>("TileFileEdit")->text(), QStringLiteral("marble.bmp"));

    auto* edit = child<QLineEdit>("TileFileEdit");
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("/tmp/other.bmp"));
    EXPECT_EQ(edit->text(), QStringLiteral("/tmp/other.bmp"));
    expectSame(stored(before), before);

    // With no path yet the picker gets no preset.
    TPreferences empty = before;
    empty.BkgBitmapFile.clear();
    form->load(empty);
    click("BrowseButton");
    EXPECT_TRUE(openPresets.last().isEmpty());
}

TEST_F(PrefForm, SecondKeyboardItemMeansSpaceResets) {
    form->load(gradientPrefs());
    auto* item1 = child<QRadioButton>("KeyRadioItem1");
    auto* item0 = child<QRadioButton>("KeyRadioItem0");
    EXPECT_TRUE(item0->isChecked());
    QTest::mouseClick(item1, Qt::LeftButton);
    EXPECT_EQ(form->keyItemIndex(), 1);
    EXPECT_TRUE(stored().SpaceResets);
    QTest::mouseClick(item0, Qt::LeftButton);
    EXPECT_FALSE(stored().SpaceResets);

    form->load(tiledPrefs());
    EXPECT_TRUE(item1->isChecked());
    EXPECT_FALSE(item0->isChecked());
}

TEST_F(PrefForm, SampleDisplaySizeAndTabOrder) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Preferences"));
    // The sample is sized by its text and shown whole inside its group, and no
    // control is cut off by the edge of what holds it.
    auto* sample = child<TLMDLEDLabel>("SampleLED");
    EXPECT_EQ(sample->parentWidget(), child<QWidget>("GroupBox2"));
    EXPECT_EQ(sample->size(), sample->sizeHint());
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->isWindow() || w->isHidden() || w->objectName().isEmpty())
            continue;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << w->objectName().toStdString();
    }
    EXPECT_EQ(child<QWidget>("TileFileEdit")->parentWidget(), child<QWidget>("GroupBox1"));
    EXPECT_TRUE(child<QWidget>("TileFilePath")->isHidden());

    form->show();
    QStringList order;
    QWidget* w = child<QWidget>("KeyRadioItem0");
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != child<QWidget>("KeyRadioItem0"));
    const QStringList expected = {
        "KeyRadioItem0", "KeyRadioItem1", "GradientRadio", "TileRadio",       "Col1Button",
        "Col2Button",    "TileFileEdit",  "BrowseButton",  "ActiveColButton", "InactiveColButton",
        "OKButton",      "HelpButton",    "CancelButton"};
    EXPECT_EQ(order, expected);
}

TEST_F(PrefForm, HelpButtonOpensThePreferencesPage) {
    const QString source = qEnvironmentVariable("QV_SOURCE_DIR");
    HelpWindow::setHelpDirectory(source.isEmpty() ? QString() : source + QStringLiteral("/help"));
    form->show();
    click("HelpButton");
    HelpWindow* help = HelpWindow::instance();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->currentPage(), QStringLiteral("preferences.html"));
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->window()->parentWidget(), form.get()) << "usable while the dialog is modal";
    delete help;
    HelpWindow::setHelpDirectory(QString());
}

} // namespace
