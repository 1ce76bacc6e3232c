#include "store/TimerFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace qv {
namespace {

QByteArray slurp(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The fuzzer's seed corpus, run through the reader in every build: files
// named valid-* must load and survive a round trip unchanged, the others
// must be refused with a message.
TEST(TimerFileCorpus, SeedFilesLoadOrAreRefusedAsNamed) {
    // The test main always sets the source folder.
    const QDir corpus(qEnvironmentVariable("QV_SOURCE_DIR") +
                      QStringLiteral("/tests/fuzz/corpus"));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 15) << corpus.path().toStdString();
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        TimerDB db;
        QString error;
        const bool ok = TimerFile::parse(slurp(corpus.filePath(name)), db, &error);
        if (!name.startsWith(QStringLiteral("valid-"))) {
            EXPECT_FALSE(ok);
            EXPECT_FALSE(error.isEmpty());
            continue;
        }
        ASSERT_TRUE(ok) << error.toStdString();
        const QByteArray written = TimerFile::serialize(db);
        TimerDB again;
        ASSERT_TRUE(TimerFile::parse(written, again, &error)) << error.toStdString();
        EXPECT_EQ(TimerFile::serialize(again), written);
        EXPECT_EQ(again.names(), db.names());
    }
}

// Packets other programs wrote for their own tables, when this machine has
// them: with the timer columns added they load, and their own declarations
// and values come out of a save as they went in.
TEST(TimerFileCorpus, ForeignPacketsKeepTheirColumnsWithTheTimerColumnsAdded) {
    const QDir dir(qEnvironmentVariable("QV_PACKETS_DIR", QStringLiteral("/work/shared/packets")));
    const QStringList names = dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    if (names.isEmpty())
        GTEST_SKIP() << "no packets in " << dir.path().toStdString();
    TimerDB plain;
    QByteArray ours = TimerFile::serialize(plain);
    ours = ours.mid(ours.indexOf("<FIELDS>") + 8);
    ours.truncate(ours.indexOf("</FIELDS>"));
    const QRegularExpression field(QStringLiteral(R"(<FIELD [^>]*/>)"));
    const QRegularExpression empty(QStringLiteral(R"( [\w.]+="")"));
    const QRegularExpression row(QStringLiteral(R"(<ROW(?: RowState="\d+")?( [^>]*)/>)"));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QString text = QString::fromUtf8(slurp(dir.filePath(name)));
        // A column of theirs that shares a name with ours moves aside.
        text.replace(QStringLiteral("attrname=\"Name\""), QStringLiteral("attrname=\"Name_\""));
        text.replace(QStringLiteral(" Name=\""), QStringLiteral(" Name_=\""));
        QStringList theirFields;
        for (const auto& m : field.globalMatch(text))
            theirFields << m.captured(0);
        QStringList theirRows;
        for (const auto& m : row.globalMatch(text))
            theirRows << m.captured(1).remove(empty); // an empty value is null
        text.replace(QStringLiteral("<FIELDS>"),
                     QStringLiteral("<FIELDS>") + QString::fromUtf8(ours));
        int n = 0;
        QString numbered;
        for (const QString& piece : text.split(QStringLiteral("<ROW ")))
            numbered += (n++ ? QStringLiteral("<ROW Name=\"Row %1\" ").arg(n) : QString()) + piece;

        TimerDB db;
        QString error;
        ASSERT_TRUE(TimerFile::parse(numbered.toUtf8(), db, &error)) << error.toStdString();
        EXPECT_EQ(db.storedRows().size(), static_cast<std::size_t>(theirRows.size()));
        const QString out = QString::fromUtf8(TimerFile::serialize(db));
        for (const QString& f : theirFields)
            EXPECT_TRUE(out.contains(f)) << f.toStdString();
        for (const QString& r : theirRows)
            EXPECT_TRUE(out.contains(r + QStringLiteral("/>"))) << r.toStdString();
    }
}

} // namespace
} // namespace qv
