#include "store/PacketText.h"

#include "core/Text.h"
#include "store/QtText.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace qv::packet {
namespace {

constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isUtf8Name(QByteArrayView enc) {
    return enc.compare("utf-8", Qt::CaseInsensitive) == 0 ||
           enc.compare("utf8", Qt::CaseInsensitive) == 0;
}

bool isSingleByteName(QByteArrayView enc) {
    for (const char* n : {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "latin1",
                          "latin-1", "l1", "us-ascii", "ascii"})
        if (enc.compare(n, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString badByteError(const QByteArray& bytes, qsizetype offset, const QString& what) {
    const QByteArrayView before(bytes.constData(), offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return positionedError(before.count('\n') + 1, offset - lineStart + 1, what);
}

// XML cannot carry most control characters, U+FFFE and U+FFFF, not even as
// character references, yet a timer name may hold them and must come back as
// it was. The writer puts them in as references; before the XML reader sees
// the text, each one (and any raw one an older file holds) becomes a
// character of this private-use block, and utf8() turns it back. A private-use
// character that really is in the text is shielded by kShieldEscape.
constexpr char16_t kShieldBase = 0xF700; // + the control character's value
constexpr char16_t kShieldFFFE = 0xF720;
constexpr char16_t kShieldFFFF = 0xF721;
constexpr char16_t kShieldEscape = 0xF722; // the next character is itself

bool uncarriable(char32_t c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF;
}

bool inShieldBlock(char32_t c) {
    return c >= kShieldBase && c <= kShieldEscape;
}

// A character reference "&#N;" or "&#xN;" at `at`: its value and length.
bool parseReference(const QString& text, qsizetype at, char32_t& value, qsizetype& length) {
    qsizetype i = at + 2;
    const bool hex = i < text.size() && text[i] == u'x';
    if (hex)
        ++i;
    const qsizetype digits = i;
    std::uint32_t v = 0;
    for (; i < text.size() && i - digits < 8; ++i) {
        const char16_t c = text[i].unicode();
        int d = -1;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        if (d < 0)
            break;
        v = v * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
    }
    if (i == digits || i >= text.size() || text[i] != u';')
        return false;
    value = v;
    length = i + 1 - at;
    return true;
}

void appendShielded(QString& out, char32_t c) {
    if (c == 0xFFFE)
        out += QChar(kShieldFFFE);
    else if (c == 0xFFFF)
        out += QChar(kShieldFFFF);
    else if (c < 0x20)
        out += QChar(char16_t(kShieldBase + c));
    else {
        out += QChar(kShieldEscape);
        out += QChar(char16_t(c));
    }
}

// Error positions after a shielded reference move left by its length less one.
QString shieldUncarriable(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        char32_t value = 0;
        qsizetype length = 0;
        if (uncarriable(c) || inShieldBlock(c)) {
            appendShielded(out, c);
        } else if (c == u'&' && i + 1 < text.size() && text[i + 1] == u'#' &&
                   parseReference(text, i, value, length) &&
                   (uncarriable(value) || inShieldBlock(value))) {
            appendShielded(out, value);
            i += length - 1;
        } else {
            out += QChar(c);
        }
    }
    return out;
}

bool decodeBytes(const QByteArray& bytes, QString* text, QString* error);

} // namespace

qsizetype invalidUtf8Offset(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto n = static_cast<std::size_t>(bytes.size());
    std::size_t i = 0;
    char32_t cp = 0;
    while (i < n) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const int len = decodeUtf8(std::string_view(bytes.data(), n), i, cp);
        if (len == 0)
            return static_cast<qsizetype>(i);
        i += static_cast<std::size_t>(len);
    }
    return -1;
}

QString decodeWindows1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *d++ = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

QByteArray declaredEncoding(QByteArrayView bytes) {
    if (!bytes.startsWith("<?xml") || bytes.size() < 6)
        return {};
    const char sixth = bytes[5];
    if (sixth != ' ' && sixth != '\t' && sixth != '\r' && sixth != '\n')
        return {};
    const qsizetype end = bytes.first(std::min<qsizetype>(bytes.size(), 1024)).indexOf("?>");
    if (end < 0)
        return {};
    const QByteArrayView decl = bytes.first(end);
    const qsizetype at = decl.indexOf("encoding");
    if (at < 0)
        return {};
    qsizetype i = at + 8;
    auto skipSpace = [&] {
        while (i < decl.size() &&
               (decl[i] == ' ' || decl[i] == '\t' || decl[i] == '\r' || decl[i] == '\n'))
            ++i;
    };
    skipSpace();
    if (i >= decl.size() || decl[i] != '=')
        return {};
    ++i;
    skipSpace();
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\''))
        return {};
    const char quote = decl[i++];
    const qsizetype close = decl.indexOf(quote, i);
    if (close < 0)
        return {};
    return decl.sliced(i, close - i).toByteArray();
}

