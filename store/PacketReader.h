#pragma once

#include "core/TimerDB.h"

#include <QHash>
#include <QString>
#include <QXmlStreamReader>
#include <array>
#include <string>
#include <vector>

namespace qv::packet {

// Reads the text of a data packet into a table, one function per element,
// skipping elements it does not know. Structural faults are raised on the
// stream reader so that they carry a line and column.
class PacketReader {
public:
    explicit PacketReader(const QString& text);

    bool run(TimerDB& db, QString* error);

private:
    QXmlStreamReader::TokenType next();
    bool nextChild();
    void skipElement();
    void captureInner(std::string& out);
    void fail(const QString& what) { m_xml.raiseError(what); }
    // Column refusals carry their exact message and no position.
    void refuse(const QString& message) {
        m_plainError = message;
        m_xml.raiseError(message);
    }

    void readDocument();
    void readMetadata(bool rowsInside);
    void readFields();
    void readField();
    void readParams();
    void checkColumns();
    void readRowData();
    void readRow();
    void readChangeLog();

    const QString& m_xmlText;
    QXmlStreamReader m_xml;
    int m_depth = 0;
    QString m_plainError;
    bool m_haveMetadata = false;

    std::vector<FieldDef> m_fields;
    std::vector<int> m_extraSlot; // per field: index into StoredRow::extra, -1 for known columns
    QHash<QString, int> m_fieldIndex;
    std::array<int, kColumnCount> m_widths{};
    std::size_t m_extraCount = 0;
    std::vector<StoredRow> m_rows;
    TimerRecord m_nullRecord;
    QString m_changeLogText;
    std::vector<ChangeLogEntry> m_log;
};

} // namespace qv::packet
