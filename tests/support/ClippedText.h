#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace qv::testing {

// Every shown text of a window that its control cuts off, as
// "objectName: needs W x H, has W x H". A label or a check box needs its size
// hint; a push button needs its text inside its frame (a style's minimum
// button width is not a need); a group box needs its title.
inline QStringList clippedTexts(QWidget* window) {
    QStringList clipped;
    auto report = [&](const QWidget* w, QSize needs, QSize has) {
        if (needs.width() > has.width() || needs.height() > has.height())
            clipped << QStringLiteral("%1: needs %2 x %3, has %4 x %5")
                           .arg(w->objectName())
                           .arg(needs.width())
                           .arg(needs.height())
                           .arg(has.width())
                           .arg(has.height());
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow())
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().isEmpty() && !label->wordWrap())
                report(w, label->sizeHint(), label->size());
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            report(w, w->sizeHint(), w->size());
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            if (button->text().isEmpty())
                continue;
            // The label is drawn inside the button's frame, centred; in height
            // only the button's own edges cut it.
            QStyleOptionButton option;
            option.initFrom(button);
            const int frame =
                button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
            const QString shown = QString(button->text()).remove(QLatin1Char('&'));
            report(w,
                   {button->fontMetrics().horizontalAdvance(shown), button->fontMetrics().height()},
                   {button->width() - 2 * frame, button->height()});
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (group->title().isEmpty())
                continue;
            // The title needs its text and the frame's indent on both sides.
            const int needs = group->fontMetrics().horizontalAdvance(group->title()) +
                              2 * group->fontMetrics().averageCharWidth();
            report(w, {needs, 0}, group->size());
        }
    }
    return clipped;
}

} // namespace qv::testing

#include <QHash>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace qv::testing {

// How well the text of a picture of one control stands out: the commonest
// colour is taken as the background, and the text as the strongest ink that
// at least ten pixels reach (anti-aliased text has few pixels of its full
// colour); the result is their contrast ratio, from 1 to 21.
inline double textContrast(const QImage& picture) {
    QHash<QRgb, int> counts;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    auto luminance = [](QRgb c) {
        auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    const double lb = luminance(background);
    std::vector<std::pair<double, int>> inks;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double l = luminance(it.key());
        inks.emplace_back((std::max(l, lb) + 0.05) / (std::min(l, lb) + 0.05), it.value());
    }
    std::sort(inks.begin(), inks.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    int reached = 0;
    for (const auto& [ratio, pixels] : inks)
        if ((reached += pixels) >= 10)
            return ratio;
    return 1.0;
}

} // namespace qv::testing
