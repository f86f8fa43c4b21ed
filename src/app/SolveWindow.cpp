// The Solve window and the hint: the solver on a worker thread with its progress and Stop, and
// its result put in the level's history or shown over the board.
#include "app/SolveWindow.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "app/BoardView.h"
#include "app/Help.h"
#include "app/QtPlatform.h"
#include "app/ShellState.h"
#include "files/GameSession.h"
#include "model/Context.h"
#include "model/History.h"
#include "model/Sokoban.h"

namespace vorpel {

namespace {

constexpr int kTickMilliseconds = 200;

QString Seconds(double seconds) {
    return QString::number(seconds, 'f', 1);
}

QString GaveUpText(const SolveResult& result) {
    if (result.limit == "stopped")
        return QStringLiteral("Stopped after %1 s.").arg(Seconds(result.seconds));
    return QStringLiteral("Gave up after %1 s: %2 limit.")
        .arg(Seconds(result.seconds), QString::fromStdString(result.limit));
}

// The solution's size as a player counts it: moves and pushes on a Sokoban level (its moves are
// the player's steps), moves and steps elsewhere.
QString SolutionSize(const Level& level, const SolveResult& result) {
    const auto steps = static_cast<qsizetype>(result.steps.size());
    if (IsSokobanLevel(level))
        return QStringLiteral("%1 moves, %2 pushes").arg(steps).arg(result.pushes);
    QString text = QStringLiteral("%1 moves, %2 steps").arg(result.moves).arg(steps);
    if (result.pushes >= 0) text += QStringLiteral(", %1 pushes").arg(result.pushes);
    return text;
}

SolveWindow& WindowOf(GameSession& session, SolveHost& main) {
    auto* window = main.Widget().findChild<SolveWindow*>(QString(), Qt::FindDirectChildrenOnly);
    return window ? *window : *new SolveWindow(session, main);
}

} // namespace

SolveWindow::SolveWindow(GameSession& session, SolveHost& main)
    : QDialog(&main.Widget()),
      fromCurrentButton(new QRadioButton(QStringLiteral("From the &current position"), this)),
      fromStartButton(new QRadioButton(QStringLiteral("From the &start"), this)),
      secondsBox(new QSpinBox(this)), startButton(new QPushButton(QStringLiteral("S&tart"), this)),
      stopButton(new QPushButton(QStringLiteral("St&op"), this)),
      closeButton(new QPushButton(QStringLiteral("C&lose"), this)),
      helpButton(new QPushButton(QStringLiteral("&Help"), this)), progressLabel(new QLabel(this)),
      resultLabel(new QLabel(this)), session_(session), main_(main), ticker_(new QTimer(this)) {
    setObjectName(QStringLiteral("SolveWindow"));
    setWindowTitle(QStringLiteral(" Solve"));
    fromCurrentButton->setObjectName(QStringLiteral("fromCurrentButton"));
    fromStartButton->setObjectName(QStringLiteral("fromStartButton"));
    secondsBox->setObjectName(QStringLiteral("secondsBox"));
    startButton->setObjectName(QStringLiteral("startButton"));
    stopButton->setObjectName(QStringLiteral("stopButton"));
    closeButton->setObjectName(QStringLiteral("closeButton"));
    helpButton->setObjectName(QStringLiteral("helpButton"));
    progressLabel->setObjectName(QStringLiteral("progressLabel"));
    resultLabel->setObjectName(QStringLiteral("resultLabel"));
    fromCurrentButton->setChecked(true);
    secondsBox->setRange(0, 3600);
    secondsBox->setValue(kDefaultWindowSolveSeconds);
    secondsBox->setSuffix(QStringLiteral(" s"));
    secondsBox->setSpecialValueText(QStringLiteral("no limit"));
    resultLabel->setWordWrap(true);
    resultLabel->setTextFormat(Qt::PlainText);
    progressLabel->setTextFormat(Qt::PlainText);
    startButton->setDefault(true);

    auto* limit = new QHBoxLayout;
    auto* limitLabel = new QLabel(QStringLiteral("Time &limit:"), this);
    limitLabel->setBuddy(secondsBox);
    limit->addWidget(limitLabel);
    limit->addWidget(secondsBox);
    limit->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {startButton, stopButton, closeButton, helpButton}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fromCurrentButton);
    layout->addWidget(fromStartButton);
    layout->addLayout(limit);
    layout->addWidget(progressLabel);
    layout->addWidget(resultLabel);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    ticker_->setInterval(kTickMilliseconds);
    connect(ticker_, &QTimer::timeout, this, &SolveWindow::ShowProgress);
    connect(startButton, &QPushButton::clicked, this, &SolveWindow::Start);
    connect(stopButton, &QPushButton::clicked, this, &SolveWindow::Stop);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), "Solve"); });
    UpdateButtons();
}

