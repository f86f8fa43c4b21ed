// RowSet geometry: translation at the edges, rings, bounds, iteration and symmetry.
#include <gtest/gtest.h>

#include "model/RowSet.h"

namespace vorpel {
namespace {

RowSet FromPicture(const std::vector<std::string>& lines) {
    RowSet s;
    for (std::size_t r = 0; r < lines.size(); ++r)
        for (std::size_t c = 0; c < lines[r].size(); ++c)
            if (lines[r][c] == '#') s.Set(static_cast<int>(r), static_cast<int>(c));
    return s;
}

TEST(RowSet, ColumnZeroIsTheMostSignificantBit) {
    static_assert(ColumnMask(0) == 0x8000000000000000ull);
    static_assert(ColumnMask(63) == 1ull);
    static_assert(FullRow(3) == 0xE000000000000000ull);
    static_assert(FullRow(64) == ~0ull);
}

TEST(RowSet, TranslateDropsWhatLeavesTheProcessedRows) {
    RowSet s;
    s.Set(0, 63);
    s.Set(5, 10);
    RowSet right;
    right.TranslateFrom(s, 0, 1, 63);
    EXPECT_FALSE(right.Test(0, 63));
    EXPECT_TRUE(right.Test(5, 11));
    EXPECT_EQ(right.Count(63), 1);

    RowSet down = s;
    down.Translate(1, 0, 5); // n = 5: row 5 moves to row 6, which is outside
    EXPECT_TRUE(down.Test(1, 63));
    EXPECT_EQ(down.Count(63), 1) << down.Dump(8, 64);

    RowSet up = s;
    up.Translate(-2, -3, 10);
    EXPECT_TRUE(up.Test(3, 7));
    EXPECT_EQ(up.Count(63), 1);
}

TEST(RowSet, NeighbourRingOfACornerCellHasTwoCells) {
    RowSet s;
    s.Set(0, 0);
    s.NeighbourRingOf(s, 5);
    EXPECT_EQ(s, FromPicture({".#", "#."})) << s.Dump(3, 3);
}

TEST(RowSet, NeighbourRingExcludesTheSetItself) {
    const RowSet s = FromPicture({"...", ".##", "..."});
    RowSet ring;
    ring.NeighbourRingOf(s, 2);
    EXPECT_EQ(ring, FromPicture({".##", "#..#", ".##"})) << ring.Dump(3, 4);
}

TEST(RowSet, BoundingBoxOfEmptyAndFilledSets) {
    RowSet s;
    EXPECT_EQ(s.BoundingBox(9), (Bounds{10, -1, 10, -1}));
    s = FromPicture({"....", "..#.", ".#.."});
    EXPECT_EQ(s.BoundingBox(9), (Bounds{1, 2, 1, 2}));
    EXPECT_EQ(SelectionBounds(RowSet{}, 5, 5), (Bounds{-1, -1, -1, -1}));
}

TEST(RowSet, TakeNextCellIgnoresBitsOutsideTheBoard) {
    RowSet s;
    s.Set(0, 7); // outside 4 columns
    s.Set(6, 1); // outside 5 rows
    s.Set(2, 3);
    s.Set(1, 2);
    int r = 0, c = 0;
    ASSERT_TRUE(s.TakeNextCell(5, 4, r, c));
    EXPECT_EQ(std::make_pair(r, c), std::make_pair(1, 2));
    ASSERT_TRUE(s.TakeNextCell(5, 4, r, c));
    EXPECT_EQ(std::make_pair(r, c), std::make_pair(2, 3));
    EXPECT_FALSE(s.TakeNextCell(5, 4, r, c));
}

TEST(RowSet, SymmetryTests) {
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        bool vertical, horizontal, turn180, turn90;
    };
    const Case cases[] = {
        {"plus", {".#.", "###", ".#."}, true, true, true, true},
        {"L", {"#.", "#.", "##"}, false, false, false, false},
        {"bar", {"####"}, true, true, true, false},
        {"S", {".##", "##."}, false, false, true, false},
        {"RowWithGap", {"#.##"}, true, false, false, false},
        {"ColumnWithGap", {"#", "#", ".", "#"}, false, true, false, false},
        {"empty", {}, true, true, true, true},
    };
    for (const Case& t : cases) {
        const RowSet s = FromPicture(t.picture);
        EXPECT_EQ(HasVerticalSymmetry(s, 10, 10), t.vertical) << t.name;
        EXPECT_EQ(HasHorizontalSymmetry(s, 10, 10), t.horizontal) << t.name;
        EXPECT_EQ(Has180Symmetry(s, 10, 10), t.turn180) << t.name;
        EXPECT_EQ(Has90Symmetry(s, 10, 10), t.turn90) << t.name;
    }
}

TEST(RowSet, SelectionFullAndInverted) {
    RowSet s;
    InvertSelection(s, 3, 5);
    EXPECT_TRUE(SelectionIsFull(s, 3, 5));
    s.Reset(1, 4);
    EXPECT_FALSE(SelectionIsFull(s, 3, 5));
    InvertSelection(s, 3, 5);
    EXPECT_EQ(s.Count(63), 1);
    EXPECT_TRUE(s.Test(1, 4));
}

} // namespace
} // namespace vorpel
