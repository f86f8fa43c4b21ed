// Replay and positions in the main window: the replay's speed and its timer, go to move in
// player steps on a Sokoban level, and the snapshot commands.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "PictureLevels.h"
#include "app/BoardView.h"
#include "app/GoToMoveDialog.h"
#include "app/MainWindow.h"
#include "app/ReplaySpeed.h"
#include "app/SliderField.h"
#include "app/SnapshotsDialog.h"
#include "model/Level.h"
#include "model/Sokoban.h"
#include "model/Solved.h"

using namespace vorpel;

namespace {

// The player at (1, 1), a box at (1, 3) and its goal at (1, 6); the history walks one step and
// pushes the box three steps onto the goal, all one move of the player.
std::string RoomText() {
    const char* const rows[] = {
        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
        ".#.. .[.. .... .V.. .... .... +... .#..",
        ".#.. .... .... .... .... .... .... .#..",
        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
    };
    std::string text = "\"Room\"\r\n";
    for (std::string row : rows) {
        std::erase(row, ' ');
        text += row + "\r\n";
    }
    return text + " 1)  1,  1:  >>>>\r\n" +
           test::PictureLevelText("Plain", {"######", "#.@..#", "######"},
                                  " 1)  1,  2:  >\r\n 2)  1,  3:  >\r\n");
}

} // namespace

class ReplayTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    const Level& Current() const { return ctx_->CurrentLevel(); }
    void Type(char c) { QTest::keyClick(&form_->Board(), c); }
    QTimer* ReplayTimer() const { return form_->findChild<QTimer*>(QStringLiteral("replayTimer")); }

