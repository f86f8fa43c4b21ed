// Solve and Hint in the main window: the solver on its worker thread, its result in the history,
// the question before moves are dropped, Stop, and the hint's outline and accept key.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "PictureLevels.h"
#include "app/BoardView.h"
#include "app/MainWindow.h"
#include "app/SolveWindow.h"
#include "model/Solved.h"

using namespace vorpel;

namespace {

// The player at (1, 1), a box at (1, 3) and its goal at (1, 6), in a room of three rows.
std::string RoomText() {
    std::string text = "\"Room\"\r\n";
    for (std::string row :
         {".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..", ".#.. .[.. .... .V.. .... .... +... .#..",
          ".#.. .... .... .... .... .... .... .#..", ".#.. .... .... .... .... .... .... .#..",
          ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.."}) {
        std::erase(row, ' ');
        text += row + "\r\n";
    }
    return text;
}

// Six blocks and a master block in an open room, the master's destination walled off: the
// search has a vast space to go through before it finds there is no solution.
std::string VastText() {
    return test::PictureLevelText("Vast",
                                  {"############", "#@         #", "#  [  [    #", "#          #",
                                   "#   [   [  #", "#          #", "#  [    [  #", "#          #",
                                   "#          #", "#        ###", "#        #+#", "############"});
}

constexpr int kWait = 5000;

} // namespace

class SolveWindowTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    const Level& Current() const { return ctx_->CurrentLevel(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&form_->Board(), key, modifiers);
    }
    SolveWindow& Window() {
        Key(Qt::Key_F11);
        auto* window = form_->findChild<SolveWindow*>();
        if (!window) qFatal("F11 opened no Solve window");
        return *window;
    }
    // Starts the window's search and waits for its result.
    QString Solve(SolveWindow& window, bool fromStart) {
        (fromStart ? window.fromStartButton : window.fromCurrentButton)->setChecked(true);
        window.startButton->click();
        if (!QTest::qWaitFor([&] { return !window.Running(); }, kWait)) return "still running";
        return window.resultLabel->text();
    }
    bool HintOutlinedAt(int row, int column) const {
        const ViewGeometry& v = form_->Board().View();
        const int inset = std::max(2, v.cellSize / 8) / 2;
        const QImage shown = form_->Board().grab().toImage();
        return shown.pixel(v.offsetX + column * v.cellSize + inset,
                           v.offsetY + row * v.cellSize + v.cellSize / 2) == kHintColour;
    }

private Q_SLOTS:
    void init() { NewFolder(RoomText() + VastText()); }
    void cleanup() { Stop(); }

    void solveFromTheStartPutsASolutionThatReplaysToSolved() {
        Start(QStringLiteral("*Room"));
        SolveWindow& window = Window();
        QVERIFY(window.isVisible());
        QVERIFY2(Solve(window, true).startsWith(QStringLiteral("Solved: ")),
                 qPrintable(window.resultLabel->text()));
        QCOMPARE(Current().currentStep, 0);
        QVERIFY(Current().stepCount >= 4);
        QVERIFY(platform_->script->shown.empty()); // nothing to drop, nothing asked
        Key(Qt::Key_E);
        QVERIFY(IsSolved(*ctx_));
    }

