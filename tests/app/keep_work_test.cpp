// Keeping the player's work in the program: the resume file at close and start (with the
// editor's level when it is open), the save commands' offers and writers, and the GIF export,
// save-as-DLL and Bricks moves windows.
#include <optional>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "app/BricksMovesDialog.h"
#include "app/EditorWindow.h"
#include "app/GifExportWindow.h"
#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "app/SaveDllDialog.h"
#include "files/MoveText.h"
#include "files/ResumeFile.h"
#include "files/SaveOffer.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

using namespace vorpel;

namespace {

// Two rooms: a master block left of its destination, and a room to walk in.
const char* kStartup = "\"Alpha\"\r\n"
                       ".#...#...#...#...#..\r\n"
                       ".#...@......+....#..\r\n"
                       ".#...#...#...#...#..\r\n"
                       "\"Beta\"\r\n"
                       ".#...#...#...#...#...#..\r\n"
                       ".#...@...............#..\r\n"
                       ".#...................#..\r\n"
                       ".#...#...#...#...#...#..\r\n";

std::string Bytes(const QString& path) {
    std::string bytes;
    ReadWholeFile(path.toStdString(), bytes);
    return bytes;
}

} // namespace

class KeepWorkTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    QString ResumePath() const { return File("data/resume.vorpel"); }

    // Starts the window with resuming switched on or off in the store it reads.
    MainWindow& Start(const QString& argument = {}, bool resume = true) {
        form_.reset(); // the old window goes before the store is changed
        QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Ostavin"),
                        QStringLiteral("Vorpel"));
        store.setValue(QStringLiteral("Options/Resume where you left off"), resume);
        store.sync();
        return MainWindowHarness::Start(
            argument, [this](MainWindow& f) { f.Resume().SetPath(ResumePath()); });
    }

    // Closes the window, answering yes to "Really close the program?".
    void Close() {
        platform_->script->answers.push_back({'y'});
        QVERIFY(form_->close());
    }

    void Play(const char* move) {
        QCOMPARE(ApplyMoveText(*ctx_, move, false, 0, 0), std::string());
        form_->Navigate([](Context& c) { GoToPosition(c, c.CurrentLevel().currentStep); });
    }