private Q_SLOTS:
    void init() { NewFolder(RoomText()); }
    void cleanup() { Stop(); }

    void replayIntervalFollowsTheSpeed() {
        const struct {
            int speed;
            double refreshRate;
            int interval;
        } cases[] = {
            {1, 60, 1000}, {4, 60, kTickInterval},
            {60, 60, 17},  {99, 60, 17},
            {0, 60, 16},   {0, 144, 6},
            {0, 0, 16},    {0, 2000, 1},
        };
        for (const auto& c : cases) QCOMPARE(ReplayInterval(c.speed, c.refreshRate), c.interval);
    }

    // The default speed rides the tick timer as it always did; another speed runs a timer of
    // its own, which a stop ends within a tick of the other.
    void replayRunsAtTheChosenSpeed() {
        MainWindow& f = Start(QStringLiteral("*Room"));
        QCOMPARE(Current().stepCount, 4);
        QCOMPARE(Current().currentStep, 0);
        Type('a');
        QVERIFY(f.Shell().replayRunning);
        QVERIFY(!ReplayTimer()->isActive());
        Type('a');
        f.OnTimerTick();
        QVERIFY(!f.Shell().replayRunning);

        // One step a second: the first tick of the replay timer is a second away, and a stop
        // does not wait for it.
        QTest::keyClick(&f.Board(), Qt::Key_Home);
        ctx_->options.replaySpeed = 1;
        Type('a');
        QVERIFY(ReplayTimer()->isActive());
        QCOMPARE(ReplayTimer()->interval(), 1000);
        Type('a');
        f.OnTimerTick();
        QVERIFY(!f.Shell().replayRunning);
        QVERIFY(!ReplayTimer()->isActive());
        QCOMPARE(Current().currentStep, 0);

        // As fast as the screen paints: the replay reaches the end and celebrates there.
        ctx_->options.replaySpeed = kReplayAsFastAsPaint;
        f.findChild<QTimer*>(QStringLiteral("tickTimer"))->stop();
        Type('a');
        QVERIFY(ReplayTimer()->interval() < kTickInterval);
        QTRY_VERIFY_WITH_TIMEOUT(!f.Shell().replayRunning, 2000);
        QVERIFY(!ReplayTimer()->isActive());
        QCOMPARE(Current().currentStep, 4);
        QVERIFY(IsSolved(*ctx_));
        QVERIFY(f.Shell().alreadyCelebrated);
    }

    // On a Sokoban level the slider counts player steps; on another level it counts moves.
    void goToMoveCountsPlayerStepsOnSokobanLevels() {
        MainWindow& f = Start(QStringLiteral("*Room"));
        QCOMPARE(TotalMoves(Current()), 1);
        f.Session().GoToStep(1);
        {
            GoToMoveDialog dialog(f.Session(), f);
            QCOMPARE(dialog.moveSlider->slider->maximum(), 4);
            QCOMPARE(dialog.StartMove(), 1);
            dialog.moveSlider->SetValue(3); // one step and two pushes
            QCOMPARE(Current().currentStep, 3);
            QCOMPARE(KindAt(1, 4), kNormalKind);
            QCOMPARE(KindAt(1, 5), kMasterBoxKind);
            dialog.currentPositionButton->click();
            QCOMPARE(dialog.moveSlider->Value(), 1);
            dialog.moveSlider->SetValue(4);
            dialog.cancelButton->click();
        }
        QCOMPARE(Current().currentStep, 1);
        WithModal<GoToMoveDialog>(Command::GoToMove, [](GoToMoveDialog& d) {
            d.moveSlider->SetValue(2);
            d.okButton->click();
        });
        QCOMPARE(Current().currentStep, 2);
        QCOMPARE(KindAt(1, 4), kMasterBoxKind);

        // The plain level's two steps are two moves of its block, as before.
        f.ChangeLevel(1, false);
        QVERIFY(!IsSokobanLevel(Current()));
        WithModal<GoToMoveDialog>(Command::GoToMove, [this](GoToMoveDialog& d) {
            QCOMPARE(d.moveSlider->slider->maximum(), TotalMoves(Current()));
            d.moveSlider->SetValue(1);
            QCOMPARE(CurrentMove(Current()), 1);
        });
    }

    // Positions kept under names: saved, the play moved on, and gone back to.
    void snapshotsSaveMoveOnAndGoBack() {
        MainWindow& f = Start(QStringLiteral("*Room"));
        std::deque<BoxAnswer>& answers = platform_->script->answers;
        const std::vector<Snapshot>& snapshots = Current().snapshots;
        f.Session().GoToStep(2);
        WithModal<SnapshotNameDialog>(Command::SavePosition, [](SnapshotNameDialog& d) {
            QCOMPARE(d.nameEdit->text(), QStringLiteral("Snapshot 1"));
            d.nameEdit->setText(QStringLiteral(" "));
            QVERIFY(!d.okButton->isEnabled());
            d.nameEdit->setText(QStringLiteral("two \"steps\""));
            d.okButton->click();
        });
        QTest::keyClick(&f.Board(), Qt::Key_End);
        WithModal<SnapshotNameDialog>(Command::SavePosition,
                                      [](SnapshotNameDialog& d) { d.okButton->click(); });
        QCOMPARE(snapshots,
                 (std::vector<Snapshot>{{"two  steps ", "1,1:>>"}, {"Snapshot 2", "1,1:>>>>"}}));
        // A name taken asks first; No leaves the dialog open and the snapshot as it was.
        WithModal<SnapshotNameDialog>(Command::SavePosition, [&](SnapshotNameDialog& d) {
            d.nameEdit->setText(QStringLiteral("Snapshot 2"));
            answers.push_back({'n'});
            d.okButton->click();
            QVERIFY(d.isVisible());
        });
        QCOMPARE(platform_->script->shown.back().back(), std::string("Replace it?"));
        QCOMPARE(snapshots.size(), std::size_t{2});

        // Back to the first: the history it begins stays for redo.
        WithModal<SnapshotsDialog>(Command::SavedPositions, [](SnapshotsDialog& d) {
            QCOMPARE(d.snapshotList->count(), 2);
            QCOMPARE(d.snapshotList->item(0)->text(), QStringLiteral("two  steps "));
            d.goToButton->click();
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(Current().currentStep, 2);
        QCOMPARE(Current().stepCount, 4);
        // The play goes another way; going to the solved position would drop that step, so it
        // asks, and only Yes goes.
        QTest::keyClick(&f.Board(), Qt::Key_Down);
        QCOMPARE(Current().stepCount, 3);
        for (const char answer : {'n', 'y'}) {
            WithModal<SnapshotsDialog>(Command::SavedPositions, [&](SnapshotsDialog& d) {
                d.snapshotList->setCurrentRow(1);
                answers.push_back({answer});
                d.goToButton->click();
                QCOMPARE(d.isVisible(), answer == 'n');
            });
            QCOMPARE(Current().currentStep, answer == 'n' ? 3 : 4);
        }
        QVERIFY(IsSolved(*ctx_));
        QCOMPARE(KindAt(1, 6), kMasterBoxKind);

        WithModal<SnapshotsDialog>(Command::SavedPositions, [&](SnapshotsDialog& d) {
            answers.push_back({'y'});
            d.deleteButton->click();
            QCOMPARE(d.snapshotList->count(), 1);
        });
        QCOMPARE(snapshots, (std::vector<Snapshot>{{"Snapshot 2", "1,1:>>>>"}}));
    }
};

VORPEL_APP_TEST(ReplayTest)

#include "replay_test.moc"
