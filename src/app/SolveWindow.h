// The Solve window and the hint: the solver on a worker thread with its progress and Stop, and
// its result put in the level's history or shown over the board.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

#include "model/Level.h"
#include "solver/Solver.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace vorpel {

class BoardView;
class GameSession;
class QtPlatform;
struct ShellState;

// What the Solve window and the hint need of the program.
class SolveHost {
public:
    virtual ~SolveHost() = default;
    virtual QWidget& Widget() = 0; // the window's parent
    virtual QtPlatform& Platform() const = 0;
    // What the program is doing: replay, busy, the command guard.
    virtual ShellState& Shell() = 0;
    virtual BoardView& Board() const = 0;
    // The one refresh after a change of position.
    virtual void RefreshView(bool celebrate) = 0;
};

// How long a hint may search, and how long it searches unseen before the window shows its
// progress and Stop.
inline constexpr int kHintSeconds = 5;
inline constexpr int kHintQuietMilliseconds = 500;
// The Solve window's time limit until the user sets another (0: none).
inline constexpr int kDefaultWindowSolveSeconds = 10;

class SolveWindow : public QDialog {
    Q_OBJECT
public:
    SolveWindow(GameSession& session, SolveHost& main);
    // Stops the search and waits for it.
    ~SolveWindow() override;

    QRadioButton* fromCurrentButton;
    QRadioButton* fromStartButton;
    QSpinBox* secondsBox;
    QPushButton* startButton;
    QPushButton* stopButton;
    QPushButton* closeButton;
    QPushButton* helpButton;
    QLabel* progressLabel;
    QLabel* resultLabel;

    // Solves the current level from the position or the start the window names; nothing while
    // a search runs or the editor is open.
    void Start();
    // Solves from the current position for a hint, unseen unless it takes long.
    void StartHint();
    // Asks the search to stop; its result still comes, saying so.
    void Stop();
    // Asks the search to stop and waits for it; its result is dropped.
    void StopAndWait();
    // A search runs, or its result waits to be used.
    bool Running() const { return running_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    enum class Purpose { kSolve, kHint };
    void Launch(Purpose purpose, double seconds);
    void ShowProgress();
    // Takes the worker's result from the mailbox (the worker's queued call).
    Q_INVOKABLE void Collect();
    // Uses the result taken, once no command runs.
    void Finish();
    void FinishSolve(const SolveResult& result);
    void FinishHint(const SolveResult& result);
    // Whether the current level still lays out what was solved.
    bool StillSame() const;
    // The result in the window; for a hint searched unseen, in a message box when `box`.
    void Say(const QString& text, bool box);
    void UpdateButtons();

    GameSession& session_;
    SolveHost& main_;
    Purpose purpose_ = Purpose::kSolve;
    bool fromStart_ = false;
    int levelIndex_ = -1;
    Level solved_; // the layout searched, without history
    std::uint64_t run_ = 0;
    bool running_ = false;
    // The last progress the search reported, and when the search began.
    SolveProgress progress_;
    QElapsedTimer elapsed_;
    QTimer* ticker_;
    // What the worker hands over; only the mutex orders the two threads' use of it.
    struct Mailbox {
        std::mutex mutex;
        SolveProgress progress;
        std::optional<SolveResult> result;
    } mailbox_;
    // A result taken from the mailbox and not yet used.
    std::optional<SolveResult> pending_;
    std::jthread worker_;
};

// The "Solve ..." command: shows the window.
void ShowSolveWindow(GameSession& session, SolveHost& main);
// The "Hint" command: searches from the current position and outlines the next move.
void ShowHint(GameSession& session, SolveHost& main);
// The "Accept hint" command: makes the move of the hint shown; nothing when none is.
void AcceptHint(GameSession& session, SolveHost& main);
// Stops any search and waits for it, as the program closes.
void StopSolving(SolveHost& main);

} // namespace vorpel
