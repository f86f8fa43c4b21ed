// The shuffles' generator, the game shuffle of the play board and the editor's placement shuffle.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "Fixtures.h"
#include "files/LevelText.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Shuffle.h"

namespace vorpel {
namespace {

using test::LoadBoard;
using test::Picture;

// A platform that asks for a stop once it has let events run `stopAfter` times.
class StoppingPlatform : public SilentPlatform {
public:
    explicit StoppingPlatform(int stopAfter) : left_(stopAfter) {}
    void ProcessEvents() override {
        ++calls;
        if (--left_ == 0) stop.request_stop();
    }
    int calls = 0;
    std::stop_source stop;

private:
    int left_;
};

// A walled room with one block of every kind the game shuffle must leave where it is, sliders,
// a box and normal blocks.
const std::vector<std::string> kRoom = {
    ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..", ".#.. .[.. .... .*.. .... .|.. .... .#..",
    ".#.. .... .-.. .... .(.. .... .... .#..", ".#.. .!.. .... .v.. .... .~.. .... .#..",
    ".#.. .... .... .... .... .... .[ab .#..", ".#.. .... <... .... .... .... .[ab .#..",
    ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
};

std::unique_ptr<Context> Room(std::uint32_t seed) {
    auto ctx = std::make_unique<Context>();
    EXPECT_EQ(LoadBoard(*ctx, kRoom), "");
    ctx->options.seed = seed;
    return ctx;
}

// The cells of `picture` that hold `ch`, as "row,column " pairs.
std::string CellsOf(const std::string& picture, char ch) {
    std::string cells;
    int r = 0, c = 0;
    for (char p : picture) {
        if (p == '\n') {
            ++r;
            c = 0;
            continue;
        }
        if (p == ch) cells += std::to_string(r) + "," + std::to_string(c) + " ";
        ++c;
    }
    return cells;
}

TEST(Random, AdvancesTheStateAndScalesItsHighHalf) {
    std::uint32_t state = 3141592653u;
    const std::uint32_t first = Random(state, 1000);
    EXPECT_EQ(state, 3110876034u);
    EXPECT_EQ(first, static_cast<std::uint32_t>(3110876034ull * 1000 >> 32));
    EXPECT_EQ(Random(state, 1), 0u);
}

TEST(GameShuffle, SameSeedSameLayoutAndTheStoredSeedContinues) {
    auto a = Room(12345), b = Room(12345);
    GameShuffle(*a);
    GameShuffle(*b);
    const std::string first = LevelTextOf(a->CurrentLevel());
    EXPECT_EQ(first, LevelTextOf(b->CurrentLevel()));
    EXPECT_NE(first, LevelTextOf(Room(12345)->CurrentLevel()));
    EXPECT_NE(a->options.seed, 12345u);
    EXPECT_EQ(a->options.seed, b->options.seed);

    // A second shuffle starts from the stored seed, not from the first one again.
    auto c = Room(a->options.seed);
    c->CurrentLevel() = a->CurrentLevel();
    RebuildBoard(*c);
    GameShuffle(*a);
    GameShuffle(*c);
    EXPECT_EQ(LevelTextOf(a->CurrentLevel()), LevelTextOf(c->CurrentLevel()));
    EXPECT_NE(LevelTextOf(a->CurrentLevel()), first);
}

// Worked by hand: 2000 draws between "right" and "left" (right first) in a corridor of four
// cells, starting from the program's seed.
TEST(GameShuffle, DrawsAmongTheCandidatesInTheirOrder) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".#.. .[.. .... .... .... .#..", ".#.. .#.. .#.. .#.. .#.. .#.."}),
              "");
    GameShuffle(ctx);
    EXPECT_EQ(Picture(ctx), "#..[.#\n######\n");
    EXPECT_EQ(ctx.options.seed, 2371857469u);
}

TEST(GameShuffle, FixedKindsStaySlidersKeepTheirAxisBoxesMove) {
    for (std::uint32_t seed : {1u, 2u, 3141592653u}) {
        auto ctx = Room(seed);
        const std::string before = Picture(*ctx);
        GameShuffle(*ctx);
        const std::string after = Picture(*ctx);
        for (char fixed : {'#', '*', '!', '(', '~'})
            EXPECT_EQ(CellsOf(after, fixed), CellsOf(before, fixed)) << fixed << " seed " << seed;
        const PlayBoard& b = ctx->board;
        for (int i = 2; i <= b.blockCount; ++i) {
            const Block& blk = b.blocks[i];
            if (blk.kind == '|') {
                EXPECT_EQ(blk.anchorColumn, 5) << "seed " << seed;
            }
            if (blk.kind == '-') {
                EXPECT_EQ(blk.anchorRow, 2) << "seed " << seed;
            }
        }
        EXPECT_NE(CellsOf(after, 'v'), CellsOf(before, 'v')) << "seed " << seed;
        EXPECT_EQ(ctx->CurrentLevel().MarkAt(5, 2), '<');
        // The two-cell block stays whole.
        int pairs = 0;
        for (int i = 2; i <= b.blockCount; ++i) {
            const Bounds box = b.blocks[i].cells.BoundingBox(b.LastRow());
            if (b.blocks[i].cells.Count(b.LastRow()) != 2) continue;
            ++pairs;
            EXPECT_EQ(box.lastRow - box.firstRow, 1);
            EXPECT_EQ(box.firstColumn, box.lastColumn);
        }
        EXPECT_EQ(pairs, 1);
    }
}

