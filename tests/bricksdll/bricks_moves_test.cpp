// Bricks moves files: names, piece bytes and the offset, eliminations, the conversion modes of
// the movement rules, and the commands' messages.
#include <gtest/gtest.h>

#include "DllFixtures.h"
#include "Fixtures.h"
#include "bricksdll/BricksMoves.h"
#include "files/FileNames.h"
#include "model/History.h"

namespace vorpel {
namespace {

using namespace dll_test;

std::vector<StepRecord> Steps(const Level& level) {
    return {level.steps.begin(), level.steps.begin() + level.stepCount};
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes += static_cast<char>(v);
    bytes.resize(kBricksMovesSize, '\0');
    return bytes;
}

DllLevelGrid Grid(std::uint32_t version, int columns, std::vector<Byte> blocks) {
    DllLevelGrid grid;
    grid.savePrefix = "pk";
    grid.version = version;
    grid.columns = columns;
    grid.rows = static_cast<int>(blocks.size()) / columns;
    grid.blockGrid = std::move(blocks);
    return grid;
}

TEST(BricksMoves, FileNames) {
    EXPECT_EQ(BricksMovesFileName("/levels/pack.dll", "pk", "1", 3), "/levels/pk1.b 3");
    EXPECT_EQ(BricksMovesFileName("C:\\games\\pack.dll", "pk", "Ann", 12), "C:\\games\\pkAnn.b12");
    EXPECT_EQ(BricksMovesFileName("pack.dll", "", "1", 100), "1.b100");
}

TEST(BricksMoves, ConversionModes) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, {".[.. ....", ".... ...."}), "");
    EXPECT_EQ(BricksConversionMode(3, ctx.CurrentLevel()), 1);
    EXPECT_EQ(BricksConversionMode(4, ctx.CurrentLevel()), 2);
    ASSERT_EQ(test::LoadBoard(ctx, {".Z.. ....", ".... ...."}), "");
    EXPECT_EQ(BricksConversionMode(3, ctx.CurrentLevel()), 2);
}

// In the first mode a pushed block takes the piece a pushed block had at its new anchor cell;
// where none stood it keeps its own. The other modes leave pieces alone.
TEST(BricksMoves, PushedPiecesInTheFirstMode) {
    const struct {
        const char* name;
        std::vector<std::string> rows;
        int mode;
        std::vector<int> after; // pieces of blocks 2, 3, ... after pushing block 2 right
    } cases[] = {
        {"chain", {".[.. .;.. .;.. ...."}, 1, {0x31, 0x33, 0x33}},
        {"two-cell block", {".[.. .;a. .;a. ...."}, 1, {0x31, 0x32}},
        {"chain, second mode", {".[.. .;.. .;.. ...."}, 2, {0x31, 0x32, 0x33}},
        {"chain, no conversion", {".[.. .;.. .;.. ...."}, 0, {0x31, 0x32, 0x33}},
    };
    for (const auto& test : cases) {
        Context ctx;
        BricksPieceFollower follower(test.mode);
        ctx.stepObserver = &follower;
        std::vector<std::string> rows = test.rows;
        rows.push_back("....");
        ASSERT_EQ(test::LoadBoard(ctx, rows), "") << test.name;
        for (std::size_t k = 0; k < test.after.size(); ++k)
            ctx.board.blocks[2 + k].bricksPiece = static_cast<Byte>(0x31 + k);
        ASSERT_TRUE(test::Drag(ctx, 0, 0, 0, 1)) << test.name;
        for (std::size_t k = 0; k < test.after.size(); ++k)
            EXPECT_EQ(ctx.board.blocks[2 + k].bricksPiece, test.after[k]) << test.name << " " << k;
    }
}

TEST(BricksMoves, AFirstModeFileNamesAPushedBlockByItsOwnPiece) {
    // The hover block, pushed where no pushed block stood, is then moved by its own number.
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, {".[.. .;.. .... ....", ".... .... .... ...."}), "");
    const DllLevelGrid grid = Grid(3, 4, {0x31, 0x32, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20});
    EXPECT_EQ(ApplyBricksMoves(ctx, grid, Bytes({0x31 + 53, 2, 0x32 + 53, 2})), "");
    EXPECT_EQ(test::Picture(ctx), ".[.;\n....\n");
    EXPECT_EQ(ctx.stepObserver, nullptr);
    EXPECT_EQ(ctx.board.blocks[3].bricksPiece, 0); // numbers are kept only while converting
}

