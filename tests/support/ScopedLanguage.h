#pragma once

#include "translations/Translations.h"

#include <QLocale>
#include <QString>

namespace qv::testing {

// The program's translations for `language` ("de", "fr_CA"...), from the
// build tree, as the program loads them at start, for the life of the
// object; English again afterwards.
class ScopedLanguage {
public:
    explicit ScopedLanguage(const char* language)
        : m_translations({folder()}, QLocale(QString::fromLatin1(language))) {}

    // The build tree's translations, where the program built there finds them.
    static QString folder() {
        return qEnvironmentVariable("QV_BINARY_DIR") + QStringLiteral("/bin/translations");
    }
    // The language the program's texts are in; empty when none was loaded.
    QString language() const { return m_translations.language(); }

private:
    Translations m_translations;
};

} // namespace qv::testing
