#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace qv {

// A time handed to the announcement: three signed 32-bit parts.
struct TTimeHMS {
    std::int32_t Hours = 0;
    std::int32_t Minutes = 0;
    std::int32_t Seconds = 0;

    friend bool operator==(const TTimeHMS&, const TTimeHMS&) = default;
};

// hours * 3600 + minutes * 60 + seconds, in 64 bits so that no input overflows.
constexpr std::int64_t combineTime(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
    return hours * 3600 + minutes * 60 + seconds;
}

// Split by integer division that drops the fraction (towards zero, as C++ does).
constexpr TTimeHMS splitTime(std::int32_t total) {
    const std::int32_t h = total / 3600;
    const std::int32_t m = (total - h * 3600) / 60;
    return {h, m, total - h * 3600 - m * 60};
}

constexpr std::int32_t toSeconds(const TTimeHMS& t) {
    return static_cast<std::int32_t>(combineTime(t.Hours, t.Minutes, t.Seconds));
}

// What a general announcement or a rule does when it fires.
enum AnnounceAction : std::int32_t {
    AnnounceTimeLeft = 0,
    PlayBeep = 1,
    PlayTick = 2,
    PlayCustomSound = 3, // rules only
};

// What happens at zero.
enum ExpiryAction : std::int32_t {
    PlayFanfare = 0,
    PlayLongBeep = 1,
    PlayCustomExpirySound = 2,
};

// The lists' texts are in English here; the dialogs show them in the user's
// language, translated under the context "qv::TimerRecord".
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// The labels the dialogs show; the list position is the stored code.
inline constexpr std::array<std::string_view, 4> kAnnounceActionLabels = {
    QT_TRANSLATE_NOOP("qv::TimerRecord", "Announce the time left"),
    QT_TRANSLATE_NOOP("qv::TimerRecord", "Play \"beep\" sound"),
    QT_TRANSLATE_NOOP("qv::TimerRecord", "Play \"tick\" sound"),
    QT_TRANSLATE_NOOP("qv::TimerRecord", "Play custom sound")};
inline constexpr std::array<std::string_view, 3> kExpiryActionLabels = {
    QT_TRANSLATE_NOOP("qv::TimerRecord", "Play \"fanfare\" sound"),
    QT_TRANSLATE_NOOP("qv::TimerRecord", "Play \"long beep\" sound"),
    QT_TRANSLATE_NOOP("qv::TimerRecord", "Play custom sound")};

// Built-in sound identifiers understood by DoSound.
inline constexpr std::string_view kSoundFanfare = "0";
inline constexpr std::string_view kSoundBeep = "1";
inline constexpr std::string_view kSoundTick = "2";
inline constexpr std::string_view kSoundLongBeep = "3";

struct IntervalItem {
    std::string_view label;
    std::int32_t seconds;
};

// The general announcement list; the rule list is the same without its first item.
inline constexpr std::array<IntervalItem, 16> kGeneralIntervals = {{
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "No announcement"), 0},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every hour"), 3600},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 30 minutes"), 1800},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 20 minutes"), 1200},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 15 minutes"), 900},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 10 minutes"), 600},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 5 minutes"), 300},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every other minute"), 120},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every minute"), 60},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 30 seconds"), 30},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 20 seconds"), 20},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 15 seconds"), 15},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 10 seconds"), 10},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every 5 seconds"), 5},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every other second"), 2},
    {QT_TRANSLATE_NOOP("qv::TimerRecord", "Every second"), 1},
}};
inline constexpr std::span<const IntervalItem> kRuleIntervals{kGeneralIntervals.data() + 1, 15};

// List position <-> stored seconds, by exact value. A value that is in no list
// position (only from an edited file) has no position.
std::optional<int> intervalPosition(std::span<const IntervalItem> list, std::int32_t seconds);
std::optional<std::int32_t> intervalSeconds(std::span<const IntervalItem> list, int position);

inline constexpr int kNameWidth = 30;
inline constexpr int kFilenameWidth = 255;
inline constexpr int kMaxTimers = 100;
inline constexpr std::int32_t kMaxStartTime = 359999; // 99:59:59
inline constexpr std::int32_t kMaxRuleStart = 215999; // 59:59:59

struct TimerRule {
    bool Enabled = false;
    std::int32_t Action = AnnounceTimeLeft;
    std::int32_t Interval = 3600;
    std::int32_t Start = 0;
    std::string Filename;

    friend bool operator==(const TimerRule&, const TimerRule&) = default;
};

// One row of the timer table. Text is UTF-8. The defaults are those of a new timer.
struct TimerRecord {
    std::string Name;
    std::int32_t StartTime = 300;
    bool TimerLoop = false;
    std::int32_t GenAnnInterval = 0;
    std::int32_t GenAnnAction = AnnounceTimeLeft;
    std::int32_t TimerExpAction = PlayFanfare;
    bool TimerExpLoop = false;
    std::string TimerExpFilename;
    std::array<TimerRule, 3> Rules{}; // Rule1 .. Rule3

    friend bool operator==(const TimerRecord&, const TimerRecord&) = default;
};

// Fills every field but Name with the defaults of a new timer.
void PopulateNewTimer(TimerRecord& record);

// The 23 columns in table order.
enum class Column : int {
    Name,
    StartTime,
    TimerLoop,
    GenAnnInterval,
    GenAnnAction,
    TimerExpAction,
    TimerExpLoop,
    TimerExpFilename,
    Rule1Enabled,
    Rule1Action,
    Rule1Interval,
    Rule1Start,
    Rule1Filename,
    Rule2Enabled,
    Rule2Action,
    Rule2Interval,
    Rule2Start,
    Rule2Filename,
    Rule3Enabled,
    Rule3Action,
    Rule3Interval,
    Rule3Start,
    Rule3Filename,
};
inline constexpr int kColumnCount = 23;

enum class ColumnType { Text, Int32, Boolean };

struct ColumnInfo {
    std::string_view name;
    ColumnType type;
    int width; // characters, text columns only
};

const ColumnInfo& columnInfo(Column c);
// The type word a timer file declares for a column type: "string", "i4", "boolean".
const char* columnTypeWord(ColumnType t);
std::optional<Column> columnByName(std::string_view name);

// A column's value as the table holds it, for generic readers and writers.
using ColumnValue = std::variant<std::string, std::int32_t, bool>;
ColumnValue getColumn(const TimerRecord& r, Column c);
void setColumn(TimerRecord& r, Column c, const ColumnValue& v);

} // namespace qv