SolveWindow::~SolveWindow() {
    StopAndWait();
}

void SolveWindow::UpdateButtons() {
    startButton->setEnabled(!running_);
    stopButton->setEnabled(running_);
    for (QWidget* w :
         std::initializer_list<QWidget*>{fromCurrentButton, fromStartButton, secondsBox})
        w->setEnabled(!running_);
}

void SolveWindow::Start() {
    Context& ctx = session_.Data();
    if (running_ || ctx.editing) return;
    fromStart_ = fromStartButton->isChecked();
    levelIndex_ = ctx.collection.currentLevel;
    const Level& level = ctx.CurrentLevel();
    if (fromStart_) {
        solved_ = level;
        solved_.ClearHistory();
    } else {
        solved_ = LevelAtPosition(level, ctx.board);
    }
    Launch(Purpose::kSolve, secondsBox->value());
}

void SolveWindow::StartHint() {
    Context& ctx = session_.Data();
    if (ctx.editing) return;
    if (running_) {
        // One search at a time: the one running shows itself.
        show();
        raise();
        return;
    }
    main_.Board().DropHint();
    fromStart_ = false;
    levelIndex_ = ctx.collection.currentLevel;
    solved_ = LevelAtPosition(ctx.CurrentLevel(), ctx.board);
    Launch(Purpose::kHint, kHintSeconds);
    const std::uint64_t run = run_;
    QTimer::singleShot(kHintQuietMilliseconds, this, [this, run] {
        if (!running_ || run != run_) return;
        show();
        raise();
    });
}

void SolveWindow::Launch(Purpose purpose, double seconds) {
    purpose_ = purpose;
    running_ = true;
    ++run_;
    progress_ = {};
    elapsed_.start();
    ticker_->start();
    resultLabel->setText(purpose == Purpose::kHint ? QStringLiteral("Looking for a hint ...")
                                                   : QStringLiteral("Solving ..."));
    ShowProgress();
    UpdateButtons();
    SolveLimits limits;
    limits.seconds = seconds;
    // The worker searches its own copy of the level and leaves its progress and result in the
    // mailbox, under its mutex; the queued call only wakes the window, which takes the result
    // on the UI thread.
    {
        const std::lock_guard lock(mailbox_.mutex);
        mailbox_.progress = {};
        mailbox_.result.reset();
    }
    worker_ = std::jthread([this, limits, level = solved_](std::stop_token stop) {
        const SolveProgressFn report = [this](const SolveProgress& p) {
            const std::lock_guard lock(mailbox_.mutex);
            mailbox_.progress = p;
        };
        SolveResult result = Solve(level, limits, stop, report);
        {
            const std::lock_guard lock(mailbox_.mutex);
            mailbox_.result = std::move(result);
        }
        QMetaObject::invokeMethod(this, "Collect", Qt::QueuedConnection);
    });
}

void SolveWindow::ShowProgress() {
    if (running_) {
        const std::lock_guard lock(mailbox_.mutex);
        progress_ = mailbox_.progress;
    }
    const double seconds =
        running_ ? static_cast<double>(elapsed_.elapsed()) / 1000 : progress_.seconds;
    progressLabel->setText(QStringLiteral("Positions: %1   Depth: %2   Time: %3 s")
                               .arg(progress_.positions)
                               .arg(progress_.depth)
                               .arg(Seconds(seconds)));
}

void SolveWindow::Stop() {
    if (worker_.joinable()) worker_.request_stop();
}

void SolveWindow::StopAndWait() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
    {
        const std::lock_guard lock(mailbox_.mutex);
        mailbox_.result.reset(); // the result is dropped, and so is one waiting
    }
    pending_.reset();
    if (!running_) return;
    ++run_;
    running_ = false;
    ticker_->stop();
    UpdateButtons();
}

void SolveWindow::hideEvent(QHideEvent* event) {
    // Closing the window stops its search; a hint searched unseen goes on.
    if (!event->spontaneous() && running_) Stop();
    QDialog::hideEvent(event);
}

void SolveWindow::Collect() {
    {
        const std::lock_guard lock(mailbox_.mutex);
        if (!mailbox_.result) return;
        pending_ = std::move(mailbox_.result);
        mailbox_.result.reset();
    }
    if (worker_.joinable()) worker_.join(); // it has just handed the result over
    ticker_->stop();
    Finish();
}

