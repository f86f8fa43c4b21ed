// The board as the program shows it: drawn while levels with moves are read, and drawn with the
// same letters by vorpel-cli, which rasterises "Courier New" as the program does.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "PictureLevels.h"
#include "app/BoardView.h"
#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "files/LevelLoad.h"

using namespace vorpel;

namespace {

// A corridor of `length` floor cells in which the normal block at column 1 is pushed one step.
std::string CorridorWithMove(const std::string& title, int length) {
    const std::string wall(static_cast<std::size_t>(length) + 3, '#');
    return test::PictureLevelText(
        title, {wall, "#[" + std::string(static_cast<std::size_t>(length), '.') + "#", wall},
        "  1)  1,  1:  >\r\n");
}

// Lettered blocks (identifiers shown as letters), alphanumeric marks on the floor and under a
// block, a zero mark (shown as a slashed zero) and digits.
const std::string kLettered = "\"Letters\"\r\n"
                              ".#...#...#...#...#...#..\r\n"
                              ".#...[\xFF"
                              "AA....[\xFF"
                              "Kg[\xFF"
                              "q.#..\r\n"
                              ".#..0...5...Q...\xC7....#..\r\n"
                              ".#...#...#...#...#...#..\r\n";

} // namespace

class BoardPicturesTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

private Q_SLOTS:
    void init() { NewFolder(); }
    void cleanup() { Stop(); }

    // Each draw shows the level being read, at its start and sized for the window; the gate
    // decides how many of them are drawn.
    void levelsWithMovesAreDrawnWhileRead_data() {
        QTest::addColumn<int>("intervalMs");
        QTest::addColumn<QStringList>("drawn");
        QTest::newRow("every level") << 0 << QStringList{"One", "Two", "Three"};
        QTest::newRow("one per interval") << 3600000 << QStringList{"One"};
    }
    void levelsWithMovesAreDrawnWhileRead() {
        QFETCH(int, intervalMs);
        QFETCH(QStringList, drawn);
        MainWindow& f = Start();
        const QString file = folder_->filePath(QStringLiteral("three.txt"));
        Write(file, CorridorWithMove("One", 2) + CorridorWithMove("Two", 5) +
                        CorridorWithMove("Three", 9));
        platform_->loadingBoardGate = RefreshGate(std::chrono::milliseconds(intervalMs));
        const auto draw = platform_->showLoadingBoard;
        QVERIFY(draw);
        QStringList titles;
        platform_->showLoadingBoard = [&] {
            draw();
            const Level& level = ctx_->CurrentLevel();
            titles << QString::fromStdString(level.title);
            QCOMPARE(level.currentStep, 0);
            QCOMPARE(f.Board().View().boardWidth, ctx_->board.columns * f.Board().View().cellSize);
            // The block is still at its start, one cell right of the wall: normal block brown.
            const BoardCanvas& canvas = f.Board().Canvas();
            const int s = f.Board().View().cellSize;
            QCOMPARE(int(canvas.At(s + s / 2, s + s / 2)), 6);
            QCOMPARE(int(canvas.At(2 * s + s / 2, s + s / 2)), 12);
        };
        RememberedAnswer remembered = kAsk;
        QVERIFY(ReadLevelFile(*ctx_, file.toStdString(), remembered).error.empty());
        QCOMPARE(titles, drawn);
        QCOMPARE(ctx_->CurrentLevel().title, std::string("Three"));
    }

    // vorpel-cli sets the offscreen platform itself, opens no window and draws the letters the
    // program draws, pixel for pixel.
    void cliDrawsTheProgramsLetters_data() {
        QTest::addColumn<int>("cell");
        QTest::newRow("14") << 14;
        QTest::newRow("23") << 23;
        QTest::newRow("40") << 40;
    }
    void cliDrawsTheProgramsLetters() {
        QFETCH(int, cell);
        const QString levels = folder_->filePath(QStringLiteral("letters.txt"));
        const QString png = folder_->filePath(QStringLiteral("letters.png"));
        Write(levels, kLettered);
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(VORPEL_CLI),
                  {QStringLiteral("png"), levels, png, QStringLiteral("--cell"),
                   QString::number(cell), QStringLiteral("--step"), QStringLiteral("0")});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 0);
        const QImage picture(png);
        QCOMPARE(picture.format(), QImage::Format_Indexed8);

        MainWindow& f = Start(levels);
        QCOMPARE(ctx_->CurrentLevel().title, std::string("Letters"));
        f.Board().SetCellSize(cell);
        f.Board().Redraw();
        const BoardCanvas& canvas = f.Board().Canvas();
        QCOMPARE(picture.size(), QSize(6 * cell, 4 * cell));
        int differing = 0, ink = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const int index = canvas.At(x, y);
                if (picture.pixelIndex(x, y) != index) ++differing;
                if (index == 16 || index == 9) ++ink; // white or grey letters
            }
        QCOMPARE(differing, 0);
        QVERIFY(ink > 0);
    }
};

VORPEL_APP_TEST(BoardPicturesTest)
#include "board_pictures_test.moc"
