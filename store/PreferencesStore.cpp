#include "store/PreferencesStore.h"

#include <QSettings>
#include <algorithm>

namespace qv {
namespace prefs {
namespace {

constexpr int kMaxGroup = 9999;

QString padRight(const QString& text, int width) {
    if (text.size() >= width)
        return text;
    return text + QString(width - text.size(), QLatin1Char('0'));
}

// Zero-padded to four digits; a value beyond the group's room is clamped
// rather than widening the group, which would shift every later group.
QString group4(int value) {
    return QStringLiteral("%1").arg(std::clamp(value, 0, kMaxGroup), 4, 10, QLatin1Char('0'));
}

QString flag(bool on) {
    return on ? QStringLiteral("01") : QStringLiteral("00");
}

std::optional<std::uint32_t> parseHex8(QStringView text) {
    if (text.size() != 8)
        return std::nullopt;
    std::uint32_t n = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        std::uint32_t d = 0;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return std::nullopt;
        n = n * 16 + d;
    }
    return n;
}

} // namespace

std::uint32_t colorToNumber(const QColor& c) {
    const QColor rgb = c.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | static_cast<std::uint32_t>(rgb.green()) << 8 |
           static_cast<std::uint32_t>(rgb.blue()) << 16;
}

// The top byte (a system colour marker in some writers) carries no colour and is dropped.
QColor numberToColor(std::uint32_t n) {
    return QColor(static_cast<int>(n & 0xff), static_cast<int>((n >> 8) & 0xff),
                  static_cast<int>((n >> 16) & 0xff));
}

QString formatColor(const QColor& c) {
    return QStringLiteral("%1").arg(colorToNumber(c), 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<std::pair<QColor, QColor>> parseColorPair(const QString& text) {
    if (text.size() != 16)
        return std::nullopt;
    const auto first = parseHex8(QStringView(text).left(8));
    const auto second = parseHex8(QStringView(text).mid(8));
    if (!first || !second)
        return std::nullopt;
    return std::make_pair(numberToColor(*first), numberToColor(*second));
}

std::optional<int> parseGroup(const QString& text) {
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= text.size())
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (ch.unicode() - '0');
        if (value > 1'000'000'000)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

void applyStored(const StoredPreferences& stored, int timerCount, const QColor& ledActive,
                 const QColor& ledInactive, TPreferences& p) {
    if (const auto led = parseColorPair(stored.TimerColors)) {
        p.ActiveLEDColor = led->first;
        p.InactiveLEDColor = led->second;
    } else {
        p.ActiveLEDColor = ledActive;
        p.InactiveLEDColor = ledInactive;
    }
    if (const auto bkg = parseColorPair(stored.BkgColors)) {
        p.BkgColor1 = bkg->first;
        p.BkgColor2 = bkg->second;
    } else {
        p.BkgColor1 = QColor(0, 0, 255);
        p.BkgColor2 = QColor(0, 0, 0);
    }
    p.BkgBitmapFile = stored.BmpFilename;

    p.WindowStateCode = 0;
    p.ActiveTimerIndex = 0;
    p.TiledBackground = false;
    p.SpaceResets = false;
    p.WindowGeometry.clear();

    // One guarded block: the first group that is not a number ends it, and
    // whatever was not reached keeps its initial value.
    const QString s = padRight(stored.SNumSettings, 8);
    const auto state = parseGroup(s.mid(0, 2));
    if (!state)
        return;
    p.WindowStateCode = (*state < 0 || *state > 2) ? 0 : *state;
    const auto index = parseGroup(s.mid(2, 2));
    if (!index)
        return;
    p.ActiveTimerIndex = (*index < 0 || *index > timerCount - 1) ? 0 : *index;
    if (!parseGroup(s.mid(4, 2)))
        return;
    p.TiledBackground = s.mid(4, 2) == QLatin1String("01");
    if (!parseGroup(s.mid(6, 2)))
        return;
    p.SpaceResets = s.mid(6, 2) == QLatin1String("01");
    p.WindowGeometry = padRight(stored.LNumSettings, 16);
}

StoredPreferences makeStored(const TPreferences& p, const WindowSnapshot& w) {
    StoredPreferences out;
    out.TimerColors = formatColor(p.ActiveLEDColor) + formatColor(p.InactiveLEDColor);
    out.BkgColors = formatColor(p.BkgColor1) + formatColor(p.BkgColor2);
    out.BmpFilename = p.BkgBitmapFile;
    out.LNumSettings = group4(w.width) + group4(w.height) + group4(w.top) + group4(w.left);
    // The list holds at most 100 timers; anything else would break the fixed width.
    const QString index =
        w.selectedTimer < 0
            ? QStringLiteral("-1")
            : QStringLiteral("%1").arg(std::min(w.selectedTimer, 99), 2, 10, QLatin1Char('0'));
    out.SNumSettings = flag(w.maximized) + index + flag(p.TiledBackground) + flag(p.SpaceResets);
    return out;
}

} // namespace prefs

std::unique_ptr<QSettings> PreferencesStore::openKey() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(prefs::kOrganisation),
                                       QString::fromLatin1(prefs::kApplication));
}

StoredPreferences PreferencesStore::load() {
    const std::unique_ptr<QSettings> opened = openKey();
    QSettings& key = *opened;
    // A value that is not a plain string (a list in a hand-edited file) reads as empty.
    auto text = [&key](const char* name) {
        const QVariant v = key.value(QString::fromLatin1(name));
        return v.typeId() == QMetaType::QString ? v.toString() : QString();
    };
    StoredPreferences out;
    out.TimerColors = text("TimerColors");
    out.BkgColors = text("BkgColors");
    out.BmpFilename = text("BmpFilename");
    out.LNumSettings = text("LNumSettings");
    out.SNumSettings = text("SNumSettings");
    out.CurrentVer = text("CurrentVer");
    if (out.CurrentVer != QLatin1String(prefs::kVersion)) {
        key.setValue(QStringLiteral("CurrentVer"), QString::fromLatin1(prefs::kVersion));
        key.sync();
    }
    return out;
}

bool PreferencesStore::save(const StoredPreferences& values) {
    const std::unique_ptr<QSettings> opened = openKey();
    QSettings& key = *opened;
    key.setValue(QStringLiteral("TimerColors"), values.TimerColors);
    key.setValue(QStringLiteral("BkgColors"), values.BkgColors);
    key.setValue(QStringLiteral("BmpFilename"), values.BmpFilename);
    key.setValue(QStringLiteral("LNumSettings"), values.LNumSettings);
    key.setValue(QStringLiteral("SNumSettings"), values.SNumSettings);
    key.sync();
    return key.status() == QSettings::NoError;
}

} // namespace qv
