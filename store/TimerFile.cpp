// The timer file's writer and file operations; the reader is PacketReader.

#include "store/TimerFile.h"

#include "store/AtomicFile.h"
#include "store/PacketReader.h"
#include "store/PacketText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace qv {
namespace {

constexpr std::string_view kDeclaration =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>  )";

void appendAttribute(std::string& out, std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    packet::appendEscaped(out, value);
    out += '"';
}

void appendField(std::string& out, const FieldDef& f, const TimerDB& db) {
    out += "<FIELD";
    if (f.known) {
        // The program's own columns always take the program's form.
        const ColumnInfo& info = columnInfo(*f.known);
        appendAttribute(out, "attrname", info.name);
        appendAttribute(out, "fieldtype", columnTypeWord(info.type));
        if (info.type == ColumnType::Text)
            appendAttribute(out, "WIDTH", std::to_string(db.textWidth(*f.known)));
    } else if (f.attributes.empty()) {
        appendAttribute(out, "attrname", f.name);
        appendAttribute(out, "fieldtype", f.fieldType);
        if (f.width)
            appendAttribute(out, "WIDTH", std::to_string(*f.width));
    } else {
        for (const auto& [key, value] : f.attributes)
            appendAttribute(out, key, value);
    }
    if (f.content.empty()) {
        out += "/>";
    } else {
        out += '>';
        out += f.content;
        out += "</FIELD>";
    }
}

void appendRow(std::string& out, const StoredRow& row, const std::vector<FieldDef>& fields) {
    out += "<ROW";
    if (row.state != RowUnchanged)
        appendAttribute(out, "RowState", std::to_string(row.state));
    std::string children; // values of nested-table columns
    std::size_t slot = 0;
    for (const FieldDef& f : fields) {
        if (!f.known) {
            const std::optional<std::string>* v =
                slot < row.extra.size() ? &row.extra[slot] : nullptr;
            ++slot;
            if (!v || !*v || (*v)->empty())
                continue;
            if (f.content.empty()) {
                appendAttribute(out, f.name, **v);
            } else {
                children += '<' + f.name + '>';
                children += **v;
                children += "</" + f.name + '>';
            }
            continue;
        }
        const Column c = *f.known;
        if (row.nulls.test(static_cast<std::size_t>(c)))
            continue;
        const ColumnValue v = getColumn(row.record, c);
        const std::string_view name = columnInfo(c).name;
        if (const auto* text = std::get_if<std::string>(&v)) {
            // An empty text is left out: it reads back as null, which is the empty text.
            if (!text->empty())
                appendAttribute(out, name, *text);
        } else if (const auto* number = std::get_if<std::int32_t>(&v)) {
            appendAttribute(out, name, std::to_string(*number));
        } else {
            appendAttribute(out, name, std::get<bool>(v) ? "TRUE" : "FALSE");
        }
    }
    if (children.empty()) {
        out += "/>";
    } else {
        out += '>';
        out += children;
        out += "</ROW>";
    }
}

// The message for a file over the size limit.
QString tooLarge() {
    const int mib = static_cast<int>(TimerFile::kMaxFileSize / (1024 * 1024));
    return QCoreApplication::translate("qv::TimerFile", "The timer file is larger than %n MiB.",
                                       nullptr, mib);
}

} // namespace

QString TimerFile::cannotCreateMessage(const QString& path, const QString& reason) {
    return QCoreApplication::translate("qv::TimerFile", "Cannot create file \"%1\". %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

QByteArray TimerFile::serialize(const TimerDB& db) {
    std::string out;
    out.reserve(2048 + db.storedRows().size() * 512);
    out += kDeclaration;
    out += "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    for (const FieldDef& f : db.fields())
        appendField(out, f, db);
    out += "</FIELDS>";
    if (db.changeLog().empty()) {
        out += "<PARAMS/>";
    } else {
        std::string numbers;
        for (const ChangeLogEntry& e : db.changeLog()) {
            for (const std::uint32_t n : {e.row, e.previous, e.kind}) {
                if (!numbers.empty())
                    numbers += ' ';
                numbers += std::to_string(n);
            }
        }
        out += "<PARAMS";
        appendAttribute(out, "CHANGE_LOG", numbers);
        out += "/>";
    }
    out += "</METADATA>";
    if (db.storedRows().empty()) {
        out += "<ROWDATA/>";
    } else {
        out += "<ROWDATA>";
        for (const StoredRow& row : db.storedRows())
            appendRow(out, row, db.fields());
        out += "</ROWDATA>";
    }
    out += "</DATAPACKET>";
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

bool TimerFile::parse(const QByteArray& bytes, TimerDB& db, QString* error) {
    QString scratch;
    QString* err = error ? error : &scratch;
    if (bytes.size() > kMaxFileSize) {
        *err = tooLarge();
        return false;
    }
    QString text;
    if (!packet::decodePacket(bytes, &text, err))
        return false;
    packet::PacketReader reader(text);
    return reader.run(db, error);
}

bool TimerFile::read(const QString& path, TimerDB& db, QString* error) {
    QFile file(path);
    auto failWith = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (!file.open(QIODevice::ReadOnly))
        return failWith(QCoreApplication::translate("qv::TimerFile", "Cannot open file \"%1\". %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
    // Checked before reading so that a huge file is never loaded; the bounded
    // read covers files that grow meanwhile and devices without a size.
    if (file.size() > kMaxFileSize)
        return failWith(tooLarge());
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return failWith(QCoreApplication::translate("qv::TimerFile", "Cannot read file \"%1\". %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
    return parse(bytes, db, error);
}

bool TimerFile::write(const QString& path, const TimerDB& db, QString* error, FileOps& ops) {
    QString reason;
    if (writeFileAtomically(path, serialize(db), &reason, ops))
        return true;
    if (error)
        *error = cannotCreateMessage(path, reason);
    return false;
}

bool TimerFile::createEmpty(const QString& path, TimerDB& db, QString* error) {
    db.createEmpty();
    return write(path, db, error);
}

bool TimerFile::mergeAndSave(const QString& path, TimerDB& db, QString* error) {
    TimerDB merged = db;
    merged.mergeChangeLog();
    if (!write(path, merged, error))
        return false;
    db = std::move(merged);
    return true;
}

} // namespace qv
