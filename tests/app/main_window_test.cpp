// The main window on a temporary program folder: start-up, the board painted from the canvas,
// mouse drags with their constraints, the command guard, replay, zoom, keys and the editor
// selection, with message boxes answered by a script.
#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "PictureLevels.h"
#include "app/BoardView.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "model/Shuffle.h"
#include "model/Solved.h"

using namespace vorpel;

namespace {

using test::PictureLevelText;

// The master block two cells left of its destination.
const std::vector<std::string> kAlpha = {"#######", "#.....#", "#.@.+.#", "#.....#", "#######"};
// Room to move, nothing to solve.
const std::vector<std::string> kBeta = {"#########", "#.......#", "#.@.....#",
                                        "#.......#", "#.......#", "#########"};
// A normal block beside the master block: the arrow keys find no single block to hold.
const std::vector<std::string> kGamma = {"######", "#.@[.#", "#....#", "######"};

} // namespace

class MainWindowTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    const Level& Current() const { return ctx_->CurrentLevel(); }

    QPoint CellCentre(int row, int column) const {
        const MainWindow& f = *form_;
        return {f.Board().View().offsetX + column * f.Board().View().cellSize +
                    f.Board().View().cellSize / 2,
                f.Board().View().offsetY + row * f.Board().View().cellSize +
                    f.Board().View().cellSize / 2};
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(form_->Board().mapToGlobal(at)), button,
                          buttons, modifiers);
        QApplication::sendEvent(&form_->Board(), &event);
    }

    // A drag from one cell's centre through `steps` pointer positions to another's.
    void Drag(int fromRow, int fromColumn, int toRow, int toColumn,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier, int steps = 6) {
        const QPoint from = CellCentre(fromRow, fromColumn), to = CellCentre(toRow, toColumn);
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
        for (int i = 1; i <= steps; ++i)
            Mouse(QEvent::MouseMove, from + (to - from) * i / steps, Qt::LeftButton, modifiers);
        Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton, modifiers);
    }

    void Type(char c) { QTest::keyClick(&form_->Board(), c); }

