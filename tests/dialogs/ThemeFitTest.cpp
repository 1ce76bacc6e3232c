#include "SettingsFormFixture.h"
#include "dialogs/TAboutForm.h"
#include "dialogs/TPrefForm.h"
#include "support/ClippedText.h"
#include "support/ScopedLook.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <optional>

namespace qv {
namespace {

// A style and an application font the desktop may impose on the dialogs.
struct Look {
    const char* style;
    int points;
};

void PrintTo(const Look& look, std::ostream* out) {
    *out << look.style << " at " << look.points << " pt";
}

class ThemeFit : public test::SettingsFormTest, public ::testing::WithParamInterface<Look> {
protected:
    void SetUp() override {
        test::SettingsFormTest::SetUp();
        m_look.emplace(GetParam().style, GetParam().points);
        if (!m_look->active())
            GTEST_SKIP() << "style " << GetParam().style << " is not installed";
    }
    void TearDown() override {
        test::SettingsFormTest::TearDown();
        m_look.reset();
    }

    std::optional<testing::ScopedLook> m_look;
};

TEST_P(ThemeFit, NoDialogCutsOffAText) {
    addTimer("Timer 1");
    open();
    form->show();
    EXPECT_EQ(testing::clippedTexts(form.get()), QStringList());

    TPrefForm prefs;
    prefs.show();
    EXPECT_EQ(testing::clippedTexts(&prefs), QStringList());

    TAboutForm about(QPixmap(202, 45));
    about.show();
    EXPECT_EQ(testing::clippedTexts(&about), QStringList());
    // The texts of the about box stay readable on whatever background the
    // style gives it.
    const QColor background = about.palette().color(QPalette::Window);
    for (const char* name : {"StaticText1", "StaticText2"}) {
        const auto* label = about.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_GE(
            TAboutForm::contrastRatio(label->palette().color(QPalette::WindowText), background),
            4.5)
            << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, ThemeFit,
                         ::testing::Values(Look{"Fusion", 9}, Look{"Fusion", 13},
                                           Look{"Adwaita-Dark", 9}, Look{"Adwaita-Dark", 13},
                                           Look{"Adwaita", 13}),
                         [](const auto& look) {
                             QString name = QString::fromLatin1(look.param.style);
                             name.remove(QLatin1Char('-'));
                             return name.toStdString() + std::to_string(look.param.points) + "pt";
                         });

} // namespace
} // namespace qv
