#include "TimerFileTestSupport.h"
#include "store/TimerFile.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace qv {
namespace {

using test::kOurFields;
using test::packet;

std::string replaced(std::string s, const std::string& from, const std::string& to) {
    const auto at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return s.replace(at, from.size(), to);
}

// Parses into a table that already holds "Kept", so a refusal can be seen to
// leave the table as it was.
class TimerFileRead : public ::testing::Test {
protected:
    TimerDB db;
    QString error;

    void SetUp() override { ASSERT_TRUE(db.insert(test::timer("Kept"))); }
    bool parse(const QByteArray& bytes) { return TimerFile::parse(bytes, db, &error); }
    void expectRefused(const QByteArray& bytes, const QString& message) {
        EXPECT_FALSE(parse(bytes));
        EXPECT_EQ(error, message);
        EXPECT_EQ(db.names(), std::vector<std::string>{"Kept"});
    }
    void expectRefusedContaining(const QByteArray& bytes, const char* part) {
        EXPECT_FALSE(parse(bytes));
        EXPECT_TRUE(error.contains(QString::fromUtf8(part))) << error.toStdString();
        EXPECT_EQ(db.names(), std::vector<std::string>{"Kept"});
    }
    std::string name() const { return db.current()->Name; }
};

TEST_F(TimerFileRead, ForeignColumnsSurviveASaveInTheirPlace) {
    const std::string price =
        R"(<FIELD attrname="Price" fieldtype="r8" SUBTYPE="Money" required="true"/>)";
    const std::string memo =
        R"(<FIELD attrname="Memo" fieldtype="bin.hex" SUBTYPE="Text" WIDTH="30"/>)";
    const std::string lines = R"(<FIELD attrname="Lines" fieldtype="nested"><FIELDS>)"
                              R"(<FIELD attrname="Qty" fieldtype="i2"/></FIELDS><PARAMS/></FIELD>)";
    const std::string ours = replaced(kOurFields, R"(<FIELD attrname="TimerLoop")",
                                      memo + R"(<FIELD attrname="TimerLoop")");
    const std::string row = R"(<ROW Price="2.5" Name="Tea" StartTime="60" Memo="a &amp; b">)"
                            R"(<Lines><ROWLines Qty="3"/></Lines></ROW>)";
    const QByteArray file =
        packet(row + R"(<ROW Name="Plain" Price=""/>)",
               R"(<PARAMS DEFAULT_ORDER="1" PRIMARY_KEY="1" LCID="1033"/>)", price + ours + lines);
    ASSERT_TRUE(parse(file)) << error.toStdString();
    ASSERT_EQ(db.extraColumnCount(), 3);
    const StoredRow& tea = db.storedRows().at(0);
    EXPECT_EQ(tea.record.StartTime, 60);
    EXPECT_EQ(tea.extra.at(0), "2.5");
    EXPECT_EQ(tea.extra.at(1), "a & b");
    EXPECT_EQ(db.storedRows().at(1).extra.at(0), std::nullopt);

    const std::string out = TimerFile::serialize(db).toStdString();
    EXPECT_NE(out.find("<FIELDS>" + price + R"(<FIELD attrname="Name")"), std::string::npos) << out;
    EXPECT_NE(out.find(R"(fieldtype="i4"/>)" + memo + R"(<FIELD attrname="TimerLoop")"),
              std::string::npos);
    EXPECT_NE(out.find(R"(WIDTH="255"/>)" + lines + "</FIELDS><PARAMS/>"), std::string::npos);
    EXPECT_NE(out.find(row), std::string::npos);
    EXPECT_NE(out.find(R"(<ROW Name="Plain"/>)"), std::string::npos);

    TimerDB again;
    ASSERT_TRUE(TimerFile::parse(QByteArray::fromStdString(out), again, &error));
    EXPECT_EQ(TimerFile::serialize(again).toStdString(), out);
}

TEST_F(TimerFileRead, MissingOrMistypedColumnsAreRefusedByName) {
    expectRefused(
        packet("", "<PARAMS/>",
               replaced(kOurFields,
                        R"(<FIELD attrname="Rule3Filename" fieldtype="string" WIDTH="255"/>)", "")),
        QStringLiteral("Field 'Rule3Filename' not found"));
    expectRefused(packet("", "<PARAMS/>",
                         replaced(kOurFields, R"("StartTime" fieldtype="i4")",
                                  R"("StartTime" fieldtype="r8")")),
                  QStringLiteral("Type mismatch for field 'StartTime', expecting: i4 actual: r8"));
    expectRefused(packet("", "<PARAMS/>",
                         replaced(kOurFields, R"("Rule2Enabled" fieldtype="boolean")",
                                  R"("Rule2Enabled" fieldtype="string")")),
                  QStringLiteral(
                      "Type mismatch for field 'Rule2Enabled', expecting: boolean actual: string"));
    // A width of 0 would cut every name to nothing from then on.
    for (const char* bad : {"x", "0", "-5", ""})
        expectRefused(
            packet("", "<PARAMS/>",
                   replaced(kOurFields, R"(WIDTH="30")", std::string("WIDTH=\"") + bad + "\"")),
            QStringLiteral("Invalid WIDTH \"%1\" for field 'Name'").arg(QLatin1String(bad)));
    ASSERT_TRUE(parse(packet(R"(<ROW Name="ab"/>)", "<PARAMS/>",
                             replaced(kOurFields, R"(WIDTH="30")", R"(WIDTH="1")"))));
    EXPECT_EQ(name(), "a");
    // The same kinds of value under other type words are fine.
    std::string kin = replaced(kOurFields, R"("Name" fieldtype="string")",
                               R"("Name" fieldtype="string.uni" required="true")");
    kin = replaced(kin, R"("StartTime" fieldtype="i4")", R"("StartTime" fieldtype="i2")");
    ASSERT_TRUE(parse(packet(R"(<ROW Name="x" StartTime="7"/>)", "<PARAMS/>", kin)))
        << error.toStdString();
    EXPECT_EQ(db.current()->StartTime, 7);
    EXPECT_TRUE(TimerFile::serialize(db).contains(
        R"(<FIELD attrname="Name" fieldtype="string" WIDTH="30"/>)"));
}

TEST_F(TimerFileRead, NarrowerNameColumnIsTakenOverAndKept) {
    const QByteArray file = packet(R"(<ROW Name="A name of twenty-six chars"/>)", "<PARAMS/>",
                                   replaced(kOurFields, R"(WIDTH="30")", R"(WIDTH="20")"));
    ASSERT_TRUE(parse(file)) << error.toStdString();
    EXPECT_EQ(name(), "A name of twenty-six");
    EXPECT_EQ(db.textWidth(Column::Name), 20);
    ASSERT_TRUE(db.insert(test::timer("Another rather long name")));
    EXPECT_EQ(name(), "Another rather long ");
    EXPECT_TRUE(TimerFile::serialize(db).contains(
        R"(<FIELD attrname="Name" fieldtype="string" WIDTH="20"/>)"));

    // A wider declaration keeps the program's width.
    ASSERT_TRUE(parse(packet(R"(<ROW Name="0123456789012345678901234567890123456789"/>)",
                             "<PARAMS/>", replaced(kOurFields, R"(WIDTH="30")", R"(WIDTH="40")"))));
    EXPECT_EQ(name(), "012345678901234567890123456789");
}

TEST_F(TimerFileRead, NamesEqualApartFromCaseAreAKeyViolationOnlyAmongCurrentRows) {
    expectRefused(packet(R"(<ROW Name="Timer 1"/><ROW Name="TIMER 1"/>)"),
                  QStringLiteral("Key violation."));
    ASSERT_TRUE(
        parse(packet(R"(<ROW RowState="1" Name="Timer 1"/><ROW RowState="8" Name="timer 1"/>)")))
        << error.toStdString();
    EXPECT_EQ(db.names(), std::vector<std::string>{"timer 1"});
}

TEST_F(TimerFileRead, AcceptsOtherShapesOfThePacket) {
    const std::string fields = "<FIELDS>" + kOurFields + "</FIELDS>";
    ASSERT_TRUE(parse(QByteArray::fromStdString(
        "<METADATA>" + fields + R"(<PARAMS/><ROWDATA><ROW Name="outer"/></ROWDATA></METADATA>)")))
        << error.toStdString();
    EXPECT_EQ(name(), "outer");
    ASSERT_TRUE(parse(QByteArray::fromStdString("<METADATA>" + fields + "<PARAMS/></METADATA>")));
    EXPECT_TRUE(db.isEmpty());
    ASSERT_TRUE(parse(packet(R"(<ROW Name="short"/>)", "<PARAMS/>", kOurFields,
                             R"(<?xml version="1.0" standalone="yes"?>  )")));
    EXPECT_EQ(name(), "short");
    ASSERT_TRUE(parse(packet(R"(<ROW Name="none"/>)", "<PARAMS/>", kOurFields, "")));
    EXPECT_EQ(name(), "none");
    ASSERT_TRUE(
        parse("\xEF\xBB\xBF" + packet("<ROW Name=\"B\xc3\xb6m\"/>", "<PARAMS/>", kOurFields, "")));
    EXPECT_EQ(name(), "B\xc3\xb6m");
}

TEST_F(TimerFileRead, EightBitFilesAreReadAsWindows1252) {
    // "Café €", "Ærø" in Windows-1252, no declaration.
    ASSERT_TRUE(parse(packet("<ROW Name=\"Caf\xe9 \x80\"/><ROW Name=\"\xc6r\xf8\"/>", "<PARAMS/>",
                             kOurFields, "")))
        << error.toStdString();
    EXPECT_EQ(db.names(),
              (std::vector<std::string>{"Caf\xc3\xa9 \xe2\x82\xac", "\xc3\x86r\xc3\xb8"}));
    ASSERT_TRUE(parse(packet("<ROW Name=\"na\xefve\"/>", "<PARAMS/>", kOurFields,
                             R"(<?xml version="1.0" encoding="windows-1252"?>)")));
    EXPECT_EQ(name(), "na\xc3\xaf"
                      "ve");
    // Written back as UTF-8, with the declaration that says so.
    const QByteArray out = TimerFile::serialize(db);
    EXPECT_TRUE(
        out.startsWith(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>  <DATAPACKET)"));
    EXPECT_TRUE(out.contains("na\xc3\xaf"
                             "ve"));
}

TEST_F(TimerFileRead, BrokenTextIsRefusedWithItsPosition) {
    const QByteArray latin = packet("<ROW Name=\"Caf\xe9\"/>");
    expectRefused(latin, QStringLiteral("Error in the timer file at line 1, column %1: The file "
                                        "declares UTF-8 but is not valid UTF-8.")
                             .arg(latin.indexOf('\xe9') + 1));
    expectRefusedContaining("\xEF\xBB\xBF<DATAPACKET>\xC0\xAF", "not valid UTF-8");
    expectRefusedContaining(
        packet("", "<PARAMS/>", kOurFields, R"(<?xml version="1.0" encoding="UTF-16"?>)"),
        "\"UTF-16\" is not supported");
    expectRefusedContaining(packet(R"(<ROW Name="x" StartTime="12x"/>)"),
                            "Invalid value \"12x\" for field 'StartTime'");
    expectRefusedContaining(packet(R"(<ROW Name="x" StartTime="2147483648"/>)"), "Invalid value");
    expectRefusedContaining(packet(R"(<ROW RowState="-1" Name="x"/>)"), "Invalid RowState");
    expectRefusedContaining(packet("") + "<DATAPACKET/>", "Extra content at end of document");
    expectRefusedContaining("<TABLE/>", "the outermost element is \"TABLE\"");
    expectRefusedContaining("", "Premature end of document");
}

TEST_F(TimerFileRead, EveryTruncationAndRandomBytesAreRefusedCleanly) {
    const QByteArray whole = packet(R"(<ROW RowState="4" Name="a&amp;b" StartTime="5"/>)",
                                    R"(<PARAMS CHANGE_LOG="1 0 4"/>)");
    for (qsizetype n = 0; n < whole.size(); ++n) {
        EXPECT_FALSE(parse(whole.left(n))) << n;
        EXPECT_FALSE(error.isEmpty());
    }
    QRandomGenerator random(1234);
    for (int i = 0; i < 200; ++i) {
        QByteArray junk(static_cast<qsizetype>(random.bounded(1, 600)), '\0');
        for (char& c : junk)
            c = static_cast<char>(random.bounded(256));
        if (i % 2)
            junk.prepend(whole.left(random.bounded(whole.size())));
        EXPECT_FALSE(parse(junk));
    }
    EXPECT_EQ(db.names(), std::vector<std::string>{"Kept"});
}

TEST_F(TimerFileRead, AnEmptyRowStateIsAnUnchangedRow) {
    ASSERT_TRUE(parse(packet(R"(<ROW RowState="" Name="Tea"/><ROW RowState="0" Name="Egg"/>)")))
        << error.toStdString();
    EXPECT_EQ(db.names(), (std::vector<std::string>{"Egg", "Tea"}));
    EXPECT_EQ(db.storedRows().at(0).state, 0u);
    EXPECT_FALSE(TimerFile::serialize(db).contains("RowState"));
}

// The packet's own elements take three levels (DATAPACKET, ROWDATA, ROW); what
// a row holds may go down to the limit and not one level further.
TEST_F(TimerFileRead, NestingIsAcceptedUpToItsLimitAndNotBeyond) {
    auto nested = [](int levels) {
        std::string open;
        std::string close;
        for (int i = 0; i < levels; ++i) {
            open += "<a>";
            close = "</a>" + close;
        }
        return packet(R"(<ROW Name="deep">)" + open + close + "</ROW>");
    };
    const int inside = TimerFile::kMaxDepth - 3;
    expectRefusedContaining(nested(inside + 1), "nested more than 32 deep");
    ASSERT_TRUE(parse(nested(inside))) << error.toStdString();
    EXPECT_EQ(name(), "deep");
}

TEST_F(TimerFileRead, HostileStructuresAreRefusedWithinBounds) {
    std::string deep;
    for (int i = 0; i < 10000; ++i)
        deep += "<a>";
    expectRefusedContaining(packet(R"(<ROW Name="x">)" + deep), "nested more than 32 deep");
    const std::string laughs = R"(<!DOCTYPE DATAPACKET [<!ENTITY a "aaaaaaaaaa">)"
                               R"(<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">)"
                               R"(<!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]>)";
    expectRefusedContaining(packet(R"(<ROW Name="&c;"/>)", "<PARAMS/>", kOurFields, laughs),
                            "Document type declarations");
    expectRefusedContaining(packet(R"(<ROW Name="&ext;"/>)", "<PARAMS/>", kOurFields,
                                   R"(<!DOCTYPE x [<!ENTITY ext SYSTEM "file:///etc/passwd">]>)"),
                            "Document type declarations");
    expectRefusedContaining(packet(R"(<ROW Name="&undeclared;"/>)"), "not declared");
    std::string rows;
    for (int i = 0; i <= TimerFile::kMaxRows; ++i)
        rows += "<ROW/>";
    expectRefusedContaining(packet(rows), "more rows than a timer table can take");
    std::string crowded = "<ROW";
    for (int i = 0; i < 50000; ++i)
        crowded += " a" + std::to_string(i) + "=\"\"";
    expectRefused(packet(crowded + "/>"),
                  QStringLiteral("The timer file has elements with too many attributes."));
    expectRefused(QByteArray(TimerFile::kMaxFileSize + 1, ' '),
                  QStringLiteral("The timer file is larger than 64 MiB."));
}

TEST_F(TimerFileRead, TenThousandRowsLoad) {
    std::string rows;
    for (int i = 0; i < 10000; ++i)
        rows += R"(<ROW Name="T)" + std::to_string(i) + R"(" StartTime=")" + std::to_string(i) +
                R"("/>)";
    ASSERT_TRUE(parse(packet(rows))) << error.toStdString();
    EXPECT_EQ(db.recordCount(), 10000);
    ASSERT_TRUE(db.locate("t9999"));
    EXPECT_EQ(db.current()->StartTime, 9999);
}

