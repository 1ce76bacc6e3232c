#include "core/TimerRecord.h"

namespace qv {
namespace {

constexpr std::array<ColumnInfo, kColumnCount> kColumns = {{
    {"Name", ColumnType::Text, kNameWidth},
    {"StartTime", ColumnType::Int32, 0},
    {"TimerLoop", ColumnType::Boolean, 0},
    {"GenAnnInterval", ColumnType::Int32, 0},
    {"GenAnnAction", ColumnType::Int32, 0},
    {"TimerExpAction", ColumnType::Int32, 0},
    {"TimerExpLoop", ColumnType::Boolean, 0},
    {"TimerExpFilename", ColumnType::Text, kFilenameWidth},
    {"Rule1Enabled", ColumnType::Boolean, 0},
    {"Rule1Action", ColumnType::Int32, 0},
    {"Rule1Interval", ColumnType::Int32, 0},
    {"Rule1Start", ColumnType::Int32, 0},
    {"Rule1Filename", ColumnType::Text, kFilenameWidth},
    {"Rule2Enabled", ColumnType::Boolean, 0},
    {"Rule2Action", ColumnType::Int32, 0},
    {"Rule2Interval", ColumnType::Int32, 0},
    {"Rule2Start", ColumnType::Int32, 0},
    {"Rule2Filename", ColumnType::Text, kFilenameWidth},
    {"Rule3Enabled", ColumnType::Boolean, 0},
    {"Rule3Action", ColumnType::Int32, 0},
    {"Rule3Interval", ColumnType::Int32, 0},
    {"Rule3Start", ColumnType::Int32, 0},
    {"Rule3Filename", ColumnType::Text, kFilenameWidth},
}};

constexpr int kFirstRuleColumn = static_cast<int>(Column::Rule1Enabled);
constexpr int kRuleColumns = 5;

} // namespace

std::optional<int> intervalPosition(std::span<const IntervalItem> list, std::int32_t seconds) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].seconds == seconds)
            return static_cast<int>(i);
    return std::nullopt;
}

std::optional<std::int32_t> intervalSeconds(std::span<const IntervalItem> list, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= list.size())
        return std::nullopt;
    return list[static_cast<std::size_t>(position)].seconds;
}

void PopulateNewTimer(TimerRecord& record) {
    std::string name = std::move(record.Name);
    record = TimerRecord{};
    record.Name = std::move(name);
}

const char* columnTypeWord(ColumnType t) {
    switch (t) {
    case ColumnType::Text:
        return "string";
    case ColumnType::Int32:
        return "i4";
    case ColumnType::Boolean:
        return "boolean";
    }
    return "";
}

const ColumnInfo& columnInfo(Column c) {
    return kColumns[static_cast<std::size_t>(c)];
}

std::optional<Column> columnByName(std::string_view name) {
    for (int i = 0; i < kColumnCount; ++i)
        if (kColumns[static_cast<std::size_t>(i)].name == name)
            return static_cast<Column>(i);
    return std::nullopt;
}

ColumnValue getColumn(const TimerRecord& r, Column c) {
    const int i = static_cast<int>(c);
    if (i >= kFirstRuleColumn) {
        const TimerRule& rule =
            r.Rules[static_cast<std::size_t>((i - kFirstRuleColumn) / kRuleColumns)];
        switch ((i - kFirstRuleColumn) % kRuleColumns) {
        case 0:
            return rule.Enabled;
        case 1:
            return rule.Action;
        case 2:
            return rule.Interval;
        case 3:
            return rule.Start;
        default:
            return rule.Filename;
        }
    }
    switch (c) {
    case Column::Name:
        return r.Name;
    case Column::StartTime:
        return r.StartTime;
    case Column::TimerLoop:
        return r.TimerLoop;
    case Column::GenAnnInterval:
        return r.GenAnnInterval;
    case Column::GenAnnAction:
        return r.GenAnnAction;
    case Column::TimerExpAction:
        return r.TimerExpAction;
    case Column::TimerExpLoop:
        return r.TimerExpLoop;
    default:
        return r.TimerExpFilename;
    }
}

void setColumn(TimerRecord& r, Column c, const ColumnValue& v) {
    const int i = static_cast<int>(c);
    auto text = [&] { return std::get<std::string>(v); };
    auto num = [&] { return std::get<std::int32_t>(v); };
    auto flag = [&] { return std::get<bool>(v); };
    if (i >= kFirstRuleColumn) {
        TimerRule& rule = r.Rules[static_cast<std::size_t>((i - kFirstRuleColumn) / kRuleColumns)];
        switch ((i - kFirstRuleColumn) % kRuleColumns) {
        case 0:
            rule.Enabled = flag();
            return;
        case 1:
            rule.Action = num();
            return;
        case 2:
            rule.Interval = num();
            return;
        case 3:
            rule.Start = num();
            return;
        default:
            rule.Filename = text();
            return;
        }
    }
    switch (c) {
    case Column::Name:
        r.Name = text();
        return;
    case Column::StartTime:
        r.StartTime = num();
        return;
    case Column::TimerLoop:
        r.TimerLoop = flag();
        return;
    case Column::GenAnnInterval:
        r.GenAnnInterval = num();
        return;
    case Column::GenAnnAction:
        r.GenAnnAction = num();
        return;
    case Column::TimerExpAction:
        r.TimerExpAction = num();
        return;
    case Column::TimerExpLoop:
        r.TimerExpLoop = flag();
        return;
    default:
        r.TimerExpFilename = text();
        return;
    }
}

} // namespace qv
