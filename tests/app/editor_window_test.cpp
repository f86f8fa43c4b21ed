// The editor window beside the main window: opening and closing, the title check, the
// dispatcher with undo, the alphanumeric character, the zoom round trip through the command
// guard, a shuffle that holds the window, and the colour chooser.
#include <optional>
#include <string>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "app/BoardView.h"
#include "app/ColourChooser.h"
#include "app/EditorWindow.h"
#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"
#include "render/BoardDrawing.h"

using namespace vorpel;

class EditorWindowTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    EditorWindow& Open() {
        form_->Action(Command::EditLevel)->trigger();
        auto* editor = form_->findChild<EditorWindow*>();
        if (!editor) qFatal("no editor window");
        return *editor;
    }
    Level& Current() { return ctx_->CurrentLevel(); }
    void Select(std::initializer_list<std::pair<int, int>> cells) {
        Selected().Clear();
        for (const auto& [r, c] : cells) Selected().Set(r, c);
    }

private Q_SLOTS:
    void init() {
        NewFolder("\"Alpha\"\r\n.#...#...#..\r\n.#..+....#..\r\n.#...#...#..\r\n");
        Start();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->Memory().editor = EditorMemory{};
    }

    void cleanup() { Stop(); }

    void opensOnANewLevelAndCancelReturns() {
        QCOMPARE(ctx_->collection.lastLevel(), 0);
        EditorWindow& editor = Open();
        QVERIFY(editor.isVisible());
        QVERIFY(editor.windowFlags() & Qt::Tool);
        QCOMPARE(editor.windowTitle(), QStringLiteral(" New level - Edit"));
        QCOMPARE(ctx_->collection.lastLevel(), 1);
        QCOMPARE(ctx_->collection.currentLevel, 1);
        QCOMPARE(Current().title, std::string("New level"));
        QCOMPARE(int(Current().rows), 6);
        QVERIFY(ctx_->editing && !form_->Shell().commandsBlocked);
        QVERIFY(!form_->TopMenu(0)->menuAction()->isEnabled());
        QCOMPARE(editor.titleLabel->text(), QStringLiteral("Title"));
        QVERIFY(editor.replaceButton->isEnabled() && editor.addButton->isEnabled());
        QCOMPARE(editor.buttons[10]->text(), QStringLiteral("1"));
        QCOMPARE(editor.buttons[10]->toolTip(), QStringLiteral("Destination"));
        QCOMPARE(editor.buttons[0]->toolTip(), QStringLiteral("Rotate 90° counterclockwise"));
        QVERIFY(!editor.buttons[kStopButton]->isEnabled());
        // A second "N" while it is open opens nothing: it is the editor's own "Current level".
        QTest::keyClick(&form_->Board(), 'n');
        QCOMPARE(form_->findChildren<EditorWindow*>().size(), 1);
        QCOMPARE(ctx_->collection.lastLevel(), 1);
        QCOMPARE(Current().title, std::string("Alpha"));

        editor.move(321, 234);
        const QPoint left = editor.pos();
        QTest::mouseClick(editor.cancelButton, Qt::LeftButton);
        QTRY_VERIFY(!form_->findChild<EditorWindow*>());
        QCOMPARE(ctx_->collection.lastLevel(), 0);
        QCOMPARE(Current().title, std::string("Alpha"));
        QVERIFY(!ctx_->editing);
        QVERIFY(form_->TopMenu(0)->menuAction()->isEnabled());
        QVERIFY(!form_->EditorKeys());
        QCOMPARE(form_->Memory().editor.position, left);
    }

    void theTitleStateDrivesReplaceAndAdd() {
        EditorWindow& editor = Open();
        struct Case {
            QString title;
            QString label;
            bool enabled;
        };
        for (const Case& t :
             {Case{QString(), QStringLiteral("Title  (invalid)"), false},
              Case{QStringLiteral(" x"), QStringLiteral("Title  (invalid)"), false},
              Case{QStringLiteral("Alpha"), QStringLiteral("Title  (duplicated)"), true},
              Case{QStringLiteral("Beta"), QStringLiteral("Title"), true}}) {
            editor.titleEdit->setText(t.title);
            QCOMPARE(editor.titleLabel->text(), t.label);
            QCOMPARE(editor.replaceButton->isEnabled(), t.enabled);
            QCOMPARE(editor.addButton->isEnabled(), t.enabled);
            QCOMPARE(QString::fromStdString(Current().title), t.title);
        }
    }

    void typingGoesToTheFieldAndCommandsToTheBoard() {
        EditorWindow& editor = Open();
        Select({{0, 0}});
        // While the user types in the title, "5" is a character of the title, pushed for undo.
        editor.typingInField = true;
        QTest::keyClick(editor.titleEdit, '5');
        QCOMPARE(Current().title, std::string("New level5"));
        QCOMPARE(editor.undo.Position(), 1);
        editor.RunButton(ButtonOfCharacter('E'));
        QCOMPARE(Current().BlockAt(0, 0), Byte{'.'});
        // Outside the fields, a typed "E" places a wall, also from the main window.
        editor.typingInField = false;
        QTest::keyClick(editor.buttons[3], 'e');
        QCOMPARE(Current().BlockAt(0, 0), Byte{'#'});
        Select({{1, 1}});
        QTest::keyClick(&form_->Board(), '4');
        QCOMPARE(Current().BlockAt(1, 1), Byte{'['});
        QCOMPARE(editor.undo.Position(), 3);
        // Undo steps back through the changes and the typed title; Redo returns.
        editor.RunButton(ButtonOfCharacter('<'));
        editor.RunButton(ButtonOfCharacter('<'));
        QCOMPARE(Current().BlockAt(0, 0), Byte{'.'});
        QCOMPARE(Current().title, std::string("New level5"));
        editor.RunButton(ButtonOfCharacter('<'));
        QCOMPARE(Current().title, std::string("New level"));
        QCOMPARE(editor.titleEdit->text(), QStringLiteral("New level"));
        for (int i = 0; i < 3; ++i) editor.RunButton(ButtonOfCharacter('>'));
        QCOMPARE(Current().BlockAt(1, 1), Byte{'['});
        QCOMPARE(Current().title, std::string("New level5"));
        // A change after Undo cuts the redo.
        editor.RunButton(ButtonOfCharacter(','));
        Select({{2, 2}});
        editor.RunButton(ButtonOfCharacter('1'));
        QCOMPARE(Current().MarkAt(2, 2), Byte{'+'});
        editor.RunButton(ButtonOfCharacter('>'));
        QCOMPARE(Current().BlockAt(1, 1), Byte{'.'});
    }

    void aCommandThatChangesNothingKeepsNoUndoEntry() {
        EditorWindow& editor = Open();
        Select({{0, 0}});
        editor.RunButton(ButtonOfCharacter('5')); // nothing to convert
        QCOMPARE(editor.undo.Position(), 0);
        QVERIFY(Selected().Test(0, 0));
        // F2 on an L shape is refused with its message and leaves no entry either.
        Select({{0, 0}, {1, 0}, {1, 1}});
        editor.RunButton(ButtonOfKeyName("F2"));
        QCOMPARE(platform_->script->shown.back(),
                 (std::vector<std::string>{"Command not executed.",
                                           "The selection has no 90\xB0 symmetry",
                                           "or not all cells are selected."}));
        QCOMPARE(editor.undo.Position(), 0);
        // An empty selection turns the whole level.
        Select({{0, 0}});
        editor.RunButton(ButtonOfCharacter('E'));
        editor.RunButton(ButtonOfCharacter('V'));
        QCOMPARE(int(Current().rows), 8);
        editor.RunButton(ButtonOfKeyName("F4"));
        QCOMPARE(Current().BlockAt(1, 6), Byte{'#'});
        QCOMPARE(editor.undo.Position(), 3);
    }

    void zoomKeysRefusedByTheMainWindowGoToTheEditorOnce() {
        EditorWindow& editor = Open();
        ctx_->options.value[kAutomaticBoardSizing] = true;
        int calls = 0;
        auto forward = form_->EditorKeys();
        form_->SetEditorKeys([&](const KeyPress& press) {
            ++calls;
            forward(press);
        });
        const int size = form_->Board().View().cellSize;
        for (const char c : {'*', '/', '?'}) {
            calls = 0;
            QTest::keyClick(&form_->Board(), c);
            QCOMPARE(calls, 1);
            // The editor's own zoom buttons are refused as well.
            editor.RunButton(ButtonOfCharacter(Byte(c)));
            QCOMPARE(calls, 1);
        }
        QCOMPARE(form_->Board().View().cellSize, size);
        QVERIFY(!form_->Shell().commandRunning);
        // Without automatic sizing the main window zooms and hands nothing on.
        ctx_->options.value[kAutomaticBoardSizing] = false;
        calls = 0;
        QTest::keyClick(&form_->Board(), '*');
        QCOMPARE(calls, 0);
        QVERIFY(form_->Board().View().cellSize > size);
        const int zoomed = form_->Board().View().cellSize;
        editor.RunButton(ButtonOfCharacter('/'));
        QVERIFY(form_->Board().View().cellSize < zoomed);
    }

    void alphanumericCycleAndAutoincrement() {
        EditorWindow& editor = Open();
        ctx_->options.value[kAlphanumericAutoincrement] = true;
        editor.SetAlphanumeric('Z');
        Select({{0, 0}});
        editor.RunButton(ButtonOfCharacter('O'));
        QCOMPARE(Current().BlockAt(0, 0), Byte{'['});
        QCOMPARE(int(Current().IdAt(0, 0)), -26);
        QCOMPARE(form_->Memory().editor.alphanumericChar, Byte{0xC7});
        QCOMPARE(editor.alphanumericEdit->text(), QStringLiteral("Ç"));
        // Typing a character takes it; an empty field is the blank, which disables O and P.
        editor.alphanumericEdit->setText(QStringLiteral("Çq"));
        Q_EMIT editor.alphanumericEdit->textEdited(editor.alphanumericEdit->text());
        QCOMPARE(form_->Memory().editor.alphanumericChar, Byte{'q'});
        QCOMPARE(editor.alphanumericEdit->text(), QStringLiteral("q"));
        editor.alphanumericEdit->clear();
        Q_EMIT editor.alphanumericEdit->textEdited(QString());
        QCOMPARE(form_->Memory().editor.alphanumericChar, Byte{' '});
        QVERIFY(!editor.buttons[kAlphanumericBlockButton]->isEnabled());
        QVERIFY(!editor.buttons[kAlphanumericMarkButton]->isEnabled());
        Select({{1, 1}});
        editor.RunButton(ButtonOfCharacter('P'));
        QCOMPARE(Current().MarkAt(1, 1), Byte{'.'});
        // The up-down control steps through the cycle.
        QTest::mouseClick(editor.alphanumericPreviousButton, Qt::LeftButton);
        QCOMPARE(form_->Memory().editor.alphanumericChar, Byte{'9'});
        QTest::mouseClick(editor.alphanumericNextButton, Qt::LeftButton);
        QTest::mouseClick(editor.alphanumericNextButton, Qt::LeftButton);
        QCOMPARE(form_->Memory().editor.alphanumericChar, Byte{'A'});
        QVERIFY(editor.buttons[kAlphanumericMarkButton]->isEnabled());
    }

    void aLevelMadeInTheEditorIsAddedAndPlayed() {
        EditorWindow& editor = Open();
        // A corridor in a frame: the player, a box and its destination.
        editor.titleEdit->setText(QStringLiteral("Made here"));
        Selected().Clear();
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c) Selected().Set(r, c);
        editor.RunButton(ButtonOfCharacter('E'));
        Select({{2, 1}, {2, 2}, {2, 3}, {2, 4}});
        editor.RunButton(ButtonOfCharacter('3'));
        Select({{2, 3}});
        editor.RunButton(ButtonOfCharacter('1'));
        Select({{2, 2}});
        editor.RunButton(ButtonOfCharacter('-'));
        Select({{2, 2}});
        editor.RunButton(ButtonOfCharacter('5'));
        Select({{2, 1}});
        editor.RunButton(ButtonOfCharacter('4'));
        QCOMPARE(Current().BlockAt(2, 2), Byte{'V'});
        QVERIFY(editor.addButton->isEnabled());
        QTest::mouseClick(editor.addButton, Qt::LeftButton);
        QTRY_VERIFY(!form_->findChild<EditorWindow*>());
        QCOMPARE(ctx_->collection.lastLevel(), 1);
        QCOMPARE(ctx_->collection.currentLevel, 1);
        QCOMPARE(Current().title, std::string("Made here"));
        // The player pushes the box onto its destination.
        QVERIFY(!IsSolved(*ctx_));
        SelectBlock(*ctx_, 1, 2);
        QVERIFY(DragSelectedBlock(*ctx_, 2, 2, false));
        QVERIFY(IsSolved(*ctx_));
    }

    void aShuffleHoldsTheWindowOpen() {
        EditorWindow& editor = Open();
        form_->Shell().longOperationRunning = true;
        QVERIFY(!editor.close());
        QVERIFY(form_->Shell().longOperationStop.stop_requested());
        const int before = editor.undo.Position();
        Select({{0, 0}});
        editor.RunButton(ButtonOfCharacter('E'));
        QCOMPARE(editor.undo.Position(), before);
        form_->Shell().longOperationStop = std::stop_source();
        QTest::keyClick(&editor, Qt::Key_Escape);
        QVERIFY(form_->Shell().longOperationStop.stop_requested());
        form_->Shell().longOperationRunning = false;
        // A shuffle of nothing fails and leaves no state to redo; the main window is held while
        // it runs and given back after.
        Selected().Clear();
        bool heldMeanwhile = false;
        platform_->script->answers.clear();
        QTimer::singleShot(0, [&] { heldMeanwhile = form_->Shell().commandsBlocked; });
        editor.RunButton(ButtonOfKeyName("F12"));
        QVERIFY(heldMeanwhile);
        QVERIFY(!form_->Shell().commandsBlocked);
        QCOMPARE(editor.undo.Top(), before);
        QVERIFY(!form_->Shell().longOperationRunning);
        QVERIFY(editor.buttons[0]->isEnabled() && !editor.buttons[kStopButton]->isEnabled());
        QVERIFY(editor.close());
    }

    void clipboardAndCurrentLevelReplaceTheEditedLevel() {
        EditorWindow& editor = Open();
        // "N": the level being played, with its title.
        editor.RunButton(ButtonOfCharacter('N'));
        QCOMPARE(Current().title, std::string("Alpha"));
        QCOMPARE(editor.titleEdit->text(), QStringLiteral("Alpha"));
        QCOMPARE(int(Current().rows), 3);
        QCOMPARE(editor.titleLabel->text(), QStringLiteral("Title  (duplicated)"));
        // Ctrl+X copies the selected cells and erases them.
        Select({{0, 0}, {0, 1}});
        editor.RunButton(ButtonOfKeyName("ctrl+x"));
        QCOMPARE(Current().BlockAt(0, 0), Byte{'.'});
        const std::optional<std::string> cut = platform_->ClipboardText();
        QVERIFY(cut && cut->find(".#..") != std::string::npos);
        QVERIFY(Selected().IsEmpty(kMaxRows - 1));
        // Ctrl+V with nothing selected: the clipboard's first level becomes the edited level.
        platform_->SetClipboardText("\"Pasted\"\r\n.#...[..\r\n....+...\r\n\"Other\"\r\n.#..\r\n");
        editor.RunButton(ButtonOfKeyName("ctrl+v"));
        QCOMPARE(Current().title, std::string("Pasted"));
        QCOMPARE(editor.titleEdit->text(), QStringLiteral("Pasted"));
        QCOMPARE(int(Current().rows), 2);
        QCOMPARE(Current().BlockAt(0, 1), Byte{'['});
        QCOMPARE(ctx_->collection.lastLevel(), 1);
        // Undo brings each state back in turn.
        editor.RunButton(ButtonOfCharacter('<'));
        QCOMPARE(Current().title, std::string("Alpha"));
        QCOMPARE(Current().BlockAt(0, 0), Byte{'.'});
        editor.RunButton(ButtonOfCharacter('<'));
        QCOMPARE(Current().BlockAt(0, 0), Byte{'#'});
        editor.RunButton(ButtonOfCharacter('<'));
        QCOMPARE(Current().title, std::string("New level"));
        QCOMPARE(int(Current().rows), 6);
        // Replace puts the edited level in place of the one played before.
        editor.RunButton(ButtonOfCharacter('>'));
        editor.titleEdit->setText(QStringLiteral("Alpha 2"));
        QTest::mouseClick(editor.replaceButton, Qt::LeftButton);
        QTRY_VERIFY(!form_->findChild<EditorWindow*>());
        QCOMPARE(ctx_->collection.lastLevel(), 0);
        QCOMPARE(Current().title, std::string("Alpha 2"));
    }

    void theColourChooserOpensOnTheCurrentColour() {
        RunMemory memory;
        ColourChooser chooser(nullptr, QStringLiteral(" Colour"), 0xA5, memory);
        QCOMPARE(chooser.colourGrid->currentRow(), 0);
        QCOMPARE(chooser.colourGrid->currentColumn(), 4);
        QCOMPARE(chooser.Chosen(), Byte{0xA5});
        chooser.colourGrid->setCurrentCell(3, 7);
        QCOMPARE(chooser.Chosen(), Byte{247});
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        const QRect cell = chooser.colourGrid->visualRect(chooser.colourGrid->model()->index(1, 2));
        QTest::mouseClick(chooser.colourGrid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(chooser.Chosen(), RoundCharacter(10));
        QTest::mouseDClick(chooser.colourGrid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(chooser.Chosen(), RoundCharacter(10));
    }

    // The chooser opens where the run's memory says it was left, and leaves its place there; a
    // memory of another run knows nothing of it.
    void theColourChooserComesBackWhereItWasLeft() {
        RunMemory memory, other;
        {
            ColourChooser chooser(nullptr, QStringLiteral(" Colour"), 0xA5, memory);
            QCOMPARE(chooser.pos(), QPoint(100, 100));
            chooser.move(240, 180);
            chooser.reject();
        }
        QCOMPARE(memory.colourChooserPosition, QPoint(240, 180));
        ColourChooser again(nullptr, QStringLiteral(" Colour"), 0xA5, memory);
        QCOMPARE(again.pos(), QPoint(240, 180));
        QCOMPARE(other.colourChooserPosition, QPoint(100, 100));
    }
};

VORPEL_APP_TEST(EditorWindowTest)
#include "editor_window_test.moc"
