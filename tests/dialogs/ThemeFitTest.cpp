#include "SettingsFormFixture.h"
#include "dialogs/TAboutForm.h"
#include "dialogs/TPrefForm.h"
#include "support/ClippedText.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

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
        QStyle* style = QStyleFactory::create(QString::fromLatin1(GetParam().style));
        if (!style)
            GTEST_SKIP() << "style " << GetParam().style << " is not installed";
        m_styleName = QApplication::style()->name();
        m_font = QApplication::font();
        m_palette = QApplication::palette();
        QApplication::setStyle(style);
        QApplication::setPalette(style->standardPalette());
        QFont font = m_font;
        font.setPointSize(GetParam().points);
        QApplication::setFont(font);
        m_restore = true;
    }
    void TearDown() override {
        test::SettingsFormTest::TearDown();
        if (!m_restore)
            return;
        QApplication::setStyle(QStyleFactory::create(m_styleName));
        QApplication::setFont(m_font);
        QApplication::setPalette(m_palette);
    }

    QString m_styleName;
    QFont m_font;
    QPalette m_palette;
    bool m_restore = false;
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