void SolveWindow::Finish() {
    if (!pending_) return;
    // The history changes only while no command runs: a result that comes during a replay, a
    // long operation or another command's question waits for it to end.
    ShellState& shell = main_.Shell();
    const CommandGuard guard(shell.commandRunning);
    if (!guard.Held() || shell.replayRunning || shell.commandsBlocked) {
        QTimer::singleShot(kTickMilliseconds, this, &SolveWindow::Finish);
        return;
    }
    const SolveResult result = std::move(*pending_);
    pending_.reset();
    progress_.positions = result.positions;
    progress_.depth = result.depth;
    progress_.seconds = result.seconds;
    running_ = false;
    ShowProgress();
    UpdateButtons();
    if (purpose_ == Purpose::kHint)
        FinishHint(result);
    else
        FinishSolve(result);
}

bool SolveWindow::StillSame() const {
    const Context& ctx = session_.Data();
    if (ctx.editing || ctx.collection.currentLevel != levelIndex_) return false;
    const Level& level = ctx.CurrentLevel();
    return SameLayout(fromStart_ ? level : LevelAtPosition(level, ctx.board), solved_);
}

void SolveWindow::Say(const QString& text, bool box) {
    resultLabel->setText(text);
    if (box && purpose_ == Purpose::kHint && !isVisible())
        main_.Platform().ShowInfo({text.toStdString()});
}

void SolveWindow::FinishSolve(const SolveResult& result) {
    if (result.outcome == SolveOutcome::NoSolution)
        return Say(QStringLiteral("No solution exists."), false);
    if (result.outcome == SolveOutcome::GaveUp) return Say(GaveUpText(result), false);
    if (!StillSame())
        return Say(
            QStringLiteral("The level changed while it was solved: the solution was not used."),
            false);
    Context& ctx = session_.Data();
    Level& level = ctx.CurrentLevel();
    const int start = fromStart_ ? 0 : level.currentStep;
    const QString size = SolutionSize(solved_, result);
    const std::string dropped =
        std::to_string(level.stepCount - start) +
        (fromStart_ ? " steps of the level's history." : " steps made after this position.");
    if (level.stepCount > start &&
        !main_.Platform().AskYesNoDefaultNo({"The solution replaces the " + dropped, "Drop them?"}))
        return Say(QStringLiteral("Solved (%1); your moves were kept.").arg(size), false);
    // The steps go in as clicks and drags would make them; should the rules refuse one, the
    // history goes back to what it was.
    const Level before = level;
    GoToPosition(ctx, start);
    const CarriedOut carried = CarryOutSolution(ctx, result.steps);
    const std::size_t made = carried.made;
    if (made != result.steps.size()) {
        level = before;
        session_.ChooseLevel(levelIndex_);
        return Say(QStringLiteral("The solution does not replay here: step %1 of %2 was refused.")
                       .arg(made + 1)
                       .arg(result.steps.size()),
                   false);
    }
    main_.Shell().alreadyCelebrated = false;
    session_.GoToStep(carried.firstStep);
    Say(QStringLiteral("Solved: %1, in %2 s (%3 positions). The solution follows the position: "
                       "A replays it.")
            .arg(size, Seconds(result.seconds))
            .arg(result.positions),
        false);
}

void SolveWindow::FinishHint(const SolveResult& result) {
    if (result.outcome == SolveOutcome::NoSolution)
        return Say(QStringLiteral("No solution exists."), true);
    if (result.outcome == SolveOutcome::GaveUp)
        return Say(QStringLiteral("No hint. ") + GaveUpText(result), result.limit != "stopped");
    if (!StillSame()) return Say(QStringLiteral("The position changed: no hint."), false);
    if (result.steps.empty())
        return Say(QStringLiteral("The level is solved at this position."), true);
    const MoveHint move = NextMoveHint(solved_, result.steps);
    BoardHint hint;
    hint.row = move.row;
    hint.column = move.column;
    hint.path = move.path;
    hint.steps.assign(result.steps.begin(),
                      result.steps.begin() + static_cast<std::ptrdiff_t>(move.stepCount));
    main_.Board().SetHint(std::move(hint));
    Say(QStringLiteral("The outlined block moves along the arrow; Enter makes the move."), false);
}

void ShowSolveWindow(GameSession& session, SolveHost& main) {
    SolveWindow& window = WindowOf(session, main);
    window.show();
    window.raise();
    window.activateWindow();
}

void ShowHint(GameSession& session, SolveHost& main) {
    WindowOf(session, main).StartHint();
}

void AcceptHint(GameSession& session, SolveHost& main) {
    BoardView& board = main.Board();
    if (!board.Hint()) return;
    const std::vector<SolveStep> steps = board.Hint()->steps;
    board.DropHint();
    CarryOutSolution(session.Data(), steps);
    main.RefreshView(true);
}

void StopSolving(SolveHost& main) {
    if (auto* window = main.Widget().findChild<SolveWindow*>(QString(), Qt::FindDirectChildrenOnly))
        window->StopAndWait();
}

} // namespace vorpel
