// Benchmark of the automatic replay at its fastest speed: a Sokoban solution of about 300 steps
// on a 64 x 64 room replayed in the main window, each step painted, to the celebration.

#include <string>

#include <QApplication>
#include <QScreen>

#include <benchmark/benchmark.h>

#include "AppBenchKit.h"
#include "BenchKit.h"
#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "app/ReplaySpeed.h"
#include "app/ShellState.h"
#include "model/Context.h"

namespace {

using namespace vorpel;

// Replay time per step against the screen's frame: at "as fast as the screen paints" a step
// should take one frame, so steps_per_s near the frame rate means painting keeps up.
void BM_ReplayAsFastAsPaint(benchmark::State& state) {
    bench::BenchApplication application;
    std::string room;
    bench::AppendRoom(room, 1, 64, 64, true);
    bench::BenchProgram program({{QStringLiteral("room.sok"), room}}, QStringLiteral("room.sok"));
    if (!program.written) return state.SkipWithError("no level file");
    Context& ctx = program.ctx;
    MainWindow* form = program.form.get();
    form->resize(1400, 1000);
    form->show();
    QCoreApplication::processEvents();
    ctx.options.replaySpeed = kReplayAsFastAsPaint;
    const int steps = ctx.CurrentLevel().stepCount;
    if (steps < 100) return state.SkipWithError("the room's solution was not read");
    for (auto _ : state) {
        program.session.GoToStep(0);
        form->StartReplay();
        while (form->Shell().replayRunning)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const QScreen* screen = form->screen();
    const double rate = screen ? screen->refreshRate() : 0.0;
    state.counters["steps"] = steps;
    state.counters["cell"] = form->Board().View().cellSize;
    state.counters["frame_ms"] = ReplayInterval(kReplayAsFastAsPaint, rate);
    state.counters["steps_per_s"] =
        benchmark::Counter(steps, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReplayAsFastAsPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
