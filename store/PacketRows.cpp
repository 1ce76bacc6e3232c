// Column checks and rows of a data packet.

#include "core/Text.h"
#include "store/PacketReader.h"
#include "store/PacketText.h"
#include "store/QtText.h"
#include "store/TimerFile.h"

#include <QCoreApplication>
#include <limits>

namespace qv::packet {
namespace {

// Other programs declare the same kinds of value with other type words; any
// of them holds what the column needs. Integer values that do not fit in 32
// bits are refused one by one when a row is read.
bool compatibleType(ColumnType t, QStringView fileType) {
    switch (t) {
    case ColumnType::Text:
        return fileType == u"string" || fileType == u"string.uni";
    case ColumnType::Int32:
        for (const char16_t* w : {u"i1", u"i2", u"i4", u"i8", u"ui1", u"ui2", u"ui4", u"ui8"})
            if (fileType == QStringView(w))
                return true;
        return false;
    case ColumnType::Boolean:
        return fileType == u"boolean";
    }
    return false;
}

// A known column with null in every place: how the program reads an absent value.
TimerRecord nullRecord() {
    TimerRecord r;
    for (int i = 0; i < kColumnCount; ++i) {
        const auto c = static_cast<Column>(i);
        switch (columnInfo(c).type) {
        case ColumnType::Text:
            setColumn(r, c, std::string());
            break;
        case ColumnType::Int32:
            setColumn(r, c, std::int32_t{0});
            break;
        case ColumnType::Boolean:
            setColumn(r, c, false);
            break;
        }
    }
    return r;
}

} // namespace

// Our columns must all be there with a type that holds their values. Only
// known text columns narrower than ours change the table's widths.
void PacketReader::checkColumns() {
    m_haveMetadata = true;
    m_nullRecord = nullRecord();
    std::array<int, kColumnCount> position{};
    position.fill(-1);
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].known)
            position[static_cast<std::size_t>(*m_fields[i].known)] = static_cast<int>(i);
    for (int c = 0; c < kColumnCount; ++c) {
        const ColumnInfo& info = columnInfo(static_cast<Column>(c));
        if (position[static_cast<std::size_t>(c)] < 0) {
            refuse(QCoreApplication::translate("qv::TimerFile", "Field '%1' not found")
                       .arg(QLatin1StringView(info.name)));
            return;
        }
    }
    for (int c = 0; c < kColumnCount; ++c) {
        const ColumnInfo& info = columnInfo(static_cast<Column>(c));
        FieldDef& f = m_fields[static_cast<std::size_t>(position[static_cast<std::size_t>(c)])];
        if (!compatibleType(info.type, toQString(f.fieldType))) {
            refuse(QCoreApplication::translate(
                       "qv::TimerFile", "Type mismatch for field '%1', expecting: %2 actual: %3")
                       .arg(QLatin1StringView(info.name),
                            QLatin1StringView(columnTypeWord(info.type)), toQString(f.fieldType)));
            return;
        }
        int width = info.width;
        for (const auto& [key, value] : f.attributes) {
            if (key != "WIDTH" || info.type != ColumnType::Text)
                continue;
            if (!f.width || *f.width <= 0) {
                refuse(QCoreApplication::translate("qv::TimerFile",
                                                   "Invalid WIDTH \"%1\" for field '%2'")
                           .arg(toQString(value), QLatin1StringView(info.name)));
                return;
            }
            width = std::min(width, *f.width);
        }
        // The program's own columns are written in the program's form.
        f.attributes.clear();
        f.fieldType = columnTypeWord(info.type);
        f.width = info.type == ColumnType::Text ? std::optional<int>(width) : std::nullopt;
        m_widths[static_cast<std::size_t>(c)] = width;
    }
    for (const FieldDef& f : m_fields)
        m_extraSlot.push_back(f.known ? -1 : static_cast<int>(m_extraCount++));
}

void PacketReader::readRowData() {
    while (nextChild()) {
        if (m_xml.qualifiedName() == u"ROW")
            readRow();
        else
            skipElement();
    }
}

