// Reading and writing a timer file of 100 timers (the most the program
// keeps), in memory and through the file system with the atomic save.

#include "store/TimerFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

qv::TimerDB hundredTimers() {
    qv::TimerDB db;
    for (int i = 0; i < 100; ++i) {
        qv::TimerRecord r;
        r.Name = "Timer & \xc3\xa9t\xc3\xa9 " + std::to_string(i);
        r.StartTime = 60 * i;
        r.TimerLoop = i % 2 == 0;
        r.GenAnnInterval = 60;
        r.TimerExpAction = 2;
        r.TimerExpFilename = "/home/user/sounds/expiry " + std::to_string(i) + ".wav";
        for (auto& rule : r.Rules) {
            rule.Enabled = true;
            rule.Action = 3;
            rule.Start = 30;
            rule.Filename = "/home/user/sounds/rule.wav";
        }
        db.insert(r);
    }
    db.mergeChangeLog();
    return db;
}

void BM_SerializeTimers(benchmark::State& state) {
    const qv::TimerDB db = hundredTimers();
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::TimerFile::serialize(db));
    state.SetBytesProcessed(state.iterations() * qv::TimerFile::serialize(db).size());
}
BENCHMARK(BM_SerializeTimers);

void BM_ParseTimers(benchmark::State& state) {
    const QByteArray bytes = qv::TimerFile::serialize(hundredTimers());
    for (auto _ : state) {
        qv::TimerDB db;
        if (!qv::TimerFile::parse(bytes, db, nullptr))
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(db.recordCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ParseTimers);

void BM_WriteFile(benchmark::State& state) {
    const qv::TimerDB db = hundredTimers();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("timers.xml"));
    for (auto _ : state)
        if (!qv::TimerFile::write(path, db, nullptr))
            state.SkipWithError("write failed");
}
BENCHMARK(BM_WriteFile);

void BM_ReadFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("timers.xml"));
    qv::TimerFile::write(path, hundredTimers(), nullptr);
    for (auto _ : state) {
        qv::TimerDB db;
        if (!qv::TimerFile::read(path, db, nullptr))
            state.SkipWithError("read failed");
    }
}
BENCHMARK(BM_ReadFile);

} // namespace

BENCHMARK_MAIN();
