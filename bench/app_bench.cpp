// Benchmarks of the main window: a drag step painted on a full 64 x 64 board, and the start-up
// to the first painted board on the shipped levels.

#include <chrono>
#include <memory>
#include <string>

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "model/Context.h"

namespace {

using namespace vorpel;

// An application on the offscreen platform for one benchmark, with settings in a folder of its
// own.
class BenchApplication {
public:
    BenchApplication() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
    }

private:
    int argc_ = 1;
    char name_[8] = "bench";
    char* argv_[2] = {name_, nullptr};
    QTemporaryDir settings_;
    std::unique_ptr<QApplication> app_;
};

// Records whether the board area has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

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

struct Program {
    QTemporaryDir folder;
    Context ctx;
    QtPlatform platform;
    std::unique_ptr<MainWindow> form;

    explicit Program(const std::string& startupText) {
        platform.script.emplace();
        ctx.platform = &platform;
        WriteFile(folder.filePath(QStringLiteral("Vorpel 0.txt")), startupText);
        form = std::make_unique<MainWindow>(
            ctx, platform, u'"' + folder.filePath(QStringLiteral("Vorpel")) + u'"');
        form->settingsFormat = QSettings::IniFormat;
    }
    ~Program() { form.reset(); }
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
    form.CellSize = 32;
    form.UpdateCellSize(false, 10);
    form.RedrawBoard();
    QCoreApplication::processEvents();
    const int s = form.CellSize;
    // Scrolled so the block's row and column are in view.
    form.OffsetX = std::max(form.ViewWidth - form.BoardWidth, -(10 * s - form.ViewWidth / 2));
    form.OffsetY = std::max(form.ViewHeight - form.BoardHeight, -(32 * s - form.ViewHeight / 2));
    const QPoint start(form.OffsetX + 10 * s + s / 2, form.OffsetY + 32 * s + s / 2);
    PaintWatch watch;
    form.client->installEventFilter(&watch);
    Send(form.client, QEvent::MouseButtonPress, start, Qt::LeftButton);
    bool right = true;
    for (auto _ : state) {
        watch.painted = false;
        Send(form.client, QEvent::MouseMove, right ? start + QPoint(s, 0) : start, Qt::LeftButton);
        while (!watch.painted) QCoreApplication::processEvents();
        right = !right;
    }
    Send(form.client, QEvent::MouseButtonRelease, start, Qt::NoButton);
    state.counters["cell"] = s;
    state.counters["steps"] = program.ctx.CurrentLevel().stepCount;
    form.client->removeEventFilter(&watch);
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
        program.form->client->installEventFilter(&watch);
        while (!watch.painted) QCoreApplication::processEvents();
        state.counters["levels"] = program.ctx.collection.lastLevel() + 1;
    }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