TEST(GameShuffle, RecordsNoStepsAndMastersWeakenBarriers) {
    Context ctx;
    // The master block can only step right first, next to the strong barrier.
    ASSERT_EQ(LoadBoard(ctx, {".#.. .@.. .... .*.. .#..", ".#.. .#.. .#.. .#.. .#.."}), "");
    GameShuffle(ctx);
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 0);
    EXPECT_EQ(ctx.CurrentLevel().BlockAt(0, 3), '!');
}

TEST(GameShuffle, WithoutBlocksNothingChangesNotEvenTheSeed) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".#.. .... +...", ".... .#.. ...."}), "");
    const std::string before = LevelTextOf(ctx.CurrentLevel());
    GameShuffle(ctx);
    EXPECT_EQ(LevelTextOf(ctx.CurrentLevel()), before);
    EXPECT_EQ(ctx.options.seed, 3141592653u);
}

TEST(GameShuffle, NothingMovableRewritesThePositionAndEmptiesTheHistory) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".#.. .!.. .#..", ".#.. .*.. .#.."}), "");
    ASSERT_TRUE(SelectBlock(ctx, 1, 0)); // the wholly weak barrier is taken away, a step
    ASSERT_EQ(ctx.CurrentLevel().stepCount, 1);
    GameShuffle(ctx);
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(level.stepCount, 0);
    EXPECT_EQ(level.currentStep, 0);
    EXPECT_EQ(level.BlockAt(0, 1), '.');
    EXPECT_EQ(level.BlockAt(1, 1), '*');
    EXPECT_EQ(ctx.options.seed, 3141592653u);
}

TEST(GameShuffle, StopsAtTheFirstEventsAfterAMove) {
    Context ctx;
    StoppingPlatform platform(1);
    ctx.platform = &platform;
    ASSERT_EQ(LoadBoard(ctx, {".#.. .[.. .... .... .#..", ".#.. .#.. .#.. .#.. .#.."}), "");
    GameShuffle(ctx, platform.stop.get_token());
    EXPECT_EQ(platform.calls, 1);
    EXPECT_EQ(Picture(ctx), "#.[.#\n#####\n");
    std::uint32_t state = 3141592653u;
    Random(state, 1);
    EXPECT_EQ(ctx.options.seed, state);
}

TEST(GameShuffle, AsksFirst) {
    Context ctx; // the silent platform answers no
    ASSERT_EQ(LoadBoard(ctx, {".[.. .... ....", ".... .... ...."}), "");
    EXPECT_FALSE(ShuffleBlocks(ctx));
    ASSERT_EQ(ctx.silentPlatform.shown.size(), 1u);
    EXPECT_EQ(ctx.silentPlatform.shown[0][0], kShuffleQuestion);
    EXPECT_EQ(ctx.options.seed, 3141592653u);
}

// --- Editor shuffle ---------------------------------------------------------------------

void SelectRectangle(CellSelection& selected, int top, int left, int bottom, int right) {
    selected.cells.Clear();
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c) selected.cells.Set(r, c);
}

// Every block of the level: whether its cells form one horizontal pair.
bool AllHorizontalPairs(const Level& level, int expectedBlocks) {
    std::map<std::int16_t, std::vector<std::pair<int, int>>> cells;
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c)
            if (level.BlockAt(r, c) == '[') cells[level.IdAt(r, c)].emplace_back(r, c);
    if (static_cast<int>(cells.size()) != expectedBlocks) return false;
    for (const auto& [id, list] : cells)
        if (list.size() != 2 || list[0].first != list[1].first ||
            list[1].second != list[0].second + 1)
            return false;
    return true;
}