private Q_SLOTS:
    void init() { NewFolder(kStartup); }

    void cleanup() {
        // For checks by other programs: VORPEL_KEEP_SAVED names a folder that gets the files.
        if (const QString out = qEnvironmentVariable("VORPEL_KEEP_SAVED"); !out.isEmpty()) {
            QDir().mkpath(out);
            for (const QFileInfo& file : QDir(folder_->path()).entryInfoList(QDir::Files))
                QFile::copy(file.filePath(), out + u'/' + file.fileName());
        }
        Stop();
    }

    void closingAndStartingAgainResumes() {
        MainWindow& first = Start();
        first.ChangeLevel(1, true);
        Play("1) 1, 1: >>v");
        Play("2) 2, 3: >");
        form_->Navigate([](Context& c) { GoToPosition(c, 2); }); // one step taken back
        Close();
        QVERIFY(QFile::exists(ResumePath()));

        Start();
        QCOMPARE(ctx_->collection.currentLevel, 1);
        QCOMPARE(ctx_->CurrentLevel().stepCount, 4);
        QCOMPARE(ctx_->CurrentLevel().currentStep, 2);
        QCOMPARE(ctx_->collection.lastLevel(), 1); // not read again from the startup file
        QVERIFY(platform_->script->shown.empty());
        // The board stands where it was left.
        QCOMPARE(ctx_->board.blocks[2].anchorColumn, 3);

        // With the option off the startup files are read as before, and nothing is written.
        const std::string kept = Bytes(ResumePath());
        Start({}, false);
        QCOMPARE(ctx_->collection.currentLevel, 0);
        QCOMPARE(ctx_->CurrentLevel().stepCount, 0);
        Close();
        QCOMPARE(Bytes(ResumePath()), kept);
    }

    void aCopyForOneLevelOnlyReads() {
        Start();
        Play("1) 1, 1: >");
        Close();
        const std::string kept = Bytes(ResumePath());
        Start(QStringLiteral("*Beta"));
        QCOMPARE(ctx_->collection.currentLevel, 1);
        QCOMPARE(ctx_->collection.levels[0].stepCount, 1);
        Play("1) 1, 1: v");
        Close();
        QCOMPARE(Bytes(ResumePath()), kept);
    }

    void aDamagedResumeFileIsSetAside() {
        QDir().mkpath(File("data"));
        QVERIFY(WriteFileAtomic(ResumePath().toStdString(), "#Vorpel resume 1\r\n#current 0\r\n")
                    .message.empty());
        Start();
        QCOMPARE(ctx_->collection.lastLevel(), 1); // the startup file
        QCOMPARE(platform_->script->shown.size(), std::size_t(1));
        const std::vector<std::string>& lines = platform_->script->shown[0];
        QCOMPARE(lines.front(), "File " + ResumePath().toStdString() + ".");
        QCOMPARE(lines.back(), ResumePath().toStdString() + ".damaged");
        QVERIFY(!QFile::exists(ResumePath()));
        QVERIFY(QFile::exists(ResumePath() + QStringLiteral(".damaged")));
    }

    void theEditorsLevelIsKeptAtClose() {
        Start();
        form_->ChangeLevel(1, true);
        form_->Action(Command::EditLevel)->trigger();
        auto* editor = form_->findChild<EditorWindow*>();
        QVERIFY(editor);
        editor->titleEdit->setText(QStringLiteral("Made here"));
        Selected().Clear();
        Selected().Set(1, 1);
        editor->RunButton(ButtonOfCharacter('E')); // a wall
        QCOMPARE(ctx_->CurrentLevel().BlockAt(1, 1), Byte{'#'});
        Close();

        // The edited level comes back once, last and current, as it was at close.
        Start();
        QCOMPARE(ctx_->collection.lastLevel(), 2);
        QCOMPARE(ctx_->collection.currentLevel, 2);
        QCOMPARE(ctx_->collection.levels[1].title, std::string("Beta"));
        QCOMPARE(ctx_->CurrentLevel().title, std::string("Made here"));
        QCOMPARE(ctx_->CurrentLevel().BlockAt(1, 1), Byte{'#'});
        QVERIFY(!ctx_->editing);
        QVERIFY(platform_->script->shown.empty());

        // Once the editor has closed, the hook is gone with it: Cancel drops the level.
        form_->Action(Command::EditLevel)->trigger();
        editor = form_->findChild<EditorWindow*>();
        QVERIFY(editor && form_->Resume().KeepsEditedLevel());
        QTest::mouseClick(editor->cancelButton, Qt::LeftButton);
        QTRY_VERIFY(!form_->findChild<EditorWindow*>());
        QVERIFY(!form_->Resume().KeepsEditedLevel());
        Close();
        Start();
        QCOMPARE(ctx_->collection.lastLevel(), 2);
        QCOMPARE(ctx_->collection.currentLevel, 2);
    }

    void saveOffersFollowTheExtension() {
        Start();
        ctx_->options.value[kConfirmNonStandardExtension] = true;
        // "Save as Vorpel ..." on a .nbl name, answered NBL: an NBL file.
        platform_->script->answers.push_back({'n'});
        form_->Saver().SaveLevelTo(SaveFormat::kOwnText, File("a.nbl").toStdString());
        QCOMPARE(platform_->script->shown.size(), std::size_t(1));
        QCOMPARE(platform_->script->shown[0][0],
                 std::string("You requested to save the level in the Vorpel format."));
        QVERIFY(QFile::exists(File("a.nbl")));
        QVERIFY(Bytes(File("a.nbl"))[0] != '"');
        // Answered Vorpel: the own text under the same kind of name.
        platform_->script->answers.push_back({'v'});
        form_->Saver().SaveLevelTo(SaveFormat::kOwnText, File("b.nbl").toStdString());
        QCOMPARE(Bytes(File("b.nbl")).substr(0, 7), std::string("\"Alpha\""));
        // Cancel: nothing written.
        platform_->script->answers.push_back({'\x1b'});
        form_->Saver().SaveLevelTo(SaveFormat::kSok, File("c.txt").toStdString());
        QVERIFY(!QFile::exists(File("c.txt")));
        // The option off: written as asked, without a question.
        ctx_->options.value[kConfirmNonStandardExtension] = false;
        const std::size_t asked = platform_->script->shown.size();
        form_->Saver().SaveLevelTo(SaveFormat::kSok, File("d.txt").toStdString());
        QCOMPARE(platform_->script->shown.size(), asked);
        QCOMPARE(Bytes(File("d.txt")).substr(0, 2), std::string("::"));
        // The .gif offer hands the name to the GIF window.
        ctx_->options.value[kConfirmNonStandardExtension] = true;
        platform_->script->answers.push_back({'g'});
        form_->Saver().SaveLevelTo(SaveFormat::kOwnText, File("e.gif").toStdString());
        QVERIFY(!QFile::exists(File("e.gif")));
        QCOMPARE(form_->Memory().gif.fileName, File("e.gif").toStdString());
        QVERIFY(form_->Memory().gif.window);
        QVERIFY(form_->Shell().commandsBlocked);
        form_->Memory().gif.window->close();
        QVERIFY(!form_->Shell().commandsBlocked);
    }

    void saveAllNamesWhatSokLoses() {
        QFile more(File("more.txt"));
        QVERIFY(more.open(QIODevice::WriteOnly));
        more.write("\"Barrier\"\r\n.!..\r\n");
        more.close();
        Start(File("more.txt"));
        QCOMPARE(ctx_->collection.lastLevel(), 2);
        // Refused: nothing written.
        platform_->script->answers.push_back({'n'});
        form_->Saver().SaveAllLevelsTo(File("all.sok").toStdString());
        QVERIFY(!QFile::exists(File("all.sok")));
        const std::vector<std::string>& asked = platform_->script->shown.back();
        // The question comes before the list of levels, which may be long.
        QCOMPARE(asked[1], std::string("Save anyway?"));
        QCOMPARE(asked[2], std::string("\"Barrier\""));
        QCOMPARE(asked.size(), std::size_t(3));
        platform_->script->answers.push_back({'y'});
        form_->Saver().SaveAllLevelsTo(File("all.sok").toStdString());
        QVERIFY(QFile::exists(File("all.sok")));
        // The own text asks nothing and keeps every level.
        const std::size_t shown = platform_->script->shown.size();
        form_->Saver().SaveAllLevelsTo(File("all.txt").toStdString());
        QCOMPARE(platform_->script->shown.size(), shown);
        const std::string all = Bytes(File("all.txt"));
        QVERIFY(all.find("\"Beta\"") != std::string::npos);
        QVERIFY(all.find("\"Barrier\"") != std::string::npos);
    }

    void theGifWindowRecordsWhileTheMainWindowWaits() {
        Start();
        Play("1) 1, 1: >>");
        ShowGifExportWindow(form_->Session(), *form_);
        auto* window = qobject_cast<GifExportWindow*>(form_->Memory().gif.window.data());
        QVERIFY(window);
        QVERIFY(form_->MenusOff());
        QCOMPARE(window->framesLabel->text(), QStringLiteral("Frames: 3"));
        QCOMPARE(window->speedLabel->text(), QStringLiteral("Speed: 2.50 frames per second"));
        ShowGifExportWindow(form_->Session(), *form_); // one at a time
        QCOMPARE(form_->findChildren<GifExportWindow*>().size(), qsizetype(1));
        window->Record(File("play.gif").toStdString());
        QCOMPARE(Bytes(File("play.gif")).substr(0, 6), std::string("GIF89a"));
        QCOMPARE(ctx_->CurrentLevel().currentStep, 2);
        QVERIFY(!form_->Shell().recordingGif);
        QVERIFY(window->writeButton->isEnabled());
        // An unwritable folder is told at once.
        window->Record(File("missing/play.gif").toStdString());
        QCOMPARE(platform_->script->shown.size(), std::size_t(1));
        window->close();
        QVERIFY(!form_->MenusOff());
    }

    void theDllWindowWritesTheChosenLevels() {
        Start();
        SaveDllDialog dialog(form_->Session(), *form_);
        QCOMPARE(dialog.lines.size(), std::size_t(2));
        QVERIFY(!dialog.okButton->isEnabled());
        QCOMPARE(dialog.selectedLabel->text(), QStringLiteral("0 levels selected."));
        dialog.levelList->item(1)->setSelected(true);
        dialog.selectButton->click();
        QCOMPARE(dialog.selectedLabel->text(), QStringLiteral("1 level selected."));
        QVERIFY(dialog.okButton->isEnabled());
        QCOMPARE(dialog.levelList->item(1)->text(), QStringLiteral(" *   999 Beta"));
        dialog.savePrefixEdit->setText(QStringLiteral("pk"));
        QVERIFY(dialog.WriteTo(File("pack.dll").toStdString()));
        QCOMPARE(Bytes(File("pack.dll")).substr(0, 2), std::string("MZ"));
        QCOMPARE(form_->Memory().lastDllPath, File("pack.dll").toStdString());

        // Writing Bricks moves for Beta beside it, then reading them back.
        form_->ChangeLevel(1, true);
        Play("1) 1, 1: >v");
        {
            BricksMovesDialog write(form_->Session(), *form_, true);
            QCOMPARE(write.DllPath(), File("pack.dll").toStdString());
            QCOMPARE(write.levelList->currentRow(), 0);
            QVERIFY(write.okButton->isEnabled());
            write.okButton->click();
            QCOMPARE(write.result(), int(QDialog::Accepted));
        }
        QVERIFY(QFile::exists(File("pk1.b 1")));
        form_->Navigate([](Context& c) { GoToPosition(c, 0); });
        ctx_->CurrentLevel().stepCount = 0;
        {
            BricksMovesDialog read(form_->Session(), *form_, false);
            read.okButton->click();
            QCOMPARE(read.result(), int(QDialog::Accepted));
        }
        QCOMPARE(ctx_->CurrentLevel().stepCount, 2);
    }
};

VORPEL_APP_TEST(KeepWorkTest)
#include "keep_work_test.moc"
