// The level editor's window and its command dispatcher.
#include "app/EditorWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/BoardView.h"
#include "app/ColourChooser.h"
#include "app/FileChooser.h"
#include "app/Help.h"
#include "app/OptionsWindow.h"
#include "app/QtPlatform.h"
#include "app/ResumeKeeper.h"
#include "app/RunMemory.h"
#include "app/ShellState.h"
#include "app/TitleDialog.h"
#include "editor/Alphanumeric.h"
#include "editor/EditorCells.h"
#include "editor/EditorOps.h"
#include "editor/SelectionText.h"
#include "files/GameSession.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/TitleCheck.h"
#include "model/Context.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Shuffle.h"
#include "model/Solved.h"
#include "render/BoardDrawing.h"

namespace vorpel {

namespace {

constexpr int kPictureWidth = 27;
constexpr int kPictureHeight = 24;
constexpr int kCellPicture = 24;
constexpr int kButtonColumns = 8;
constexpr int kButtonWidth = 48;
constexpr int kButtonHeight = 48;

QString Text(std::string_view bytes) {
    return FromCp1252(std::string(bytes));
}

QFont FixedPitchFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(18);
    return font;
}

// One cell of kind `block` over `mark`, as the board draws it.
QImage CellPicture(BoardCanvas& canvas, Byte block, Byte mark) {
    static Context* scratch = new Context; // one board for every picture, never freed
    Level& level = scratch->CurrentLevel();
    level.Initialise("", 1, 1);
    level.blockLayer.Set(0, 0, block);
    level.markLayer.Set(0, 0, mark);
    level.idLayer.Set(0, 0, TakesIdentifier(block) ? std::int16_t{2} : std::int16_t{0});
    ShowCurrentLevel(*scratch);
    ViewState state;
    ComputeOutlineFlags(scratch->board, state.outline);
    DrawBoard(*scratch, state, {kCellPicture, false}, canvas);
    QImage image(canvas.pixels.data(), kCellPicture, kCellPicture, kCanvasSize,
                 QImage::Format_Indexed8);
    image.setColorTable(ColourTable(canvas.palette));
    return image.convertToFormat(QImage::Format_RGB32);
}

// A command button's simple symbol, drawn in the picture's box.
QPixmap CommandPicture(int tag) {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(40, 40, 40));
    pen.setWidthF(1.6);
    p.setPen(pen);
    const QRectF box(4, 3, 19, 18);
    const auto arrowHead = [&](QPointF tip, QPointF direction) {
        const QPointF normal(-direction.y(), direction.x());
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(tip - direction * 5 + normal * 3);
        head.lineTo(tip - direction * 5 - normal * 3);
        head.closeSubpath();
        p.fillPath(head, pen.color());
    };
    const auto arrow = [&](QPointF from, QPointF to) {
        p.drawLine(from, to);
        const QPointF d = to - from;
        const double length = std::hypot(d.x(), d.y());
        arrowHead(to, d / length);
    };
    switch (tag) {
    case 0:   // rotate counterclockwise
    case 2:   // rotate clockwise
    case 1: { // half turn
        const int span = tag == 1 ? 300 * 16 : 230 * 16;
        p.drawArc(box.adjusted(2, 2, -2, -2), 90 * 16, tag == 2 ? -span : span);
        arrowHead(tag == 2 ? QPointF(8, 6) : QPointF(19, 6),
                  tag == 2 ? QPointF(-1, 0.6) : QPointF(1, 0.6));
        break;
    }
    case 3: // vertical reversal
        arrow({13.5, 12}, {13.5, 3});
        arrow({13.5, 12}, {13.5, 21});
        p.drawLine(QPointF(4, 12), QPointF(23, 12));
        break;
    case 4: // horizontal reversal
        arrow({13.5, 12}, {4, 12});
        arrow({13.5, 12}, {23, 12});
        p.drawLine(QPointF(13.5, 3), QPointF(13.5, 21));
        break;
    case 5: // insert, expanding columns
    case 7: // delete, compacting columns
        p.drawRect(QRectF(9, 3, 9, 6));
        tag == 5 ? arrow({13.5, 10}, {13.5, 21}) : arrow({13.5, 21}, {13.5, 10});
        break;
    case 6: // insert, expanding rows
    case 8: // delete, compacting rows
        p.drawRect(QRectF(3, 8, 6, 8));
        tag == 6 ? arrow({10, 12}, {24, 12}) : arrow({24, 12}, {10, 12});
        break;
    case 9: // shuffle: dice
        p.drawRoundedRect(box, 3, 3);
        for (const QPointF dot : {QPointF(8, 7), QPointF(13.5, 12), QPointF(19, 17)})
            p.setBrush(pen.color()), p.drawEllipse(dot, 1.5, 1.5);
        break;
    case 14: // to master
    case 15: // to nonmaster
        p.setBrush(tag == 14 ? QColor(220, 60, 60) : QColor(200, 200, 200));
        p.drawRect(box.adjusted(3, 2, -3, -2));
        break;
    case 18: // erase blocks and marks
        p.drawLine(box.topLeft(), box.bottomRight());
        p.drawLine(box.topRight(), box.bottomLeft());
        break;
    case 40: // restore selection
    case 41: // select nothing
    case 42: // invert selection
        pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        if (tag == 42) p.setBrush(QColor(120, 160, 230));
        p.drawRect(box.adjusted(2, 2, -2, -2));
        if (tag == 40) arrowHead({20, 20}, {0.7, 0.7});
        break;
    case 43: // delete empty borders
    case 44: // add empty borders
        p.drawRect(box.adjusted(5, 5, -5, -5));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawRect(tag == 44 ? box : box.adjusted(2, 2, -2, -2));
        break;
    case 45: // read a level file
        p.drawRect(QRectF(7, 3, 13, 18));
        for (double y : {8.0, 12.0, 16.0}) p.drawLine(QPointF(10, y), QPointF(17, y));
        break;
    case 46: // current level
        p.drawRect(box.adjusted(1, 1, -1, -1));
        p.setBrush(QColor(80, 140, 220));
        p.drawRect(QRectF(10, 9, 7, 6));
        break;
    case 47: // undo
    case 48: // redo
        p.drawArc(QRectF(6, 6, 15, 14), tag == 47 ? 0 : 180 * 16, tag == 47 ? 180 * 16 : -180 * 16);
        arrowHead(tag == 47 ? QPointF(6, 15) : QPointF(21, 15), {0, 1});
        break;
    case 49: // copy
    case 50: // paste
    case 52: // cut
        p.drawRect(QRectF(5, 3, 11, 13));
        p.setBrush(tag == 52 ? QColor(230, 90, 90) : QColor(255, 255, 255));
        p.drawRect(QRectF(11, 8, 11, 13));
        break;
    case 51: // options
        p.drawEllipse(QPointF(13.5, 12), 7, 7);
        p.drawEllipse(QPointF(13.5, 12), 2.5, 2.5);
        break;
    case 53: // zoom out
    case 54: // zoom in
    case 55: // zoom fit
        p.drawEllipse(QPointF(11, 10), 6, 6);
        p.drawLine(QPointF(15.5, 14.5), QPointF(22, 21));
        p.drawLine(QPointF(8, 10), QPointF(14, 10));
        if (tag == 54) p.drawLine(QPointF(11, 7), QPointF(11, 13));
        if (tag == 55) p.drawRect(QRectF(8, 7, 6, 6));
        break;
    case 57: // convert to tire
        p.setBrush(QColor(60, 60, 60));
        p.drawEllipse(QPointF(13.5, 12), 8, 8);
        p.setBrush(QColor(230, 230, 230));
        p.drawEllipse(QPointF(13.5, 12), 3, 3);
        break;
    case kStopButton:
        p.setBrush(QColor(210, 40, 40));
        p.setPen(Qt::NoPen);
        p.drawRect(box.adjusted(3, 2, -3, -2));
        break;
    case kHelpButton:
        p.setFont(FixedPitchFont());
        p.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
        break;
    case 63: { // colour for round blocks and marks
        const QColor colours[] = {QColor(255, 255, 128), QColor(0, 240, 0), QColor(192, 0, 0),
                                  QColor(64, 64, 255)};
        for (int i = 0; i < 4; ++i)
            p.fillRect(QRectF(5 + (i % 2) * 9, 3 + (i / 2) * 9, 8, 8), colours[i]);
        break;
    }
    default:
        break;
    }
    return pixmap;
}

