// Windows as a desktop user expects them: saves that would drop levels ask first, the editor
// keeps its work, F1 in every window, closing ends the program, frames come back where they were
// left, and questions show their question.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "PictureLevels.h"
#include "app/EditorWindow.h"
#include "app/FileChooser.h"
#include "app/GoToMoveDialog.h"
#include "app/HelpWindow.h"
#include "app/LevelListWindow.h"
#include "app/LevelSaver.h"
#include "app/MessageBox.h"
#include "app/MoveListWindow.h"
#include "app/OptionsWindow.h"
#include "app/TitleDialog.h"
#include "editor/EditorCommands.h"
#include "files/LevelText.h"
#include "files/SaveOffer.h"

using namespace vorpel;

namespace {

using test::PictureLevelText;

const std::vector<std::string> kRoom = {"#######", "#.@...#", "#...[.#", "#######"};

std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

QWidget* ActiveModal() {
    return QApplication::activeModalWidget();
}

// Whether two frames lie within a pixel of each other.
bool WithinAPixel(const QRect& a, const QRect& b) {
    return std::abs(a.left() - b.left()) <= 1 && std::abs(a.top() - b.top()) <= 1 &&
           std::abs(a.width() - b.width()) <= 1 && std::abs(a.height() - b.height()) <= 1;
}

} // namespace

class WindowsTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    std::vector<std::vector<std::string>>& Shown() { return platform_->script->shown; }

    // Runs a command whose modal window `act` handles once it is open.
    template <typename Act> void WithModal(unsigned char command, Act act) {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            QWidget* window = ActiveModal();
            QVERIFY(window != nullptr);
            act(*window);
            acted = true;
            if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
                dialog->reject();
        });
        form_->Action(*CommandOfCharacter(static_cast<char>(command)))->trigger();
        QVERIFY(acted);
    }

    void CopyHelpPage() {
        QVERIFY(
            QFile::copy(QStringLiteral(VORPEL_SOURCE_DIR "/data/Vorpel.htm"), File("Vorpel.htm")));
    }