TEST_F(TimerFileRead, ChangeLogThatDoesNotFitTheRowsIsDropped) {
    const std::string rows =
        R"(<ROW RowState="1" Name="a" StartTime="1"/><ROW RowState="8" Name="a" StartTime="2"/>)";
    ASSERT_TRUE(parse(packet(rows, R"(<PARAMS CHANGE_LOG=" 2  1 8 "/>)")));
    EXPECT_EQ(db.changeLog(), (std::vector<ChangeLogEntry>{{2, 1, 8}}));
    for (const char* nonsense :
         {"2 1", "x y z", "0 0 4", "3 0 4", "2 3 8", "2 1 0", "2 1 99", "99999999999 1 8", "-1 0 4",
          "2 1 8 2 1 8 2 1 8 2 1 8 2 1 8 2 1 8"}) {
        ASSERT_TRUE(
            parse(packet(rows, std::string(R"(<PARAMS CHANGE_LOG=")") + nonsense + R"("/>)")))
            << nonsense << ": " << error.toStdString();
        EXPECT_TRUE(db.changeLog().empty()) << nonsense;
        EXPECT_EQ(db.current()->StartTime, 2);
        db.mergeChangeLog();
        EXPECT_EQ(db.storedRows().size(), 1u);
    }
}

} // namespace
} // namespace qv
