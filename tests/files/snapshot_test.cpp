// Snapshots: their lines in the level text and the resume file, and going back to them.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/MoveText.h"
#include "files/ResumeFile.h"
#include "files/Snapshots.h"
#include "model/History.h"

namespace vorpel {
namespace {

// A normal block in a corridor.
const std::vector<std::string> kCorridor = {".#.. .#.. .#.. .#.. .#.. .#..",
                                            ".#.. .[.. .... .... +... .#..",
                                            ".#.. .#.. .#.. .#.. .#.. .#.."};

// Loads a whole text as the program reads level files; the collection's levels after the void
// one.
std::vector<Level> Load(const std::string& text) {
    Context ctx;
    std::vector<std::string> lines = SplitLines(text);
    RememberedAnswer answer = kAlwaysAdd;
    AddLevels(ctx, "t.txt", lines, answer);
    EXPECT_TRUE(ctx.silentPlatform.shown.empty());
    return {ctx.collection.levels.begin() + 1, ctx.collection.levels.end()};
}

TEST(Snapshot, AFreeNameCountsOnPastTheNamesTaken) {
    const struct {
        std::vector<std::string> names;
        const char* offered;
    } cases[] = {
        {{}, "Snapshot 1"},
        {{"start", "end"}, "Snapshot 3"},
        {{"Snapshot 2"}, "Snapshot 3"},
        {{"Snapshot 3", "Snapshot 4", "x"}, "Snapshot 5"},
    };
    for (const auto& c : cases) {
        Level level;
        for (const std::string& name : c.names) level.snapshots.push_back({name, ""});
        EXPECT_EQ(FreeSnapshotName(level), c.offered);
        EXPECT_EQ(HasSnapshot(level, c.offered), false);
    }
}

TEST(Snapshot, LinesFollowTheMovesAndReadBack) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kCorridor, " 1) 1, 1: >>\r\n"), "");
    Level& level = ctx.CurrentLevel();
    level.title = "Corridor";
    GoToPosition(ctx, 1);
    SaveSnapshot(ctx, "one \"step\"");
    GoToPosition(ctx, 0);
    SaveSnapshot(ctx, "start");
    const std::string text = LevelTextOf(level);
    EXPECT_EQ(text.substr(text.find("1)")), "1)  1,  1:  >>\r\n"
                                            " ;snapshot \"one  step \" 1,1:>\r\n"
                                            " ;snapshot \"start\"\r\n");

    const std::vector<Level> back = Load(text);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].snapshots, level.snapshots);
    EXPECT_EQ(back[0].stepCount, 2);
    EXPECT_EQ(LevelTextOf(back[0]), text);
}

TEST(Snapshot, CommentLinesArePassedOverWithOrWithoutMoves) {
    const std::string board = "\"A\"\r\n.#...#...#...#..\r\n.#...[......+...\r\n";
    const std::vector<Level> levels =
        Load(board + "  ; a comment: anything \" goes\r\n" + " 1) 1, 1: >\r\n" +
             " ;snapshot \"s\" 1,1:>\r\n" + " ;snapshot broken\r\n" + board);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].stepCount, 1);
    ASSERT_EQ(levels[0].snapshots.size(), 1u);
    EXPECT_EQ(levels[0].snapshots[0], (Snapshot{"s", "1,1:>"}));
    EXPECT_TRUE(levels[1].snapshots.empty());
}

TEST(Snapshot, ResumeFileKeepsThemAlsoWithoutMoves) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kCorridor), "");
    ctx.CurrentLevel().title = "C";
    SaveSnapshot(ctx, "start");
    const std::string text = ResumeText(ctx.collection);
    Context again;
    ASSERT_EQ(ReadResumeText(again, text), "");
    EXPECT_EQ(again.CurrentLevel().snapshots, ctx.CurrentLevel().snapshots);
    EXPECT_EQ(ResumeText(again.collection), text);
}

TEST(Snapshot, RestoreKeepsAHistoryItBeginsOrReplacesAnother) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kCorridor, " 1) 1, 1: >>>\r\n"), "");
    Level& level = ctx.CurrentLevel();
    GoToPosition(ctx, 1);
    SaveSnapshot(ctx, "early");
    EndOfLevel(ctx);

    ASSERT_EQ(RestoreSnapshot(ctx, 0), "");
    EXPECT_EQ(level.currentStep, 1);
    EXPECT_EQ(level.stepCount, 3) << "the steps after it stay for redo";

    // Another history: the snapshot's moves take its place.
    GoToPosition(ctx, 0);
    ASSERT_EQ(ApplyMoveText(ctx, "1,1:>>", false, 0, 0), "");
    ASSERT_EQ(level.stepCount, 2);
    level.snapshots.push_back({"elsewhere", "1,1:>>>"});
    GoToPosition(ctx, 0);
    ASSERT_EQ(ApplyMoveText(ctx, "1,1:>", false, 0, 0), "");
    ASSERT_EQ(RestoreSnapshot(ctx, 1), "");
    EXPECT_EQ(level.currentStep, 3);
    EXPECT_EQ(level.stepCount, 3);

    // A snapshot whose moves no longer fit leaves the level as it was.
    level.snapshots.push_back({"bad", "1,1:<"});
    GoToPosition(ctx, 2);
    EXPECT_NE(RestoreSnapshot(ctx, 2), "");
    EXPECT_EQ(level.currentStep, 2);
    EXPECT_EQ(level.stepCount, 3);
    EXPECT_EQ(level.snapshots.size(), 3u);
}

// Going to a snapshot asks first only when steps of the history would be lost; No leaves the
// level where it was.
TEST(Snapshot, RestoreAsksBeforeDroppingSteps) {
    const std::vector<std::string> room = {
        ".#.. .#.. .#.. .#.. .#.. .#..", ".#.. .[.. .... .... +... .#..",
        ".#.. .... .... .... .... .#..", ".#.. .#.. .#.. .#.. .#.. .#.."};
    const struct {
        const char* history;
        const char* snapshot;
        bool answer;
        bool asked;
        int steps;    // the history's length afterwards
        int current;  // and the position
        bool keptOld; // whether the old history is still its beginning
    } cases[] = {
        {"1,1:>>", "1,1:>", false, false, 2, 1, true},  // its beginning: kept
        {"1,1:>", "1,1:>>>", false, false, 3, 3, true}, // it goes further: nothing lost
        {"1,1:>v", "1,1:>>", false, true, 2, 2, true},  // another way: No keeps it
        {"1,1:>v", "1,1:>>", true, true, 2, 2, false},  // Yes replaces it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.history) + " / " + c.snapshot);
        Context ctx;
        ASSERT_EQ(test::LoadBoard(ctx, room), "");
        Level& level = ctx.CurrentLevel();
        ASSERT_EQ(ApplyMoveText(ctx, c.history, false, 0, 0), "");
        const StepList before = level.steps;
        const int beforeCount = level.stepCount;
        GoToPosition(ctx, 2);
        level.snapshots.push_back({"s", c.snapshot});
        bool asked = false;
        ASSERT_EQ(RestoreSnapshot(ctx, 0,
                                  [&] {
                                      asked = true;
                                      return c.answer;
                                  }),
                  "");
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(level.stepCount, c.steps);
        EXPECT_EQ(level.currentStep, c.current);
        EXPECT_EQ(std::equal(before.begin(), before.begin() + beforeCount, level.steps.begin()),
                  c.keptOld);
    }
}

} // namespace
} // namespace vorpel
