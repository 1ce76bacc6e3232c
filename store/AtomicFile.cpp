#include "store/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {
namespace {

// Written in pieces of this size, so a failure halfway through a large file
// is met the same way as one at its first byte.
constexpr size_t kChunk = 16 * 1024;

QString errnoText(int code) {
    return qt_error_string(code);
}

// Calls interrupted by a signal are repeated; every other failure counts.
template <typename F>
auto retrying(F call) {
    for (;;) {
        const auto result = call();
        if (result >= 0 || errno != EINTR)
            return result;
    }
}

} // namespace

int FileOps::open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}
ssize_t FileOps::write(int fd, const void* data, size_t size) {
    return ::write(fd, data, size);
}
int FileOps::fsync(int fd) {
    return ::fsync(fd);
}
int FileOps::close(int fd) {
    return ::close(fd);
}
int FileOps::rename(const char* from, const char* to) {
    return ::rename(from, to);
}
int FileOps::unlink(const char* path) {
    return ::unlink(path);
}

FileOps& FileOps::system() {
    static FileOps ops;
    return ops;
}

QString temporaryPathFor(const QString& path) {
    return path + QStringLiteral(".saving");
}

void removeStaleTemporary(const QString& path) {
    const QByteArray temp = QFile::encodeName(temporaryPathFor(path));
    ::unlink(temp.constData());
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* reason,
                         FileOps& ops) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = QFile::encodeName(temporaryPathFor(path));
    auto fail = [&](int code) {
        if (reason)
            *reason = errnoText(code);
        return false;
    };

    // A folder or another non-file in the target's place is never replaced.
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return fail(EISDIR);

    const int fd = retrying([&] {
        return ops.open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW,
                        0666);
    });
    if (fd < 0)
        return fail(errno);

    auto abandon = [&](int code, bool open) {
        if (open)
            ops.close(fd);
        ops.unlink(temp.constData());
        return fail(code);
    };

    // The replacement keeps the permissions the user gave the old file.
    if (exists)
        ::fchmod(fd, existing.st_mode & 07777);

    const char* data = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t n = retrying([&] { return ops.write(fd, data, std::min(left, kChunk)); });
        if (n < 0)
            return abandon(errno, true);
        if (n == 0) // a device that takes nothing more is full
            return abandon(ENOSPC, true);
        data += n;
        left -= static_cast<size_t>(n);
    }
    if (retrying([&] { return ops.fsync(fd); }) != 0)
        return abandon(errno, true);
    // close() is where some file systems report a write they could not do.
    if (ops.close(fd) != 0)
        return abandon(errno, false);
    if (ops.rename(temp.constData(), target.constData()) != 0)
        return abandon(errno, false);

    // The rename itself reaches the disk with the folder's entry. Folders on
    // some file systems cannot be synced; the data are already safe then.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

} // namespace qv
