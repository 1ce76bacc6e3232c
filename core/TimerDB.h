#pragma once

#include "core/TimerRecord.h"

#include <bitset>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// A column as the table (and its file) declares it. The 23 columns of a timer
// are "known"; a file may bring further columns, which the table carries along
// untouched so that they survive a save.
struct FieldDef {
    std::string name;
    std::string fieldType;       // "string", "i4", "boolean", or whatever a file declares
    std::optional<int> width;    // "WIDTH", text columns
    std::optional<Column> known; // set for the timer's own columns
    // Every attribute of the column's declaration in the order the file had them,
    // "attrname" and "fieldtype" included; empty for columns the program defined.
    std::vector<std::pair<std::string, std::string>> attributes;
    // Raw inner XML of a declaration that has child elements (a nested table);
    // such a column's row values are child elements of the row, kept as raw XML.
    std::string content;
};

// Row state bits of the change log.
enum RowState : std::uint32_t {
    RowUnchanged = 0,
    RowOldVersion = 1, // the earlier version of a row that was edited later
    RowDeleted = 2,
    RowInserted = 4,
    RowNewVersion = 8,
};

struct ChangeLogEntry {
    std::uint32_t row = 0;      // 1-based physical row the change produced or marked
    std::uint32_t previous = 0; // 1-based physical row of the earlier version, 0 for none
    std::uint32_t kind = 0;     // RowDeleted, RowInserted or RowNewVersion

    friend bool operator==(const ChangeLogEntry&, const ChangeLogEntry&) = default;
};

struct StoredRow {
    TimerRecord record;
    std::bitset<kColumnCount> nulls;               // known columns that hold no value
    std::vector<std::optional<std::string>> extra; // one per unknown column, raw text
    std::uint32_t state = RowUnchanged;

    bool isCurrent() const { return (state & (RowOldVersion | RowDeleted)) == 0; }
};

// The in-memory timer table: rows in physical order with their change log, a
// current row, and the unique name index that ignores letter case.
class TimerDB {
public:
    static constexpr const char* kKeyViolation = QT_TRANSLATE_NOOP("qv::TimerDB", "Key violation.");

    TimerDB();

    // The 23 timer columns with their default widths, no rows, no log.
    void createEmpty();

    // Replaces the whole table with what a file held. Refused with "Key
    // violation." when two current rows have names equal apart from case; the
    // table is then left as it was.
    bool assign(std::vector<FieldDef> fields, std::vector<StoredRow> rows,
                std::vector<ChangeLogEntry> log, std::string* error);

    const std::vector<FieldDef>& fields() const { return m_fields; }
    const std::vector<StoredRow>& storedRows() const { return m_rows; }
    const std::vector<ChangeLogEntry>& changeLog() const { return m_log; }
    int extraColumnCount() const { return m_extraColumns; }

    // Width of a text column in characters; narrowing it cuts texts written from
    // then on. A width below 1 is ignored: it would blank every later write.
    int textWidth(Column c) const;
    void setTextWidth(Column c, int width);

    int recordCount() const { return static_cast<int>(m_index.size()); }
    bool isEmpty() const { return m_index.empty(); }

    // Current rows in name order, ignoring case.
    std::vector<std::string> names() const;
    std::vector<const TimerRecord*> records() const;

    // The current row; nullptr only while the table is empty.
    const TimerRecord* current() const;
    // Position of the current row in name order, -1 while empty.
    int currentPosition() const;

    void first();
    // Makes the row with this name (ignoring case) current; false leaves the current row as it was.
    bool locate(std::string_view name);
    bool contains(std::string_view name) const;

    // Appends a row, cut to the column widths; it becomes the current row.
    bool insert(TimerRecord record, std::string* error = nullptr);
    // Edits the current row; an edit that changes nothing records nothing.
    bool updateCurrent(TimerRecord record, std::string* error = nullptr);
    // Deletes the current row; the next row in name order (or the last) becomes current.
    void deleteCurrent();

    // Drops old versions and deleted rows, clears every state, empties the log.
    void mergeChangeLog();

private:
    void cutToWidths(TimerRecord& r) const;
    void rebuildIndex();

    std::vector<FieldDef> m_fields;
    std::vector<StoredRow> m_rows;
    std::vector<ChangeLogEntry> m_log;
    std::map<std::string, std::size_t> m_index; // folded name -> physical row
    std::size_t m_current = 0;                  // physical row, meaningful while not empty
    std::array<int, kColumnCount> m_widths{};
    int m_extraColumns = 0;
};

} // namespace qv
