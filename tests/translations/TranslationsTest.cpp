#include "support/ScopedLanguage.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qv {
namespace {

using testing::ScopedLanguage;

QString ours(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}
// The text of the standard Cancel button, from Qt's own translations.
QString qtCancel() {
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

TEST(Translations, EachShippedLanguageBringsQtsOwnTextsInTheSameLanguage) {
    const struct {
        const char* locale;
        const char* language;
        const char* menu;
        const char* cancel;
    } cases[] = {
        {"de", "de", "&File", "Abbrechen"},
        {"fr", "fr", "&File", "Annuler"},
        {"es", "es", "&File", "Cancelar"},
        // A country's variant of a language takes the language's translation.
        {"de_AT", "de", "&File", "Abbrechen"},
        {"fr_CA", "fr", "&File", "Annuler"},
        {"es_MX", "es", "&File", "Cancelar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        {
            const ScopedLanguage language(c.locale);
            EXPECT_EQ(language.language(), QLatin1String(c.language));
            EXPECT_NE(ours("qv::TMainForm", c.menu), QLatin1String(c.menu));
            EXPECT_NE(ours("qv::TimerRecord", "Every minute"), QLatin1String("Every minute"));
            EXPECT_EQ(qtCancel(), QString::fromUtf8(c.cancel));
        }
        EXPECT_EQ(ours("qv::TMainForm", "START"), QLatin1String("START"));
        EXPECT_EQ(qtCancel(), QLatin1String("Cancel"));
    }
}

TEST(Translations, EnglishAndALanguageWithoutATranslationKeepEveryTextAsItIs) {
    // Qt itself has Finnish and Brazilian texts; they are not taken either,
    // so no dialog is half in one language and half in another.
    for (const char* locale : {"C", "en_US", "en_GB", "fi", "pt_BR", "zz"}) {
        SCOPED_TRACE(locale);
        const ScopedLanguage language(locale);
        EXPECT_EQ(language.language(), QString());
        EXPECT_EQ(ours("qv::TMainForm", "START"), QLatin1String("START"));
        EXPECT_EQ(ours("qv::SessionDesktop", "%1 reached zero at %2"),
                  QLatin1String("%1 reached zero at %2"));
        EXPECT_EQ(qtCancel(), QLatin1String("Cancel"));
    }
}

TEST(Translations, TheFirstFolderThatHasTheLanguageIsRead) {
    const QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const QStringList folders = {QStringLiteral("/nonexistent"), empty.path(),
                                 ScopedLanguage::folder()};
    const Translations translations(folders, QLocale(QStringLiteral("de")));
    EXPECT_EQ(translations.language(), QLatin1String("de"));
    EXPECT_NE(ours("qv::TMainForm", "&File"), QLatin1String("&File"));

    // The folders of a program: beside it first, then the install's.
    EXPECT_EQ(Translations::folders(QStringLiteral("/opt/q/bin")),
              (QStringList{QStringLiteral("/opt/q/bin/translations"),
                           QStringLiteral("/opt/q/bin/../share/quorvantel/translations")}));
}

} // namespace
} // namespace qv