bool decodePacket(const QByteArray& bytes, QString* text, QString* error) {
    if (!decodeBytes(bytes, text, error))
        return false;
    *text = shieldUncarriable(*text);
    return true;
}

namespace {

bool decodeBytes(const QByteArray& bytes, QString* text, QString* error) {
    auto decodeUtf8Checked = [&](qsizetype skip, const QString& what) {
        const QByteArrayView body = QByteArrayView(bytes).sliced(skip);
        const qsizetype bad = invalidUtf8Offset(body);
        if (bad >= 0) {
            *error = badByteError(bytes, skip + bad, what);
            return false;
        }
        *text = QString::fromUtf8(body);
        return true;
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeUtf8Checked(
            3, QCoreApplication::translate(
                   "qv::TimerFile", "The file starts with a UTF-8 mark but is not valid UTF-8."));
    if (bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE")) {
        *error = positionedError(
            1, 1, QCoreApplication::translate("qv::TimerFile", "UTF-16 files are not supported."));
        return false;
    }
    const QByteArray encoding = declaredEncoding(bytes);
    if (encoding.isEmpty()) {
        if (invalidUtf8Offset(bytes) < 0)
            *text = QString::fromUtf8(bytes);
        else
            *text = decodeWindows1252(bytes);
        return true;
    }
    if (isUtf8Name(encoding))
        return decodeUtf8Checked(
            0, QCoreApplication::translate("qv::TimerFile",
                                           "The file declares UTF-8 but is not valid UTF-8."));
    if (isSingleByteName(encoding)) {
        *text = decodeWindows1252(bytes);
        return true;
    }
    *error = positionedError(
        1, 1,
        QCoreApplication::translate("qv::TimerFile", "The encoding \"%1\" is not supported.")
            .arg(QString::fromLatin1(encoding)));
    return false;
}

} // namespace

void appendEscaped(std::string& out, std::string_view utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        // Plain ASCII is by far the common case; copy it in runs.
        std::size_t run = i;
        while (run < n && p[run] >= 0x20 && p[run] < 0x80 && p[run] != '<' && p[run] != '>' &&
               p[run] != '"' && p[run] != '&' && p[run] != '\'' && p[run] != '\\')
            ++run;
        out.append(utf8.data() + i, run - i);
        i = run;
        if (i >= n)
            break;
        char32_t cp = 0;
        const int len = decodeUtf8(utf8, i, cp);
        if (len == 0)
            cp = 0xFFFD;
        i += len == 0 ? 1 : static_cast<std::size_t>(len);
        switch (cp) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '\r':
            out += "&#013;";
            break;
        case '\n':
            out += "&#010;";
            break;
        case '\t':
            out += "&#009;";
            break;
        case '\\':
            out += "&#092;";
            break;
        default:
            if (uncarriable(cp)) {
                out += "&#";
                out += std::to_string(cp);
                out += ';';
            } else {
                appendUtf8(out, cp);
            }
        }
    }
}

std::string utf8(QStringView s) {
    if (std::none_of(s.begin(), s.end(), [](QChar c) { return inShieldBlock(c.unicode()); })) {
        return toUtf8(s);
    }
    QString plain;
    plain.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c == kShieldEscape && i + 1 < s.size())
            plain += s[++i];
        else if (c == kShieldFFFE)
            plain += QChar(char16_t(0xFFFE));
        else if (c == kShieldFFFF)
            plain += QChar(char16_t(0xFFFF));
        else if (c >= kShieldBase && c < kShieldBase + 0x20)
            plain += QChar(char16_t(c - kShieldBase));
        else
            plain += QChar(c);
    }
    return toUtf8(plain);
}

QString positionedError(qint64 line, qint64 column, const QString& what) {
    return QCoreApplication::translate("qv::TimerFile",
                                       "Error in the timer file at line %1, column %2: %3")
        .arg(line)
        .arg(column)
        .arg(what);
}

} // namespace qv::packet
