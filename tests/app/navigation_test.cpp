// The windows that find the way through levels and moves, wired to the main window: level list,
// move list, go-to-move, title and best-solution dialogs, with message boxes answered by a script.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "PictureLevels.h"
#include "app/BestSolutionDialog.h"
#include "app/BoardView.h"
#include "app/GoToMoveDialog.h"
#include "app/LevelListWindow.h"
#include "app/MainWindow.h"
#include "app/MoveListWindow.h"
#include "app/QtPlatform.h"
#include "app/SliderField.h"
#include "app/TitleDialog.h"
#include "files/BestSolutions.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

using namespace vorpel;

namespace {

using test::PictureLevelText;

const std::vector<std::string> kRoom = {"#########", "#.......#", "#.@.....#",
                                        "#.......#", "#.....[.#", "#########"};
// Beta's three moves: the master block right three, the other block up one, the master block
// left two.
const std::string kBetaMoves = " 1)  2,  2:  >>>\r\n 2)  4,  6:  ^\r\n 3)  2,  5:  <<\r\n";

} // namespace

class NavigationTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    const Level& Current() const { return ctx_->CurrentLevel(); }
    std::vector<std::vector<std::string>>& Shown() { return platform_->script->shown; }

private Q_SLOTS:
    void init() {
        NewFolder(PictureLevelText("Alpha", kRoom) + PictureLevelText("Beta", kRoom, kBetaMoves) +
                  PictureLevelText("Gamma", kRoom));
        QLocale::setDefault(QLocale::c());
    }

    void cleanup() {
        Stop();
        QLocale::setDefault(QLocale::system());
    }

    void commandsAreOffered() {
        MainWindow& f = Start();
        for (const Command command : {Command::LevelList, Command::MoveList, Command::ChangeTitle,
                                      Command::BestSolution, Command::GoToMove})
            QVERIFY(f.Action(command)->isEnabled());
        QCOMPARE(TotalMoves(ctx_->collection.levels[1]), 3);
    }

    void titleDialogRefusesInvalidAndWarnsOfDuplicatedTitles() {
        MainWindow& f = Start();
        {
            TitleDialog dialog(f.Session(), f, "Alpha");
            QCOMPARE(dialog.windowTitle(), QStringLiteral(" Title change"));
            QCOMPARE(dialog.originalLabel->text(), QStringLiteral("Alpha"));
            QVERIFY(dialog.okButton->isEnabled() && dialog.invalidLabel->text().isEmpty());
            const struct {
                const char* text;
                bool ok;
                const char* warning;
            } cases[] = {
                {"", false, "Invalid title."},
                {"   ", false, "Invalid title."},
                {" A", false, "Invalid title."},
                {"Beta", true, "Duplicated title."},
                {"Delta", true, ""},
            };
            for (const auto& c : cases) {
                dialog.nameEdit->setText(QString::fromLatin1(c.text));
                QCOMPARE(dialog.okButton->isEnabled(), c.ok);
                QCOMPARE(dialog.invalidLabel->text(), QString::fromLatin1(c.warning));
            }
            dialog.currentTitleButton->click();
            QCOMPARE(dialog.nameEdit->text(), QStringLiteral("Alpha"));
        }
        // T stores the new title and shows it in the caption; Cancel keeps the old one.
        WithModal<TitleDialog>(Command::ChangeTitle, [](TitleDialog& d) {
            d.nameEdit->setText(QStringLiteral("Alpha \xE9t\xE9"));
            d.okButton->click();
        });
        QCOMPARE(Current().title, std::string("Alpha \xE9t\xE9"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Vorpel - Alpha \u00E9t\u00E9"));
        WithModal<TitleDialog>(Command::ChangeTitle, [](TitleDialog& d) {
            d.nameEdit->setText(QStringLiteral("Other"));
            d.cancelButton->click();
        });
        QCOMPARE(Current().title, std::string("Alpha \xE9t\xE9"));
    }

    void goToMoveFollowsTheSliderAndKeepsTheChosenMove() {
        MainWindow& f = Start();
        f.ChangeLevel(1, false);
        f.ShowMove(3);
        {
            GoToMoveDialog dialog(f.Session(), f);
            QCOMPARE(dialog.windowTitle(), QStringLiteral(" Go to move"));
            QCOMPARE(CurrentMove(Current()), 0); // the last chosen move, at once
            QCOMPARE(dialog.moveSlider->slider->maximum(), 3);
            dialog.moveSlider->SetValue(2);
            QCOMPARE(CurrentMove(Current()), 2);
            // The wheel turned forward lowers the value.
            QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(dialog.moveSlider->slider, &wheel);
            QCOMPARE(dialog.moveSlider->Value(), 1);
            QCOMPARE(CurrentMove(Current()), 1);
            dialog.currentPositionButton->click();
            QCOMPARE(dialog.moveSlider->Value(), 3);
            dialog.moveSlider->SetValue(2);
            dialog.cancelButton->click(); // back where the level was
        }
        QCOMPARE(CurrentMove(Current()), 3);
        QCOMPARE(f.Memory().navigation.goToMove.lastChosenMove, 0);
        WithModal<GoToMoveDialog>(Command::GoToMove, [](GoToMoveDialog& d) {
            d.moveSlider->SetValue(2);
            d.okButton->click();
        });
        QCOMPARE(CurrentMove(Current()), 2);
        QCOMPARE(f.Memory().navigation.goToMove.lastChosenMove, 2);
        // The next opening starts on the move chosen; Cancel returns to the start position.
        f.ShowMove(1);
        WithModal<GoToMoveDialog>(Command::GoToMove, [this](GoToMoveDialog& d) {
            QCOMPARE(CurrentMove(Current()), 2);
            QCOMPARE(d.StartMove(), 1);
        });
        QCOMPARE(CurrentMove(Current()), 1);
        // A level without moves: the slider is off and OK keeps move 0.
        f.ChangeLevel(0, false);
        WithModal<GoToMoveDialog>(Command::GoToMove, [](GoToMoveDialog& d) {
            QVERIFY(!d.moveSlider->isEnabled());
            d.okButton->click();
        });
        QCOMPARE(f.Memory().navigation.goToMove.lastChosenMove, 0);
    }

    void bestSolutionDialogWritesAppliesAndErases() {
        MainWindow& f = Start();
        f.ChangeLevel(1, false);
        {
            BestSolutionDialog dialog(f.Session(), f);
            QVERIFY(
                dialog.messagesLabel->text().startsWith(QStringLiteral("Best solution file \"")));
            QVERIFY(!dialog.applyButton->isEnabled() && !dialog.eraseButton->isEnabled());
            dialog.writeButton->click();
        }
        {
            BestSolutionDialog dialog(f.Session(), f);
            QCOMPARE(dialog.messagesLabel->text(),
                     QStringLiteral("Move list:\nMoves: 3\nSteps: 6"));
            QVERIFY(dialog.applyButton->isEnabled() && dialog.eraseButton->isEnabled());
        }
        // Apply carries the stored moves out and goes back to the start to replay them.
        f.ShowMove(1);
        WithModal<BestSolutionDialog>(Command::BestSolution,
                                      [](BestSolutionDialog& d) { d.applyButton->click(); });
        QCOMPARE(TotalMoves(Current()), 3);
        QCOMPARE(CurrentMove(Current()), 0);
        QVERIFY(Shown().empty());
        WithModal<BestSolutionDialog>(Command::BestSolution,
                                      [](BestSolutionDialog& d) { d.eraseButton->click(); });
        BestSolutionDialog after(f.Session(), f);
        QCOMPARE(after.messagesLabel->text(), QString::fromLatin1(kBestSolutionNotFound));
        QVERIFY(!after.applyButton->isEnabled());
    }

    void moveListSelectsCopiesAndAppliesLines() {
        MainWindow& f = Start();
        f.ChangeLevel(1, false);
        form_->Shell().alreadyCelebrated = true;
        f.Action(Command::MoveList)->trigger();
        QVERIFY(!form_->Shell().alreadyCelebrated);
        MoveListWindow* window = f.Memory().navigation.moveList.window;
        QVERIFY(window != nullptr && window->isVisible());
        MoveGrid& grid = *window->moveGrid;
        QCOMPARE(grid.Lines(),
                 (std::vector<std::string>{"   1)  2,  2,  2,  5: >>>", "   2)  4,  6,  3,  6: ^",
                                           "   3)  2,  5,  2,  3: <<"}));
        // Click, Ctrl-click, Shift-click from the anchor, then Shift+Down.
        QWidget* area = grid.viewport();
        const auto line = [](int n) { return QPoint(20, n * MoveGrid::kLineHeight + 8); };
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, line(0));
        QTest::mouseClick(area, Qt::LeftButton, Qt::ControlModifier, line(2));
        QCOMPARE(grid.SelectedLines(), (std::vector<int>{0, 2}));
        QTest::mouseClick(area, Qt::LeftButton, Qt::ShiftModifier, line(1));
        QCOMPARE(grid.SelectedLines(), (std::vector<int>{0, 1}));
        QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid.SelectedLines(), (std::vector<int>{0, 1, 2}));
        QTest::keyClick(&grid, Qt::Key_Home);
        QCOMPARE(grid.SelectedLines(), (std::vector<int>{0}));
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier); // toggles the lines passed
        QCOMPARE(grid.SelectedLines(), (std::vector<int>{0, 1, 2}));

        // Restart, then apply every line again: the history comes back.
        window->restartButton->click();
        QCOMPARE(CurrentMove(Current()), 0);
        window->applyButton->click();
        QCOMPARE(TotalMoves(Current()), 3);
        QCOMPARE(CurrentMove(Current()), 3);
        QVERIFY(Shown().empty());
        // From the end the first line names no block: applying stops there and says so.
        window->applyButton->click();
        QCOMPARE(Shown().size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(Shown()[0][0]),
                 QStringLiteral("Error at move    1)  2,  2,  2,  5: >>>."));
        QCOMPARE(TotalMoves(Current()), 3);

        // Nothing happens on the board while a command runs, or while commands are blocked.
        for (bool* flag :
             {&form_->Shell().commandRunning, &form_->Shell().commandsBlocked, &ctx_->editing}) {
            *flag = true;
            window->restartButton->click();
            QCOMPARE(CurrentMove(Current()), 3);
            *flag = false;
        }

        // The clipboard both ways, by buttons and by typed characters.
        QTest::keyClick(window, '.');
        QCOMPARE(platform_->ClipboardText().value(),
                 std::string("   1)  2,  2,  2,  5: >>>\r\n   2)  4,  6,  3,  6: ^\r\n"
                             "   3)  2,  5,  2,  3: <<\r\n"));
        platform_->SetClipboardText(" a\r\nskipped\r\n b");
        QTest::keyClick(window, '<');
        QCOMPARE(grid.Lines(), (std::vector<std::string>{" a", " b"}));
        QCOMPARE(grid.AnchorLine(), -1);

        // The stored solution, numbered.
        QVERIFY(SaveBestSolution(*ctx_, false));
        window->bestSolutionButton->click();
        QCOMPARE(grid.Lines(),
                 (std::vector<std::string>{" 1)  2,  2: >>>", " 2)  4,  6: ^", " 3)  2,  5: <<"}));

        // Coordinates from a moved origin; a double click applies the line clicked.
        const ViewGeometry& view = f.Board().View();
        const QPoint cell(view.offsetX + 2 * view.cellSize + view.cellSize / 2,
                          view.offsetY + 2 * view.cellSize + view.cellSize / 2);
        QMouseEvent boardDoubleClick(QEvent::MouseButtonDblClick, QPointF(cell),
                                     QPointF(f.Board().mapToGlobal(cell)), Qt::LeftButton,
                                     Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f.Board(), &boardDoubleClick);
        QCOMPARE(f.Board().OriginRow(), 1);
        QCOMPARE(f.Board().OriginColumn(), 1);
        window->currentLevelButton->click();
        QCOMPARE(grid.Lines()[0], std::string("   1)  1,  1,  1,  4: >>>"));
        window->restartButton->click();
        window->selectAllButton->click();
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, line(0));
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(line(0)),
                                QPointF(area->mapToGlobal(line(0))), Qt::LeftButton, Qt::LeftButton,
                                Qt::NoModifier);
        QApplication::sendEvent(area, &doubleClick);
        QCOMPARE(CurrentMove(Current()), 1);
        QCOMPARE(Current().stepCount, 3);
        QCOMPARE(Shown().size(), std::size_t(1));

        // A second M brings the same window forward; its placement outlives it.
        f.Action(Command::MoveList)->trigger();
        QCOMPARE(f.Memory().navigation.moveList.window.data(), window);
        window->move(window->pos() + QPoint(7, 5));
        const QRect placed = window->geometry();
        window->close();
        QTRY_VERIFY(f.Memory().navigation.moveList.window.isNull());
        MoveListWindow& again = ShowMoveList(f.Session(), f);
        QCOMPARE(again.size(), placed.size());
        again.close();
    }

    void moveListPaintsOnlyTheVisibleLines() {
        MainWindow& f = Start();
        MoveListWindow& window = ShowMoveList(f.Session(), f);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        std::vector<std::string> lines(5000, " 1)  0,  0: >");
        window.moveGrid->SetLines(lines);
        window.moveGrid->viewport()->repaint();
        QVERIFY(window.moveGrid->PaintedLines() > 0);
        QVERIFY(window.moveGrid->PaintedLines() <= window.moveGrid->viewport()->height() / 17 + 1);
        // The wheel scrolls one line per notch.
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.moveGrid->viewport(), &wheel);
        QCOMPARE(window.moveGrid->TopLine(), 2);
        window.close();
    }

    void levelListSortsSearchesScoresAndChangesLevel() {
        // Beta has a stored best solution of 3 moves and a record of 2; Gamma a record only.
        Write(folder_->filePath(QStringLiteral("Vorpel.rec")), " 2 6 Beta\r\n 40 80 Gamma\r\n");
        QLocale::setDefault(QLocale(QLocale::German));
        MainWindow& f = Start();
        f.ChangeLevel(1, false);
        QVERIFY(SaveBestSolution(*ctx_, false));
        f.ChangeLevel(0, false);
        {
            LevelListWindow list(f.Session(), f);
            QCOMPARE(list.windowTitle(), QStringLiteral("Level list - Scoreboard"));
            LevelListModel& model = list.Model();
            QCOMPARE(model.rowCount(), 3);
            QCOMPARE(list.SelectedRow(), 0); // the current level's title
            QCOMPARE(model.data(model.index(1, 5), Qt::DisplayRole).toString(),
                     QStringLiteral("50,00%"));
            QCOMPARE(model.data(model.index(2, 3), Qt::DisplayRole).toString(),
                     QStringLiteral("40"));
            QCOMPARE(model.data(model.index(2, 4), Qt::DisplayRole).toString(),
                     QStringLiteral("?"));
            QCOMPARE(list.scoreLabel->text(),
                     QStringLiteral("Actually scored: 3.  Total score: 997."));
            QVERIFY(!model.headerData(1, Qt::Horizontal, Qt::DecorationRole).isNull());
            QVERIFY(model.headerData(2, Qt::Horizontal, Qt::DecorationRole).isNull());

            // Moves descending keeps the levels without a solution last, the selection kept.
            list.SortOn(2);
            list.SortOn(2);
            QCOMPARE(model.direction, -1);
            QCOMPARE(model.rows[0].title, std::string("Beta"));
            QCOMPARE(model.rows[list.SelectedRow()].title, std::string("Alpha"));
            QCOMPARE(ctx_->collection.currentLevel, 0);

            // Enter in the search field searches down and shows the level found at once.
            list.searchEdit->setText(QStringLiteral("GAM"));
            QTest::keyClick(list.searchEdit, Qt::Key_Return);
            QCOMPARE(model.rows[list.SelectedRow()].title, std::string("Gamma"));
            QCOMPARE(ctx_->collection.currentLevel, 2);
            list.levelsToScoreEdit->setValue(1);
            QCOMPARE(list.scoreLabel->text(),
                     QStringLiteral("Actually scored: 1.  Total score: 0."));

            // The wheel moves the selection one row per notch, forward up; "Current level"
            // selects the starting level again.
            QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list.levelTable->viewport(), &wheel);
            QCOMPARE(model.rows[list.SelectedRow()].title, std::string("Beta"));
            QCOMPARE(ctx_->collection.currentLevel, 1);
            list.currentLevelButton->click();
            QCOMPARE(model.rows[list.SelectedRow()].title, std::string("Alpha"));

            // Without the score columns the list goes back to the number order.
            list.scoreCheckBox->setChecked(false);
            QVERIFY(list.levelTable->isColumnHidden(2) && list.levelTable->isColumnHidden(5));
            QCOMPARE(model.sortColumn, 1);
            QCOMPARE(model.rows[0].title, std::string("Alpha"));
            list.scoreCheckBox->setChecked(true);

            // Cancel returns to the starting level.
            list.cancelButton->click();
            QCOMPARE(list.Result(), 0);
        }
        QVERIFY(f.Memory().navigation.levelList.score);
        QCOMPARE(f.Memory().navigation.levelList.searchText, QStringLiteral("GAM"));

        // L: going to Beta after its moves were dropped plays its best solution from the start.
        ctx_->collection.levels[1].ClearHistory();
        form_->Shell().alreadyCelebrated = true;
        WithModal<LevelListWindow>(Command::LevelList, [](LevelListWindow& w) {
            w.SelectRow(w.Model().RowOfNumber(2));
            w.GoToSelectedLevel();
        });
        QCOMPARE(ctx_->collection.currentLevel, 1);
        QVERIFY(!form_->Shell().alreadyCelebrated);
        QCOMPARE(TotalMoves(Current()), 3);
        QCOMPARE(CurrentMove(Current()), 0);
        QCOMPARE(f.Memory().navigation.levelList.lastTitle, std::string("Beta"));
        // Browsing then Cancel: back to Beta; the next opening shows Beta selected.
        WithModal<LevelListWindow>(Command::LevelList, [this](LevelListWindow& w) {
            QCOMPARE(w.Model().rows[w.SelectedRow()].title, std::string("Beta"));
            w.SelectRow(w.Model().RowOfNumber(3));
            QCOMPARE(ctx_->collection.currentLevel, 2);
            w.reject();
        });
        QCOMPARE(ctx_->collection.currentLevel, 1);
    }
};

VORPEL_APP_TEST(NavigationTest)

#include "navigation_test.moc"
