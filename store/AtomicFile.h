#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace qv {

// The system calls a save is made of. The program uses the real ones; tests
// hand in a layer that fails at a chosen step, so every way a save can go
// wrong is tried without filling a disk.
class FileOps {
public:
    virtual ~FileOps() = default;
    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);

    static FileOps& system();
};

// Replaces the file at `path` by `bytes`, or leaves it exactly as it was.
//
// The bytes go to a temporary file beside the target, which is written in
// full, synced and closed before it is renamed over the target; only then is
// the save reported done. Any failure on the way (opening, a short or failed
// write, the sync, the close, the rename) removes the temporary file, leaves
// the old file untouched and gives the system's reason.
//
// The temporary file has a fixed name (the target's name and ".saving"), so a
// save cut short by a crash leaves at most one such file, which the next save
// reuses; removeStaleTemporary() clears it at start-up.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* reason,
                         FileOps& ops = FileOps::system());

QString temporaryPathFor(const QString& path);
void removeStaleTemporary(const QString& path);

} // namespace qv
