#pragma once

#include "store/Preferences.h"

#include <QColor>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

class QSettings;

namespace qv {

// The six stored values as text, exactly as the settings store holds them.
struct StoredPreferences {
    QString TimerColors;
    QString BkgColors;
    QString BmpFilename;
    QString LNumSettings;
    QString SNumSettings;
    QString CurrentVer;

    bool operator==(const StoredPreferences&) const = default;
};

// What the main window's state contributes to a save: its outer bounds and
// whether it is maximised, and the position selected in its timer list.
struct WindowSnapshot {
    int width = 0;
    int height = 0;
    int top = 0;
    int left = 0;
    bool maximized = false;
    int selectedTimer = -1; // -1: nothing selected
};

// The parsing and formatting rules of the stored values, free of any store.
namespace prefs {

inline constexpr const char* kOrganisation = "Brindlemoor";
inline constexpr const char* kApplication = "Quorvantel";
inline constexpr const char* kVersion = "1.0";

// A colour as the 32-bit number the store keeps: red in the low byte, green in
// the next, blue in the third.
std::uint32_t colorToNumber(const QColor& c);
QColor numberToColor(std::uint32_t n);

// Eight upper-case hexadecimal digits, zero-padded.
QString formatColor(const QColor& c);
// Two colours from exactly 16 hexadecimal digits; anything else (other
// lengths, a character that is not a hexadecimal digit) gives nothing.
std::optional<std::pair<QColor, QColor>> parseColorPair(const QString& text);

// A group of digits read as a decimal integer: an optional sign and at least
// one digit, nothing else.
std::optional<int> parseGroup(const QString& text);

// Fills `p` from the stored values. The LED's current colours stand in for a
// TimerColors value that cannot be used; `timerCount` bounds the timer index.
void applyStored(const StoredPreferences& stored, int timerCount, const QColor& ledActive,
                 const QColor& ledInactive, TPreferences& p);

// The five values written at close (CurrentVer is left empty: it is written at
// start-up only).
StoredPreferences makeStored(const TPreferences& p, const WindowSnapshot& w);

} // namespace prefs

// The per-user settings store: organisation "Brindlemoor", application
// "Quorvantel", the six string values.
class PreferencesStore {
public:
    // The key itself, for whatever needs to look at it as the program sees it.
    static std::unique_ptr<QSettings> openKey();
    // Reads the six values; a CurrentVer other than "1.0" is replaced by "1.0"
    // in the store. Absent values read as empty text.
    static StoredPreferences load();
    // Writes TimerColors, BkgColors, BmpFilename, LNumSettings, SNumSettings.
    // False when the store could not be written (no rights); nothing is reported.
    static bool save(const StoredPreferences& values);
};

} // namespace qv
