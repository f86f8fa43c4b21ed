// Benchmarks of the main window: a drag step painted on a full 64 x 64 board, the start-up to the
// first painted board, a large collection read in the window, and the level list (with its
// pictures) and the move list.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "AppBenchKit.h"
#include "BenchKit.h"
#include "app/BoardView.h"
#include "app/LevelListWindow.h"
#include "app/MainWindow.h"
#include "app/MoveListWindow.h"
#include "app/QtPlatform.h"
#include "files/LevelLoad.h"
#include "model/Context.h"

namespace {

using namespace vorpel;
using bench::BenchApplication;
using bench::PaintWatch;

void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes.data(), qint64(bytes.size()));
}

// A 64 x 64 level full of kinds and marks, with an open row 32 in which the master block at
// column 10 moves.
std::string CrowdedLevel() {
    static constexpr const char* kGroups[] = {".[..", "+...", ".v..", ":...", ".#..",
                                              ".{..", ")...", ".>..", "....", ".;.."};
    std::string text = "\"Crowded\"\r\n";
    for (int r = 0; r < 64; ++r) {
        for (int c = 0; c < 64; ++c) {
            if (r == 0 || r == 63 || c == 0 || c == 63)
                text += ".#..";
            else if (r == 32)
                text += c == 10 ? ".@.." : "....";
            else
                text += kGroups[(r * 7 + c * 3) % 10];
        }
        text += "\r\n";
    }
    return text;
}

// The window on a startup file that holds `startupText`.
struct Program : bench::BenchProgram {
    explicit Program(const std::string& startupText)
        : BenchProgram({{QStringLiteral("Vorpel 0.txt"), startupText}}) {}
};