    // Solving from a position with moves after it asks first: No keeps the moves, Yes puts the
    // solution after the position; at the end of the history nothing is asked.
    void askBeforeDroppingMoves() {
        Start(QStringLiteral("*Room"));
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right}) Key(key);
        QCOMPARE(Current().stepCount, 3);
        Key(Qt::Key_Comma); // back one step: two steps before the position, one after
        SolveWindow& window = Window();
        platform_->script->answers.push_back({'n'});
        QVERIFY(Solve(window, false).contains(QStringLiteral("were kept")));
        QCOMPARE(platform_->script->shown.size(), std::size_t{1});
        QVERIFY(platform_->script->shown[0][0].find("replaces the 1 steps") != std::string::npos);
        QCOMPARE(Current().stepCount, 3);
        QCOMPARE(Current().currentStep, 2);

        platform_->script->answers.push_back({'y'});
        QVERIFY(Solve(window, false).startsWith(QStringLiteral("Solved: ")));
        QCOMPARE(platform_->script->shown.size(), std::size_t{2});
        QCOMPARE(Current().currentStep, 2);
        QVERIFY(Current().stepCount > 3);
        QCOMPARE(Current().steps[1].columnDelta, std::int8_t{1}); // the steps before it stay
        Key(Qt::Key_E);
        QVERIFY(IsSolved(*ctx_));

        // Moves made while it solves leave the result unused.
        Key(Qt::Key_Home);
        window.fromCurrentButton->setChecked(true);
        window.startButton->click();
        Key(Qt::Key_Down);
        QVERIFY(QTest::qWaitFor([&] { return !window.Running(); }, kWait));
        QVERIFY(window.resultLabel->text().contains(QStringLiteral("changed")));
        QCOMPARE(Current().stepCount, 1);
    }

    // Stop ends a long search and says so; so does closing the window, and closing the program
    // waits for the worker.
    void stopEndsALongSolve() {
        Start(QStringLiteral("*Vast"));
        SolveWindow& window = Window();
        window.secondsBox->setValue(0);
        window.startButton->click();
        QTest::qWait(300);
        QVERIFY(window.Running());
        QVERIFY(window.progressLabel->text().startsWith(QStringLiteral("Positions: ")));
        QVERIFY(!window.startButton->isEnabled());
        window.stopButton->click();
        QVERIFY(QTest::qWaitFor([&] { return !window.Running(); }, kWait));
        QVERIFY2(window.resultLabel->text().startsWith(QStringLiteral("Stopped after ")),
                 qPrintable(window.resultLabel->text()));
        QCOMPARE(Current().stepCount, 0);

        window.startButton->click();
        QVERIFY(window.Running());
        window.closeButton->click();
        QVERIFY(QTest::qWaitFor([&] { return !window.Running(); }, kWait));
        QVERIFY(window.resultLabel->text().startsWith(QStringLiteral("Stopped after ")));

        Window().startButton->click();
        QVERIFY(window.Running());
        platform_->script->answers.push_back({'y'}); // "Really close the program?"
        form_->close();
        QVERIFY(!window.Running());
    }

    // The hint outlines the box to push; Enter walks to it and pushes it; any other move drops
    // the hint.
    void hintShowsAMoveAndEnterMakesIt() {
        Start(QStringLiteral("*Room"));
        Key(Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QTest::qWaitFor([&] { return form_->Board().Hint().has_value(); }, kWait));
        const BoardHint hint = *form_->Board().Hint();
        QCOMPARE(hint.row, 1);
        QCOMPARE(hint.column, 3);
        QVERIFY(hint.path.size() >= 2);
        QVERIFY(HintOutlinedAt(1, 3));
        QVERIFY(!HintOutlinedAt(1, 1));
        QCOMPARE(Current().stepCount, 0);

        Key(Qt::Key_Return);
        QCOMPARE(Current().stepCount, static_cast<int>(hint.steps.size()));
        QVERIFY(!form_->Board().Hint());
        QVERIFY(!HintOutlinedAt(1, 3));
        const auto [row, column] = hint.path.back();
        QCOMPARE(ctx_->board.blocks[ctx_->board.BlockIndexAt(row, column)].kind, kMasterBoxKind);

        // The keypad's Enter takes it as well.
        Key(Qt::Key_Home);
        Key(Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QTest::qWaitFor([&] { return form_->Board().Hint().has_value(); }, kWait));
        Key(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(Current().stepCount, static_cast<int>(hint.steps.size()));

        Key(Qt::Key_Home);
        Key(Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QTest::qWaitFor([&] { return form_->Board().Hint().has_value(); }, kWait));
        Key(Qt::Key_Down);
        QVERIFY(!form_->Board().Hint());
        Key(Qt::Key_Return); // no hint: nothing
        QCOMPARE(Current().stepCount, 1);
    }
};

VORPEL_APP_TEST(SolveWindowTest)

#include "solve_window_test.moc"
