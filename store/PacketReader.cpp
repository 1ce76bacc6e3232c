// The structure of a data packet: tokens, elements and column declarations.
// Column checks and rows are in PacketRows.cpp.

#include "store/PacketReader.h"

#include "store/PacketText.h"
#include "store/QtText.h"
#include "store/TimerFile.h"

#include <QCoreApplication>

namespace qv::packet {
namespace {

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

} // namespace

PacketReader::PacketReader(const QString& text) : m_xmlText(text), m_xml(text) {
    m_xml.setNamespaceProcessing(false);
}

// Every token goes through here so that nesting depth stays bounded and no
// document type declaration (the only way to entity tricks) gets through.
QXmlStreamReader::TokenType PacketReader::next() {
    const auto t = m_xml.readNext();
    if (t == QXmlStreamReader::StartElement) {
        if (++m_depth > TimerFile::kMaxDepth) {
            const int deepest = TimerFile::kMaxDepth;
            fail(QCoreApplication::translate(
                "qv::TimerFile", "Elements are nested more than %n deep.", nullptr, deepest));
        }
    } else if (t == QXmlStreamReader::EndElement) {
        --m_depth;
    } else if (t == QXmlStreamReader::DTD || t == QXmlStreamReader::EntityReference) {
        fail(QCoreApplication::translate(
            "qv::TimerFile", "Document type declarations and entities are not accepted."));
    }
    return m_xml.hasError() ? QXmlStreamReader::Invalid : t;
}

// Advances to the next child element of the current element; false at its end.
bool PacketReader::nextChild() {
    while (!m_xml.atEnd()) {
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
    while (open > 0 && !m_xml.atEnd()) {
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
    while (!m_xml.atEnd()) {
        const auto t = next();
        if (t == QXmlStreamReader::Invalid)
            return;
        if (t == QXmlStreamReader::StartElement) {
            if (tagOpen)
                out += '>';
            out += '<';
            out += utf8(m_xml.qualifiedName());
            for (const QXmlStreamAttribute& a : m_xml.attributes()) {
                out += ' ';
                out += utf8(a.qualifiedName());
                out += "=\"";
                appendEscaped(out, utf8(a.value()));
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
                out += utf8(m_xml.qualifiedName());
                out += '>';
            }
            tagOpen = false;
        } else if (t == QXmlStreamReader::Characters && !m_xml.isWhitespace()) {
            if (tagOpen)
                out += '>';
            tagOpen = false;
            appendEscaped(out, utf8(m_xml.text()));
        }
    }
}

void PacketReader::readDocument() {
    if (!nextChild()) {
        if (!m_xml.hasError())
            fail(QCoreApplication::translate("qv::TimerFile", "The file holds no data packet."));
        return;
    }
    const QStringView root = m_xml.qualifiedName();
    if (root == u"DATAPACKET") {
        while (nextChild()) {
            if (m_xml.qualifiedName() == u"METADATA") {
                readMetadata(false);
            } else if (m_xml.qualifiedName() == u"ROWDATA") {
                if (!m_haveMetadata)
                    fail(QCoreApplication::translate("qv::TimerFile",
                                                     "ROWDATA comes before METADATA."));
                else
                    readRowData();
            } else {
                skipElement();
            }
        }
    } else if (root == u"METADATA") {
        readMetadata(true);
    } else {
        fail(QCoreApplication::translate(
                 "qv::TimerFile", "This is not a data packet: the outermost element is \"%1\".")
                 .arg(root.toString()));
        return;
    }
    // Read on to the end so that anything after the packet is noticed.
    while (!m_xml.atEnd() && !m_xml.hasError())
        next();
    if (!m_xml.hasError() && !m_haveMetadata)
        refuse(QCoreApplication::translate("qv::TimerFile", "Field '%1' not found")
                   .arg(QLatin1StringView("Name")));
}

void PacketReader::readMetadata(bool rowsInside) {
    if (m_haveMetadata) {
        fail(
            QCoreApplication::translate("qv::TimerFile", "The packet has more than one METADATA."));
        return;
    }
    while (nextChild()) {
        const QStringView name = m_xml.qualifiedName();
        if (name == u"FIELDS") {
            readFields();
        } else if (name == u"PARAMS") {
            readParams();
        } else if (name == u"ROWDATA" && rowsInside) {
            if (!m_haveMetadata)
                checkColumns();
            if (!m_xml.hasError())
                readRowData();
        } else {
            skipElement();
        }
    }
    if (!m_haveMetadata && !m_xml.hasError())
        checkColumns();
}

void PacketReader::readFields() {
    while (nextChild()) {
        if (m_xml.qualifiedName() == u"FIELD")
            readField();
        else
            skipElement();
    }
}

void PacketReader::readField() {
    if (m_fields.size() >= static_cast<std::size_t>(TimerFile::kMaxFields)) {
        const int most = TimerFile::kMaxFields;
        fail(QCoreApplication::translate(
            "qv::TimerFile", "The packet declares more than %n fields.", nullptr, most));
        return;
    }
    FieldDef f;
    QString name;
    bool named = false;
    for (const QXmlStreamAttribute& a : m_xml.attributes()) {
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
        fail(QCoreApplication::translate("qv::TimerFile", "A FIELD has no attrname."));
        return;
    }
    if (m_fieldIndex.contains(name)) {
        fail(QCoreApplication::translate("qv::TimerFile", "Field '%1' is declared twice.")
                 .arg(name));
        return;
    }
    f.name = utf8(name);
    f.known = columnByName(f.name);
    if (f.known) {
        skipElement();
    } else {
        captureInner(f.content);
    }
    m_fieldIndex.insert(name, static_cast<int>(m_fields.size()));
    m_fields.push_back(std::move(f));
}

void PacketReader::readParams() {
    for (const QXmlStreamAttribute& a : m_xml.attributes())
        if (a.qualifiedName() == u"CHANGE_LOG")
            m_changeLogText = a.value().toString();
    skipElement();
}

bool PacketReader::run(TimerDB& db, QString* error) {
    m_widths.fill(0);
    if (!attributeWorkBounded(m_xmlText)) {
        if (error)
            *error = QCoreApplication::translate(
                "qv::TimerFile", "The timer file has elements with too many attributes.");
        return false;
    }
    readDocument();
    if (m_xml.hasError()) {
        if (error)
            *error = !m_plainError.isEmpty()
                         ? m_plainError
                         : positionedError(m_xml.lineNumber(), m_xml.columnNumber(),
                                           m_xml.errorString());
        return false;
    }
    readChangeLog();
    std::string why;
    if (!db.assign(std::move(m_fields), std::move(m_rows), std::move(m_log), &why)) {
        if (error)
            *error = toQString(why);
        return false;
    }
    return true;
}

} // namespace qv::packet
