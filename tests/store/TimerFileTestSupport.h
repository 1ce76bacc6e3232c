#pragma once

#include "core/TimerDB.h"

#include <QByteArray>
#include <QString>
#include <ostream>
#include <string>

// Readable failure output for QString comparisons.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace qv::test {

// The 23 column declarations as the program writes them, typed out by hand.
inline const std::string kOurFields =
    R"(<FIELD attrname="Name" fieldtype="string" WIDTH="30"/>)"
    R"(<FIELD attrname="StartTime" fieldtype="i4"/>)"
    R"(<FIELD attrname="TimerLoop" fieldtype="boolean"/>)"
    R"(<FIELD attrname="GenAnnInterval" fieldtype="i4"/>)"
    R"(<FIELD attrname="GenAnnAction" fieldtype="i4"/>)"
    R"(<FIELD attrname="TimerExpAction" fieldtype="i4"/>)"
    R"(<FIELD attrname="TimerExpLoop" fieldtype="boolean"/>)"
    R"(<FIELD attrname="TimerExpFilename" fieldtype="string" WIDTH="255"/>)"
    R"(<FIELD attrname="Rule1Enabled" fieldtype="boolean"/>)"
    R"(<FIELD attrname="Rule1Action" fieldtype="i4"/>)"
    R"(<FIELD attrname="Rule1Interval" fieldtype="i4"/>)"
    R"(<FIELD attrname="Rule1Start" fieldtype="i4"/>)"
    R"(<FIELD attrname="Rule1Filename" fieldtype="string" WIDTH="255"/>)"
    R"(<FIELD attrname="Rule2Enabled" fieldtype="boolean"/>)"
    R"(<FIELD attrname="Rule2Action" fieldtype="i4"/>)"
    R"(<FIELD attrname="Rule2Interval" fieldtype="i4"/>)"
    R"(<FIELD attrname="Rule2Start" fieldtype="i4"/>)"
    R"(<FIELD attrname="Rule2Filename" fieldtype="string" WIDTH="255"/>)"
    R"(<FIELD attrname="Rule3Enabled" fieldtype="boolean"/>)"
    R"(<FIELD attrname="Rule3Action" fieldtype="i4"/>)"
    R"(<FIELD attrname="Rule3Interval" fieldtype="i4"/>)"
    R"(<FIELD attrname="Rule3Start" fieldtype="i4"/>)"
    R"(<FIELD attrname="Rule3Filename" fieldtype="string" WIDTH="255"/>)";

inline const std::string kDecl = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>  )";

// A whole packet from its pieces; `fields` replaces the program's columns when given.
inline QByteArray packet(const std::string& rows, const std::string& params = "<PARAMS/>",
                         const std::string& fields = kOurFields, const std::string& decl = kDecl) {
    const std::string rowData = rows.empty() ? "<ROWDATA/>" : "<ROWDATA>" + rows + "</ROWDATA>";
    return QByteArray::fromStdString(decl + R"(<DATAPACKET Version="2.0"><METADATA><FIELDS>)" +
                                     fields + "</FIELDS>" + params + "</METADATA>" + rowData +
                                     "</DATAPACKET>");
}

inline TimerRecord timer(const std::string& name, std::int32_t start = 300) {
    TimerRecord r;
    r.Name = name;
    r.StartTime = start;
    return r;
}

inline QString qs(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace qv::test