// A piece byte with no step after it is a move of nothing: skipped, and the move count goes on
// as if it was not there.
TEST(BricksMoves, PieceBytesWithoutStepsAreSkipped) {
    // Blocks A (piece 0x31) and B (0x32) and a weak barrier at row 0, column 3.
    const std::vector<std::string> board = {".[.. .... .[.. .!..", ".... .... .... ...."};
    const DllLevelGrid grid = Grid(4, 4, {0x31, 0x20, 0x32, 0x20, 0x20, 0x20, 0x20, 0x20});
    const int a = 0x31 + 53, b = 0x32 + 53;
    const struct {
        const char* name;
        std::string bytes;
        const char* picture;
        int steps;
    } cases[] = {
        {"before another piece", Bytes({a, b, 1}), "[..!\n..[.\n", 1},
        {"before another piece's move", Bytes({b, a, 1}), "..[!\n[...\n", 1},
        {"before an elimination", Bytes({b, 0xFD, 4, 1, a, 2}), ".[[.\n....\n", 2},
        {"at the end", Bytes({a, 2, b}), ".[[!\n....\n", 1},
        {"last byte of the file", std::string({char(a), char(2), char(b)}), ".[[!\n....\n", 1},
        {"only piece bytes", Bytes({a, b, a}), "[.[!\n....\n", 0},
    };
    for (const auto& test : cases) {
        Context ctx;
        ASSERT_EQ(test::LoadBoard(ctx, board), "") << test.name;
        EXPECT_EQ(ApplyBricksMoves(ctx, grid, test.bytes), "") << test.name;
        EXPECT_EQ(test::Picture(ctx), test.picture) << test.name;
        EXPECT_EQ(ctx.CurrentLevel().stepCount, test.steps) << test.name;
        if (test.steps > 0) {
            EXPECT_EQ(ctx.CurrentLevel().steps.MoveNumber(test.steps - 1), 1) << test.name;
        }
    }
}

TEST(BricksMoves, PieceAboveTheOffsetLimit) {
    // Block A is piece 200: 200 + 53 passes 0xFC, so the offset drops to 0 for good.
    const std::vector<std::string> board = {".[.. .... .[..", ".... .... ...."};
    const DllLevelGrid grid = Grid(4, 3, {200, 0x20, 0x31, 0x20, 0x20, 0x20});
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, board, " 1) 0, 2: v\r\n 2) 0, 0: >\r\n 3) 1, 2: ^\r\n"), "");
    const std::vector<StepRecord> steps = Steps(ctx.CurrentLevel());
    GoToPosition(ctx, 2);
    std::string bytes;
    EXPECT_EQ(BricksMovesBytes(ctx, grid, bytes), "");
    EXPECT_EQ(bytes, Bytes({0x31 + 53, 1, 0xFF, 200, 2, 0x31, 4, 0}));
    EXPECT_EQ(ctx.CurrentLevel().currentStep, 2);
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 3);

    Context again;
    ASSERT_EQ(test::LoadBoard(again, board), "");
    EXPECT_EQ(ApplyBricksMoves(again, grid, bytes), "");
    EXPECT_EQ(Steps(again.CurrentLevel()), steps);
}

TEST(BricksMoves, UnwritablePieceNumbers) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, {".[.. .[..", ".... ...."}, " 1) 0, 1: v\r\n 2) 0, 0: v\r\n"),
              "");
    // After the offset drops, piece 3 would read back as a step.
    std::string bytes = "unchanged";
    EXPECT_NE(BricksMovesBytes(ctx, Grid(4, 2, {3, 250, 0x20, 0x20}), bytes), "");
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(ctx.CurrentLevel().currentStep, 2);
}

class BricksMovesFiles : public DllFiles {};

// Three rows of six: a normal block, a master block and a weak barrier at row 2, column 5.
const std::vector<std::string> kLevel = {
    ".[.. .... .... .... .... .@..", //
    ".... .... .... .... .... ....", //
    ".... .... .... .... .... .!..", //
};
const char* kMoves = " 1) 2, 5: x\r\n 1) 0, 0: v>>\r\n 2) 0, 5: v\r\n";

TEST_F(BricksMovesFiles, WrittenAndReadBack) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kLevel, kMoves), "");
    DllContents contents = Contents(ctx, {"test"});
    contents.savePrefix = "pk";
    const std::string dll = Save("pack.dll", DllBytes(ctx, contents));
    const std::vector<StepRecord> steps = Steps(ctx.CurrentLevel());
    const std::string picture = test::Picture(ctx);

    EXPECT_TRUE(WriteBricksMoves(ctx, 0, dll, "1"));
    // The elimination at row 2, column 5, then '[' (code 0x31) and '@' (code 0x30).
    EXPECT_EQ(Load((dir / "pk1.b 1").string()),
              Bytes({0xFD, 6, 3, 0x31 + 53, 1, 2, 2, 0x30 + 53, 1, 0}));
    EXPECT_EQ(ctx.CurrentLevel().currentStep, 5);

    Context again;
    ASSERT_EQ(test::LoadBoard(again, kLevel), "");
    EXPECT_TRUE(ReadBricksMoves(again, 0, dll, "1"));
    EXPECT_EQ(Steps(again.CurrentLevel()), steps);
    EXPECT_EQ(test::Picture(again), picture);
    EXPECT_TRUE(again.silentPlatform.shown.empty());
}

