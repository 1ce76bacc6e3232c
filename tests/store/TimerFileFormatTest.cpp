#include "TimerFileTestSupport.h"
#include "store/TimerFile.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::kDecl;
using test::kOurFields;
using test::packet;

TimerDB threeTimers() {
    TimerDB db;
    TimerRecord a;
    a.Name = R"(Tea & <Cake> "x" 'y')";
    a.StartTime = 300;
    a.TimerLoop = true;
    a.GenAnnInterval = 60;
    a.GenAnnAction = 1;
    a.TimerExpAction = 2;
    a.TimerExpLoop = true;
    a.TimerExpFilename = "/home/ann/done.wav";
    a.Rules[0] = {true, 3, 30, 120, R"(C:\sounds\r1.wav)"};
    a.Rules[1] = {false, 2, 10, 59, "/r2.wav"};
    a.Rules[2] = {true, 0, 1, 10, "tab\there\r\nnext"};
    TimerRecord b;
    b.Name = "\xc3\x9cn\xc3\xaf"
             "code \xe2\x82\xac";
    b.StartTime = 359999;
    b.GenAnnInterval = 3600;
    b.GenAnnAction = 2;
    b.TimerExpFilename = "/m\xc3\xbcsic/f.wav";
    b.Rules[0] = {false, 0, 3600, 0, "/a.wav"};
    b.Rules[1] = {true, 1, 900, -5, "/b.wav"};
    b.Rules[2] = {false, 2, 2, 215999, "/c.wav"};
    TimerRecord c;
    c.Name = "alarm";
    c.StartTime = 0;
    c.GenAnnInterval = 5;
    c.TimerExpAction = 1;
    c.TimerExpLoop = true;
    c.TimerExpFilename = "/d.wav";
    c.Rules[0] = {true, 1, 15, 1, "/e.wav"};
    c.Rules[1] = {true, 2, 20, 2, "/f.wav"};
    c.Rules[2] = {true, 3, 60, 3, "/g.wav"};
    for (TimerRecord* r : {&a, &b, &c})
        EXPECT_TRUE(db.insert(*r));
    return db;
}

// Typed out from the format rules, not taken from the writer.
const std::string kRowA =
    R"(Name="Tea &amp; &lt;Cake&gt; &quot;x&quot; &apos;y&apos;" StartTime="300" TimerLoop="TRUE")"
    R"( GenAnnInterval="60" GenAnnAction="1" TimerExpAction="2" TimerExpLoop="TRUE")"
    R"( TimerExpFilename="/home/ann/done.wav" Rule1Enabled="TRUE" Rule1Action="3")"
    R"( Rule1Interval="30" Rule1Start="120" Rule1Filename="C:&#092;sounds&#092;r1.wav")"
    R"( Rule2Enabled="FALSE" Rule2Action="2" Rule2Interval="10" Rule2Start="59")"
    R"( Rule2Filename="/r2.wav" Rule3Enabled="TRUE" Rule3Action="0" Rule3Interval="1")"
    R"( Rule3Start="10" Rule3Filename="tab&#009;here&#013;&#010;next"/>)";
const std::string kRowB =
    "Name=\"\xc3\x9cn\xc3\xaf"
    "code \xe2\x82\xac\""
    R"( StartTime="359999" TimerLoop="FALSE" GenAnnInterval="3600" GenAnnAction="2")"
    R"( TimerExpAction="0" TimerExpLoop="FALSE" TimerExpFilename="/m)"
    "\xc3\xbc"
    R"(sic/f.wav" Rule1Enabled="FALSE" Rule1Action="0" Rule1Interval="3600" Rule1Start="0")"
    R"( Rule1Filename="/a.wav" Rule2Enabled="TRUE" Rule2Action="1" Rule2Interval="900")"
    R"( Rule2Start="-5" Rule2Filename="/b.wav" Rule3Enabled="FALSE" Rule3Action="2")"
    R"( Rule3Interval="2" Rule3Start="215999" Rule3Filename="/c.wav"/>)";
