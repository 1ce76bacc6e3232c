#include "core/TimerDB.h"

#include "core/Text.h"

#include <algorithm>

namespace qv {
namespace {

void fail(std::string* error, const char* text) {
    if (error)
        *error = text;
}

} // namespace

TimerDB::TimerDB() {
    createEmpty();
}

void TimerDB::createEmpty() {
    fields_.clear();
    for (int i = 0; i < kColumnCount; ++i) {
        const auto c = static_cast<Column>(i);
        const ColumnInfo& info = columnInfo(c);
        FieldDef f;
        f.name = std::string(info.name);
        f.fieldType = columnTypeWord(info.type);
        if (info.type == ColumnType::Text)
            f.width = info.width;
        f.known = c;
        fields_.push_back(std::move(f));
        widths_[static_cast<std::size_t>(i)] = info.width;
    }
    rows_.clear();
    log_.clear();
    index_.clear();
    current_ = 0;
    extraColumns_ = 0;
}

bool TimerDB::assign(std::vector<FieldDef> fields, std::vector<StoredRow> rows,
                     std::vector<ChangeLogEntry> log, std::string* error) {
    std::map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].isCurrent())
            continue;
        if (!index.emplace(foldCase(rows[i].record.Name), i).second) {
            fail(error, kKeyViolation);
            return false;
        }
    }
    int extra = 0;
    std::array<int, kColumnCount> widths{};
    for (int i = 0; i < kColumnCount; ++i)
        widths[static_cast<std::size_t>(i)] = columnInfo(static_cast<Column>(i)).width;
    for (const FieldDef& f : fields) {
        if (!f.known) {
            ++extra;
        } else if (f.width && *f.width > 0 && columnInfo(*f.known).type == ColumnType::Text) {
            // A width of zero or less (an edited file) would blank every text
            // written from then on; it is ignored.
            auto& w = widths[static_cast<std::size_t>(*f.known)];
            w = std::min(w, *f.width);
        }
    }
    fields_ = std::move(fields);
    rows_ = std::move(rows);
    log_ = std::move(log);
    index_ = std::move(index);
    widths_ = widths;
    extraColumns_ = extra;
    for (StoredRow& r : rows_)
        r.extra.resize(static_cast<std::size_t>(extraColumns_));
    first();
    return true;
}

int TimerDB::textWidth(Column c) const {
    return widths_[static_cast<std::size_t>(c)];
}

void TimerDB::setTextWidth(Column c, int width) {
    if (width < 1)
        return;
    widths_[static_cast<std::size_t>(c)] = width;
    for (FieldDef& f : fields_)
        if (f.known == c)
            f.width = width;
}

std::vector<std::string> TimerDB::names() const {
    std::vector<std::string> out;
    out.reserve(index_.size());
    for (const auto& [key, row] : index_)
        out.push_back(rows_[row].record.Name);
    return out;
}

std::vector<const TimerRecord*> TimerDB::records() const {
    std::vector<const TimerRecord*> out;
    out.reserve(index_.size());
    for (const auto& [key, row] : index_)
        out.push_back(&rows_[row].record);
    return out;
}

const TimerRecord* TimerDB::current() const {
    return index_.empty() ? nullptr : &rows_[current_].record;
}

int TimerDB::currentPosition() const {
    int pos = 0;
    for (const auto& [key, row] : index_) {
        if (row == current_)
            return pos;
        ++pos;
    }
    return -1;
}

void TimerDB::first() {
    if (!index_.empty())
        current_ = index_.begin()->second;
}

bool TimerDB::locate(std::string_view name) {
    const auto it = index_.find(foldCase(name));
    if (it == index_.end())
        return false;
    current_ = it->second;
    return true;
}

bool TimerDB::contains(std::string_view name) const {
    return index_.contains(foldCase(name));
}

void TimerDB::cutToWidths(TimerRecord& r) const {
    r.Name = cutToWidth(r.Name, textWidth(Column::Name));
    r.TimerExpFilename = cutToWidth(r.TimerExpFilename, textWidth(Column::TimerExpFilename));
    static constexpr Column kRuleFiles[] = {Column::Rule1Filename, Column::Rule2Filename,
                                            Column::Rule3Filename};
    for (std::size_t i = 0; i < 3; ++i)
        r.Rules[i].Filename = cutToWidth(r.Rules[i].Filename, textWidth(kRuleFiles[i]));
}

bool TimerDB::insert(TimerRecord record, std::string* error) {
    cutToWidths(record);
    std::string key = foldCase(record.Name);
    if (index_.contains(key)) {
        fail(error, kKeyViolation);
        return false;
    }
    StoredRow row;
    row.record = std::move(record);
    row.extra.resize(static_cast<std::size_t>(extraColumns_));
    row.state = RowInserted;
    rows_.push_back(std::move(row));
    const auto n = static_cast<std::uint32_t>(rows_.size());
    log_.push_back({n, 0, RowInserted});
    current_ = rows_.size() - 1;
    index_.emplace(std::move(key), current_);
    return true;
}

bool TimerDB::updateCurrent(TimerRecord record, std::string* error) {
    if (index_.empty()) {
        fail(error, "The table holds no timer.");
        return false;
    }
    cutToWidths(record);
    const StoredRow& old = rows_[current_];
    if (record == old.record)
        return true;
    const std::string oldKey = foldCase(old.record.Name);
    std::string newKey = foldCase(record.Name);
    if (newKey != oldKey && index_.contains(newKey)) {
        fail(error, kKeyViolation);
        return false;
    }
    StoredRow next;
    next.extra = old.extra;
    next.nulls = old.nulls;
    for (int i = 0; i < kColumnCount; ++i) {
        const auto c = static_cast<Column>(i);
        if (getColumn(record, c) != getColumn(old.record, c))
            next.nulls.reset(static_cast<std::size_t>(i));
    }
    next.record = std::move(record);
    next.state = RowNewVersion | (old.state & RowInserted);
    const std::size_t oldRow = current_;
    rows_[oldRow].state |= RowOldVersion;
    rows_.push_back(std::move(next));
    current_ = rows_.size() - 1;
    log_.push_back({static_cast<std::uint32_t>(current_ + 1),
                    static_cast<std::uint32_t>(oldRow + 1), RowNewVersion});
    index_.erase(oldKey);
    index_.emplace(std::move(newKey), current_);
    return true;
}

void TimerDB::deleteCurrent() {
    if (index_.empty())
        return;
    auto it = index_.find(foldCase(rows_[current_].record.Name));
    rows_[current_].state |= RowDeleted;
    log_.push_back({static_cast<std::uint32_t>(current_ + 1), 0, RowDeleted});
    it = index_.erase(it);
    if (it == index_.end() && !index_.empty())
        --it;
    if (it != index_.end())
        current_ = it->second;
}

void TimerDB::mergeChangeLog() {
    std::string currentKey;
    if (!index_.empty())
        currentKey = foldCase(rows_[current_].record.Name);
    std::erase_if(rows_, [](const StoredRow& r) { return !r.isCurrent(); });
    for (StoredRow& r : rows_)
        r.state = RowUnchanged;
    log_.clear();
    rebuildIndex();
    if (!index_.empty())
        current_ = index_.at(currentKey);
}

void TimerDB::rebuildIndex() {
    index_.clear();
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].isCurrent())
            index_.emplace(foldCase(rows_[i].record.Name), i);
}

} // namespace qv