// The alphanumeric buttons' picture: the character in the fixed-pitch font, grey with a white
// shadow when disabled.
QPixmap CharacterPicture(Byte c, bool enabled) {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setFont(FixedPitchFont());
    const QString text = FromCp1252(std::string(1, static_cast<char>(ButtonCharacter(c))));
    const QRect box(0, 0, kPictureWidth, kPictureHeight);
    if (!enabled) {
        p.setPen(Qt::white);
        p.drawText(box.translated(1, 1), Qt::AlignCenter, text);
        p.setPen(Qt::gray);
    } else {
        p.setPen(Qt::black);
    }
    p.drawText(box, Qt::AlignCenter, text);
    return pixmap;
}

} // namespace

EditorMemory& EditorWindow::Memory() {
    return main.Memory().editor;
}

EditorWindow::EditorWindow(GameSession& gameSession, EditorHost& mainWindow)
    : QWidget(&mainWindow.Widget(), Qt::Tool), main(mainWindow), session(gameSession),
      pictureCanvas_(std::make_unique<BoardCanvas>()) {
    setObjectName(QStringLiteral("EditorWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" New level - Edit"));
    BuildControls();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::BuildControls() {
    titleLabel = new QLabel(QStringLiteral("Title"), this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleEdit = new QLineEdit(this);
    titleEdit->setObjectName(QStringLiteral("titleEdit"));
    titleEdit->setMaxLength(255);
    connect(titleEdit, &QLineEdit::textChanged, this, [this] { OnTitleChanged(); });

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    const auto& table = EditorButtons();
    for (int tag = 0; tag < kEditorButtonCount; ++tag) {
        const EditorButton& b = table[static_cast<std::size_t>(tag)];
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("button%1").arg(tag));
        button->setText(Text(b.key));
        button->setToolTip(Text(b.hint));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(kPictureWidth, kPictureHeight));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAutoRaise(false);
        button->setFixedSize(kButtonWidth, kButtonHeight);
        QPixmap picture;
        if (b.kind == ButtonKind::kBlock)
            picture = QPixmap::fromImage(CellPicture(*pictureCanvas_, b.value, kPlainMark));
        else if (b.kind == ButtonKind::kMark)
            picture = QPixmap::fromImage(CellPicture(*pictureCanvas_, kEmptyKind, b.value));
        else
            picture = CommandPicture(tag);
        button->setIcon(QIcon(picture));
        // One action per button, its shortcut the key its caption names when that is no
        // character (Esc and F1 stay the window's own keys, see KeyPressed).
        auto* action = new QAction(Text(b.hint), this);
        if (b.key.size() > 1 && b.kind != ButtonKind::kOwn)
            action->setShortcut(QKeySequence::fromString(Text(b.key), QKeySequence::PortableText));
        addAction(action);
        if (tag == kStopButton) {
            button->setObjectName(QStringLiteral("stopButton"));
            button->setEnabled(false);
            connect(action, &QAction::triggered, this,
                    [this] { main.Shell().longOperationStop.request_stop(); });
        } else if (tag == kHelpButton) {
            button->setObjectName(QStringLiteral("helpButton"));
            connect(action, &QAction::triggered, this,
                    [this] { ShowHelp(main.Platform(), "LevelEdit"); });
        } else {
            connect(action, &QAction::triggered, this, [this, tag] { RunButton(tag); });
        }
        connect(button, &QToolButton::clicked, this, [this, action] {
            // A click takes the focus from the fields, so the command is not typing.
            typingInField = false;
            action->trigger();
        });
        buttons[static_cast<std::size_t>(tag)] = button;
        actions[static_cast<std::size_t>(tag)] = action;
        grid->addWidget(button, tag / kButtonColumns, tag % kButtonColumns);
    }

    alphanumericEdit = new QLineEdit(this);
    alphanumericEdit->setObjectName(QStringLiteral("alphanumericEdit"));
    alphanumericEdit->setFont(FixedPitchFont());
    alphanumericEdit->setFixedWidth(40);
    alphanumericEdit->setAlignment(Qt::AlignCenter);
    alphanumericEdit->setToolTip(QStringLiteral("Character for alphanumeric\nblocks and marks"));
    connect(alphanumericEdit, &QLineEdit::textEdited, this, [this] { OnAlphanumericEdited(); });
    alphanumericNextButton = new QToolButton(this);
    alphanumericNextButton->setObjectName(QStringLiteral("alphanumericNextButton"));
    alphanumericNextButton->setArrowType(Qt::UpArrow);
    alphanumericPreviousButton = new QToolButton(this);
    alphanumericPreviousButton->setObjectName(QStringLiteral("alphanumericPreviousButton"));
    alphanumericPreviousButton->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {alphanumericNextButton, alphanumericPreviousButton}) {
        b->setToolTip(QStringLiteral("Previous or next\nalphanumeric character"));
        b->setFixedSize(18, 14);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(alphanumericNextButton, &QToolButton::clicked, this,
            [this] { StepAlphanumeric(true); });
    connect(alphanumericPreviousButton, &QToolButton::clicked, this,
            [this] { StepAlphanumeric(false); });

    replaceButton = new QPushButton(QStringLiteral("Replace"), this);
    replaceButton->setObjectName(QStringLiteral("replaceButton"));
    addButton = new QPushButton(QStringLiteral("Add"), this);
    addButton->setObjectName(QStringLiteral("addButton"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton* b : {replaceButton, addButton, cancelButton}) b->setAutoDefault(false);
    connect(replaceButton, &QPushButton::clicked, this,
            [this] { CloseWith(EditorResult::kReplace); });
    connect(addButton, &QPushButton::clicked, this, [this] { CloseWith(EditorResult::kAdd); });
    // Cancel says what it does: it drops the changes without a question.
    connect(cancelButton, &QPushButton::clicked, this, [this] {
        discardAsked_ = true;
        if (!close()) discardAsked_ = false;
    });

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(titleEdit, 1);
    auto* upDown = new QVBoxLayout;
    upDown->setSpacing(0);
    upDown->addWidget(alphanumericNextButton);
    upDown->addWidget(alphanumericPreviousButton);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(alphanumericEdit);
    bottomRow->addLayout(upDown);
    bottomRow->addStretch(1);
    bottomRow->addWidget(replaceButton);
    bottomRow->addWidget(addButton);
    bottomRow->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addLayout(grid);
    layout->addLayout(bottomRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Every key of the window comes to the dispatcher, whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

// --- Title ------------------------------------------------------------------------------------

void EditorWindow::OnTitleChanged() {
    Context& ctx = session.Data();
    const std::string title = ToCp1252(titleEdit->text());
    if (typingInField && title != ctx.CurrentLevel().title) PushUndo();
    session.SetTitle(title);
    const TitleState state = CheckTitleFor(ctx.collection, title, ctx.collection.currentLevel);
    // Characters the code page lacks would become "?": such a title is refused, and named.
    const QString outside = OutsideCp1252(titleEdit->text());
    const bool refused = state == TitleState::Invalid || !outside.isEmpty();
    titleLabel->setText(!outside.isEmpty() ? QStringLiteral("Title  (cannot hold ") + outside + u')'
                        : refused          ? QStringLiteral("Title  (invalid)")
                        : state == TitleState::Duplicated ? QStringLiteral("Title  (duplicated)")
                                                          : QStringLiteral("Title"));
    titleEdit->setToolTip(outside.isEmpty() ? QString() : UnheldTitleCharacters(outside));
    replaceButton->setEnabled(!refused);
    addButton->setEnabled(!refused);
}

void EditorWindow::ShowLevelTitle() {
    const QString title = FromCp1252(session.Data().CurrentLevel().title);
    {
        const QSignalBlocker blocker(titleEdit);
        titleEdit->setText(title);
    }
    OnTitleChanged();
}

// --- Alphanumeric character ------------------------------------------------------------------

void EditorWindow::SetAlphanumeric(Byte c) {
    Memory().alphanumericChar = c;
    const QString text = c == ' ' ? QString() : FromCp1252(std::string(1, static_cast<char>(c)));
    if (alphanumericEdit->text() != text) {
        const QSignalBlocker blocker(alphanumericEdit);
        alphanumericEdit->setText(text);
    }
    UpdateAlphanumericButtons();
}

void EditorWindow::OnAlphanumericEdited() {
    SetAlphanumeric(
        TypedAlphanumeric(ToCp1252(alphanumericEdit->text()), Memory().alphanumericChar));
}

void EditorWindow::StepAlphanumeric(bool next) {
    const Byte c = Memory().alphanumericChar;
    SetAlphanumeric(next ? NextAlphanumeric(c) : PreviousAlphanumeric(c));
}

void EditorWindow::UpdateAlphanumericButtons() {
    const Byte c = Memory().alphanumericChar;
    const bool enabled = AlphanumericIndex(c) != 0 && !main.Shell().longOperationRunning;
    for (const int tag : {kAlphanumericBlockButton, kAlphanumericMarkButton}) {
        QToolButton* button = buttons[static_cast<std::size_t>(tag)];
        QIcon icon;
        icon.addPixmap(CharacterPicture(c, true), QIcon::Normal);
        icon.addPixmap(CharacterPicture(c, false), QIcon::Disabled);
        button->setIcon(icon);
        button->setEnabled(enabled);
    }
}

// --- Round colour and zoom -------------------------------------------------------------------

void EditorWindow::ColourRoundButtons() {
    const Byte round = Memory().roundChar;
    buttons[kRoundBlockButton]->setIcon(
        QIcon(QPixmap::fromImage(CellPicture(*pictureCanvas_, round, kPlainMark))));
    buttons[kRoundMarkButton]->setIcon(
        QIcon(QPixmap::fromImage(CellPicture(*pictureCanvas_, kEmptyKind, round))));
}

void EditorWindow::SetZoomButtons() {
    const bool manual = !session.Data().options[kAutomaticBoardSizing];
    for (const int tag : {kZoomOutButton, kZoomInButton, kZoomFitButton})
        buttons[static_cast<std::size_t>(tag)]->setEnabled(manual);
}

// --- Commands --------------------------------------------------------------------------------

void EditorWindow::PushUndo() {
    undo.Push(session.Data().CurrentLevel());
}

void EditorWindow::Reload() {
    main.ReloadAfterEdit(true);
}

template <class Command> void EditorWindow::Change(Command command) {
    PushUndo();
    command();
    if (undo.DropIfUnchanged(session.Data().CurrentLevel()))
        main.Board().Redraw();
    else
        Reload();
}

void EditorWindow::RestoreFromUndo(bool redo) {
    Level& level = session.Data().CurrentLevel();
    if (!(redo ? undo.Redo(level) : undo.Undo(level))) return;
    ShowLevelTitle();
    Reload();
}

void EditorWindow::ReadLevelFileCommand() {
    Context& ctx = session.Data();
    std::string name = main.FileName();
    if (!ChooseFile(session, main, this, name, "Read a level file", kChooseReading)) return;
    main.FileName() = name;
    PushUndo();
    std::vector<std::string> lines;
    std::string error = ReadLevelSource(ctx, name, lines).message;
    if (error.empty())
        error = ReadFirstLevel(ctx, Selected(), lines);
    else
        ReadFirstLevel(ctx, Selected(), {});
    ShowLevelTitle();
    Reload();
    if (!error.empty()) ctx.platform->ShowInfo({"File " + name + ".", error});
}

void EditorWindow::PasteCommand() {
    Context& ctx = session.Data();
    PushUndo();
    std::string error;
    if (editor::SelectionInLevel(ctx, Selected()).IsEmpty(kMaxRows - 1)) {
        std::vector<std::string> lines;
        error = ReadLevelSource(ctx, LevelPlace::Clipboard(), lines).message;
        if (error.empty()) error = ReadFirstLevel(ctx, Selected(), lines);
        if (!error.empty()) {
            // A paste that read no level leaves the edited level as it was.
            undo.Revert(ctx.CurrentLevel());
            ShowLevelTitle();
            Reload();
            ctx.platform->ShowInfo({"Clipboard", error});
            return;
        }
        ShowLevelTitle();
    } else {
        error = PasteClipboardIntoSelection(ctx, Selected());
    }
    if (undo.DropIfUnchanged(ctx.CurrentLevel()))
        main.Board().Redraw();
    else
        Reload();
    if (!error.empty()) ctx.platform->ShowInfo({"Clipboard", error});
}

void EditorWindow::CopyCommand(bool erase) {
    Context& ctx = session.Data();
    if (const std::string error = CopyToClipboard(ctx, Selected()); !error.empty())
        ctx.platform->ShowInfo({error});
    // The cut erases the cells just copied, before the selection is put away.
    if (erase) Change([&] { EraseBlocksAndMarks(ctx, Selected()); });
    SaveAndClearSelection(ctx, Selected());
    main.Board().Redraw();
}

void EditorWindow::ShuffleCommand() {
    Context& ctx = session.Data();
    ShellState& f = main.Shell();
    const std::stop_token stop = f.StartLongOperation();
    // The board's mouse would change the selection being shuffled: the main window holds its
    // commands meanwhile, and only its Esc (the stop) gets through.
    main.SetBusy(true, true, false);
    setCursor(Qt::WaitCursor);
    main.SetHourglass(true);
    std::vector<QWidget*> disabled;
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child == buttons[kStopButton] || child == buttons[kHelpButton] || !child->isEnabled() ||
            child->isWindow())
            continue;
        if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child)) {
            child->setEnabled(false);
            disabled.push_back(child);
        }
    }
    buttons[kStopButton]->setEnabled(true);
    QCoreApplication::processEvents();
    PushUndo();
    const ShuffleOutcome outcome = EditorShuffle(ctx, Selected(), stop);
    f.longOperationRunning = false;
    f.longOperationStop = std::stop_source();
    main.SetBusy(true, false, false);
    for (QWidget* child : disabled) child->setEnabled(true);
    buttons[kStopButton]->setEnabled(false);
    SetZoomButtons();
    UpdateAlphanumericButtons();
    OnTitleChanged();
    unsetCursor();
    main.SetHourglass(false);
    // Only a completed shuffle changed the level; anything else leaves no state to redo.
    if (outcome != ShuffleOutcome::kCompleted) undo.Revert(ctx.CurrentLevel());
    Reload();
}

void EditorWindow::RunButton(int tag) {
    Context& ctx = session.Data();
    if (typingInField || main.Shell().longOperationRunning) return;
    const EditorButton& button = EditorButtons()[static_cast<std::size_t>(tag)];
    EditorMemory& memory = Memory();
    const auto alphanumeric = [&](bool block) {
        if (!buttons[static_cast<std::size_t>(tag)]->isEnabled()) return;
        const Byte ch = memory.alphanumericChar;
        if (block)
            Change([&] { ConvertToAlphanumeric(ctx, Selected(), ch); });
        else
            Change([&] { SetMark(ctx, Selected(), ch); });
        if (ctx.options[kAlphanumericAutoincrement]) StepAlphanumeric(true);
    };
    const auto shift = [&](CellShift cellShift) {
        Change([&] { ShiftCells(ctx, Selected(), cellShift); });
    };
    switch (button.action) {
    case EditorAction::kPlace:
        if (button.kind == ButtonKind::kMark)
            Change([&] { SetMark(ctx, Selected(), button.value); });
        else
            Change([&] { SetBlockKind(ctx, Selected(), button.value); });
        break;
    case EditorAction::kRoundMark:
        Change([&] { SetMark(ctx, Selected(), memory.roundChar); });
        break;
    case EditorAction::kRoundBlock:
        Change([&] { SetBlockKind(ctx, Selected(), memory.roundChar); });
        break;
    case EditorAction::kRotateCounterclockwise:
        Change([&] { Rotate90(ctx, Selected(), false); });
        break;
    case EditorAction::kRotate180:
        Change([&] { Rotate180(ctx, Selected()); });
        break;
    case EditorAction::kRotateClockwise:
        Change([&] { Rotate90(ctx, Selected(), true); });
        break;
    case EditorAction::kReverseVertically:
        Change([&] { ReverseVertically(ctx, Selected()); });
        break;
    case EditorAction::kReverseHorizontally:
        Change([&] { ReverseHorizontally(ctx, Selected()); });
        break;
    case EditorAction::kInsertExpandingColumns:
        shift(CellShift::kInsertExpandingColumns);
        break;
    case EditorAction::kInsertExpandingRows:
        shift(CellShift::kInsertExpandingRows);
        break;
    case EditorAction::kDeleteCompactingColumns:
        shift(CellShift::kDeleteCompactingColumns);
        break;
    case EditorAction::kDeleteCompactingRows:
        shift(CellShift::kDeleteCompactingRows);
        break;
    case EditorAction::kShuffle:
        ShuffleCommand();
        break;
    case EditorAction::kToMaster:
        Change([&] { ConvertToMaster(ctx, Selected()); });
        break;
    case EditorAction::kToNonmaster:
        Change([&] { ConvertToNonmaster(ctx, Selected()); });
        break;
    case EditorAction::kEraseBlocksAndMarks:
        Change([&] { EraseBlocksAndMarks(ctx, Selected()); });
        break;
    case EditorAction::kToTire:
        Change([&] { ConvertToTire(ctx, Selected()); });
        break;
    case EditorAction::kToAlphanumericBlock:
        alphanumeric(true);
        break;
    case EditorAction::kAlphanumericMark:
        alphanumeric(false);
        break;
    case EditorAction::kDeleteEmptyBorders:
        Change([&] { DeleteEmptyBorders(ctx, Selected()); });
        break;
    case EditorAction::kAddEmptyBorders:
        Change([&] { AddEmptyBorders(ctx, Selected()); });
        break;
    case EditorAction::kRestoreSelection:
        RestoreSelection(Selected());
        main.Board().Redraw();
        break;
    case EditorAction::kSelectNothing:
        SelectNothing(ctx, Selected());
        main.Board().Redraw();
        break;
    case EditorAction::kInvertSelection:
        InvertTheSelection(ctx, Selected());
        main.Board().Redraw();
        break;
    case EditorAction::kCurrentLevel:
        Change([&] { LoadPlayedLevel(ctx, Selected(), snapshot); });
        ShowLevelTitle();
        break;
    case EditorAction::kReadLevelFile:
        ReadLevelFileCommand();
        break;
    case EditorAction::kCopy:
        CopyCommand(false);
        break;
    case EditorAction::kCut:
        CopyCommand(true);
        break;
    case EditorAction::kPaste:
        PasteCommand();
        break;
    case EditorAction::kUndo:
        RestoreFromUndo(false);
        break;
    case EditorAction::kRedo:
        RestoreFromUndo(true);
        break;
    case EditorAction::kOptions:
        if (main.ShowOptionsWindow(kPageEdit1)) {
            main.RepaintAfterEdit(true);
            SetZoomButtons();
        }
        break;
    case EditorAction::kRoundColour:
        if (ChooseRoundColour(this, QLatin1Char(' ') + buttons[63]->toolTip(), memory.roundChar,
                              main.Memory()))
            ColourRoundButtons();
        break;
    case EditorAction::kZoomOut:
        main.Zoom(CellSizing::kZoomOut);
        break;
    case EditorAction::kZoomIn:
        main.Zoom(CellSizing::kZoomIn);
        break;
    case EditorAction::kZoomFit:
        main.Zoom(CellSizing::kFit);
        break;
    case EditorAction::kStop:
    case EditorAction::kHelp:
        break; // their actions act at once, also while a shuffle runs
    }
}

void EditorWindow::KeyFromMainWindow(const KeyPress& press) {
    if (typingInField) return;
    KeyPressed(press.key, press.modifiers, press.text);
}

// --- Keys, focus and closing -----------------------------------------------------------------

bool EditorWindow::KeyPressed(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    ShellState& f = main.Shell();
    if (key == Qt::Key_Escape) {
        if (f.longOperationRunning)
            f.longOperationStop.request_stop();
        else
            close();
        return true;
    }
    if (f.longOperationRunning) return true;
    if (key == Qt::Key_F1) {
        ShowHelp(main.Platform(), "LevelEdit");
        return true;
    }
    if (key >= Qt::Key_F2 && key <= Qt::Key_F12) {
        // The keys of the actions' shortcuts, when Qt did not match them (the window is not
        // the active one, or the main window passed the key on).
        const QString name = QKeySequence(key).toString(QKeySequence::PortableText);
        if (const int tag = ButtonOfKeyName(name.toStdString()); tag >= 0)
            actions[static_cast<std::size_t>(tag)]->trigger();
        return true;
    }
    if (alphanumericEdit->hasFocus() &&
        (key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down || key == Qt::Key_Left)) {
        StepAlphanumeric(key == Qt::Key_Up || key == Qt::Key_Right);
        return true;
    }
    if (typingInField) return false;
    if ((modifiers & Qt::ControlModifier) &&
        (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X)) {
        const int tag = ButtonOfKeyName(key == Qt::Key_C   ? "ctrl+c"
                                        : key == Qt::Key_V ? "ctrl+v"
                                                           : "ctrl+x");
        actions[static_cast<std::size_t>(tag)]->trigger();
        return true;
    }
    const std::string typed = ToCp1252(text);
    if (typed.size() != 1 || static_cast<Byte>(typed[0]) < 32) return false;
    if (const int tag = ButtonOfCharacter(static_cast<Byte>(typed[0])); tag >= 0) RunButton(tag);
    return true;
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool field = watched == titleEdit || watched == alphanumericEdit;
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::MouseButtonPress:
        if (field) typingInField = true;
        break;
    case QEvent::FocusOut:
        if (field) typingInField = false;
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (KeyPressed(key->key(), key->modifiers(), key->text())) return true;
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool EditorWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) typingInField = false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (KeyPressed(key->key(), key->modifiers(), key->text())) return true;
    }
    return QWidget::event(event);
}