const std::string kRowC =
    R"(Name="alarm" StartTime="0" TimerLoop="FALSE" GenAnnInterval="5" GenAnnAction="0")"
    R"( TimerExpAction="1" TimerExpLoop="TRUE" TimerExpFilename="/d.wav" Rule1Enabled="TRUE")"
    R"( Rule1Action="1" Rule1Interval="15" Rule1Start="1" Rule1Filename="/e.wav")"
    R"( Rule2Enabled="TRUE" Rule2Action="2" Rule2Interval="20" Rule2Start="2")"
    R"( Rule2Filename="/f.wav" Rule3Enabled="TRUE" Rule3Action="3" Rule3Interval="60")"
    R"( Rule3Start="3" Rule3Filename="/g.wav"/>)";

TEST(TimerFileFormat, ThreeTimersWriteExactlyTheExpectedBytes) {
    TimerDB db = threeTimers();
    const std::string withLog =
        kDecl + R"(<DATAPACKET Version="2.0"><METADATA><FIELDS>)" + kOurFields +
        R"(</FIELDS><PARAMS CHANGE_LOG="1 0 4 2 0 4 3 0 4"/></METADATA><ROWDATA>)" +
        R"(<ROW RowState="4" )" + kRowA + R"(<ROW RowState="4" )" + kRowB +
        R"(<ROW RowState="4" )" + kRowC + "</ROWDATA></DATAPACKET>";
    EXPECT_EQ(TimerFile::serialize(db).toStdString(), withLog);

    db.mergeChangeLog();
    const std::string merged = kDecl + R"(<DATAPACKET Version="2.0"><METADATA><FIELDS>)" +
                               kOurFields + "</FIELDS><PARAMS/></METADATA><ROWDATA><ROW " + kRowA +
                               "<ROW " + kRowB + "<ROW " + kRowC + "</ROWDATA></DATAPACKET>";
    EXPECT_EQ(TimerFile::serialize(db).toStdString(), merged);
}

TEST(TimerFileFormat, EveryWrittenFileReadsBackIntoAnEqualTable) {
    const TimerDB original = threeTimers();
    const QByteArray bytes = TimerFile::serialize(original);
    TimerDB loaded;
    QString error;
    ASSERT_TRUE(TimerFile::parse(bytes, loaded, &error)) << error.toStdString();
    ASSERT_EQ(loaded.storedRows().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(loaded.storedRows()[i].record, original.storedRows()[i].record);
        EXPECT_EQ(loaded.storedRows()[i].state, RowInserted);
        EXPECT_TRUE(loaded.storedRows()[i].nulls.none());
    }
    EXPECT_EQ(loaded.changeLog(), original.changeLog());
    EXPECT_EQ(loaded.names(), original.names());
    EXPECT_EQ(TimerFile::serialize(loaded), bytes);
}

TEST(TimerFileFormat, EmptyTableIsMetadataAndEmptyRowData) {
    TimerDB db;
    EXPECT_EQ(TimerFile::serialize(db).toStdString(),
              kDecl + R"(<DATAPACKET Version="2.0"><METADATA><FIELDS>)" + kOurFields +
                  "</FIELDS><PARAMS/></METADATA><ROWDATA/></DATAPACKET>");
}

TEST(TimerFileFormat, NullAndEmptyValuesReadAsNullAndAreLeftOut) {
    TimerDB db;
    QString error;
    ASSERT_TRUE(TimerFile::parse(
        packet(R"(<ROW Name="n" StartTime="" Rule1Enabled="TRUE" Rule1Filename=""/>)"), db, &error))
        << error.toStdString();
    const StoredRow& row = db.storedRows().at(0);
    EXPECT_EQ(row.record.StartTime, 0); // not the 300 of a new timer
    EXPECT_EQ(row.record.Rules[0].Interval, 0);
    EXPECT_TRUE(row.record.Rules[0].Enabled);
    EXPECT_TRUE(row.nulls.test(static_cast<std::size_t>(Column::StartTime)));
    EXPECT_FALSE(row.nulls.test(static_cast<std::size_t>(Column::Rule1Enabled)));
    EXPECT_EQ(db.storedRows().at(0).nulls.count(), 21u);
    const std::string out = TimerFile::serialize(db).toStdString();
    EXPECT_NE(out.find(R"(<ROW Name="n" Rule1Enabled="TRUE"/>)"), std::string::npos) << out;
}