private Q_SLOTS:
    void init() {
        NewFolder(PictureLevelText("Alpha", kAlpha) + PictureLevelText("Beta", kBeta) +
                  PictureLevelText("Gamma", kGamma));
    }

    void cleanup() { Stop(); }

    void startUpReadsStartupFilesTheArgumentAndTitles() {
        // The startup file alone: its first level, no message.
        MainWindow& plain = Start();
        QVERIFY(plain.started());
        QCOMPARE(ctx_->collection.lastLevel(), 2);
        QCOMPARE(Current().title, std::string("Alpha"));
        QCOMPARE(plain.windowTitle(), QStringLiteral("Vorpel - Alpha"));
        QVERIFY(platform_->script->shown.empty());
        for (const MenuLayout& layout : kMainMenus)
            for (int i = 0; i < layout.count; ++i)
                QVERIFY(plain.Action(layout.commands[std::size_t(i)]));
        QCOMPARE(plain.TopMenu(0)->title(), QStringLiteral("Files"));
        QCOMPARE(plain.TopMenu(4)->title(), QStringLiteral("Help"));
        // A normal start lies in the right half of the work area.
        const QRect work = plain.screen()->availableGeometry();
        const int border = plain.geometry().left() - plain.frameGeometry().left();
        QCOMPARE(plain.frameGeometry().right(), work.right() - border);

        // A level file on the command line, its name in quotes: read after the startup files
        // and made current.
        const QString extra = folder_->filePath(QStringLiteral("more levels.txt"));
        Write(extra, PictureLevelText("Delta", kBeta));
        Start(u'"' + extra + u'"');
        QCOMPARE(ctx_->collection.lastLevel(), 3);
        QCOMPARE(Current().title, std::string("Delta"));
        QVERIFY(platform_->script->shown.empty());
        QVERIFY(!form_->Shell().loadingLevels && !form_->Shell().commandsBlocked);
        QVERIFY(form_->TopMenu(0)->menuAction()->isEnabled());

        // A missing file is reported after its name.
        Start(folder_->filePath(QStringLiteral("missing.txt")));
        QCOMPARE(platform_->script->shown.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(platform_->script->shown[0].back())
                    .endsWith(QStringLiteral("File not found.")));
        QCOMPARE(Current().title, std::string("Alpha"));

        // "*" and a title: that level, in the left half of the screen.
        MainWindow& copy = Start(QStringLiteral("*Gamma"));
        QCOMPARE(Current().title, std::string("Gamma"));
        QCOMPARE(copy.frameGeometry().left(), work.left() + border);
        QVERIFY(platform_->script->shown.empty());
        // An unknown title leaves the first level.
        Start(QStringLiteral("*Nobody"));
        QCOMPARE(Current().title, std::string("Alpha"));
    }

    void commandLineSplitsLikeTheRawLine() {
        CommandLine a = SplitCommandLine(QStringLiteral("\"/a b/Vorpel\"  \"x y.txt\" "));
        QCOMPARE(a.programPath, QStringLiteral("/a b/Vorpel"));
        QCOMPARE(a.argument, QStringLiteral("x y.txt"));
        CommandLine b = SplitCommandLine(QStringLiteral("/bin/Vorpel *Level one"));
        QCOMPARE(b.programPath, QStringLiteral("/bin/Vorpel"));
        QCOMPARE(b.argument, QStringLiteral("*Level one"));
        QCOMPARE(SplitCommandLine(QStringLiteral("Vorpel")).argument, QString());
    }

    void boardIsPaintedFromTheCanvasOneToOne() {
        MainWindow& f = Start();
        QVERIFY(f.Board().View().cellSize >= kMinCellSize);
        QCOMPARE(f.Board().View().boardWidth, 7 * f.Board().View().cellSize);
        QCOMPARE(f.Board().View().boardHeight, 5 * f.Board().View().cellSize);
        // The whole board fits: it is centred and there are no scroll bars.
        QVERIFY(!f.findChild<QScrollBar*>(QStringLiteral("horizontalScrollBar"))->isVisible() &&
                !f.findChild<QScrollBar*>(QStringLiteral("verticalScrollBar"))->isVisible());
        QCOMPARE(f.Board().View().offsetX,
                 (f.Board().View().viewWidth - f.Board().View().boardWidth) / 2);
        const QImage shown = f.Board().grab().toImage();
        const BoardCanvas& canvas = f.Board().Canvas();
        for (const QPoint p :
             {QPoint(0, 0),
              QPoint(f.Board().View().boardWidth - 1, f.Board().View().boardHeight - 1),
              QPoint(2 * f.Board().View().cellSize + 3, 2 * f.Board().View().cellSize + 5)}) {
            const PaletteColour c = canvas.palette.colours[canvas.At(p.x(), p.y())];
            QCOMPARE(shown.pixel(p + QPoint(f.Board().View().offsetX, f.Board().View().offsetY)),
                     qRgb(c.red, c.green, c.blue));
        }
    }

    void zoomFollowsTheCellSizeRules() {
        MainWindow& f = Start();
        f.Board().SetCellSize(10);
        std::vector<int> sizes;
        for (int i = 0; i < 10; ++i) {
            Type('*');
            sizes.push_back(f.Board().View().cellSize);
        }
        QCOMPARE(sizes, (std::vector<int>{11, 12, 13, 14, 15, 16, 18, 20, 22, 24}));
        f.Board().SetCellSize(25);
        Type('/');
        QCOMPARE(f.Board().View().cellSize, 22);
        f.Board().SetCellSize(10);
        Type('/');
        QCOMPARE(f.Board().View().cellSize, 10);
        // Larger than the view: scroll bars, the wheel scrolls by cells.
        f.Board().SetCellSize(f.Board().View().maxCellSize);
        f.UpdateCellSize(MainWindow::CellSizing::kKeep);
        QVERIFY(f.findChild<QScrollBar*>(QStringLiteral("verticalScrollBar"))->isVisible() &&
                f.findChild<QScrollBar*>(QStringLiteral("horizontalScrollBar"))->isVisible());
        QVERIFY(f.findChild<QFrame*>(QStringLiteral("boardPanel"))->isVisible());
        const int before = f.Board().View().offsetY;
        QVERIFY(f.Board().ScrollByWheel(-120, 5, 5));
        QCOMPARE(f.Board().View().offsetY,
                 std::max(before - f.Board().View().cellSize,
                          f.Board().View().viewHeight - f.Board().View().boardHeight));
        QCOMPARE(f.findChild<QScrollBar*>(QStringLiteral("verticalScrollBar"))->value(),
                 -f.Board().View().offsetY);
        // Fit brings the whole board back.
        Type('f');
        QVERIFY(f.Board().View().boardWidth <= f.Board().View().viewWidth &&
                f.Board().View().boardHeight <= f.Board().View().viewHeight);
        // With automatic sizing, the zoom commands and items are off.
        ctx_->options.value[kAutomaticBoardSizing] = true;
        f.UpdateActions();
        QVERIFY(!f.Action(Command::ZoomIn)->isEnabled() &&
                !f.Action(Command::ZoomFit)->isEnabled());
        const int fitted = f.Board().View().cellSize;
        Type('*');
        QCOMPARE(f.Board().View().cellSize, fitted);
    }

    void dragMovesTheHeldBlockAndRecordsItsSteps() {
        MainWindow& f = Start(QStringLiteral("*Beta"));
        // Right two cells, then back against the drag inside the same cell: nothing more.
        Drag(2, 2, 2, 4);
        QCOMPARE(Current().stepCount, 2);
        for (int i = 0; i < 2; ++i) {
            const StepRecord& s = Current().steps[std::size_t(i)];
            QCOMPARE(s.columnDelta, std::int8_t(1));
            QCOMPARE(s.rowDelta, std::int8_t(0));
            QCOMPARE(Current().steps.MoveNumber(std::size_t(i)), 1);
        }
        QCOMPARE(ctx_->board.selectedColumn, 4);
        QVERIFY(!f.Board().Dragging());

        // Diagonally with Ctrl: only across; with Alt: only down.
        Drag(2, 4, 4, 6, Qt::ControlModifier);
        QCOMPARE(ctx_->board.selectedRow, 2);
        QCOMPARE(ctx_->board.selectedColumn, 6);
        Drag(2, 6, 4, 4, Qt::AltModifier);
        QCOMPARE(ctx_->board.selectedRow, 4);
        QCOMPARE(ctx_->board.selectedColumn, 6);
        QCOMPARE(Current().stepCount, 6);
        QCOMPARE(TotalMoves(Current()), 1); // every step is the same block's

        // Alt held: the pointer goes left and the block stays. Alt released, the pointer going
        // right (against the way to the block's target) moves nothing; going left, it does.
        Mouse(QEvent::MouseButtonPress, CellCentre(4, 6), Qt::LeftButton, Qt::AltModifier);
        Mouse(QEvent::MouseMove, CellCentre(4, 4), Qt::LeftButton, Qt::AltModifier);
        QCOMPARE(Current().stepCount, 6);
        Mouse(QEvent::MouseMove, CellCentre(4, 4) + QPoint(f.Board().View().cellSize / 4, 0),
              Qt::LeftButton);
        QCOMPARE(Current().stepCount, 6);
        Mouse(QEvent::MouseMove, CellCentre(4, 4), Qt::LeftButton);
        QCOMPARE(Current().stepCount, 8);
        QCOMPARE(ctx_->board.selectedColumn, 4);
        Mouse(QEvent::MouseButtonRelease, CellCentre(4, 4), Qt::NoButton);

        // The status line follows the play.
        ctx_->options.value[kShowTotalMovesAndRecords] = true;
        ctx_->options.value[kShowMouseCoordinates] = true;
        f.UpdateCellSize(MainWindow::CellSizing::kKeep);
        f.ShowMoveCounts();
        QCOMPARE(f.findChild<QLabel*>(QStringLiteral("moveCountsPanel"))->text(),
                 QStringLiteral(" move 1/1, step 8/8, records: ?, ?"));
        QCOMPARE(f.findChild<QLabel*>(QStringLiteral("moveCountsPanel"))->toolTip(),
                 f.findChild<QLabel*>(QStringLiteral("moveCountsPanel"))->text());
        // The identifier panel names the block under the pointer and its moves.
        ctx_->options.value[kShowIdentifiersAndMoves] = true;
        f.UpdateCellSize(MainWindow::CellSizing::kKeep);
        Mouse(QEvent::MouseMove, CellCentre(1, 1), Qt::NoButton);
        QCOMPARE(f.findChild<QLabel*>(QStringLiteral("blockInfoPanel"))->text(), QString());
        Mouse(QEvent::MouseMove, CellCentre(4, 4), Qt::NoButton);
        QCOMPARE(f.findChild<QLabel*>(QStringLiteral("blockInfoPanel"))->text(),
                 QStringLiteral("\"AA\", 1"));
        // A double click makes its cell row 1, column 1.
        Mouse(QEvent::MouseButtonDblClick, CellCentre(3, 3), Qt::LeftButton);
        QCOMPARE(f.findChild<QLabel*>(QStringLiteral("coordinatesPanel"))->text(),
                 QStringLiteral(" y: 1, x: 1"));
        Mouse(QEvent::MouseMove, CellCentre(2, 2), Qt::NoButton);
        QCOMPARE(f.findChild<QLabel*>(QStringLiteral("coordinatesPanel"))->text(),
                 QStringLiteral(" y: 0, x: 0"));
    }

    void solvingCelebratesAndTheBestSolutionReturnsAtStart() {
        MainWindow& f = Start();
        Drag(2, 2, 2, 4);
        QVERIFY(IsSolved(*ctx_));
        QVERIFY(form_->Shell().alreadyCelebrated);
        QVERIFY(f.findChild<QLabel*>(QStringLiteral("celebrationHint"))->isVisible());
        QVERIFY(f.findChild<QLabel*>(QStringLiteral("celebrationHint"))
                    ->text()
                    .contains(QStringLiteral("You solved the level!")));
        QCOMPARE(f.CelebrationTicks(), 10);
        QVERIFY(QFileInfo::exists(folder_->filePath(QStringLiteral("Vorpel.sol"))));
        // Ten ticks of the timer hide it.
        for (int i = 0; i < 10; ++i) f.OnTimerTick();
        QVERIFY(!f.findChild<QLabel*>(QStringLiteral("celebrationHint"))->isVisible());

        // A new start carries the stored best out on the level, positioned at its start.
        Start(QStringLiteral("*Alpha"));
        QCOMPARE(Current().stepCount, 2);
        QCOMPARE(Current().currentStep, 0);
        QVERIFY(platform_->script->shown.empty());
    }

    // The hint floats above every window; one that takes the focus ends it.
    void aWindowTakingTheFocusEndsTheCelebration() {
        MainWindow& f = Start();
        auto* hint = f.findChild<QLabel*>(QStringLiteral("celebrationHint"));
        Drag(2, 2, 2, 4);
        QVERIFY(hint->isVisible());
        f.findChild<QTimer*>(QStringLiteral("tickTimer"))->stop(); // the ticks alone end it too
        QDialog dialog(&f);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTRY_VERIFY(!hint->isVisible());
        QCOMPARE(f.CelebrationTicks(), 0);
    }

    // Only a move, a step forward or the end of a replay celebrates; navigation never does,
    // and nothing celebrates while painting is suppressed.
    void celebrationFollowsMovesNotNavigation() {
        MainWindow& f = Start();
        auto* hint = f.findChild<QLabel*>(QStringLiteral("celebrationHint"));
        Drag(2, 2, 2, 4);
        QVERIFY(form_->Shell().alreadyCelebrated);
        const auto reset = [&] {
            form_->Shell().alreadyCelebrated = false;
            hint->hide();
        };
        // Going to the end, by key or by moves, lands on the solved board without a word.
        QTest::keyClick(&f.Board(), Qt::Key_Home);
        reset();
        QTest::keyClick(&f.Board(), Qt::Key_End);
        QVERIFY(IsSolved(*ctx_));
        QVERIFY(!form_->Shell().alreadyCelebrated && !hint->isVisible());
        Type('[');
        Type(']');
        QVERIFY(IsSolved(*ctx_) && !form_->Shell().alreadyCelebrated);
        // A step forward onto the solution celebrates.
        Type(',');
        Type('.');
        QVERIFY(form_->Shell().alreadyCelebrated && hint->isVisible());
        // So does the end of a replay, but not while painting is suppressed.
        QTest::keyClick(&f.Board(), Qt::Key_Home);
        reset();
        f.SetBusy(false, false, true);
        Type('.');
        Type('.');
        QVERIFY(IsSolved(*ctx_) && !form_->Shell().alreadyCelebrated);
        f.SetBusy(false, false, false);
        QTest::keyClick(&f.Board(), Qt::Key_Home);
        f.findChild<QTimer*>(QStringLiteral("tickTimer"))->stop();
        Type('a');
        for (int i = 0; i < 2; ++i) f.OnTimerTick();
        QVERIFY(IsSolved(*ctx_) && !form_->Shell().alreadyCelebrated);
        f.OnTimerTick();
        QVERIFY(!form_->Shell().replayRunning);
        QVERIFY(form_->Shell().alreadyCelebrated && hint->isVisible());
    }

    void commandGuardAndReplayStop() {
        MainWindow& f = Start(QStringLiteral("*Beta"));
        Drag(2, 2, 2, 5);
        QCOMPARE(Current().currentStep, 3);

        // A command that arrives while another runs is dropped.
        form_->Shell().commandRunning = true;
        Type('r');
        Mouse(QEvent::MouseButtonPress, CellCentre(2, 5), Qt::LeftButton);
        Mouse(QEvent::MouseMove, CellCentre(3, 5), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, CellCentre(3, 5), Qt::NoButton);
        QCOMPARE(Current().currentStep, 3);
        QCOMPARE(Current().stepCount, 3);
        form_->Shell().commandRunning = false;

        // Restart, then replay, one step a tick (the ticks given by hand first).
        f.findChild<QTimer*>(QStringLiteral("tickTimer"))->stop();
        QTest::keyClick(&f.Board(), Qt::Key_Home);
        QCOMPARE(Current().currentStep, 0);
        Type('a');
        QVERIFY(form_->Shell().replayRunning);
        f.OnTimerTick();
        f.OnTimerTick();
        QCOMPARE(Current().currentStep, 2);
        // Any command only ends the replay: "a" again stops it and does not restart it.
        Type('a');
        QVERIFY(form_->Shell().replayStopRequest);
        f.OnTimerTick();
        QVERIFY(!form_->Shell().replayRunning && !form_->Shell().replayStopRequest);
        QCOMPARE(Current().currentStep, 2);
        // The replay also runs on its own timer and ends at the last step.
        f.findChild<QTimer*>(QStringLiteral("tickTimer"))->start();
        Type('a');
        QTRY_VERIFY_WITH_TIMEOUT(!form_->Shell().replayRunning, 5000);
        QCOMPARE(Current().currentStep, 3);
        // A press on the board during a replay stops it.
        QTest::keyClick(&f.Board(), Qt::Key_Home);
        Type('a');
        Mouse(QEvent::MouseButtonPress, CellCentre(1, 1), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, CellCentre(1, 1), Qt::NoButton);
        QVERIFY(form_->Shell().replayStopRequest);
        f.findChild<QTimer*>(QStringLiteral("tickTimer"))->stop();
        f.OnTimerTick();
        QVERIFY(!form_->Shell().replayRunning);

        // Navigation: steps and moves back and forth.
        QTest::keyClick(&f.Board(), Qt::Key_End);
        QCOMPARE(Current().currentStep, 3);
        Type(',');
        QCOMPARE(Current().currentStep, 2);
        QCOMPARE(ctx_->board.selectedBlock, Current().steps[2].block);
        Type(']');
        QCOMPARE(Current().currentStep, 3);
        Type('[');
        QCOMPARE(Current().currentStep, 0);
        Type('.');
        QCOMPARE(Current().currentStep, 1);
        QTest::keyClick(&f.Board(), Qt::Key_PageDown);
        QCOMPARE(Current().currentStep, 3);
    }

    // The history moves are the core's: a step back never holds a block that a damaged record
    // names.
    void stepBackwardHoldsNoBlockADamagedRecordNames() {
        // Two steps right; the second record then names a block the board does not have.
        Start(QStringLiteral("*Beta"));
        Drag(2, 2, 2, 4);
        QCOMPARE(Current().currentStep, 2);
        StepRecord damaged = Current().steps[1];
        damaged.block = 99;
        ctx_->CurrentLevel().steps.Set(1, damaged);
        Type(',');
        QCOMPARE(Current().currentStep, 1);
        QCOMPARE(ctx_->board.selectedBlock, 0);
    }

    // Finishing a move from a board that has left its history rebuilds the board first.
    void finishingAMoveOffTheHistoryRebuildsTheBoard() {
        // A block under the cell the master block reaches, then a step down into the wall
        // (refused on replay) and one more right, all one move.
        const QString file = folder_->filePath(QStringLiteral("delta.txt"));
        Write(file, PictureLevelText("Delta", {"######", "#.[..#", "#@...#", "######"}));
        Start(u'"' + file + u'"');
        Drag(2, 1, 2, 3);
        Level& level = ctx_->CurrentLevel();
        QCOMPARE(level.stepCount, 2);
        StepRecord down = level.steps[1];
        down.rowDelta = 1;
        down.columnDelta = 0;
        StepRecord right = level.steps[1];
        right.row = 2;
        right.column = 2;
        level.steps.Set(1, down);
        level.steps.resize(std::max<std::size_t>(level.steps.size(), 3));
        level.steps.Set(2, right);
        level.stepCount = 3;
        QTest::keyClick(&form_->Board(), Qt::Key_Home);
        QTest::keyClick(&form_->Board(), Qt::Key_End);
        const int master = ctx_->board.BlockIndexAt(2, 3);
        QVERIFY(master >= 2 && ctx_->board.blocks[std::size_t(master)].kind == '@');
        const int other = ctx_->board.BlockIndexAt(1, 2);
        QVERIFY(other >= 2 && ctx_->board.blocks[std::size_t(other)].kind == '[');
        // Back over the refused step: the step is undone literally and the board leaves the
        // history; finishing the move gives the replayed board again.
        Type(',');
        Type(',');
        QCOMPARE(Current().currentStep, 1);
        Type(']');
        QCOMPARE(Current().currentStep, 3);
        QCOMPARE(ctx_->board.BlockIndexAt(1, 2), other);
        QCOMPARE(ctx_->board.BlockIndexAt(2, 3), master);
    }

    void levelCommandsAndKeys() {
        MainWindow& f = Start();
        // "-" on the first level goes to the last, "+" (or "=") on the last to the first.
        Type('-');
        QCOMPARE(Current().title, std::string("Gamma"));
        Type('=');
        QCOMPARE(Current().title, std::string("Alpha"));
        Type('+');
        QCOMPARE(Current().title, std::string("Beta"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Vorpel - Beta"));

        // Arrow keys: the one movable block is taken and moved.
        QTest::keyClick(&f.Board(), Qt::Key_Right);
        QTest::keyClick(&f.Board(), Qt::Key_Down);
        QCOMPARE(Current().stepCount, 2);
        QCOMPARE(ctx_->board.selectedRow, 3);
        QCOMPARE(ctx_->board.selectedColumn, 3);
        // With two candidates and none held, nothing happens.
        Type('+');
        QTest::keyClick(&f.Board(), Qt::Key_Right);
        QCOMPARE(Current().stepCount, 0);

        // F12 asks before shuffling; "No" leaves the level alone.
        QTest::keyClick(&f.Board(), Qt::Key_F12);
        QCOMPARE(platform_->script->shown.back(), std::vector<std::string>{kShuffleQuestion});
        QCOMPARE(Current().stepCount, 0);
        QVERIFY(!form_->Shell().commandsBlocked && f.TopMenu(1)->menuAction()->isEnabled());

        // Copy to the clipboard in the own format.
        QTest::keyClick(&f.Board(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("\"Gamma\"")));

        // Deleting asks first; "No" keeps the level, "Yes" removes it.
        Type('d');
        QCOMPARE(ctx_->collection.lastLevel(), 2);
        QCOMPARE(platform_->script->shown.back(),
                 std::vector<std::string>{"Delete current level from memory?"});
        platform_->script->answers.push_back({'y'});
        Type('d');
        QCOMPARE(ctx_->collection.lastLevel(), 1);
        QCOMPARE(Current().title, std::string("Alpha"));

        // Annotations are exclusive radio items, their ticks following the state.
        Type('c');
        QVERIFY((form_->Board().AnnotationMode() == Annotation::kCountMoves) &&
                f.Action(Command::CountMoves)->isChecked());
        Type('v');
        QVERIFY(!(form_->Board().AnnotationMode() == Annotation::kCountMoves) &&
                (form_->Board().AnnotationMode() == Annotation::kBlockPath));
        QVERIFY(f.Action(Command::ViewBlockPath)->isChecked() &&
                !f.Action(Command::CountMoves)->isChecked());
        Type('x');
        QVERIFY(!(form_->Board().AnnotationMode() == Annotation::kBlockPath) &&
                f.Action(Command::NoAnnotation)->isChecked());
        // "Marks over blocks" toggles its option and tick.
        Type('q');
        QVERIFY(ctx_->options[kDrawMarksOverBlocks] &&
                f.Action(Command::MarksOverBlocks)->isChecked());

        // The menus come from the tables.
        QCOMPARE(f.Action(Command::RestartLevel)->text(),
                 QStringLiteral("Restart level\tR or Home"));
        QCOMPARE(f.Action(Command::NextLevel)->text(), QStringLiteral("Next level\t+"));
        QCOMPARE(f.Action(Command::CloseProgram)->text(),
                 QStringLiteral("Close the program\tAlt+F4"));
        QVERIFY(f.Action(Command::EditLevel)->isEnabled() &&
                f.Action(Command::ReadLevels)->isEnabled());
        QVERIFY(CommandTableInEnumOrder());
        QVERIFY(CommandOfCharacter('e') == Command::EndOfLevel);
        QVERIFY(CommandOfCharacter(',') == Command::StepBackward);
        QVERIFY(!CommandOfCharacter('%'));

        // Closing asks; "No" keeps the window open.
        QVERIFY(!f.close());
        QCOMPARE(platform_->script->shown.back(),
                 std::vector<std::string>{"Really close the program?"});
        QVERIFY(f.isVisible());
        // While levels load, a close request only offers to stop the loading.
        form_->Shell().loadingLevels = true;
        platform_->script->answers.push_back({'y'});
        QVERIFY(!f.close());
        QVERIFY(form_->Shell().loadingStop.stop_requested());
        QCOMPARE(platform_->script->shown.back(),
                 std::vector<std::string>{"Stop level entry processing?"});
        form_->Shell().loadingLevels = false;
    }

    void readingTheClipboardAndDroppedFiles() {
        MainWindow& f = Start();
        // Ctrl+V reads the clipboard's levels and shows the last one.
        const std::string text =
            PictureLevelText("Epsilon", kBeta) + PictureLevelText("Zeta", kGamma);
        QGuiApplication::clipboard()->setText(FromCp1252(text));
        form_->Shell().alreadyCelebrated = true;
        QTest::keyClick(&f.Board(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ctx_->collection.lastLevel(), 4);
        QCOMPARE(Current().title, std::string("Zeta"));
        QVERIFY(!form_->Shell().alreadyCelebrated && !form_->Shell().loadingLevels);
        QVERIFY(f.acceptDrops() && f.TopMenu(0)->menuAction()->isEnabled());

        // Dropped files are read in turn, one answer for all, and open on the first new level
        // without a best solution; a name that cannot be had is reported.
        const QString one = folder_->filePath(QStringLiteral("one.txt"));
        const QString two = folder_->filePath(QStringLiteral("two.txt"));
        Write(one, PictureLevelText("Eta", kBeta));
        Write(two, PictureLevelText("Theta", kAlpha));
        f.OnDropFiles({ToFileName(one), ToFileName(two)}, true);
        QCOMPARE(ctx_->collection.lastLevel(), 6);
        QCOMPARE(Current().title, std::string("Eta"));
        QCOMPARE(platform_->script->shown.back(),
                 std::vector<std::string>{"Error when trying to get the file name."});
        // A title already taken asks Replace, Add or Cancel; Replace keeps one level, and shows
        // it.
        platform_->script->answers.push_back({'r'});
        f.OnDropFiles({ToFileName(two)}, false);
        QCOMPARE(ctx_->collection.lastLevel(), 6);
        QCOMPARE(Current().title, std::string("Theta"));
        // While the window is busy, drops are refused.
        f.SetBusy(true, true, false);
        QVERIFY(!f.acceptDrops() && !f.TopMenu(2)->menuAction()->isEnabled());
        f.OnDropFiles({ToFileName(one)}, false);
        QCOMPARE(ctx_->collection.lastLevel(), 6);
        Type('+');
        QCOMPARE(Current().title, std::string("Theta"));
        f.SetBusy(false, false, false);
        QVERIFY(f.acceptDrops());
    }

    void editorSelectionWithTheMouse() {
        MainWindow& f = Start(QStringLiteral("*Gamma"));
        std::vector<int> forwarded;
        f.SetEditorKeys([&](const KeyPress& press) { forwarded.push_back(press.key); });
        ctx_->editing = true;
        f.SetBusy(true, false, false); // as the editor holds the window
        RowSet& selection = Selected();
        selection.Clear();

        // A click toggles one cell; Shift adds the whole block at the cell (the frame here).
        Mouse(QEvent::MouseButtonPress, CellCentre(2, 2), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, CellCentre(2, 2), Qt::NoButton);
        QVERIFY(selection.Test(2, 2));
        QCOMPARE(selection.Count(kMaxRows - 1), 1);
        Mouse(QEvent::MouseButtonPress, CellCentre(0, 0), Qt::LeftButton, Qt::ShiftModifier);
        Mouse(QEvent::MouseButtonRelease, CellCentre(0, 0), Qt::NoButton);
        QCOMPARE(selection.Count(kMaxRows - 1), 1 + 16);
        // Ctrl removes the block's cells again.
        Mouse(QEvent::MouseButtonPress, CellCentre(3, 5), Qt::LeftButton, Qt::ControlModifier);
        Mouse(QEvent::MouseButtonRelease, CellCentre(3, 5), Qt::NoButton);
        QCOMPARE(selection.Count(kMaxRows - 1), 1);

        // A drag toggles the rectangle from the anchor over the selection it started with.
        Mouse(QEvent::MouseButtonPress, CellCentre(1, 1), Qt::LeftButton);
        Mouse(QEvent::MouseMove, CellCentre(1, 2), Qt::LeftButton);
        Mouse(QEvent::MouseMove, CellCentre(2, 3), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, CellCentre(2, 3), Qt::NoButton);
        QVERIFY(!f.Board().SelectingCells());
        QCOMPARE(selection.Count(kMaxRows - 1), 5); // six cells toggled over the one selected
        QVERIFY(!selection.Test(2, 2) && selection.Test(1, 1) && selection.Test(2, 3));
        QCOMPARE(Current().stepCount, 0);

        // Commands go to the editor, the zoom keys stay the window's.
        Type('n');
        QTest::keyClick(&f.Board(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(&f.Board(), Qt::Key_F12);
        QTest::keyClick(&f.Board(), Qt::Key_Escape);
        QCOMPARE(forwarded, (std::vector<int>{Qt::Key_N, Qt::Key_V, Qt::Key_F12, Qt::Key_Escape}));
        const int size = f.Board().View().cellSize;
        Type('/');
        QVERIFY(f.Board().View().cellSize < size || size == kMinCellSize);
        ctx_->editing = false;
        f.SetBusy(false, false, false);
    }
};

VORPEL_APP_TEST(MainWindowTest)

#include "main_window_test.moc"
