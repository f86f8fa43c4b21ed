// The game session: navigation and level changes go through it, and its observers hear of each.
#include <gtest/gtest.h>

#include <vector>

#include "Fixtures.h"
#include "files/GameSession.h"
#include "model/History.h"

namespace vorpel {
namespace {

using Change = GameSession::Change;

// Keeps what it was told, with the step the current level stood at then.
struct Listener final : GameSession::Observer {
    explicit Listener(GameSession& s) : session(s) {}
    void Changed(Change change) override {
        heard.push_back(change);
        steps.push_back(session.CurrentLevel().currentStep);
    }
    GameSession& session;
    std::vector<Change> heard;
    std::vector<int> steps;
};

// A master block with three steps right (one move); a second level to change to.
void TwoLevels(GameSession& session) {
    Context& ctx = session.Data();
    ASSERT_EQ(test::LoadBoard(ctx, {".... .@.. .... .... ....", ".#.. .#.. .#.. .#.. .#.."},
                              "  1)  0,  1:  >\r\n  2)  0,  2:  >\r\n  3)  0,  3:  >\r\n"),
              "");
    EndOfLevel(ctx);
    ctx.collection.NewLevel("Second", 2, 2, true);
    ctx.collection.currentLevel = 0;
}

TEST(GameSession, ObserversHearOfEachChangeAfterItIsMade) {
    GameSession session;
    TwoLevels(session);
    Listener a(session), b(session);
    session.AddObserver(a);
    session.AddObserver(b);

    session.GoToStep(1);
    session.Navigate(StepForward);
    session.GoToMove(0);
    EXPECT_EQ(a.heard,
              (std::vector<Change>{Change::kPosition, Change::kPosition, Change::kPosition}));
    EXPECT_EQ(a.steps, (std::vector<int>{1, 2, 0}));

    session.SetTitle("Renamed");
    EXPECT_EQ(session.CurrentLevel().title, "Renamed");
    session.ChooseLevel(1);
    EXPECT_EQ(session.CurrentLevel().title, "Second");
    session.ChooseLevel(2); // past the last level: back to the first, where it was left
    EXPECT_EQ(session.Data().collection.currentLevel, 0);
    EXPECT_EQ(session.Board().selectedBlock, 0);
    EXPECT_EQ(a.heard.back(), Change::kLevel);
    EXPECT_EQ(a.steps.back(), 0);

    session.RemoveObserver(b);
    session.Notify(Change::kCollection);
    EXPECT_EQ(a.heard.size(), b.heard.size() + 1);
    EXPECT_EQ(a.heard.back(), Change::kCollection);
}

TEST(GameSession, ReadingRecordsReportsThemEvenWhenTheFileIsMissing) {
    GameSession session;
    Listener a(session);
    session.AddObserver(a);
    const FileResult none = session.ReadRecords("", false);
    EXPECT_EQ(none.code, FileError::kNotFound);
    EXPECT_EQ(none.message, "File not found.");
    EXPECT_EQ(a.heard, std::vector<Change>{Change::kRecords});
}

} // namespace
} // namespace vorpel
