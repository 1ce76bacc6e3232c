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
    m_fields.clear();
    for (int i = 0; i < kColumnCount; ++i) {
        const auto c = static_cast<Column>(i);
        const ColumnInfo& info = columnInfo(c);
        FieldDef f;
        f.name = std::string(info.name);
        f.fieldType = columnTypeWord(info.type);
        if (info.type == ColumnType::Text)
            f.width = info.width;
        f.known = c;
        m_fields.push_back(std::move(f));
        m_widths[static_cast<std::size_t>(i)] = info.width;
    }
    m_rows.clear();
    m_log.clear();
    m_index.clear();
    m_current = 0;
    m_extraColumns = 0;
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
    m_fields = std::move(fields);
    m_rows = std::move(rows);
    m_log = std::move(log);
    m_index = std::move(index);
    m_widths = widths;
    m_extraColumns = extra;
    for (StoredRow& r : m_rows)
        r.extra.resize(static_cast<std::size_t>(m_extraColumns));
    first();
    return true;
}

int TimerDB::textWidth(Column c) const {
    return m_widths[static_cast<std::size_t>(c)];
}

void TimerDB::setTextWidth(Column c, int width) {
    if (width < 1)
        return;
    m_widths[static_cast<std::size_t>(c)] = width;
    for (FieldDef& f : m_fields)
        if (f.known == c)
            f.width = width;
}

std::vector<std::string> TimerDB::names() const {
    std::vector<std::string> out;
    out.reserve(m_index.size());
    for (const auto& [key, row] : m_index)
        out.push_back(m_rows[row].record.Name);
    return out;
}

std::vector<const TimerRecord*> TimerDB::records() const {
    std::vector<const TimerRecord*> out;
    out.reserve(m_index.size());
    for (const auto& [key, row] : m_index)
        out.push_back(&m_rows[row].record);
    return out;
}

const TimerRecord* TimerDB::current() const {
    return m_index.empty() ? nullptr : &m_rows[m_current].record;
}

int TimerDB::currentPosition() const {
    int pos = 0;
    for (const auto& [key, row] : m_index) {
        if (row == m_current)
            return pos;
        ++pos;
    }
    return -1;
}

void TimerDB::first() {
    if (!m_index.empty())
        m_current = m_index.begin()->second;
}

bool TimerDB::locate(std::string_view name) {
    const auto it = m_index.find(foldCase(name));
    if (it == m_index.end())
        return false;
    m_current = it->second;
    return true;
}

bool TimerDB::contains(std::string_view name) const {
    return m_index.contains(foldCase(name));
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
    if (m_index.contains(key)) {
        fail(error, kKeyViolation);
        return false;
    }
    StoredRow row;
    row.record = std::move(record);
    row.extra.resize(static_cast<std::size_t>(m_extraColumns));
    row.state = RowInserted;
    m_rows.push_back(std::move(row));
    const auto n = static_cast<std::uint32_t>(m_rows.size());
    m_log.push_back({n, 0, RowInserted});
    m_current = m_rows.size() - 1;
    m_index.emplace(std::move(key), m_current);
    return true;
}

bool TimerDB::updateCurrent(TimerRecord record, std::string* error) {
    if (m_index.empty()) {
        fail(error, QT_TRANSLATE_NOOP("qv::TimerDB", "The table holds no timer."));
        return false;
    }
    cutToWidths(record);
    const StoredRow& old = m_rows[m_current];
    if (record == old.record)
        return true;
    const std::string oldKey = foldCase(old.record.Name);
    std::string newKey = foldCase(record.Name);
    if (newKey != oldKey && m_index.contains(newKey)) {
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
    const std::size_t oldRow = m_current;
    m_rows[oldRow].state |= RowOldVersion;
    m_rows.push_back(std::move(next));
    m_current = m_rows.size() - 1;
    m_log.push_back({static_cast<std::uint32_t>(m_current + 1),
                     static_cast<std::uint32_t>(oldRow + 1), RowNewVersion});
    m_index.erase(oldKey);
    m_index.emplace(std::move(newKey), m_current);
    return true;
}

void TimerDB::deleteCurrent() {
    if (m_index.empty())
        return;
    auto it = m_index.find(foldCase(m_rows[m_current].record.Name));
    m_rows[m_current].state |= RowDeleted;
    m_log.push_back({static_cast<std::uint32_t>(m_current + 1), 0, RowDeleted});
    it = m_index.erase(it);
    if (it == m_index.end() && !m_index.empty())
        --it;
    if (it != m_index.end())
        m_current = it->second;
}

void TimerDB::mergeChangeLog() {
    std::string currentKey;
    if (!m_index.empty())
        currentKey = foldCase(m_rows[m_current].record.Name);
    std::erase_if(m_rows, [](const StoredRow& r) { return !r.isCurrent(); });
    for (StoredRow& r : m_rows)
        r.state = RowUnchanged;
    m_log.clear();
    rebuildIndex();
    if (!m_index.empty())
        m_current = m_index.at(currentKey);
}

void TimerDB::rebuildIndex() {
    m_index.clear();
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].isCurrent())
            m_index.emplace(foldCase(m_rows[i].record.Name), i);
}

} // namespace qv
