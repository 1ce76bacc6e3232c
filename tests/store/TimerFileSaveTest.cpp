#include "TimerFileTestSupport.h"
#include "store/TimerFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace qv {
namespace {

// The kernel's count of bytes this process has read through read() calls.
qint64 bytesReadByThisProcess() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

using test::packet;
using test::timer;

QByteArray slurp(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int count(const QByteArray& haystack, const char* needle) {
    return static_cast<int>(haystack.count(needle));
}

class TimerFileSave : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("timers.xml"));
    QString error;

    // A file as the program leaves it at close: two timers, no change log.
    void writeMerged() {
        TimerDB db;
        ASSERT_TRUE(db.insert(timer("Tea", 300)));
        ASSERT_TRUE(db.insert(timer("Eggs", 420)));
        ASSERT_TRUE(TimerFile::mergeAndSave(path, db, &error)) << error.toStdString();
    }
};

TEST_F(TimerFileSave, FirstStartWritesMetadataAndNoRows) {
    TimerDB db;
    ASSERT_TRUE(db.insert(timer("stale")));
    ASSERT_TRUE(TimerFile::createEmpty(path, db, &error)) << error.toStdString();
    EXPECT_TRUE(db.isEmpty());
    const QByteArray bytes = slurp(path);
    EXPECT_TRUE(bytes.endsWith("<PARAMS/></METADATA><ROWDATA/></DATAPACKET>"));
    EXPECT_FALSE(bytes.contains("<ROW "));
    EXPECT_FALSE(bytes.contains('\n'));
}

TEST_F(TimerFileSave, EditKeepsTheEarlierVersionUntilTheMerge) {
    writeMerged();
    TimerDB db;
    ASSERT_TRUE(TimerFile::read(path, db, &error)) << error.toStdString();
    ASSERT_TRUE(db.locate("tea"));
    TimerRecord edited = *db.current();
    edited.StartTime = 600;
    ASSERT_TRUE(db.updateCurrent(edited));
    ASSERT_TRUE(TimerFile::write(path, db, &error));

    const QByteArray bytes = slurp(path);
    EXPECT_TRUE(bytes.contains(R"(<ROW RowState="1" Name="Tea" StartTime="300")"));
    EXPECT_TRUE(bytes.contains(R"(<ROW RowState="8" Name="Tea" StartTime="600")"));
    EXPECT_TRUE(bytes.contains(R"(<PARAMS CHANGE_LOG="3 1 8"/>)"));

    TimerDB reread;
    ASSERT_TRUE(TimerFile::read(path, reread, &error)) << error.toStdString();
    ASSERT_EQ(reread.names(), (std::vector<std::string>{"Eggs", "Tea"}));
    ASSERT_TRUE(reread.locate("Tea"));
    EXPECT_EQ(reread.current()->StartTime, 600);
    EXPECT_EQ(reread.changeLog().size(), 1u);

    ASSERT_TRUE(TimerFile::mergeAndSave(path, reread, &error));
    const QByteArray merged = slurp(path);
    EXPECT_EQ(count(merged, "Name=\"Tea\""), 1);
    EXPECT_TRUE(merged.contains(R"(<ROW Name="Tea" StartTime="600")"));
    EXPECT_FALSE(merged.contains("RowState"));
    EXPECT_TRUE(merged.contains("<PARAMS/>"));
    EXPECT_TRUE(reread.changeLog().empty());
}

TEST_F(TimerFileSave, InsertedThenEditedRowCarriesBothBits) {
    TimerDB db;
    ASSERT_TRUE(db.insert(timer("New", 60)));
    TimerRecord edited = *db.current();
    edited.StartTime = 61;
    ASSERT_TRUE(db.updateCurrent(edited));
    const QByteArray bytes = TimerFile::serialize(db);
    EXPECT_TRUE(bytes.contains(R"(<ROW RowState="5" Name="New" StartTime="60")"));
    EXPECT_TRUE(bytes.contains(R"(<ROW RowState="12" Name="New" StartTime="61")"));
    TimerDB back;
    ASSERT_TRUE(TimerFile::parse(bytes, back, &error));
    EXPECT_EQ(back.recordCount(), 1);
    EXPECT_EQ(back.current()->StartTime, 61);
}

