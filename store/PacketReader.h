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
    void fail(const QString& what) { xml_.raiseError(what); }
    // Column refusals carry their exact message and no position.
    void refuse(const QString& message) {
        plainError_ = message;
        xml_.raiseError(message);
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

    const QString& xmlText_;
    QXmlStreamReader xml_;
    int depth_ = 0;
    QString plainError_;
    bool haveMetadata_ = false;

    std::vector<FieldDef> fields_;
    std::vector<int> extraSlot_; // per field: index into StoredRow::extra, -1 for known columns
    QHash<QString, int> fieldIndex_;
    std::array<int, kColumnCount> widths_{};
    std::size_t extraCount_ = 0;
    std::vector<StoredRow> rows_;
    TimerRecord nullRecord_;
    QString changeLogText_;
    std::vector<ChangeLogEntry> log_;
};

} // namespace qv::packet
