// libFuzzer target for the timer file reader. Besides crashes and sanitizer
// findings it stops on three faults: a refusal without a message, a file the
// writer produces that its own reader refuses, and a table that does not
// write the same bytes after a round trip.

#include "store/TimerFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using qv::TimerDB;
    using qv::TimerFile;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TimerDB db;
    QString error;
    if (!TimerFile::parse(bytes, db, &error)) {
        if (error.isEmpty()) {
            std::fputs("refused without a message\n", stderr);
            std::abort();
        }
        return 0;
    }
    const QByteArray written = TimerFile::serialize(db);
    TimerDB again;
    if (!TimerFile::parse(written, again, &error)) {
        std::fprintf(stderr, "own output refused: %s\n", error.toUtf8().constData());
        std::abort();
    }
    if (TimerFile::serialize(again) != written) {
        std::fputs("round trip changed the file\n", stderr);
        std::abort();
    }
    return 0;
}