void EditorWindow::CloseWith(EditorResult result) {
    editorResult = result;
    if (!close()) editorResult = EditorResult::kCancel;
}

bool EditorWindow::HasChanges() const {
    return LevelTextOf(session.Data().CurrentLevel()) != openedText;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    ShellState& f = main.Shell();
    if (f.longOperationRunning) {
        f.longOperationStop.request_stop();
        event->ignore();
        return;
    }
    if (editorResult == EditorResult::kCancel && !discardAsked_ && HasChanges() &&
        !main.Platform().AskYesNoDefaultNo({kDiscardQuestion})) {
        event->ignore();
        return;
    }
    Memory().position = FrameRect(*this, main.Memory().frameMargins).topLeft();
    main.SetEditorKeys(nullptr);
    main.Resume().SetEditedLevel(nullptr);
    CloseEditor(session.Data(), Selected(), editorResult);
    undo.Clear();
    main.Board().EndCellSelection();
    main.SetBusy(false, false, false);
    main.ShowChosenLevel(true);
    event->accept();
}

void ShowEditor(GameSession& session, EditorHost& main) {
    if (main.Widget().findChild<EditorWindow*>(QString(), Qt::FindDirectChildrenOnly)) return;
    Context& ctx = session.Data();
    main.Shell().longOperationRunning = false;
    main.Shell().longOperationStop = std::stop_source();
    main.SetBusy(true, false, false);
    auto* window = new EditorWindow(session, main);
    MoveOntoScreen(*window, window->Memory().position, main.Memory().frameMargins);
    window->SetZoomButtons();
    OpenEditor(ctx, main.Board().Selection(), window->snapshot);
    main.ShowChosenLevel(true);
    window->titleEdit->setText(QStringLiteral("New level"));
    window->SetAlphanumeric(window->Memory().alphanumericChar);
    window->ColourRoundButtons();
    main.SetEditorKeys([window](const KeyPress& press) { window->KeyFromMainWindow(press); });
    // The editor works on the collection's current level; closing the program keeps it.
    main.Resume().SetEditedLevel([&ctx]() -> const Level* { return &ctx.CurrentLevel(); });
    window->openedText = LevelTextOf(ctx.CurrentLevel());
    window->show();
    window->buttons[0]->setFocus();
    window->typingInField = false;
}

} // namespace vorpel
