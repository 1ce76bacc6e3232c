#include "SettingsFormFixture.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/TAboutForm.h"
#include "dialogs/TPrefForm.h"
#include "support/ClippedText.h"
#include "support/ScopedLanguage.h"
#include "support/ScopedLook.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <optional>

namespace qv {
namespace {

// A style and an application font the desktop may impose on the dialogs,
// and the user's language (English where none is given).
struct Look {
    const char* style;
    int points;
    const char* language = nullptr;
};

void PrintTo(const Look& look, std::ostream* out) {
    *out << look.style << " at " << look.points << " pt";
    if (look.language)
        *out << " in " << look.language;
}

class ThemeFit : public test::SettingsFormTest, public ::testing::WithParamInterface<Look> {
protected:
    void SetUp() override {
        test::SettingsFormTest::SetUp();
        m_look.emplace(GetParam().style, GetParam().points);
        if (!m_look->active())
            GTEST_SKIP() << "style " << GetParam().style << " is not installed";
        if (const char* language = GetParam().language) {
            m_language.emplace(language);
            ASSERT_EQ(m_language->language(), QLatin1String(language));
        }
    }
    void TearDown() override {
        test::SettingsFormTest::TearDown();
        m_language.reset();
        m_look.reset();
    }

    std::optional<testing::ScopedLook> m_look;
    std::optional<testing::ScopedLanguage> m_language;
};

// The lists of a window that show their items shortened: a drop-down list
// needs the width its longest item asks for.
QStringList shortenedLists(QWidget* window) {
    QStringList out;
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        if (combo->isVisibleTo(window) && combo->width() < combo->sizeHint().width())
            out << QStringLiteral("%1: needs %2, has %3")
                       .arg(combo->objectName())
                       .arg(combo->sizeHint().width())
                       .arg(combo->width());
    }
    return out;
}

// Whether a control paints all of its rectangle: a button, a field, a
// colour swatch. Labels and radio buttons paint only their text and may
// touch at their edges.
bool paintsItsArea(const QWidget* w) {
    return qobject_cast<const QPushButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || w->autoFillBackground();
}

// The controls of a window placed by hand that cover one another, as
// "A covers B": a control that grew for its text must not hide its neighbour.
QStringList coveredControls(QWidget* window) {
    QStringList out;
    QList<QWidget*> holders{window};
    for (QWidget* w : window->findChildren<QWidget*>())
        holders << w;
    for (QWidget* holder : holders) {
        if (holder->layout() || !holder->isVisibleTo(window))
            continue;
        QList<QWidget*> shown;
        for (QObject* o : holder->children())
            if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && w->isVisibleTo(window))
                shown << w;
        for (qsizetype i = 0; i < shown.size(); ++i)
            for (qsizetype j = i + 1; j < shown.size(); ++j)
                if ((paintsItsArea(shown[i]) || paintsItsArea(shown[j])) &&
                    shown[i]->geometry().intersects(shown[j]->geometry()))
                    out << shown[i]->objectName() + QStringLiteral(" covers ") +
                               shown[j]->objectName();
    }
    return out;
}

// The window, frame included, fits the smallest screen in common use,
// 1024 x 768 (the test platform's own screen is smaller still).
void expectOnScreen(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    EXPECT_LE(frame.width(), 1024) << window->objectName().toStdString();
    EXPECT_LE(frame.height(), 768 - 48) << window->objectName().toStdString() << " (and a panel)";
}

TEST_P(ThemeFit, NoDialogCutsOffAText) {
    addTimer("Timer 1");
    open();
    form->show();
    EXPECT_EQ(testing::clippedTexts(form.get()), QStringList());
    EXPECT_EQ(shortenedLists(form.get()), QStringList());
    expectOnScreen(form.get());
    auto* rules = form->findChild<QTabWidget*>(QStringLiteral("RulePages"));
    ASSERT_NE(rules, nullptr);
    for (int page = 1; page < rules->count(); ++page) {
        rules->setCurrentIndex(page);
        EXPECT_EQ(testing::clippedTexts(form.get()), QStringList()) << "rule " << page + 1;
        EXPECT_EQ(shortenedLists(form.get()), QStringList()) << "rule " << page + 1;
    }

    TPrefForm prefs;
    prefs.show();
    EXPECT_EQ(testing::clippedTexts(&prefs), QStringList());
    EXPECT_EQ(coveredControls(&prefs), QStringList());
    expectOnScreen(&prefs);

    // The help window's own controls; the pages are in English.
    HelpWindow::showTopic(nullptr, 0);
    HelpWindow* help = HelpWindow::instance();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(testing::clippedTexts(help), QStringList());
    expectOnScreen(help);
    delete help;

    TAboutForm about(QPixmap(202, 45));
    about.show();
    EXPECT_EQ(testing::clippedTexts(&about), QStringList());
    EXPECT_EQ(coveredControls(&about), QStringList());
    expectOnScreen(&about);
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
                                           Look{"Adwaita", 13}, Look{"Fusion", 9, "de"},
                                           Look{"Fusion", 13, "de"}, Look{"Adwaita-Dark", 9, "de"},
                                           Look{"Adwaita-Dark", 13, "de"}, Look{"Fusion", 9, "fr"},
                                           Look{"Fusion", 13, "fr"}, Look{"Adwaita-Dark", 9, "fr"},
                                           Look{"Adwaita-Dark", 13, "fr"}, Look{"Fusion", 9, "es"},
                                           Look{"Fusion", 13, "es"}, Look{"Adwaita-Dark", 9, "es"},
                                           Look{"Adwaita-Dark", 13, "es"}),
                         [](const auto& look) {
                             QString name = QString::fromLatin1(look.param.style);
                             name.remove(QLatin1Char('-'));
                             std::string id =
                                 name.toStdString() + std::to_string(look.param.points) + "pt";
                             if (look.param.language)
                                 id += std::string("_") + look.param.language;
                             return id;
                         });

} // namespace
} // namespace qv