private Q_SLOTS:
    void init() {
        NewFolder(PictureLevelText("Alpha", kRoom) + PictureLevelText("Beta", kRoom) +
                  PictureLevelText("Gamma", kRoom));
    }
    void cleanup() { Stop(); }

    // A save over a file that holds levels it would not write back asks, with No the default;
    // a save that gives every level back asks nothing.
    void aSaveThatDropsLevelsAsksFirst() {
        const std::string collection = PictureLevelText("One", kRoom) +
                                       PictureLevelText("Two", kRoom) +
                                       PictureLevelText("Three", kRoom);
        Write(File("three.txt"), collection);
        MainWindow& f = Start(u'"' + File("three.txt") + u'"');
        QCOMPARE(ctx_->CurrentLevel().title, std::string("One")); // the first unsolved level
        f.ChangeLevel(ctx_->collection.FindTitle("Three"), false);
        const std::string three = File("three.txt").toStdString();

        // Enter is No: the file keeps its three levels.
        platform_->script->answers.push_back({'\r'});
        f.Saver().SaveLevelTo(SaveFormat::kOwnText, three);
        QCOMPARE(ReadBytes(File("three.txt")), collection);
        QCOMPARE(Shown().size(), std::size_t(1));
        QCOMPARE(Shown()[0].front(), "The file " + three +
                                         " holds 2 levels that this save does "
                                         "not write back:");
        QCOMPARE(Shown()[0][1], std::string("\"One\", \"Two\"."));

        // SOK in place of the own text would lose what the file had: asked too.
        platform_->script->answers.push_back({'n'});
        f.Saver().SaveLevelTo(SaveFormat::kSok, three);
        QCOMPARE(ReadBytes(File("three.txt")), collection);
        QCOMPARE(Shown().size(), std::size_t(2));

        // Saving all levels gives every level back: no question.
        f.Saver().SaveAllLevelsTo(three);
        QCOMPARE(Shown().size(), std::size_t(2));
        QVERIFY(ReadBytes(File("three.txt")).find("\"Alpha\"") != std::string::npos);

        // A level saved to its own file, then saved there again: no question.
        const std::string one = File("one.txt").toStdString();
        f.Saver().SaveLevelTo(SaveFormat::kOwnText, one);
        f.Saver().SaveLevelTo(SaveFormat::kOwnText, one);
        QCOMPARE(Shown().size(), std::size_t(2));
        QVERIFY(QFile::exists(File("one.txt")));

        // Yes replaces.
        platform_->script->answers.push_back({'y'});
        f.Saver().SaveLevelTo(SaveFormat::kOwnText, three);
        QCOMPARE(Shown().size(), std::size_t(3));
        QCOMPARE(ReadBytes(File("three.txt")), ReadBytes(File("one.txt")));
    }

    // The save chooser opens in the collection's folder with no name, the focus in the name
    // field, so that Enter cannot replace the collection.
    void theSaveChooserIsNeverFilledWithACollection() {
        const std::string collection =
            PictureLevelText("One", kRoom) + PictureLevelText("Two", kRoom);
        Write(File("two.txt"), collection);
        Start(u'"' + File("two.txt") + u'"');
        WithModal('S', [&](QWidget& window) {
            QVERIFY(qobject_cast<FileChooser*>(&window) != nullptr);
            auto* name = window.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QCOMPARE(name->text(), QString());
            QCOMPARE(window.focusWidget(), name);
            QTest::keyClick(name, Qt::Key_Return);
            QVERIFY(window.isVisible());
        });
        QCOMPARE(ReadBytes(File("two.txt")), collection);
    }

    // A paste that reads no level leaves the edited level; Escape with changes asks, without
    // changes it does not.
    void theEditorKeepsItsWork() {
        MainWindow& f = Start();
        f.Action(Command::EditLevel)->trigger();
        auto* editor = f.findChild<EditorWindow*>();
        QVERIFY(editor != nullptr);
        Selected().Clear();
        Selected().Set(1, 1);
        editor->RunButton(ButtonOfCharacter('E')); // a wall
        Selected().Clear();
        const std::string edited = LevelTextOf(ctx_->CurrentLevel());

        QGuiApplication::clipboard()->setText(QStringLiteral("no level in these words"));
        editor->RunButton(ButtonOfKeyName("ctrl+v"));
        QCOMPARE(LevelTextOf(ctx_->CurrentLevel()), edited);
        QCOMPARE(editor->titleEdit->text(), QStringLiteral("New level"));
        QCOMPARE(Shown().back().front(), std::string("Clipboard"));

        // Esc answers the question with Cancel: the editor stays with its level.
        const std::size_t before = Shown().size();
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(Shown().size(), before + 1);
        QCOMPARE(Shown().back(), std::vector<std::string>{kDiscardQuestion});
        QVERIFY(editor->isVisible());
        QCOMPARE(LevelTextOf(ctx_->CurrentLevel()), edited);
        platform_->script->answers.push_back({'y'});
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(f.findChild<EditorWindow*>() == nullptr);

        // No changes: Escape closes at once.
        f.Action(Command::EditLevel)->trigger();
        editor = f.findChild<EditorWindow*>();
        QVERIFY(editor != nullptr && editor->isVisible());
        const std::size_t asked = Shown().size();
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        QCOMPARE(Shown().size(), asked);
    }

    // F1 in a window opens the help page at that window's topic.
    void f1OpensTheTopicOfTheFocusedWindow() {
        CopyHelpPage();
        MainWindow& f = Start();
        const struct {
            unsigned char command;
            const char* topic;
        } cases[] = {{'O', "Options"},
                     {'L', "LevelChoice"},
                     {'G', "GotoMove"},
                     {'T', "ChangeTitle"},
                     {'S', "FileSave"}};
        for (const auto& c : cases) {
            QString topic;
            WithModal(c.command, [&](QWidget& window) {
                QWidget* focus = window.focusWidget() != nullptr ? window.focusWidget() : &window;
                QTest::keyClick(focus, Qt::Key_F1);
                QVERIFY(platform_->helpWindow);
                topic = platform_->helpWindow->browser->source().fragment();
            });
            QCOMPARE(topic, QString::fromLatin1(c.topic));
        }
        // A window that is not modal: the move list.
        MoveListWindow& moves = ShowMoveList(f.Session(), f);
        QTest::keyClick(moves.focusWidget() != nullptr ? moves.focusWidget() : &moves, Qt::Key_F1);
        QCOMPARE(platform_->helpWindow->browser->source().fragment(), QStringLiteral("MoveList"));
        moves.close();
        // The main window keeps its own topic.
        QTest::keyClick(&f, Qt::Key_F1);
        QCOMPARE(platform_->helpWindow->browser->source().fragment(), QStringLiteral("Start"));
        QVERIFY(Shown().empty());
    }

    // Closing the main window with the help open ends the program: the help window goes too.
    void closingTheMainWindowClosesTheHelp() {
        CopyHelpPage();
        // The resume file stays in the test's folder, where no other test reads it.
        MainWindow& f =
            Start({}, [this](MainWindow& w) { w.Resume().SetPath(File("resume.txt")); });
        QTest::keyClick(&f, Qt::Key_F1);
        QVERIFY(platform_->helpWindow && platform_->helpWindow->isVisible());
        platform_->script->answers.push_back({'y'});
        QVERIFY(f.close());
        QVERIFY(!platform_->helpWindow || !platform_->helpWindow->isVisible());
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
        QVERIFY(QFile::exists(File("resume.txt"))); // written before the windows went
    }

    // Frames come back where they were left, within a pixel, however often a window reopens.
    void framesComeBackWhereTheyWereLeft() {
        MainWindow& f = Start();
        const QRect area = f.screen()->availableGeometry();
        QRect left;
        WithModal('L', [&](QWidget& window) {
            window.setGeometry(area.left() + 150, area.top() + 120, 420, 330);
            left = FrameRect(window, f.Memory().frameMargins);
        });
        for (int opening = 0; opening < 3; ++opening)
            WithModal('L', [&](QWidget& window) {
                QTest::qWait(60); // past the check after the framing
                QVERIFY2(WithinAPixel(FrameRect(window, f.Memory().frameMargins), left),
                         qPrintable(QString::number(opening)));
            });

        MoveListWindow* moves = &ShowMoveList(f.Session(), f);
        moves->setGeometry(area.left() + 90, area.top() + 70, 380, 300);
        left = FrameRect(*moves, f.Memory().frameMargins);
        for (int opening = 0; opening < 3; ++opening) {
            moves->close();
            QTRY_VERIFY(!f.Memory().navigation.moveList.window);
            moves = &ShowMoveList(f.Session(), f);
            QTest::qWait(60);
            QVERIFY(WithinAPixel(FrameRect(*moves, f.Memory().frameMargins), left));
        }
        moves->close();

        // A place off the screen comes back onto it.
        f.Action(Command::EditLevel)->trigger();
        auto* editor = f.findChild<EditorWindow*>();
        QVERIFY(editor != nullptr);
        editor->move(area.left() + 30, area.top() + 40);
        const QPoint editorPlace = FrameRect(*editor, f.Memory().frameMargins).topLeft();
        editor->close();
        QTRY_VERIFY(f.findChild<EditorWindow*>() == nullptr);
        f.Action(Command::EditLevel)->trigger();
        editor = f.findChild<EditorWindow*>();
        QVERIFY(editor != nullptr);
        QCOMPARE(FrameRect(*editor, f.Memory().frameMargins).topLeft(), editorPlace);
        editor->close();
        QTRY_VERIFY(f.findChild<EditorWindow*>() == nullptr);
        f.Memory().editor.position = area.bottomRight() + QPoint(500, 500);
        f.Action(Command::EditLevel)->trigger();
        editor = f.findChild<EditorWindow*>();
        QVERIFY(editor != nullptr);
        QVERIFY(area.contains(FrameRect(*editor, f.Memory().frameMargins).topLeft()));
        QVERIFY(FrameRect(*editor, f.Memory().frameMargins).right() <= area.right() ||
                FrameRect(*editor, f.Memory().frameMargins).width() > area.width());
        editor->close();
    }

    // A long message grows the box up to the screen; the question then comes first, and a
    // question whose Yes loses data answers No to Enter.
    void questionsShowTheirQuestion() {
        Start();
        std::vector<std::string> lines = {"These levels:"};
        for (int i = 0; i < 8; ++i) lines.push_back("\"Level " + std::to_string(i) + "\"");
        lines.push_back("Save anyway?");
        {
            MessageBox box(*platform_, nullptr);
            box.BoxTwoButtons = true;
            box.BoxSecondDefault = true;
            platform_->script->answers.push_back({'\r'});
            QCOMPARE(box.Execute(lines, "Yes", "No"), kChoiceSecond);
            // Ten lines fit: the box grew instead of scrolling, the question stays last.
            QCOMPARE(box.textEdit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QVERIFY(box.textEdit->toPlainText().endsWith(QStringLiteral("Save anyway?")));
        }
        for (int i = 8; i < 400; ++i)
            lines.insert(lines.end() - 1, "\"Level " + std::to_string(i) + "\"");
        {
            MessageBox box(*platform_, nullptr);
            box.BoxTwoButtons = true;
            platform_->script->answers.push_back({'\r'});
            QCOMPARE(box.Execute(lines, "Yes", "No"), kChoiceFirst);
            const QStringList shown = box.textEdit->toPlainText().split(u'\n');
            QCOMPARE(shown[1], QStringLiteral("Save anyway?"));
            QVERIFY(box.frameGeometry().height() <= box.screen()->availableGeometry().height());
        }
    }

    // A title with characters the code page lacks is refused, and they are named.
    void titlesOutsideTheCodePageAreRefused() {
        MainWindow& f = Start();
        TitleDialog dialog(f.Session(), f, "Alpha");
        dialog.nameEdit->setText(QStringLiteral("Snow \u2603 and \u2603 \U0001F3B2 \u20AC"));
        QVERIFY(!dialog.okButton->isEnabled());
        QCOMPARE(dialog.invalidLabel->text(),
                 QStringLiteral("A title cannot hold these characters: \u2603\U0001F3B2"));
        dialog.done(QDialog::Accepted);
        QCOMPARE(Shown().size(), std::size_t(1));
        QCOMPARE(dialog.Result(), std::string("Alpha"));
    }
};

VORPEL_APP_TEST(WindowsTest)

#include "windows_test.moc"