TEST_F(TimerFileSave, DeletedRowStaysMarkedUntilTheMerge) {
    writeMerged();
    TimerDB db;
    ASSERT_TRUE(TimerFile::read(path, db, &error));
    ASSERT_TRUE(db.locate("Eggs"));
    db.deleteCurrent();
    ASSERT_TRUE(TimerFile::write(path, db, &error));
    EXPECT_TRUE(slurp(path).contains(R"(<ROW RowState="2" Name="Eggs")"));

    TimerDB reread;
    ASSERT_TRUE(TimerFile::read(path, reread, &error));
    EXPECT_EQ(reread.names(), std::vector<std::string>{"Tea"});
    EXPECT_EQ(reread.storedRows().size(), 2u);
    // A deleted name is free again, also after reading the file.
    EXPECT_TRUE(reread.insert(timer("EGGS")));

    ASSERT_TRUE(TimerFile::mergeAndSave(path, reread, &error));
    const QByteArray merged = slurp(path);
    EXPECT_FALSE(merged.contains("Name=\"Eggs\""));
    EXPECT_TRUE(merged.contains("<ROW Name=\"EGGS\""));
}

TEST_F(TimerFileSave, MissingFolderGivesTheMessageAndKeepsTheTable) {
    const QString bad = dir.filePath(QStringLiteral("no-such-folder/timers.xml"));
    TimerDB db;
    ASSERT_TRUE(db.insert(timer("Tea")));
    EXPECT_FALSE(TimerFile::mergeAndSave(bad, db, &error));
    const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(bad);
    EXPECT_TRUE(error.startsWith(prefix)) << error.toStdString();
    EXPECT_GT(error.size(), prefix.size()); // the system's reason follows
    // The failed close merged nothing: the change log is still pending.
    EXPECT_EQ(db.changeLog().size(), 1u);
    EXPECT_EQ(db.storedRows().at(0).state, RowInserted);
}

TEST_F(TimerFileSave, TargetThatIsAFolderIsRefusedAndLeftAlone) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("timers.xml")));
    TimerDB db;
    EXPECT_FALSE(TimerFile::write(path, db, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot create file \""))) << error.toStdString();
    EXPECT_TRUE(QFileInfo(path).isDir());
}

// The disk fills up while the new file is being written: the save fails
// midway, and the previous file must still be there, whole. A file size
// limit stands in for the full disk (as root, permissions would not stop
// the write). A file smaller than a write buffer is tried too: its failure
// shows only when the buffer is written out at the end.
TEST_F(TimerFileSave, SaveThatFailsMidwayLeavesThePreviousFileWhole) {
    writeMerged();
    const QByteArray before = slurp(path);
    for (const int timers : {12, 100}) {
        SCOPED_TRACE(timers);
        TimerDB table;
        for (int i = 0; i < timers; ++i)
            ASSERT_TRUE(table.insert(timer("Timer " + std::to_string(i))));
        ASSERT_GT(TimerFile::serialize(table).size(), 4096);

        rlimit old{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 4096;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool ok = TimerFile::write(path, table, &error);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        EXPECT_FALSE(ok);
        EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)))
            << error.toStdString();
        EXPECT_EQ(slurp(path), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("timers.xml")});
    }
}

TEST_F(TimerFileSave, RefusedFileIsNeitherChangedNorLoaded) {
    const QByteArray broken = packet(R"(<ROW Name="a"/><ROW Name="A"/>)");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(broken);
    }
    TimerDB db;
    ASSERT_TRUE(db.insert(timer("Kept")));
    EXPECT_FALSE(TimerFile::read(path, db, &error));
    EXPECT_EQ(error, QStringLiteral("Key violation."));
    EXPECT_EQ(db.names(), std::vector<std::string>{"Kept"});
    EXPECT_EQ(slurp(path), broken);

    EXPECT_FALSE(TimerFile::read(dir.filePath(QStringLiteral("absent.xml")), db, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot open file"))) << error.toStdString();
}

TEST_F(TimerFileSave, HugeFileIsRefusedWithoutReadingIt) {
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(100LL * 1024 * 1024)); // sparse: no disk space used
    }
    // Reading it all and refusing it afterwards would give the same message;
    // what the process has read tells the two apart.
    const qint64 before = bytesReadByThisProcess();
    ASSERT_GE(before, 0);
    TimerDB db;
    EXPECT_FALSE(TimerFile::read(path, db, &error));
    EXPECT_EQ(error, QStringLiteral("The timer file is larger than 64 MiB."));
    EXPECT_LT(bytesReadByThisProcess() - before, 1024 * 1024);
}

} // namespace
} // namespace qv
