// The game session: every navigation goes through it, and it tells its observers.
#include "files/GameSession.h"

#include <algorithm>

#include "files/Records.h"
#include "model/History.h"

namespace vorpel {

void GameSession::AddObserver(Observer& observer) {
    observers_.push_back(&observer);
}

void GameSession::RemoveObserver(Observer& observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), &observer),
                     observers_.end());
}

void GameSession::Notify(Change change) {
    // An observer may remove itself while told.
    const std::vector<Observer*> observers = observers_;
    for (Observer* observer : observers) observer->Changed(change);
}

void GameSession::Navigate(const std::function<void(Context&)>& historyMove) {
    historyMove(ctx_);
    Notify(Change::kPosition);
}

void GameSession::GoToMove(int move) {
    Navigate([move](Context& c) { vorpel::GoToMove(c, move); });
}

void GameSession::GoToStep(int step) {
    Navigate([step](Context& c) { GoToPosition(c, step); });
}

void GameSession::ChooseLevel(int index) {
    ctx_.collection.currentLevel = index;
    ShowCurrentLevel(ctx_);
    ctx_.board.selectedBlock = 0;
    Notify(Change::kLevel);
}

void GameSession::SetTitle(const std::string& title) {
    ctx_.CurrentLevel().title = title;
    Notify(Change::kTitle);
}

FileResult GameSession::ReadRecords(const std::string& path, bool showErrors) {
    FileResult result = ReadRecordsFile(ctx_, path, showErrors);
    Notify(Change::kRecords);
    return result;
}

} // namespace vorpel
