// Sokoban play in the main window: the moves and pushes in the status bar, shown on Sokoban
// levels whatever the option says, and the player walked and boxes pushed by clicks.
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "PictureLevels.h"
#include "app/BoardView.h"
#include "app/MainWindow.h"
#include "model/Solved.h"

using namespace vorpel;

namespace {

// The player at (1, 1), a box at (1, 3) and its goal at (1, 6), in a room of three rows.
const char* const kRoom[] = {
    ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..", ".#.. .[.. .... .V.. .... .... +... .#..",
    ".#.. .... .... .... .... .... .... .#..", ".#.. .... .... .... .... .... .... .#..",
    ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
};

std::string RoomText() {
    std::string text = "\"Room\"\r\n";
    for (std::string row : kRoom) {
        std::erase(row, ' ');
        text += row + "\r\n";
    }
    return text + test::PictureLevelText("Plain", {"#####", "#.@+#", "#####"});
}

} // namespace

class SokobanPlayTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    const Level& Current() const { return ctx_->CurrentLevel(); }

    QPoint CellCentre(int row, int column) const {
        const ViewGeometry& v = form_->Board().View();
        return {v.offsetX + column * v.cellSize + v.cellSize / 2,
                v.offsetY + row * v.cellSize + v.cellSize / 2};
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(form_->Board().mapToGlobal(at)), button,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(&form_->Board(), &event);
    }

    // Press and release on one cell, the pointer wandering inside it.
    void Click(int row, int column) {
        const QPoint at = CellCentre(row, column);
        Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
        Mouse(QEvent::MouseMove, at + QPoint(1, 1), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, at + QPoint(1, 1), Qt::NoButton);
    }

    // Whether the board view shows the picked box's outline at a cell.
    bool OutlinedAt(int row, int column) const {
        const ViewGeometry& v = form_->Board().View();
        const QImage shown = form_->Board().grab().toImage();
        const QColor colour = shown.pixelColor(v.offsetX + column * v.cellSize + 1,
                                               v.offsetY + row * v.cellSize + v.cellSize / 2);
        return colour == form_->Board().palette().color(QPalette::Highlight);
    }

    QString Counts() const {
        return form_->findChild<QLabel*>(QStringLiteral("moveCountsPanel"))->text();
    }

private Q_SLOTS:
    void init() { NewFolder(RoomText()); }
    void cleanup() { Stop(); }

    // With the option off, a Sokoban level shows its counts and another level shows none; the
    // option stays off.
    void sokobanLevelsShowMovesAndPushes() {
        Start(QStringLiteral("*Room"));
        QVERIFY(!ctx_->options[kShowTotalMovesAndRecords]);
        QCOMPARE(Counts(), QStringLiteral(" moves 0/0, pushes 0/0, record: ?"));
        Click(3, 2); // a walk of three steps
        QCOMPARE(Counts(), QStringLiteral(" moves 3/3, pushes 0/0, record: ?"));
        Start(QStringLiteral("*Plain"));
        QVERIFY(!ctx_->options[kShowTotalMovesAndRecords]);
        QCOMPARE(Counts(), QString());
    }

    void clickWalksThePlayerByAShortestPath() {
        Start(QStringLiteral("*Room"));
        // A wall, the player's own cell and a cell off the board do nothing.
        for (const QPoint cell : {QPoint(0, 1), QPoint(1, 1), QPoint(1, 9)}) {
            Click(cell.x(), cell.y());
            QCOMPARE(Current().stepCount, 0);
        }
        Click(3, 5);
        QCOMPARE(Current().stepCount, 6);
        QCOMPARE(KindAt(3, 5), kNormalKind);
        QCOMPARE(KindAt(1, 3), kMasterBoxKind); // the walk went round the box
        // Undone, each step goes back as a typed one would.
        QTest::keyClick(&form_->Board(), Qt::Key_Home);
        QCOMPARE(Current().currentStep, 0);
        QCOMPARE(KindAt(1, 1), kNormalKind);
    }

    void clickOnABoxThenACellPushesIt() {
        Start(QStringLiteral("*Room"));
        QVERIFY(!OutlinedAt(1, 3));
        Click(1, 3);
        QVERIFY(form_->Board().BoxPicked());
        QVERIFY(OutlinedAt(1, 3));
        QCOMPARE(Current().stepCount, 0);
        Click(0, 3); // a wall: nothing, and the box is let go
        QVERIFY(!form_->Board().BoxPicked());
        QVERIFY(!OutlinedAt(1, 3));
        QCOMPARE(Current().stepCount, 0);
        // Going back in the history lets go of a picked box.
        Click(1, 3);
        QTest::keyClick(&form_->Board(), Qt::Key_Home);
        QVERIFY(!form_->Board().BoxPicked());
        Click(1, 3);
        Click(1, 6);
        QCOMPARE(KindAt(1, 6), kMasterBoxKind);
        QCOMPARE(Current().stepCount, 4); // one step to the box, three pushes
        QCOMPARE(Counts(), QStringLiteral(" moves 4/4, pushes 3/3, record: ?"));
        QVERIFY(IsSolved(*ctx_));
        QVERIFY(form_->Shell().alreadyCelebrated);
    }

    // A push after a walk goes on from where the walk left the player; steps back along the walk
    // take its steps back, as typed ones would, so the history holds no step and its reverse.
    void aPushAfterAWalkTakesBackTheStepsItRetraces() {
        Start(QStringLiteral("*Room"));
        Click(3, 1); // two steps down
        QCOMPARE(Current().stepCount, 2);
        Click(1, 3);
        Click(1, 6); // two steps up again, then three pushes
        QCOMPARE(KindAt(1, 6), kMasterBoxKind);
        QCOMPARE(KindAt(1, 5), kNormalKind);
        QCOMPARE(Current().stepCount, 4);
        QCOMPARE(Counts(), QStringLiteral(" moves 4/4, pushes 3/3, record: ?"));
    }

    // A drag still moves the player a step at a time and is no click at its end.
    void dragWorksAsBefore() {
        Start(QStringLiteral("*Room"));
        Mouse(QEvent::MouseButtonPress, CellCentre(1, 1), Qt::LeftButton);
        Mouse(QEvent::MouseMove, CellCentre(2, 1), Qt::LeftButton);
        Mouse(QEvent::MouseMove, CellCentre(3, 1), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, CellCentre(3, 1), Qt::NoButton);
        QCOMPARE(Current().stepCount, 2);
        QCOMPARE(KindAt(3, 1), kNormalKind);
    }
};

VORPEL_APP_TEST(SokobanPlayTest)

#include "sokoban_play_test.moc"
