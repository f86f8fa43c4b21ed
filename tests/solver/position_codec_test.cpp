// The position encoding over random play on every kind: two positions get the same bytes
// exactly when their boards look the same to the rules.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "SolverFixtures.h"
#include "model/Movement.h"
#include "solver/PositionCodec.h"

namespace vorpel {
namespace {

// What the rules see, read cell by cell: marks, the cell sets, what each cell shows, the letter
// of lettered blocks and which cells belong together (named by each block's first cell), the
// switch blocks under their marks, and whether the keyholes still work.
std::vector<int> Picture(const PlayBoard& b) {
    std::vector<int> out;
    std::vector<int> first(static_cast<std::size_t>(b.blockCount) + 1, -1);
    const int n = b.LastRow();
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c) {
            const int index = b.BlockIndexAt(r, c);
            if (index >= kFirstBlock && first[index] < 0) first[index] = CellIndex(r, c);
            out.push_back(b.MarkAt(r, c));
            out.push_back(DisplayChar(b, r, c));
            out.push_back(index >= kFirstBlock && b.blocks[index].id < 0 ? b.blocks[index].id : 0);
            out.push_back(index >= kFirstBlock ? first[index] : -index);
            out.push_back(
                (b.holeCells.Test(r, c) ? 1 : 0) + (b.slideCells.Test(r, c) ? 2 : 0) +
                (b.destinationCells.Test(r, c) ? 4 : 0) + (b.waterCells.Test(r, c) ? 8 : 0) +
                (b.dontCoverCells.Test(r, c) ? 16 : 0) + (b.glueCells.Test(r, c) ? 32 : 0));
        }
    }
    for (int i = kFirstBlock; i <= b.blockCount; ++i) {
        const Block& blk = b.blocks[i];
        if (!blk.removed && blk.kind == kSwitchKind)
            out.push_back(-1000 - CellIndex(blk.anchorRow, blk.anchorColumn));
    }
    out.push_back(b.keyholeRing.IsEmpty(n) ? 0 : 1);
    return out;
}

std::vector<int> Encoded(const PositionCodec& codec, const PlayBoard& board) {
    std::vector<std::uint8_t> code;
    codec.Encode(board, code);
    return {code.begin(), code.end()};
}

TEST(PositionCodec, SameBytesExactlyWhenTheRulesSeeTheSameBoard) {
    std::vector<Level> levels = test::LevelsOfFile(VORPEL_SOURCE_DIR "/data/Vorpel 0.txt");
    const std::vector<Level> classic =
        test::LevelsOfFile(VORPEL_SOURCE_DIR "/data/Classic sliding puzzles.txt");
    levels.insert(levels.end(), classic.begin(), classic.end());
    ASSERT_GE(levels.size(), 20u);
    std::mt19937 random(24);
    for (const Level& level : levels) {
        SCOPED_TRACE(level.title);
        PlayBoard start, board;
        BuildStartBoard(level, start);
        const PositionCodec codec(start);
        std::map<std::vector<int>, std::vector<int>> pictureOf, codeOf;
        for (int walk = 0; walk < 40; ++walk) {
            BuildStartBoard(level, board);
            for (int step = 0; step < 40; ++step) {
                const std::vector<int> code = Encoded(codec, board);
                const std::vector<int> picture = Picture(board);
                const auto [p, newCode] = pictureOf.emplace(code, picture);
                const auto [c, newPicture] = codeOf.emplace(picture, code);
                ASSERT_EQ(p->second, picture) << "one encoding, two boards";
                ASSERT_EQ(c->second, code) << "one board, two encodings";
                // Every block the user could take, every way; a weak barrier by a click.
                std::vector<SolveStep> steps;
                for (int i = kFirstBlock; i <= board.blockCount; ++i) {
                    const Block& blk = board.blocks[i];
                    if (blk.removed || RefusesHold(blk.kind)) continue;
                    const SolveStep at{blk.anchorRow, blk.anchorColumn, 0, 0};
                    if (blk.kind == kBarrierKind) {
                        steps.push_back(at);
                        continue;
                    }
                    for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
                        steps.push_back({at.row, at.column, static_cast<std::int8_t>(dr),
                                         static_cast<std::int8_t>(dc)});
                }
                std::shuffle(steps.begin(), steps.end(), random);
                bool made = false;
                for (const SolveStep& s : steps)
                    if ((made = ApplySolveStep(board, s))) break;
                if (!made) break;
            }
        }
        EXPECT_EQ(pictureOf.size(), codeOf.size());
    }
}

// Decoding gives back a board that encodes the same and shows the same picture.
TEST(PositionCodec, DecodesWhatItEncodes) {
    const std::vector<Level> levels =
        test::LevelsOfFile(VORPEL_SOURCE_DIR "/data/Classic sliding puzzles.txt");
    std::mt19937 random(7);
    for (const Level& level : levels) {
        PlayBoard board, copy;
        BuildStartBoard(level, board);
        BuildStartBoard(level, copy);
        const PositionCodec codec(board);
        ASSERT_TRUE(codec.Decodable());
        for (int step = 0; step < 300; ++step) {
            const int block = kFirstBlock + static_cast<int>(random() % (board.blockCount - 1));
            const int d = static_cast<int>(random() % 4);
            const Block& blk = board.blocks[block];
            const SolveStep s{blk.anchorRow, blk.anchorColumn,
                              static_cast<std::int8_t>(d == 0   ? -1
                                                       : d == 1 ? 1
                                                                : 0),
                              static_cast<std::int8_t>(d == 2   ? -1
                                                       : d == 3 ? 1
                                                                : 0)};
            if (!ApplySolveStep(board, s)) continue;
            std::vector<std::uint8_t> code;
            codec.Encode(board, code);
            EXPECT_EQ(code.size(), codec.FixedBytes());
            codec.Decode(code.data(), copy);
            ASSERT_EQ(Encoded(codec, copy), Encoded(codec, board));
            ASSERT_EQ(Picture(copy), Picture(board));
        }
    }
}

} // namespace
} // namespace vorpel
