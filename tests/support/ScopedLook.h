#pragma once

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace qv::testing {

// A style, that style's own palette and an application font size, as a
// desktop may impose them, for the life of the object; the application's
// look before it comes back afterwards, also when a test stops early.
class ScopedLook {
public:
    ScopedLook(const char* style, int points)
        : m_styleName(QApplication::style()->name()), m_font(QApplication::font()),
          m_palette(QApplication::palette()) {
        QStyle* chosen = QStyleFactory::create(QString::fromLatin1(style));
        if (!chosen)
            return;
        QApplication::setStyle(chosen);
        QApplication::setPalette(chosen->standardPalette());
        QFont font = m_font;
        font.setPointSize(points);
        QApplication::setFont(font);
        m_active = true;
    }
    ~ScopedLook() {
        if (!m_active)
            return;
        QApplication::setStyle(QStyleFactory::create(m_styleName));
        QApplication::setFont(m_font);
        QApplication::setPalette(m_palette);
    }
    ScopedLook(const ScopedLook&) = delete;
    ScopedLook& operator=(const ScopedLook&) = delete;

    // False when the style is not installed: nothing was changed.
    bool active() const { return m_active; }

private:
    QString m_styleName;
    QFont m_font;
    QPalette m_palette;
    bool m_active = false;
};

} // namespace qv::testing
