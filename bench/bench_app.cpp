#include "app/CommonData.h"
#include "app/MainForm.h"
#include "audio/SoundSystem.h"
#include "support/ManualTime.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace qv;
using test::ManualClock;
using test::ManualTick;

namespace {

// The main window over a throw-away program folder, counting a long timer.
struct Window {
    QTemporaryDir dir;
    ManualClock clock;
    ManualTick tick;
    TCommonData data{SoundSystem::createSilent()};
    TMainForm form{data, MainFormOptions{AppPaths::inFolder(dir.path()), &clock, &tick}};
};

// A tick that finds a new second: one second off, LED, status bar and
// program title refreshed. This is the work the window does once a second.
void BM_SecondStep(benchmark::State& state) {
    Window w;
    w.form.show();
    w.form.StartStopButtonClick();
    for (auto _ : state) {
        w.clock.now += 1000;
        w.form.MainTimerTimer();
        if (!w.form.engine().running()) {
            state.PauseTiming();
            w.form.ResetButtonClick();
            w.form.StartStopButtonClick();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_SecondStep);

// The nine ticks of every ten that find no new second: a clock read and a compare.
void BM_QuietTick(benchmark::State& state) {
    Window w;
    w.form.StartStopButtonClick();
    for (auto _ : state)
        w.form.MainTimerTimer();
}
BENCHMARK(BM_QuietTick);

// A tick while the display flashes: the LED text swaps every tick.
void BM_FlashTick(benchmark::State& state) {
    Window w;
    w.form.show();
    w.form.StartStopButtonClick();
    w.clock.now += 300'000;
    for (int i = 0; i < 301 && w.form.engine().running(); ++i) {
        w.clock.now += 1000;
        w.form.MainTimerTimer();
    }
    for (auto _ : state)
        w.form.MainTimerTimer();
}
BENCHMARK(BM_FlashTick);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The settings store is never the user's own.
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    MessageBox::setTesting(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