void Send(QWidget* client, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(client->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(client, &event);
}

// From the pointer entering the next cell to the board painted: the step, the board drawn into
// the canvas and the visible part copied to the window.
void BM_DragStepPainted(benchmark::State& state) {
    BenchApplication application;
    Program program(CrowdedLevel());
    MainWindow& form = *program.form;
    form.resize(1400, 1000);
    form.show();
    QCoreApplication::processEvents();
    form.Board().SetCellSize(32);
    form.UpdateCellSize(MainWindow::CellSizing::kKeep);
    form.Board().Redraw();
    QCoreApplication::processEvents();
    const int s = form.Board().View().cellSize;
    // Scrolled so the block's row and column are in view.
    const ViewGeometry& view = form.Board().View();
    form.Board().SetOffsets(
        std::max(view.viewWidth - view.boardWidth, -(10 * s - view.viewWidth / 2)),
        std::max(view.viewHeight - view.boardHeight, -(32 * s - view.viewHeight / 2)));
    const QPoint start(form.Board().View().offsetX + 10 * s + s / 2,
                       form.Board().View().offsetY + 32 * s + s / 2);
    PaintWatch watch;
    form.Board().installEventFilter(&watch);
    Send(&form.Board(), QEvent::MouseButtonPress, start, Qt::LeftButton);
    bool right = true;
    for (auto _ : state) {
        watch.painted = false;
        Send(&form.Board(), QEvent::MouseMove, right ? start + QPoint(s, 0) : start,
             Qt::LeftButton);
        while (!watch.painted) QCoreApplication::processEvents();
        right = !right;
    }
    Send(&form.Board(), QEvent::MouseButtonRelease, start, Qt::NoButton);
    state.counters["cell"] = s;
    state.counters["steps"] = program.ctx.CurrentLevel().stepCount;
    form.Board().removeEventFilter(&watch);
}
BENCHMARK(BM_DragStepPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

// From creating the window to its first painted board, with the shipped startup levels.
void BM_StartToFirstPaint(benchmark::State& state) {
    BenchApplication application;
    QFile shipped(QStringLiteral(VORPEL_SOURCE_DIR "/data/Vorpel 0.txt"));
    if (!shipped.open(QIODevice::ReadOnly)) {
        state.SkipWithError("data/Vorpel 0.txt not found");
        return;
    }
    const QByteArray bytes = shipped.readAll();
    const std::string levels(bytes.constData(), std::size_t(bytes.size()));
    for (auto _ : state) {
        Program program(levels);
        PaintWatch watch;
        program.form->show();
        program.form->Board().installEventFilter(&watch);
        while (!watch.painted) QCoreApplication::processEvents();
        state.counters["levels"] = program.ctx.collection.lastLevel() + 1;
    }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- Level list and move list ----------------------------------------------------------------

constexpr int kListLevels = 40000;

std::string LittleEndian(std::int64_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[std::size_t(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return bytes;
}

// A title per level in no particular order, so that sorting on it moves rows.
std::string ListTitle(int i) {
    const unsigned scrambled = (static_cast<unsigned>(i) * 2654435761u) % 1000003u;
    return (i % 3 == 0 ? "level " : "Level ") + std::to_string(scrambled) + " #" +
           std::to_string(i);
}

// The levels of a Sokoban collection of the corpus beside the clone; none when it is missing.
std::vector<Level> CorpusLevels(const char* name) {
    Context ctx;
    std::vector<std::string> lines;
    const std::string file = std::string(VORPEL_SOURCE_DIR "/../shared/corpus/sokoban/") + name;
    if (!ReadLevelSource(ctx, file, lines).Ok()) return {};
    RememberedAnswer answer = kAlwaysAdd;
    AddLevels(ctx, file, lines, answer);
    // The first level is the collection's own empty one.
    return {ctx.collection.levels.begin() + 1, ctx.collection.levels.end()};
}

// The main window over 40,000 small levels (3 x 3 boxes, or `boards` repeated), with a best
// solution stored for every level and a records file naming every title.
struct BigCollection {
    Program program{"\"Start\"\r\n.#.. .#.. .#..\r\n.#.. .@.. .#..\r\n.#.. .#.. .#..\r\n"};
    MainWindow& form = *program.form;

    explicit BigCollection(const std::vector<Level>& boards = {}) {
        form.show();
        QCoreApplication::processEvents();
        LevelCollection& collection = program.ctx.collection;
        collection.levels.resize(kListLevels);
        std::string solutions, records;
        const std::string data = "\x01\x01\x99\x01\x02\xAA";
        for (int i = 0; i < kListLevels; ++i) {
            const std::string title = ListTitle(i);
            Level& level = collection.levels[std::size_t(i)];
            if (boards.empty()) {
                level.Initialise(title, 3, 3);
            } else {
                level = boards[std::size_t(i) % boards.size()];
                level.title = title;
            }
            const int moves = 20 + (i * 37) % 400, record = 20 + (i * 53) % 300;
            solutions += LittleEndian(20 + std::int64_t(title.size() + data.size())) +
                         LittleEndian(std::int64_t(title.size())) + title + LittleEndian(8) +
                         LittleEndian(moves) + LittleEndian(moves * 3) +
                         LittleEndian(std::int64_t(data.size())) + data;
            records +=
                std::to_string(record) + " " + std::to_string(record * 3) + " " + title + "\r\n";
        }
        collection.currentLevel = kListLevels / 2;
        WriteFile(program.folder.filePath(QStringLiteral("Vorpel.sol")), solutions);
        WriteFile(program.folder.filePath(QStringLiteral("Vorpel.rec")), records);
    }
};

void ShowAndPaint(QWidget& window, QWidget& area) {
    PaintWatch watch;
    area.installEventFilter(&watch);
    window.show();
    while (!watch.painted) QCoreApplication::processEvents();
    area.removeEventFilter(&watch);
}

// Opening the level list: both files read, 40,000 rows built and sorted, the window shown.
void BM_LevelListOpen(benchmark::State& state) {
    BenchApplication application;
    BigCollection big;
    for (auto _ : state) {
        LevelListWindow list(big.form.Session(), big.form);
        ShowAndPaint(list, *list.levelTable->viewport());
        state.counters["rows"] = list.Model().rowCount();
    }
}
BENCHMARK(BM_LevelListOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

// The height of the list window in the picture benchmarks: a page of some 16 rows.
constexpr int kTallList = 1000;

// The main window over 40,000 Sokoban levels (Microban I repeated); none, the benchmark skipped,
// without the corpus.
std::unique_ptr<BigCollection> SokobanCollection(benchmark::State& state) {
    const std::vector<Level> boards = CorpusLevels("Microban_I.xsb");
    if (boards.empty()) {
        state.SkipWithError("Microban_I.xsb not found beside the clone");
        return nullptr;
    }
    return std::make_unique<BigCollection>(boards);
}

// The list over those levels with their pictures: the window
// built and its first page painted, pictures included (drawn afresh for each opening). Target: at
// most 300 ms.
void BM_LevelListPicturesOpen(benchmark::State& state) {
    BenchApplication application;
    const std::unique_ptr<BigCollection> big = SokobanCollection(state);
    if (!big) return;
    for (auto _ : state) {
        LevelListWindow list(big->form.Session(), big->form);
        list.resize(720, kTallList);
        ShowAndPaint(list, *list.levelTable->viewport());
        state.counters["pictures"] = double(list.Model().thumbnails.Count());
    }
}
BENCHMARK(BM_LevelListPicturesOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

// That list scrolled down by one page and painted, every page new to the picture cache until
// the list's end. Target: at most 16 ms.
void BM_LevelListPicturesScrollPage(benchmark::State& state) {
    BenchApplication application;
    const std::unique_ptr<BigCollection> big = SokobanCollection(state);
    if (!big) return;
    LevelListWindow list(big->form.Session(), big->form);
    list.resize(720, kTallList);
    ShowAndPaint(list, *list.levelTable->viewport());
    QScrollBar& bar = *list.levelTable->verticalScrollBar();
    bar.setValue(0);
    for (auto _ : state) {
        bar.setValue(bar.value() >= bar.maximum() ? 0 : bar.value() + bar.pageStep());
        list.levelTable->viewport()->repaint();
    }
    state.counters["rowsPerPage"] = bar.pageStep();
    state.counters["pictures"] = double(list.Model().thumbnails.Count());
}
BENCHMARK(BM_LevelListPicturesScrollPage)->Unit(benchmark::kMillisecond)->UseRealTime();

// A click on a column header: the rows sorted again (alternately up and down), the selection
// kept and the list repainted.
void BM_LevelListSort(benchmark::State& state) {
    BenchApplication application;
    BigCollection big;
    LevelListWindow list(big.form.Session(), big.form);
    ShowAndPaint(list, *list.levelTable->viewport());
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        list.SortOn(column);
        list.levelTable->viewport()->repaint();
    }
}
BENCHMARK(BM_LevelListSort)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Search down" over the titles, the found row selected (so its level is shown) and repainted.
void BM_LevelListSearch(benchmark::State& state) {
    BenchApplication application;
    BigCollection big;
    LevelListWindow list(big.form.Session(), big.form);
    ShowAndPaint(list, *list.levelTable->viewport());
    // Found only at two far-apart levels, so each search passes most of the list.
    list.searchEdit->setText(QStringLiteral("#12345"));
    for (auto _ : state) {
        list.Search(true);
        list.levelTable->viewport()->repaint();
    }
    state.counters["found"] = list.SelectedRow();
}
BENCHMARK(BM_LevelListSearch)->Unit(benchmark::kMillisecond)->UseRealTime();

// A level history of 100,000 steps: single steps and moves of a few steps.
void LongHistory(Level& level) {
    level.steps.clear();
    for (int i = 0; i < 100000; ++i) {
        StepRecord s;
        s.counts = StepRecord::kNewStep | (i % 3 != 1 ? StepRecord::kNewMove : 0);
        s.row = static_cast<std::uint8_t>(1 + i % 60);
        s.column = static_cast<std::uint8_t>(1 + (i / 60) % 60);
        s.columnDelta = static_cast<std::int8_t>(i % 2 == 0 ? 1 : -1);
        level.steps.push_back(s);
    }
    level.stepCount = level.currentStep = 100000;
}

// Shows the program's window, gives its level that history and opens the move list on it.
MoveListWindow& ShowLongMoveList(Program& program) {
    program.form->show();
    QCoreApplication::processEvents();
    LongHistory(program.ctx.CurrentLevel());
    return ShowMoveList(program.form->Session(), *program.form);
}

// The move list of a 100,000-step level: a full window painted (only the lines in view).
void BM_MoveListPaint(benchmark::State& state) {
    BenchApplication application;
    Program program("\"Start\"\r\n.#.. .@.. .#..\r\n");
    MoveListWindow& window = ShowLongMoveList(program);
    window.resize(700, 1000);
    QCoreApplication::processEvents();
    MoveGrid& grid = *window.moveGrid;
    int top = 0;
    for (auto _ : state) {
        grid.verticalScrollBar()->setValue(top); // a new page every time
        grid.viewport()->repaint();
        top = (top + 997) % 90000;
    }
    state.counters["lines"] = static_cast<double>(grid.Lines().size());
    state.counters["painted"] = grid.PaintedLines();
}
BENCHMARK(BM_MoveListPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Current moves" on that level: the lines built and the list laid out and painted.
void BM_MoveListListing(benchmark::State& state) {
    BenchApplication application;
    Program program("\"Start\"\r\n.#.. .@.. .#..\r\n");
    MoveListWindow& window = ShowLongMoveList(program);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.ListCurrentMoves();
        window.moveGrid->viewport()->repaint();
    }
    state.counters["lines"] = static_cast<double>(window.moveGrid->Lines().size());
}
BENCHMARK(BM_MoveListListing)->Unit(benchmark::kMillisecond)->UseRealTime();

// The generated collection of vorpel_bench's BM_LoadSokWithSolutions read in the shown window:
// every level's moves replayed, the window's events let through between levels and the board
// of the level being read drawn at most every 100 ms. Target: at most 10 % above
// BM_LoadSokWithSolutions.
void BM_ReadSokWithSolutionsInProgram(benchmark::State& state) {
    BenchApplication application;
    const std::string path = bench::CollectionFile(true);
    int draws = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<Program>(CrowdedLevel());
        program->form->show();
        QCoreApplication::processEvents();
        const auto draw = program->platform.showLoadingBoard;
        draws = 0;
        program->platform.showLoadingBoard = [&] {
            ++draws;
            draw();
        };
        state.ResumeTiming();
        RememberedAnswer remembered = kAsk;
        const LoadResult result = ReadLevelFile(program->ctx, path, remembered);
        state.PauseTiming();
        if (!result.error.empty() ||
            program->ctx.collection.levels.size() != std::size_t(bench::kCollectionLevels) + 1) {
            state.SkipWithError("the collection did not load whole");
            return;
        }
        program.reset();
        state.ResumeTiming();
    }
    state.counters["draws"] = draws;
}
BENCHMARK(BM_ReadSokWithSolutionsInProgram)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

} // namespace
