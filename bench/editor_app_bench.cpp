// Benchmarks of the editor window: a command from its dispatcher to the main window's board
// painted again, on a crowded 64 x 64 level at cell size 32.

#include <string>

#include <QApplication>

#include <benchmark/benchmark.h>

#include "AppBenchKit.h"
#include "BenchKit.h"
#include "app/BoardView.h"
#include "app/EditorWindow.h"
#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "model/Context.h"

namespace {

using namespace vorpel;

// The key of the case's button, and whether it acts on the middle square or the level.
struct EditorCase {
    const char* name;
    const char* key;
    bool select;
};
constexpr EditorCase kCases[] = {
    {"Wall", "E", true},         {"Destination", "1", true},     {"ToMaster", "5", true},
    {"Rotate180", "F3", true},   {"RotateLevel", "F4", false},   {"InsertCells", "F7", true},
    {"AddBorders", "V", false},  {"InvertSelection", "X", true}, {"CopyLevel", "ctrl+c", false},
    {"CurrentLevel", "N", false}};

int ButtonOfCase(const EditorCase& c) {
    const std::string_view key = c.key;
    return key.size() == 1 ? ButtonOfCharacter(Byte(key[0])) : ButtonOfKeyName(key);
}

void BM_EditorCommandPainted(benchmark::State& state) {
    const EditorCase& t = kCases[state.range(0)];
    state.SetLabel(t.name);
    bench::BenchApplication application;
    bench::BenchProgram program({{QStringLiteral("Vorpel 0.txt"), bench::CrowdedText()}});
    if (!program.written) return state.SkipWithError("no startup file");
    MainWindow* form = program.form.get();
    form->resize(1400, 1000);
    form->show();
    QCoreApplication::processEvents();
    form->Action(Command::EditLevel)->trigger();
    auto* editor = form->findChild<EditorWindow*>();
    if (!editor) return state.SkipWithError("no editor");
    editor->RunButton(ButtonOfCharacter('N')); // the crowded level, being edited
    form->Board().SetCellSize(32);
    form->RepaintAfterEdit(false);
    QCoreApplication::processEvents();
    bench::PaintWatch watch;
    form->Board().installEventFilter(&watch);
    for (auto _ : state) {
        state.PauseTiming();
        RowSet& selection = form->Board().Selection().cells;
        selection.Clear();
        if (t.select)
            for (int r = 8; r < 56; ++r)
                for (int c = 8; c < 56; ++c) selection.Set(r, c);
        QCoreApplication::processEvents();
        watch.painted = false;
        state.ResumeTiming();
        editor->RunButton(ButtonOfCase(t));
        while (!watch.painted) QCoreApplication::processEvents();
        state.PauseTiming();
        editor->RunButton(ButtonOfCharacter('<'));
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["cell"] = form->Board().View().cellSize;
    form->Board().removeEventFilter(&watch);
    editor->close();
}
BENCHMARK(BM_EditorCommandPainted)
    ->DenseRange(0, 9)
    ->ArgName("command")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