TEST(TimerFileFormat, BooleansAreDecidedByTheirFirstCharacter) {
    const std::pair<const char*, bool> cases[] = {
        {"TRUE", true}, {"true", true},   {"T", true},  {"t", true},  {"tomato", true},
        {"yes", false}, {"FALSE", false}, {"f", false}, {"1", false}, {"Y", false}};
    for (const auto& [text, expected] : cases) {
        TimerDB db;
        QString error;
        ASSERT_TRUE(TimerFile::parse(
            packet(std::string(R"(<ROW Name="n" TimerLoop=")") + text + R"("/>)"), db, &error));
        EXPECT_EQ(db.current()->TimerLoop, expected) << text;
    }
}

TEST(TimerFileFormat, EntitiesAndCharacterReferencesRoundTrip) {
    TimerDB db;
    ASSERT_TRUE(db.insert(test::timer("a&b<c>d\"e'f\\g\th\ri\nj")));
    const QByteArray bytes = TimerFile::serialize(db);
    EXPECT_TRUE(
        bytes.contains(R"(Name="a&amp;b&lt;c&gt;d&quot;e&apos;f&#092;g&#009;h&#013;i&#010;j")"));
    TimerDB back;
    ASSERT_TRUE(TimerFile::parse(bytes, back, nullptr));
    EXPECT_EQ(back.current()->Name, "a&b<c>d\"e'f\\g\th\ri\nj");

    // Other writers use hexadecimal references and literal apostrophes.
    ASSERT_TRUE(TimerFile::parse(packet(R"(<ROW Name="&#x41;&#66;'&#x20AC;"/>)"), back, nullptr));
    EXPECT_EQ(back.current()->Name, "AB'\xe2\x82\xac");
}

// XML cannot carry most control characters, U+FFFE or U+FFFF, not even as
// references; a name holding one must still come back as it was, and two names
// that differ only there must stay two timers, or the next start refuses the file.
TEST(TimerFileFormat, EveryControlCharacterAndNonCharacterSurvivesAWriteAndTheNextRead) {
    std::vector<std::string> names;
    for (int c = 0; c < 0x20; ++c)
        names.push_back(std::string("c") + char(c) + "x");
    names.push_back("c\xef\xbf\xbex"); // U+FFFE
    names.push_back("c\xef\xbf\xbfx"); // U+FFFF
    // The private-use characters the reader uses as stand-ins, written for real.
    names.push_back("c\xef\x9c\x81x"); // U+F701
    names.push_back("c\xef\x9c\xa2x"); // U+F722
    TimerDB db;
    for (const std::string& n : names)
        ASSERT_TRUE(db.insert(test::timer(n))) << n;
    const QByteArray bytes = TimerFile::serialize(db);
    EXPECT_TRUE(bytes.contains(R"(Name="c&#1;x")"));
    EXPECT_TRUE(bytes.contains(R"(Name="c&#65535;x")"));
    TimerDB back;
    QString error;
    ASSERT_TRUE(TimerFile::parse(bytes, back, &error)) << error.toStdString();
    std::vector<std::string> read;
    for (const StoredRow& row : back.storedRows())
        read.push_back(row.record.Name);
    EXPECT_EQ(read, names);

    // Raw control bytes (an older writer copied text byte for byte) and
    // references in either base read the same.
    ASSERT_TRUE(TimerFile::parse(
        packet("<ROW Name=\"a\x01\x1f\"/><ROW Name=\"&#x1F;&#xfffe;&#0;\"/>"), back, &error))
        << error.toStdString();
    EXPECT_EQ(back.storedRows().at(0).record.Name, "a\x01\x1f");
    EXPECT_EQ(back.storedRows().at(1).record.Name, std::string("\x1f\xef\xbf\xbe", 4) + '\0');

    // Bytes that are not UTF-8 cannot be kept; the file stays readable.
    TimerDB broken;
    ASSERT_TRUE(broken.insert(test::timer("x\xff")));
    ASSERT_TRUE(TimerFile::parse(TimerFile::serialize(broken), back, &error));
    EXPECT_EQ(back.current()->Name, "x\xef\xbf\xbd");
}

} // namespace
} // namespace qv