void PacketReader::readRow() {
    if (m_rows.size() >= static_cast<std::size_t>(TimerFile::kMaxRows) ||
        static_cast<qint64>(m_rows.size() + 1) * static_cast<qint64>(m_extraCount) >
            TimerFile::kMaxExtraCells) {
        fail(QCoreApplication::translate(
            "qv::TimerFile", "The packet holds more rows than a timer table can take."));
        return;
    }
    StoredRow row;
    row.record = m_nullRecord;
    row.nulls.set();
    row.extra.resize(m_extraCount);
    for (const QXmlStreamAttribute& a : m_xml.attributes()) {
        const QStringView key = a.qualifiedName();
        const QStringView value = a.value();
        if (key == u"RowState") {
            bool ok = value.isEmpty();
            if (!ok)
                row.state = value.toUInt(&ok);
            if (!ok) {
                fail(QCoreApplication::translate("qv::TimerFile", "Invalid RowState \"%1\".")
                         .arg(value.toString()));
                return;
            }
            continue;
        }
        const auto it = m_fieldIndex.constFind(key.toString());
        if (it == m_fieldIndex.constEnd() || value.isEmpty())
            continue; // a value of no declared field, or null
        const auto i = static_cast<std::size_t>(*it);
        const FieldDef& f = m_fields[i];
        if (!f.known) {
            if (f.content.empty())
                row.extra[static_cast<std::size_t>(m_extraSlot[i])] = utf8(value);
            continue;
        }
        const Column c = *f.known;
        switch (columnInfo(c).type) {
        case ColumnType::Text:
            setColumn(row.record, c,
                      cutToWidth(utf8(value), m_widths[static_cast<std::size_t>(c)]));
            break;
        case ColumnType::Int32: {
            bool ok = false;
            const int v = value.trimmed().toInt(&ok);
            if (!ok) {
                fail(QCoreApplication::translate("qv::TimerFile",
                                                 "Invalid value \"%1\" for field '%2'.")
                         .arg(value.toString(), key.toString()));
                return;
            }
            setColumn(row.record, c, std::int32_t{v});
            break;
        }
        case ColumnType::Boolean:
            setColumn(row.record, c, value.front() == u'T' || value.front() == u't');
            break;
        }
        row.nulls.reset(static_cast<std::size_t>(c));
    }
    while (nextChild()) {
        const auto it = m_fieldIndex.constFind(m_xml.qualifiedName().toString());
        if (it != m_fieldIndex.constEnd() &&
            !m_fields[static_cast<std::size_t>(*it)].content.empty()) {
            std::string inner;
            captureInner(inner);
            row.extra[static_cast<std::size_t>(m_extraSlot[static_cast<std::size_t>(*it)])] =
                std::move(inner);
        } else {
            skipElement();
        }
    }
    m_rows.push_back(std::move(row));
}

// Kept only when every entry names rows that exist and a kind of change;
// otherwise dropped whole (see TimerFile.h).
void PacketReader::readChangeLog() {
    const auto rowCount = static_cast<qint64>(m_rows.size());
    const qint64 maxNumbers = 3 * (2 * rowCount + 1);
    std::vector<std::uint32_t> numbers;
    const QStringView text = m_changeLogText;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i].isSpace())
            ++i;
        qsizetype end = i;
        while (end < text.size() && !text[end].isSpace())
            ++end;
        if (end == i)
            break;
        bool ok = false;
        const qulonglong v = text.sliced(i, end - i).toULongLong(&ok);
        if (!ok || v > std::numeric_limits<std::uint32_t>::max() ||
            static_cast<qint64>(numbers.size()) >= maxNumbers)
            return;
        numbers.push_back(static_cast<std::uint32_t>(v));
        i = end;
    }
    if (numbers.size() % 3 != 0)
        return;
    std::vector<ChangeLogEntry> log;
    for (std::size_t k = 0; k < numbers.size(); k += 3) {
        const ChangeLogEntry e{numbers[k], numbers[k + 1], numbers[k + 2]};
        if (e.row < 1 || e.row > rowCount || e.previous > rowCount || e.kind == 0 || e.kind > 15)
            return;
        log.push_back(e);
    }
    m_log = std::move(log);
}

} // namespace qv::packet
