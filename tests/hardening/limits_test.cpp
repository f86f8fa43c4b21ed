// Size limits: a large collection of levels and a full 64 x 64 board with a long history load,
// play, step back and save. Smaller than the benchmark's sizes, which bench/ times.
#include <gtest/gtest.h>

#include <memory>

#include "Fixtures.h"
#include "HardeningKit.h"
#include "LimitsKit.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

using namespace hardening;

// Reads a file into the collection as the read command does; returns the error or a message
// shown on the way.
std::string Load(Context& ctx, const std::string& path) {
    std::vector<std::string> lines;
    if (std::string error = ReadLevelSource(ctx, path, lines).message; !error.empty()) return error;
    RememberedAnswer remembered = kAsk;
    if (std::string error = AddLevels(ctx, "File.", lines, remembered).error; !error.empty())
        return error;
    return ctx.silentPlatform.shown.empty() ? "" : ctx.silentPlatform.shown.front().back();
}

TEST(Limits, ALargeCollection) {
    ScratchFolder folder;
    const std::string path = folder.File("rooms.txt");
    Replace(path, limits::CollectionText(2 << 20));
    auto ctx = std::make_unique<Context>();
    ASSERT_EQ(Load(*ctx, path), "");
    const int rooms = ctx->collection.lastLevel(); // after the void level
    ASSERT_GT(rooms, 1000);
    EXPECT_EQ(ctx->collection.Title(rooms), "Room " + std::to_string(rooms));

    // The last room: solved at the end of its moves, played differently, stepped back, saved.
    ctx->collection.currentLevel = rooms;
    ShowCurrentLevel(*ctx);
    EndOfLevel(*ctx);
    EXPECT_TRUE(IsSolved(*ctx));
    GoToMove(*ctx, 1);
    ASSERT_TRUE(test::Drag(*ctx, 1, 1, 1, 0));
    EXPECT_EQ(ctx->CurrentLevel().stepCount, 3);
    StepBackward(*ctx);
    EXPECT_EQ(ctx->CurrentLevel().currentStep, 2);
    const std::string saved = folder.File("room.txt");
    ASSERT_TRUE(WriteLevelText(*ctx, saved).Ok());
    EXPECT_EQ(Contents(saved), LevelTextOf(ctx->CurrentLevel()));
}

TEST(Limits, AFullBoardWithALongHistory) {
    constexpr int kSteps = 20000;
    ScratchFolder folder;
    const std::string start = folder.File("crowded.txt");
    Replace(start, limits::CrowdedLevelText());
    auto ctx = std::make_unique<Context>();
    ASSERT_EQ(Load(*ctx, start), "");
    ctx->collection.currentLevel = ctx->collection.lastLevel();
    ShowCurrentLevel(*ctx);
    EXPECT_EQ(ctx->board.blockCount, 1 + 4096); // the frame, then the blocks
    const std::string before = test::Picture(*ctx);

    limits::HoleWalk walk;
    for (int i = 0; i < kSteps; ++i) ASSERT_TRUE(walk.Step(*ctx)) << "step " << i;
    ASSERT_EQ(ctx->CurrentLevel().stepCount, kSteps);
    const std::string after = test::Picture(*ctx);
    const std::string saved = folder.File("played.txt");
    ASSERT_TRUE(WriteLevelText(*ctx, saved).Ok());

    // Read back, the history replays to the same board; back to the start and forward again.
    auto again = std::make_unique<Context>();
    ASSERT_EQ(Load(*again, saved), "");
    again->collection.currentLevel = again->collection.lastLevel();
    ShowCurrentLevel(*again);
    EndOfLevel(*again);
    EXPECT_EQ(test::Picture(*again), after);
    StepBackward(*again);
    MoveBackward(*again, 10);
    EXPECT_EQ(again->CurrentLevel().currentStep, kSteps - 11);
    RestartLevel(*again);
    EXPECT_EQ(test::Picture(*again), before);
    EndOfLevel(*again);
    EXPECT_EQ(test::Picture(*again), after);
    EXPECT_EQ(LevelTextOf(again->CurrentLevel()), Contents(saved));
}

} // namespace
} // namespace vorpel