TEST(EditorShuffle, ThreeIdenticalPairsLandApartInsideTheArea) {
    std::set<std::string> layouts;
    for (std::uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        Context ctx;
        CellSelection selected;
        ASSERT_EQ(LoadBoard(ctx, {".[aa .[aa .... .... .#..", ".[bb .[bb .... .... .#..",
                                  ".[cc .[cc .... .... .#..", ".... .... .... .... .#.."}),
                  "");
        ctx.options.seed = seed;
        SelectRectangle(selected, 0, 0, 3, 3);
        ASSERT_EQ(EditorShuffle(ctx, selected), ShuffleOutcome::kCompleted);
        const Level& level = ctx.CurrentLevel();
        EXPECT_TRUE(AllHorizontalPairs(level, 3)) << Picture(ctx);
        for (int r = 0; r < 4; ++r) EXPECT_EQ(level.BlockAt(r, 4), '#');
        EXPECT_NE(ctx.options.seed, seed);
        EXPECT_TRUE(selected.cells.IsEmpty(63));
        layouts.insert(Picture(ctx) + LevelTextOf(level));
    }
    EXPECT_GT(layouts.size(), 1u);
}

TEST(EditorShuffle, AnExactlyFittingAreaIsAlwaysFilled) {
    for (std::uint32_t seed : {7u, 8u, 9u}) {
        Context ctx;
        CellSelection selected;
        ASSERT_EQ(LoadBoard(ctx, {".[aa .[aa .#.. .]dd", ".... .... .#.. .]dd",
                                  ".[cc .[cc .#.. ....", ".[bb .[bb .#.. ...."}),
                  "");
        ctx.options.seed = seed;
        // One cell of each pair: the pairs come whole, and their cells are the whole area.
        selected.cells.Set(0, 0);
        selected.cells.Set(2, 1);
        selected.cells.Set(3, 0);
        ASSERT_EQ(EditorShuffle(ctx, selected), ShuffleOutcome::kCompleted);
        EXPECT_EQ(Picture(ctx), "[[#]\n..#]\n[[#.\n[[#.\n");
        EXPECT_TRUE(AllHorizontalPairs(ctx.CurrentLevel(), 3));
    }
}

// Worked by hand: the exchanges from seed 1 leave both lists of columns as (1, 2, 0), tried from
// the end; sorting two equal counts swaps them, so the magic block takes column 0 first and the
// normal block, refused there, takes column 2.
TEST(EditorShuffle, FollowsTheExchangesAndTheSortOrder) {
    Context ctx;
    CellSelection selected;
    ASSERT_EQ(LoadBoard(ctx, {".[.. .].. ....", ".... .... ...."}), "");
    ctx.options.seed = 1;
    SelectRectangle(selected, 0, 0, 0, 2);
    ASSERT_EQ(EditorShuffle(ctx, selected), ShuffleOutcome::kCompleted);
    EXPECT_EQ(Picture(ctx), "].[\n...\n");
    EXPECT_EQ(ctx.options.seed, 1172187917u);
}

TEST(EditorShuffle, NoBlockInTheSelectionFailsAndChangesNothing) {
    Context ctx;
    CellSelection selected;
    ASSERT_EQ(LoadBoard(ctx, {".[.. .... ....", ".... .... ...."}), "");
    SelectRectangle(selected, 1, 0, 1, 2);
    const std::string before = LevelTextOf(ctx.CurrentLevel());
    EXPECT_EQ(EditorShuffle(ctx, selected), ShuffleOutcome::kFailed);
    EXPECT_EQ(LevelTextOf(ctx.CurrentLevel()), before);
    EXPECT_EQ(ctx.options.seed, 3141592653u);
    EXPECT_FALSE(selected.cells.IsEmpty(63));
}

TEST(EditorShuffle, AStopLeavesTheLevelAndTheSeed) {
    Context ctx;
    CellSelection selected;
    StoppingPlatform platform(1);
    ctx.platform = &platform;
    // Six one-cell blocks: listing them passes the first pacing point.
    ASSERT_EQ(LoadBoard(ctx, {".[.. .].. .{.. .... ....", ".}.. .&.. .$.. .... ...."}), "");
    SelectRectangle(selected, 0, 0, 1, 4);
    const std::string before = LevelTextOf(ctx.CurrentLevel());
    EXPECT_EQ(EditorShuffle(ctx, selected, platform.stop.get_token()), ShuffleOutcome::kStopped);
    EXPECT_EQ(platform.calls, 1);
    EXPECT_EQ(LevelTextOf(ctx.CurrentLevel()), before);
    EXPECT_EQ(ctx.options.seed, 3141592653u);
}

TEST(EditorShuffle, PlacedCellsTakeTheirBlocksBaseKind) {
    Context ctx;
    CellSelection selected;
    ASSERT_EQ(LoadBoard(ctx, {".[aa .xaa .... ....", ".... .... .... ...."}), "");
    SelectRectangle(selected, 0, 0, 1, 3);
    ASSERT_EQ(EditorShuffle(ctx, selected), ShuffleOutcome::kCompleted);
    EXPECT_EQ(CellsOf(Picture(ctx), 'x'), "");
    EXPECT_EQ(CellsOf(Picture(ctx), '[').size(), 8u); // two cells, "r,c " each
}

} // namespace
} // namespace vorpel
