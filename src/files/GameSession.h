// The play of one run: the collection, the current level and its board, its history, records and
// best solutions, and the observers told what changed. Knows nothing of windows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

class GameSession {
public:
    // What changed: the position in the current level's history (or the board shown), which level
    // is current, the current level's title, the collection's levels, or the records.
    enum class Change { kPosition, kLevel, kTitle, kCollection, kRecords };

    class Observer {
    public:
        virtual void Changed(Change change) = 0;

    protected:
        ~Observer() = default;
    };

    GameSession() = default;
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    void AddObserver(Observer& observer);
    void RemoveObserver(Observer& observer);

    // The play's data, for the core's operations; whoever changes it through them says so with
    // Notify.
    Context& Data() { return ctx_; }
    const Context& Data() const { return ctx_; }
    Level& CurrentLevel() { return ctx_.CurrentLevel(); }
    const Level& CurrentLevel() const { return ctx_.CurrentLevel(); }
    const PlayBoard& Board() const { return ctx_.board; }

    // Runs one of the history's moves (GoToMove, StepForward, RestartLevel, ...) on the current
    // level and tells the observers of the new position.
    void Navigate(const std::function<void(Context&)>& historyMove);
    void GoToMove(int move);
    void GoToStep(int step);
    // Makes the level at `index` current (wrapping round the collection) and shows it where it
    // was left, nothing held.
    void ChooseLevel(int index);
    void SetTitle(const std::string& title);
    // Re-reads the records file at `path` (none when empty); returns "" or the read error.
    FileResult ReadRecords(const std::string& path, bool showErrors);

    // Tells every observer of a change made elsewhere.
    void Notify(Change change);

private:
    Context ctx_;
    std::vector<Observer*> observers_;
};

} // namespace vorpel
