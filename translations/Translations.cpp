#include "translations/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace qv {

QStringList Translations::folders(const QString& programDir) {
    return {programDir + QStringLiteral("/translations"),
            programDir + QStringLiteral("/../share/quorvantel/translations")};
}

Translations::Translations(const QStringList& folders, const QLocale& locale) {
    for (const QString& folder : folders) {
        if (m_own.load(locale, QStringLiteral("quorvantel"), QStringLiteral("_"), folder)) {
            m_ownInstalled = QCoreApplication::installTranslator(&m_own);
            break;
        }
    }
    if (!m_ownInstalled)
        return;
    // Qt's texts in the language the program's are in, not in another one the
    // locale lists: a dialog is never half in one language and half in another.
    if (m_qt.load(QLocale(m_own.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_qtInstalled = QCoreApplication::installTranslator(&m_qt);
}

Translations::~Translations() {
    if (m_qtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
    if (m_ownInstalled)
        QCoreApplication::removeTranslator(&m_own);
}

QString Translations::language() const {
    return m_ownInstalled ? m_own.language() : QString();
}

} // namespace qv
