// The level list's picture and solved columns, and the level a collection read opens on.
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "PictureLevels.h"
#include "app/LevelListWindow.h"
#include "app/MainWindow.h"
#include "files/BestSolutions.h"
#include "render/BoardPalette.h"

using namespace vorpel;

namespace {

using test::PictureLevelText;

// A Sokoban room (player, box, goal) and a room of other kinds: ice and a master block.
const std::vector<std::string> kSokoban = {"#######", "#.[.V+#", "#.....#", "#######"};
const std::vector<std::string> kIce = {"##########", "#@.:::...#", "#...[....#", "#.....+..#",
                                       "##########"};
// Three moves of the master block of kIce: right, down, left.
const std::string kIceMoves = " 1)  1,  1:  >\r\n 2)  1,  2:  v\r\n 3)  2,  2:  <\r\n";

// The level text of the four-character cells of a Sokoban room: "V" is a master box.
std::string SokobanText(const std::string& title) {
    std::string text = "\"" + title + "\"\r\n";
    for (const std::string& line : kSokoban) {
        for (const char c : line)
            text += c == '#'   ? ".#.."
                    : c == '[' ? ".[.."
                    : c == 'V' ? ".V.."
                    : c == '+' ? "+..."
                               : "....";
        text += "\r\n";
    }
    return text;
}

// Whether `picture` holds the palette colours of `thumbnail`, pixel for pixel.
bool SamePicture(const QImage& picture, const Thumbnail& thumbnail) {
    if (picture.width() != thumbnail.width || picture.height() != thumbnail.height) return false;
    for (int y = 0; y < thumbnail.height; ++y)
        for (int x = 0; x < thumbnail.width; ++x) {
            const PaletteColour& c = kBoardPalette.colours[thumbnail.At(x, y)];
            if (picture.pixel(x, y) != qRgb(c.red, c.green, c.blue)) return false;
        }
    return true;
}

} // namespace

class LevelListPicturesTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    // The rows of `list` the view shows now.
    static std::pair<int, int> VisibleRows(LevelListWindow& list) {
        const QTableView& table = *list.levelTable;
        const int last = table.rowAt(table.viewport()->height() - 1);
        return {table.rowAt(0), last < 0 ? list.Model().rowCount() - 1 : last};
    }

    static bool Drawn(LevelListWindow& list, int row) {
        LevelListModel& model = list.Model();
        const int index = model.rows[std::size_t(row)].number - 1;
        return model.thumbnails.Contains(
            index, LevelListModel::PictureCellSize((*model.levels)[std::size_t(index)]));
    }

