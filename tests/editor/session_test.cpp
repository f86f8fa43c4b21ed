// Opening and closing the editor on the collection, and taking in the level being played.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "EditorFixtures.h"
#include "Fixtures.h"
#include "editor/EditorSession.h"
#include "files/BestSolutions.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

using test::Drag;
using test::EditorContext;
using test::LoadBoard;
using test::Select;
using test::Stored;

// A corridor where the block pushes the master box onto the destination in two steps.
const std::vector<std::string> kPush = {".#.. .[.. .V.. .... +... .... .#..",
                                        ".#.. .#.. .#.. .#.. .#.. .#.. .#.."};

// A collection holding "Played" (at position 1 of its history) and "Other", the first current.
std::unique_ptr<EditorContext> Played() {
    auto ctx = std::make_unique<EditorContext>();
    EXPECT_EQ(LoadBoard(*ctx, kPush), "");
    ctx->CurrentLevel().title = "Played";
    EXPECT_TRUE(Drag(*ctx, 0, 1, 0, 1));
    ctx->collection.NewLevel("Other", 3, 3, true);
    return ctx;
}

TEST(Editor, OpeningAppendsAnEmptyLevelAndCancelRemovesIt) {
    auto ctx = Played();
    PlaySnapshot snapshot;
    OpenEditor(*ctx, ctx->selected, snapshot);
    LevelCollection& collection = ctx->collection;
    ASSERT_EQ(collection.lastLevel(), 2);
    EXPECT_EQ(collection.currentLevel, 2);
    EXPECT_EQ(collection.levelBeforeEdit, 0);
    EXPECT_EQ(ctx->CurrentLevel().title, "");
    EXPECT_EQ(Stored(ctx->CurrentLevel()), "......\n......\n......\n......\n......\n......\n");
    EXPECT_TRUE(ctx->editing);
    EXPECT_EQ(ctx->board.rows, 6);

    CloseEditor(*ctx, ctx->selected, EditorResult::kCancel, nullptr);
    EXPECT_EQ(collection.lastLevel(), 1);
    EXPECT_EQ(collection.currentLevel, 0);
    EXPECT_FALSE(ctx->editing);
    EXPECT_EQ(ctx->CurrentLevel().currentStep, 1); // back at its position
    EXPECT_EQ(test::Picture(*ctx).substr(0, 7), "#.[V+.#");
}

TEST(Editor, AddAndReplaceReplayUntilTheCheckReportsAMessage) {
    for (EditorResult result : {EditorResult::kAdd, EditorResult::kReplace}) {
        auto ctx = Played();
        PlaySnapshot snapshot;
        OpenEditor(*ctx, ctx->selected, snapshot);
        // The edited level: three steps, the second of which solves it.
        ASSERT_EQ(LoadBoard(*ctx, kPush), "");
        ctx->CurrentLevel().title = "Edited";
        for (int column = 1; column <= 3; ++column) ASSERT_TRUE(Drag(*ctx, 0, column, 0, 1));
        GoToPosition(*ctx, 0);
        int checks = 0;
        CloseEditor(*ctx, ctx->selected, result, [&](Context& c) {
            ++checks;
            return IsSolved(c) ? std::string("solved") : std::string();
        });
        EXPECT_EQ(checks, 2);
        const LevelCollection& collection = ctx->collection;
        const int expected = result == EditorResult::kAdd ? 2 : 0;
        EXPECT_EQ(collection.currentLevel, expected);
        EXPECT_EQ(collection.lastLevel(), result == EditorResult::kAdd ? 2 : 1);
        EXPECT_EQ(ctx->CurrentLevel().title, "Edited");
        EXPECT_EQ(ctx->CurrentLevel().stepCount, 3);
        EXPECT_EQ(ctx->CurrentLevel().currentStep, 0);
        EXPECT_EQ(collection.levels[1].title, "Other");
    }
}

TEST(Editor, AddingASolvingHistoryStoresItAsTheBestSolution) {
    auto ctx = Played();
    const std::filesystem::path program = std::filesystem::temp_directory_path() /
                                          ("vorpel-editor-" + std::to_string(::getpid()) + ".exe");
    ctx->programPath = program.string();
    PlaySnapshot snapshot;
    OpenEditor(*ctx, ctx->selected, snapshot);
    ASSERT_EQ(LoadBoard(*ctx, kPush), "");
    ctx->CurrentLevel().title = "Edited";
    for (int column = 1; column <= 3; ++column) ASSERT_TRUE(Drag(*ctx, 0, column, 0, 1));
    GoToPosition(*ctx, 0);
    CloseEditor(*ctx, ctx->selected, EditorResult::kAdd);
    const BestSolutionInfo best = ReadBestSolutionInfo(*ctx);
    std::filesystem::remove(BestSolutionsPath(*ctx));
    EXPECT_EQ(best.status, kBestSolutionFound);
    EXPECT_EQ(best.moves, 1);
    EXPECT_EQ(best.steps, 2); // the play up to the solved position
}

TEST(Editor, CurrentLevelTakesThePlayedPositionOrTheLevelWithItsHistory) {
    auto ctx = Played();
    PlaySnapshot snapshot;
    OpenEditor(*ctx, ctx->selected, snapshot);
    Select(*ctx, {"#"});
    LoadPlayedLevel(*ctx, ctx->selected, snapshot);
    const Level& level = ctx->CurrentLevel();
    EXPECT_EQ(level.title, "Played");
    EXPECT_EQ(level.stepCount, 0);
    EXPECT_EQ(Stored(level), "#.[V+.#\n#######\n");
    EXPECT_TRUE(ctx->selected.cells.IsEmpty(63));

    // At the start of its history the played level comes as it is, moves included.
    CloseEditor(*ctx, ctx->selected, EditorResult::kCancel, nullptr);
    GoToPosition(*ctx, 0);
    OpenEditor(*ctx, ctx->selected, snapshot);
    LoadPlayedLevel(*ctx, ctx->selected, snapshot);
    EXPECT_EQ(Stored(ctx->CurrentLevel()), "#[V.+.#\n#######\n");
    EXPECT_EQ(ctx->CurrentLevel().stepCount, 1);
}

} // namespace
} // namespace vorpel
