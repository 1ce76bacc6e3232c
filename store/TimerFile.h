#pragma once

#include "core/TimerDB.h"
#include "store/AtomicFile.h"

#include <QByteArray>
#include <QString>

namespace qv {

// The timer file: the whole table, its column declarations and its pending
// change log as one XML data packet. Files are read whole and written whole;
// a refused file leaves the table as it was and is never touched.
//
// Written files are UTF-8 with an explicit encoding declaration. The reader
// also takes files without a declaration (UTF-8 when every byte sequence is
// valid UTF-8, otherwise Windows-1252), a declared Windows-1252/Latin-1, a
// UTF-8 byte-order mark, and a packet whose outermost element is METADATA.
//
// A CHANGE_LOG that does not describe the rows it comes with (wrong count,
// row numbers out of range, unknown kinds) is dropped on reading: RowState
// alone decides which rows are current and what a merge keeps, so nothing
// the user can see depends on the log.
class TimerFile {
public:
    // Bounds on what the reader accepts, so that hostile or broken files are
    // refused with a message instead of exhausting memory or the stack.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
    static constexpr int kMaxDepth = 32;
    static constexpr int kMaxFields = 1000;
    static constexpr int kMaxRows = 100000;
    static constexpr qint64 kMaxExtraCells = 2000000; // rows x unknown columns

    static bool read(const QString& path, TimerDB& db, QString* error);
    static bool parse(const QByteArray& bytes, TimerDB& db, QString* error);

    static QByteArray serialize(const TimerDB& db);
    // Atomic: a failed write leaves the previous file as it was, and the
    // save is reported done only once the new file is on disk. The table goes
    // in as it is, its change log included (so after the settings dialog).
    static bool write(const QString& path, const TimerDB& db, QString* error,
                      FileOps& ops = FileOps::system());

    // "Cannot create file "<path>". <the system's reason>"
    static QString cannotCreateMessage(const QString& path, const QString& reason);

    // Start-up without a file: `db` becomes the empty table whether or not
    // the save succeeds; the result tells whether the file was written.
    static bool createEmpty(const QString& path, TimerDB& db, QString* error);
    // At close: the merged table is written; `db` is merged only once the
    // file has been written, so a failed save loses nothing.
    static bool mergeAndSave(const QString& path, TimerDB& db, QString* error);
};

} // namespace qv
