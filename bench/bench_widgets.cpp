#include "app/WindowPlacement.h"
#include "store/Preferences.h"
#include "support/PaintWatch.h"
#include "widgets/TLMDFormFill.h"
#include "widgets/TLMDLEDLabel.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace qv;

namespace {

// The main window's read-out as it is laid out for a window of the given width:
// Horzsize = W div 16, Vertsize = 1.1 x Horzsize, Thickness = Horzsize / 6.
void setupTimerLed(TLMDLEDLabel& led, int horz, int vert, int thick) {
    led.setBevel(timerLedBevel());
    led.setLED({horz, vert, thick, kDefaultActiveLEDColor, kDefaultInactiveLEDColor, true});
    led.setAutoSize(true);
    led.setCaption(QStringLiteral("00:00:00"));
}

// The whole widget composed off screen (bevel, cells, lit segments) into a
// fresh image.
void BM_TimerLedRender(benchmark::State& state) {
    const int h = int(state.range(0));
    TLMDLEDLabel led;
    setupTimerLed(led, h, int(state.range(1)), int(state.range(2)));
    led.render(); // builds the unlit cell once, as the first paint does
    for (auto _ : state)
        benchmark::DoNotOptimize(led.render());
    state.counters["width"] = led.width();
    state.counters["height"] = led.height();
}
BENCHMARK(BM_TimerLedRender)
    ->Args({40, 44, 7})
    ->Args({120, 132, 20})
    ->Unit(benchmark::kMicrosecond);

// A real paint of the shown widget through the window system's backing store.
void BM_TimerLedRepaint(benchmark::State& state) {
    TLMDLEDLabel led;
    setupTimerLed(led, int(state.range(0)), int(state.range(1)), int(state.range(2)));
    const qv::testing::PaintWatch paints(&led);
    led.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        led.repaint();
    state.counters["paints"] = paints.count();
}
BENCHMARK(BM_TimerLedRepaint)
    ->Args({40, 44, 7})
    ->Args({120, 132, 20})
    ->Unit(benchmark::kMicrosecond);

// A counting minute of the shown read-out, one second an iteration: what
// changes is repainted and goes to the window system (with QT_QPA_PLATFORM=xcb
// under an X server, to it).
void BM_TimerLedSecond(benchmark::State& state) {
    TLMDLEDLabel led;
    setupTimerLed(led, int(state.range(0)), int(state.range(1)), int(state.range(2)));
    const qv::testing::PaintWatch paints(&led);
    led.show();
    QCoreApplication::processEvents();
    QStringList minute;
    for (int s = 59; s >= 0; --s)
        minute << QStringLiteral("00:04:%1").arg(s, 2, 10, QLatin1Char('0'));
    qsizetype i = 0;
    for (auto _ : state) {
        led.setCaption(minute[i]);
        i = (i + 1) % minute.size();
    }
    state.counters["paints"] = paints.count();
}
BENCHMARK(BM_TimerLedSecond)
    ->Args({40, 44, 7})
    ->Args({231, 254, 38})
    ->Unit(benchmark::kMicrosecond);

// Rebuilding the unlit cell after a colour change (the preferences dialog's OK).
void BM_TimerLedColourChange(benchmark::State& state) {
    TLMDLEDLabel led;
    setupTimerLed(led, int(state.range(0)), int(state.range(1)), int(state.range(2)));
    int i = 0;
    for (auto _ : state) {
        led.setInActiveColor(QColor(51 + (++i & 1), 0, 0));
        benchmark::DoNotOptimize(led.render());
    }
}
BENCHMARK(BM_TimerLedColourChange)
    ->Args({40, 44, 7})
    ->Args({120, 132, 20})
    ->Unit(benchmark::kMicrosecond);

void BM_GradientRender(benchmark::State& state) {
    TLMDFormFill fill;
    const QSize size(int(state.range(0)), int(state.range(1)));
    int i = 0;
    for (auto _ : state) {
        // A new description each time, so every iteration renders.
        fill.setGradient(QColor(0, 0, 255), QColor(0, 0, ++i & 1), 100);
        benchmark::DoNotOptimize(fill.image(size).constBits());
    }
    state.counters["renders"] = fill.renderCount();
}
BENCHMARK(BM_GradientRender)
    ->Args({1920, 1080})
    ->Args({placement::kDesignWidth, placement::kDesignHeight})
    ->Unit(benchmark::kMicrosecond);

// What a background erase costs once the band table is worked out: a fill for
// each band, straight into the target.
void BM_GradientPaintCached(benchmark::State& state) {
    TLMDFormFill fill;
    fill.setGradient(QColor(0, 0, 255), QColor(0, 0, 0), 100);
    QImage target(1920, 1080, QImage::Format_RGB32);
    QPainter p(&target);
    for (auto _ : state)
        fill.paint(p, target.rect());
    state.counters["renders"] = fill.renderCount();
}
BENCHMARK(BM_GradientPaintCached)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
