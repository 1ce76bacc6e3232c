#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

namespace qv {

// The program's texts and Qt's own (the standard dialogs and their buttons)
// in the user's language, for as long as this object lives. The program's
// translations are "quorvantel_<language>.qm" files; the first language of
// the locale's list that has one is taken, and Qt's texts follow that same
// language. A language the program has no translation for leaves every text
// in English, without a word said.
class Translations {
public:
    // Where a program in `programDir` looks for its translations: beside
    // itself (a build tree or an unpacked folder), then in the shared files
    // of the install.
    static QStringList folders(const QString& programDir);

    // Loads the translations for `locale` from the first of `folders` that
    // has them and installs them on the application, which must exist.
    explicit Translations(const QStringList& folders, const QLocale& locale = QLocale::system());
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // The language of the program's texts ("de", "fr"...); empty for English.
    QString language() const;

private:
    QTranslator m_own;
    QTranslator m_qt;
    bool m_ownInstalled = false;
    bool m_qtInstalled = false;
};

} // namespace qv