private Q_SLOTS:
    void init() { NewFolder(SokobanText("Box") + PictureLevelText("Ice", kIce, kIceMoves)); }
    void cleanup() { Stop(); }

    void picturesAreDrawnForTheVisibleRowsOnly() {
        MainWindow& f = Start();
        // 400 levels of both kinds, each a picture of its own to the list.
        std::vector<Level>& levels = ctx_->collection.levels;
        for (int i = 2; i < 400; ++i) {
            levels.push_back(levels[std::size_t(i % 2)]);
            levels.back().title = "Level " + std::to_string(i);
        }
        LevelListWindow list(f.Session(), f);
        list.resize(600, 400);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.levelTable->viewport()->repaint();
        LevelListModel& model = list.Model();

        // Every row in view has its picture; the list has drawn no other.
        const auto [top, bottom] = VisibleRows(list);
        QCOMPARE(top, 0);
        QVERIFY(bottom > 2 && bottom < 40);
        for (int r = top; r <= bottom; ++r)
            QVERIFY2(Drawn(list, r), qPrintable(QString::number(r)));
        QVERIFY(model.thumbnails.Count() <= std::size_t(bottom - top + 1));
        QVERIFY(!Drawn(list, 399));

        // The view paints the renderer's picture of each level, a Sokoban level and another.
        const QImage shot = list.levelTable->viewport()->grab().toImage();
        for (int r = 0; r < 2; ++r) {
            const int index = model.rows[std::size_t(r)].number - 1;
            const Level& level = levels[std::size_t(index)];
            ThumbnailCache fresh;
            const Thumbnail& expected =
                fresh.Get(level, index, LevelListModel::PictureCellSize(level));
            const QImage picture =
                model.data(model.index(r, kPictureColumn), Qt::DecorationRole).value<QImage>();
            QVERIFY(SamePicture(picture, expected));
            QRect target(QPoint(), picture.size());
            target.moveCenter(list.levelTable->visualRect(model.index(r, kPictureColumn)).center());
            QVERIFY(SamePicture(shot.copy(target), expected));
        }

        // Selecting a row keeps the pictures in view.
        QCOMPARE(list.levelTable->columnViewportPosition(kPictureColumn), 0);

        // Scrolled to the end: the last rows are drawn there and then.
        list.levelTable->scrollToBottom();
        list.levelTable->viewport()->repaint();
        QVERIFY(Drawn(list, 399));
        QVERIFY(!Drawn(list, 200));

        // Sorted on the title backwards, each row still shows its own level.
        list.SortOn(static_cast<int>(LevelColumn::Title));
        list.SortOn(static_cast<int>(LevelColumn::Title));
        const int r = VisibleRows(list).first;
        const int index = model.rows[std::size_t(r)].number - 1;
        ThumbnailCache fresh;
        QVERIFY(SamePicture(model.Picture(r), fresh.Get(levels[std::size_t(index)], index,
                                                        LevelListModel::PictureCellSize(
                                                            levels[std::size_t(index)]))));
        // The picture comes first in the view, the solved column after the number.
        QCOMPARE(list.levelTable->horizontalHeader()->visualIndex(kPictureColumn), 0);
        QCOMPARE(
            list.levelTable->horizontalHeader()->visualIndex(static_cast<int>(LevelColumn::Solved)),
            3);
    }

    void solvedColumnTellsSolvedFromBeaten() {
        // Ice's best solution is one move of three steps (the master block all along).
        const struct {
            const char* records;
            const char* text;
        } cases[] = {
            {"", "solved"},
            {" 2 2 Ice\r\n", "beaten"},
            {" 1 4 Ice\r\n", "beaten"},
            {" 1 3 Ice\r\n", "solved"},
            {" 1 2 Ice\r\n", "solved"},
        };
        MainWindow& f = Start();
        f.ChangeLevel(1, false);
        QVERIFY(SaveBestSolution(*ctx_, false));
        for (const auto& c : cases) {
            Write(File("Vorpel.rec"), c.records);
            LevelListWindow list(f.Session(), f);
            LevelListModel& model = list.Model();
            const int solved = static_cast<int>(LevelColumn::Solved);
            const int ice = model.RowOfNumber(2), box = model.RowOfNumber(1);
            QCOMPARE(model.data(model.index(ice, solved), Qt::DisplayRole).toString(),
                     QLatin1String(c.text));
            QCOMPARE(model.data(model.index(box, solved), Qt::DisplayRole).toString(),
                     QLatin1String("unsolved"));
            QVERIFY(!model.data(model.index(ice, solved), Qt::DecorationRole).isNull());
            // Sorted on it like the other columns: unsolved first, then backwards.
            list.SortOn(solved);
            QCOMPARE(model.rows[0].number, 1);
            list.SortOn(solved);
            QCOMPARE(model.rows[0].number, 2);
            list.reject();
        }
    }

    void aReadCollectionOpensOnItsFirstUnsolvedLevel() {
        // "New one" gets a best solution while it is the startup's Ice level.
        MainWindow& f = Start();
        f.ChangeLevel(1, false);
        ctx_->CurrentLevel().title = "New one";
        QVERIFY(SaveBestSolution(*ctx_, false));
        ctx_->CurrentLevel().title = "Ice";
        Write(File("more.txt"), PictureLevelText("New one", kIce) + SokobanText("New two") +
                                    SokobanText("New three"));
        const std::string more = File("more.txt").toStdString();

        // Dropped: the second of the three new levels, not the last one read.
        f.OnDropFiles({more}, false);
        QCOMPARE(ctx_->collection.levels.size(), std::size_t(5));
        QCOMPARE(ctx_->CurrentLevel().title, std::string("New two"));

        // Named on the command line: the same.
        Stop();
        Start(u'"' + File("more.txt") + u'"');
        QCOMPARE(ctx_->CurrentLevel().title, std::string("New two"));
    }
};

VORPEL_APP_TEST(LevelListPicturesTest)

#include "level_list_pictures_test.moc"
