#pragma once

#include "core/TimerRecord.h"

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace qv::packet {

// Offset of the first byte that does not belong to a well-formed UTF-8
// sequence (overlong forms, surrogates and values past U+10FFFF included),
// or -1 when all of `bytes` is valid UTF-8.
qsizetype invalidUtf8Offset(QByteArrayView bytes);

// Windows-1252: Latin-1 with printable characters in 0x80-0x9F. The five
// bytes that code page leaves undefined map to the C1 controls of the same
// value, so every byte sequence decodes.
QString decodeWindows1252(QByteArrayView bytes);

// The value of the encoding attribute of a leading XML declaration, or an
// empty array when there is no declaration or it names no encoding.
QByteArray declaredEncoding(QByteArrayView bytes);

// Turns the raw bytes of a packet into text, choosing the encoding from the
// byte-order mark, the declaration or the bytes themselves. On refusal
// `error` says why, with a line and column where a byte is at fault.
// Characters XML cannot carry come out as stand-ins that utf8() turns back.
bool decodePacket(const QByteArray& bytes, QString* text, QString* error);

// Appends UTF-8 text as the value of an attribute (or as element text) with
// the file's nine replacements. Characters XML cannot carry at all (control
// characters other than tab, line feed and carriage return, U+FFFE, U+FFFF)
// are written as character references, which decodePacket() takes back;
// bytes that are not UTF-8 become U+FFFD.
void appendEscaped(std::string& out, std::string_view utf8);

// Text the reader gives, as UTF-8, with the stand-ins of decodePacket() turned back.
std::string utf8(QStringView s);

// "Error in the timer file at line L, column C: what."
QString positionedError(qint64 line, qint64 column, const QString& what);

} // namespace qv::packet
