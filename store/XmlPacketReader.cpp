// Reading side of TimerFile: from the bytes of a data packet to a table.

#include "core/Text.h"
#include "store/PacketText.h"
#include "store/TimerFile.h"

#include <QHash>
#include <QXmlStreamReader>
#include <limits>

namespace qv {
namespace {

const char* typeWord(ColumnType t) {
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

std::string utf8(QStringView s) {
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
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

class PacketReader {
public:
    explicit PacketReader(const QString& text) : xmlText_(text), xml_(text) {
        xml_.setNamespaceProcessing(false);
    }

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
    TimerRecord nullRecord_ = nullRecord();
    QString changeLogText_;
    std::vector<ChangeLogEntry> log_;
};

// Every token goes through here so that nesting depth stays bounded and no
// document type declaration (the only way to entity tricks) gets through.
QXmlStreamReader::TokenType PacketReader::next() {
    const auto t = xml_.readNext();
    if (t == QXmlStreamReader::StartElement) {
        if (++depth_ > TimerFile::kMaxDepth)
            fail(
                QStringLiteral("Elements are nested more than %1 deep.").arg(TimerFile::kMaxDepth));
    } else if (t == QXmlStreamReader::EndElement) {
        --depth_;
    } else if (t == QXmlStreamReader::DTD || t == QXmlStreamReader::EntityReference) {
        fail(QStringLiteral("Document type declarations and entities are not accepted."));
    }
    return xml_.hasError() ? QXmlStreamReader::Invalid : t;
}

// Advances to the next child element of the current element; false at its end.
bool PacketReader::nextChild() {
    while (!xml_.atEnd()) {
        const auto t = next();
        if (t == QXmlStreamReader::StartElement)
            return true;
        if (t == QXmlStreamReader::EndElement || t == QXmlStreamReader::Invalid)
            return false;
    }
    return false;
}

void PacketReader::skipElement() {
    int open = 1;
    while (open > 0 && !xml_.atEnd()) {
        const auto t = next();
        if (t == QXmlStreamReader::StartElement)
            ++open;
        else if (t == QXmlStreamReader::EndElement)
            --open;
        else if (t == QXmlStreamReader::Invalid)
            return;
    }
}

// The children of the current element as XML text, for columns this program
// does not interpret (nested tables) and writes back as they came.
void PacketReader::captureInner(std::string& out) {
    int open = 1;
    bool tagOpen = false; // "<name attrs" written, waiting to learn whether it is empty
    while (!xml_.atEnd()) {
        const auto t = next();
        if (t == QXmlStreamReader::Invalid)
            return;
        if (t == QXmlStreamReader::StartElement) {
            if (tagOpen)
                out += '>';
            out += '<';
            out += utf8(xml_.qualifiedName());
            for (const QXmlStreamAttribute& a : xml_.attributes()) {
                out += ' ';
                out += utf8(a.qualifiedName());
                out += "=\"";
                packet::appendEscaped(out, utf8(a.value()));
                out += '"';
            }
            tagOpen = true;
            ++open;
        } else if (t == QXmlStreamReader::EndElement) {
            if (--open == 0) {
                if (tagOpen)
                    out += '>';
                return;
            }
            if (tagOpen) {
                out += "/>";
            } else {
                out += "</";
                out += utf8(xml_.qualifiedName());
                out += '>';
            }
            tagOpen = false;
        } else if (t == QXmlStreamReader::Characters && !xml_.isWhitespace()) {
            if (tagOpen)
                out += '>';
            tagOpen = false;
            packet::appendEscaped(out, utf8(xml_.text()));
        }
    }
}

void PacketReader::readDocument() {
    if (!nextChild()) {
        if (!xml_.hasError())
            fail(QStringLiteral("The file holds no data packet."));
        return;
    }
    const QStringView root = xml_.qualifiedName();
    if (root == u"DATAPACKET") {
        while (nextChild()) {
            if (xml_.qualifiedName() == u"METADATA") {
                readMetadata(false);
            } else if (xml_.qualifiedName() == u"ROWDATA") {
                if (!haveMetadata_)
                    fail(QStringLiteral("ROWDATA comes before METADATA."));
                else
                    readRowData();
            } else {
                skipElement();
            }
        }
    } else if (root == u"METADATA") {
        readMetadata(true);
    } else {
        fail(QStringLiteral("This is not a data packet: the outermost element is \"%1\".")
                 .arg(root.toString()));
        return;
    }
    // Read on to the end so that anything after the packet is noticed.
    while (!xml_.atEnd() && !xml_.hasError())
        next();
    if (!xml_.hasError() && !haveMetadata_)
        refuse(QStringLiteral("Field '%1' not found").arg(QLatin1StringView("Name")));
}

void PacketReader::readMetadata(bool rowsInside) {
    if (haveMetadata_) {
        fail(QStringLiteral("The packet has more than one METADATA."));
        return;
    }
    while (nextChild()) {
        const QStringView name = xml_.qualifiedName();
        if (name == u"FIELDS") {
            readFields();
        } else if (name == u"PARAMS") {
            readParams();
        } else if (name == u"ROWDATA" && rowsInside) {
            if (!haveMetadata_)
                checkColumns();
            if (!xml_.hasError())
                readRowData();
        } else {
            skipElement();
        }
    }
    if (!haveMetadata_ && !xml_.hasError())
        checkColumns();
}

void PacketReader::readFields() {
    while (nextChild()) {
        if (xml_.qualifiedName() == u"FIELD")
            readField();
        else
            skipElement();
    }
}

void PacketReader::readField() {
    if (fields_.size() >= static_cast<std::size_t>(TimerFile::kMaxFields)) {
        fail(QStringLiteral("The packet declares more than %1 fields.").arg(TimerFile::kMaxFields));
        return;
    }
    FieldDef f;
    QString name;
    bool named = false;
    for (const QXmlStreamAttribute& a : xml_.attributes()) {
        const QStringView key = a.qualifiedName();
        if (key == u"attrname") {
            name = a.value().toString();
            named = true;
        } else if (key == u"fieldtype") {
            f.fieldType = utf8(a.value());
        } else if (key == u"WIDTH") {
            bool ok = false;
            const int w = a.value().toInt(&ok);
            if (ok)
                f.width = w;
        }
        f.attributes.emplace_back(utf8(key), utf8(a.value()));
    }
    if (!named || name.isEmpty()) {
        fail(QStringLiteral("A FIELD has no attrname."));
        return;
    }
    if (fieldIndex_.contains(name)) {
        fail(QStringLiteral("Field '%1' is declared twice.").arg(name));
        return;
    }
    f.name = utf8(name);
    f.known = columnByName(f.name);
    if (f.known) {
        skipElement();
    } else {
        captureInner(f.content);
    }
    fieldIndex_.insert(name, static_cast<int>(fields_.size()));
    fields_.push_back(std::move(f));
}

void PacketReader::readParams() {
    for (const QXmlStreamAttribute& a : xml_.attributes())
        if (a.qualifiedName() == u"CHANGE_LOG")
            changeLogText_ = a.value().toString();
    skipElement();
}

// Our columns must all be there with a type that holds their values. Only
// known text columns narrower than ours change the table's widths.
void PacketReader::checkColumns() {
    haveMetadata_ = true;
    std::array<int, kColumnCount> position{};
    position.fill(-1);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].known)
            position[static_cast<std::size_t>(*fields_[i].known)] = static_cast<int>(i);
    for (int c = 0; c < kColumnCount; ++c) {
        const ColumnInfo& info = columnInfo(static_cast<Column>(c));
        if (position[static_cast<std::size_t>(c)] < 0) {
            refuse(QStringLiteral("Field '%1' not found").arg(QLatin1StringView(info.name)));
            return;
        }
    }
    for (int c = 0; c < kColumnCount; ++c) {
        const ColumnInfo& info = columnInfo(static_cast<Column>(c));
        FieldDef& f = fields_[static_cast<std::size_t>(position[static_cast<std::size_t>(c)])];
        if (!compatibleType(info.type, QString::fromStdString(f.fieldType))) {
            refuse(QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                       .arg(QLatin1StringView(info.name), QLatin1StringView(typeWord(info.type)),
                            QString::fromStdString(f.fieldType)));
            return;
        }
        int width = info.width;
        for (const auto& [key, value] : f.attributes) {
            if (key != "WIDTH" || info.type != ColumnType::Text)
                continue;
            if (!f.width || *f.width <= 0) {
                refuse(QStringLiteral("Invalid WIDTH \"%1\" for field '%2'")
                           .arg(QString::fromStdString(value), QLatin1StringView(info.name)));
                return;
            }
            width = std::min(width, *f.width);
        }
        // The program's own columns are written in the program's form.
        f.attributes.clear();
        f.fieldType = typeWord(info.type);
        f.width = info.type == ColumnType::Text ? std::optional<int>(width) : std::nullopt;
        widths_[static_cast<std::size_t>(c)] = width;
    }
    for (const FieldDef& f : fields_)
        extraSlot_.push_back(f.known ? -1 : static_cast<int>(extraCount_++));
}

void PacketReader::readRowData() {
    while (nextChild()) {
        if (xml_.qualifiedName() == u"ROW")
            readRow();
        else
            skipElement();
    }
}

void PacketReader::readRow() {
    if (rows_.size() >= static_cast<std::size_t>(TimerFile::kMaxRows) ||
        static_cast<qint64>(rows_.size() + 1) * static_cast<qint64>(extraCount_) >
            TimerFile::kMaxExtraCells) {
        fail(QStringLiteral("The packet holds more rows than a timer table can take."));
        return;
    }
    StoredRow row;
    row.record = nullRecord_;
    row.nulls.set();
    row.extra.resize(extraCount_);
    for (const QXmlStreamAttribute& a : xml_.attributes()) {
        const QStringView key = a.qualifiedName();
        const QStringView value = a.value();
        if (key == u"RowState") {
            bool ok = value.isEmpty();
            if (!ok)
                row.state = value.toUInt(&ok);
            if (!ok) {
                fail(QStringLiteral("Invalid RowState \"%1\".").arg(value.toString()));
                return;
            }
            continue;
        }
        const auto it = fieldIndex_.constFind(key.toString());
        if (it == fieldIndex_.constEnd() || value.isEmpty())
            continue; // a value of no declared field, or null
        const auto i = static_cast<std::size_t>(*it);
        const FieldDef& f = fields_[i];
        if (!f.known) {
            if (f.content.empty())
                row.extra[static_cast<std::size_t>(extraSlot_[i])] = utf8(value);
            continue;
        }
        const Column c = *f.known;
        switch (columnInfo(c).type) {
        case ColumnType::Text:
            setColumn(row.record, c, cutToWidth(utf8(value), widths_[static_cast<std::size_t>(c)]));
            break;
        case ColumnType::Int32: {
            bool ok = false;
            const int v = value.trimmed().toInt(&ok);
            if (!ok) {
                fail(QStringLiteral("Invalid value \"%1\" for field '%2'.")
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
        const auto it = fieldIndex_.constFind(xml_.qualifiedName().toString());
        if (it != fieldIndex_.constEnd() &&
            !fields_[static_cast<std::size_t>(*it)].content.empty()) {
            std::string inner;
            captureInner(inner);
            row.extra[static_cast<std::size_t>(extraSlot_[static_cast<std::size_t>(*it)])] =
                std::move(inner);
        } else {
            skipElement();
        }
    }
    rows_.push_back(std::move(row));
}

// Kept only when every entry names rows that exist and a kind of change;
// otherwise dropped whole (see TimerFile.h).
void PacketReader::readChangeLog() {
    const auto rowCount = static_cast<qint64>(rows_.size());
    const qint64 maxNumbers = 3 * (2 * rowCount + 1);
    std::vector<std::uint32_t> numbers;
    const QStringView text = changeLogText_;
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
    log_ = std::move(log);
}

// QXmlStreamReader compares the attributes of a start tag with each other
// for duplicates, so a tag with n attributes costs n * n: one tag with a
// million attributes would hang the program. Attribute values cannot hold
// "<", so counting "=" between one "<" and the next bounds every tag from
// above; the sum of squares bounds the reader's whole effort. The program's
// own largest table (100,000 rows of the timer columns) stays well below it.
bool attributeWorkBounded(const QString& text) {
    constexpr qint64 kMaxWork = 100000000;
    qint64 work = 0;
    qint64 count = 0;
    for (const QChar c : text) {
        if (c == u'<') {
            work += count * count;
            count = 0;
        } else if (c == u'=') {
            ++count;
        }
    }
    return work + count * count <= kMaxWork;
}

bool PacketReader::run(TimerDB& db, QString* error) {
    widths_.fill(0);
    if (!attributeWorkBounded(xmlText_)) {
        if (error)
            *error = QStringLiteral("The timer file has elements with too many attributes.");
        return false;
    }
    readDocument();
    if (xml_.hasError()) {
        if (error)
            *error = !plainError_.isEmpty()
                         ? plainError_
                         : packet::positionedError(xml_.lineNumber(), xml_.columnNumber(),
                                                   xml_.errorString());
        return false;
    }
    readChangeLog();
    std::string why;
    if (!db.assign(std::move(fields_), std::move(rows_), std::move(log_), &why)) {
        if (error)
            *error = QString::fromStdString(why);
        return false;
    }
    return true;
}

} // namespace

bool TimerFile::parse(const QByteArray& bytes, TimerDB& db, QString* error) {
    QString scratch;
    QString* err = error ? error : &scratch;
    if (bytes.size() > kMaxFileSize) {
        *err = QStringLiteral("The timer file is larger than %1 MiB.").arg(kMaxFileSize >> 20);
        return false;
    }
    QString text;
    if (!packet::decodePacket(bytes, &text, err))
        return false;
    PacketReader reader(text);
    return reader.run(db, error);
}

} // namespace qv