TEST_F(BricksMovesFiles, Messages) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kLevel, kMoves), "");
    Context small;
    AddLevel(small, "small", EmptyRows(2, 2));
    DllContents contents = Contents(ctx, {"test"});
    contents.savePrefix = "pk";
    const std::string dll = Save("pack.dll", DllBytes(ctx, contents));
    const std::string other = Save("other.dll", DllBytes(small, Contents(small, {"small"})));
    const std::string missing = (dir / "missing.dll").string();
    const struct {
        const char* name;
        std::string dll;
        int level;
        std::vector<std::string> message;
    } refusals[] = {
        {"another size", other, 0, {kDllSizeMismatch, kCommandNotExecuted}},
        {"no DLL", missing, 0, {kDllLoadError, kCommandNotExecuted}},
        {"no such level", dll, 1, {kDllLevelMissing, kCommandNotExecuted}},
    };
    for (const auto& test : refusals) {
        for (bool write : {false, true}) {
            ctx.silentPlatform.shown.clear();
            EXPECT_FALSE(write ? WriteBricksMoves(ctx, test.level, test.dll, "1")
                               : ReadBricksMoves(ctx, test.level, test.dll, "1"))
                << test.name;
            EXPECT_EQ(ctx.silentPlatform.shown, std::vector<std::vector<std::string>>{test.message})
                << test.name;
            EXPECT_EQ(ctx.CurrentLevel().stepCount, 5) << test.name;
        }
    }

    ctx.silentPlatform.shown.clear();
    EXPECT_FALSE(ReadBricksMoves(ctx, 0, dll, "2"));
    const std::string notFound = (dir / "pk2.b 1").string() + "\r\n" + kFileNotFound;
    EXPECT_EQ(ctx.silentPlatform.shown,
              (std::vector<std::vector<std::string>>{{notFound, kCommandNotExecuted}}));

    // The prompt before overwriting, answered no by the silent platform.
    const std::string file = Save("pk2.b 1", Bytes({0}));
    ctx.options.value[kPromptOnFileRewrite] = true;
    ctx.silentPlatform.shown.clear();
    EXPECT_FALSE(WriteBricksMoves(ctx, 0, dll, "2"));
    ASSERT_EQ(ctx.silentPlatform.shown.size(), 1u);
    ASSERT_EQ(ctx.silentPlatform.shown[0].size(), 5u);
    EXPECT_EQ(ctx.silentPlatform.shown[0].front(), "The file");
    EXPECT_TRUE(ctx.silentPlatform.shown[0][3].ends_with(", size 32,768 bytes)"));
    EXPECT_EQ(ctx.silentPlatform.shown[0].back(), "already exists.  Overwrite?");
    EXPECT_EQ(Load(file), Bytes({0}));

    // A name the file layer refuses, and a write that fails, which leaves the old file.
    ctx.options.value[kPromptOnFileRewrite] = false;
    ctx.silentPlatform.shown.clear();
    EXPECT_FALSE(WriteBricksMoves(ctx, 0, dll, std::string(260, 'p')));
    ASSERT_EQ(ctx.silentPlatform.shown.size(), 1u);
    EXPECT_TRUE(ctx.silentPlatform.shown[0][0].starts_with(kNameTooLongIntro));
    EXPECT_EQ(ctx.silentPlatform.shown[0][1], kCommandNotExecuted);
    ctx.silentPlatform.shown.clear();
    WriteFaults faults;
    faults.failAtByte = 10;
    EXPECT_FALSE(WriteBricksMoves(ctx, 0, dll, "2", faults));
    EXPECT_EQ(ctx.silentPlatform.shown, std::vector<std::vector<std::string>>{{kErrorWriting}});
    EXPECT_EQ(Load(file), Bytes({0}));
    EXPECT_EQ(ctx.CurrentLevel().currentStep, 5);

    // A file that ends at once reads as no moves.
    EXPECT_TRUE(ReadBricksMoves(ctx, 0, dll, "2"));
    EXPECT_EQ(ctx.CurrentLevel().currentStep, 0);

    // A blocked step stops the reading; the moves before it stay.
    Save("pk3.b 1", Bytes({0x31 + 53, 1, 0x30 + 53, 2}));
    ctx.silentPlatform.shown.clear();
    EXPECT_FALSE(ReadBricksMoves(ctx, 0, dll, "3"));
    ASSERT_EQ(ctx.silentPlatform.shown.size(), 1u);
    EXPECT_EQ(ctx.silentPlatform.shown[0][0].rfind("Error at move 2) 0, 5: >.\r\nStep 1", 0), 0u)
        << ctx.silentPlatform.shown[0][0];
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 1);
}

} // namespace
} // namespace vorpel
