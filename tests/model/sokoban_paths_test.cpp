// Click to walk and click to push: shortest walks, pushes by fewest pushes then moves (checked
// against a search over every player and box cell), and carrying them out as typed steps.
#include <gtest/gtest.h>

#include <map>
#include <queue>
#include <random>
#include <tuple>

#include "Fixtures.h"
#include "model/History.h"
#include "model/SokobanPaths.h"

namespace vorpel {
namespace {

// Cells as SOK characters: # wall, $ box, . goal, @ player, blank floor.
SokobanPuzzle Position(const std::vector<std::string>& rows) {
    SokobanPuzzle p;
    p.rows = static_cast<int>(rows.size());
    p.columns = static_cast<int>(rows[0].size());
    for (int r = 0; r < p.rows; ++r)
        for (int c = 0; c < p.columns; ++c) {
            const char ch = rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            p.cells.push_back(ch == '#'   ? SokobanPuzzle::kWall
                              : ch == '$' ? SokobanPuzzle::kBox
                              : ch == '.' ? SokobanPuzzle::kGoal
                                          : SokobanPuzzle::kFloor);
            if (ch == '@') p.player = r * p.columns + c;
        }
    return p;
}

const std::vector<std::string> kYard = {
    "#######", //
    "#@    #", //
    "# $#  #", //
    "#  $  #", //
    "#######",
};

TEST(WalkPath, ShortestWalkOrNone) {
    const SokobanPuzzle p = Position(kYard);
    const struct {
        int row, column;
        std::optional<std::string> letters;
    } cases[] = {
        {1, 1, ""},           // where he stands
        {1, 5, ">>>>"},       //
        {3, 5, ">>>>vv"},     // round the wall and the box
        {3, 1, "vv"},         //
        {2, 2, std::nullopt}, // a box
        {0, 3, std::nullopt}, // a wall
        {9, 9, std::nullopt}, // off the board
    };
    for (const auto& c : cases) {
        const std::optional<StepPath> path = WalkPath(p, c.row, c.column);
        ASSERT_EQ(path.has_value(), c.letters.has_value()) << c.row << "," << c.column;
        if (!path) continue;
        EXPECT_EQ(PathLetters(*path).size(), c.letters->size()) << c.row << "," << c.column;
    }
    // A cell shut in by boxes is out of reach.
    EXPECT_FALSE(WalkPath(Position({"#####", "#@$ #", "#####"}), 1, 3));
}

TEST(PushPath, FewestPushesThenFewestMoves) {
    const struct {
        std::vector<std::string> rows;
        int boxRow, boxColumn, row, column;
        std::optional<std::string> letters;
    } cases[] = {
        {{"######", "#@$  #", "######"}, 1, 2, 1, 4, ">>"},
        {{"######", "#@$  #", "######"}, 1, 2, 1, 2, ""},
        // The player must go round to push the box back left.
        {{"#####", "#   #", "# $@#", "#####"}, 2, 2, 2, 1, "<"},
        {{"#####", "#   #", "#@$ #", "#####"}, 2, 2, 2, 1, "^>>v<"},
        // Into a corner the box cannot leave, and not through another box or a wall.
        {{"######", "#@$ $#", "######"}, 1, 2, 1, 4, std::nullopt},
        {{"#####", "#@$##", "#####"}, 1, 2, 1, 3, std::nullopt},
        {{"#####", "#@  #", "#####"}, 1, 2, 1, 3, std::nullopt}, // no box there
    };
    for (const auto& c : cases) {
        const std::optional<StepPath> path =
            PushPath(Position(c.rows), c.boxRow, c.boxColumn, c.row, c.column);
        ASSERT_EQ(path.has_value(), c.letters.has_value()) << c.rows[1];
        if (path) {
            EXPECT_EQ(PathLetters(*path), *c.letters) << c.rows[1];
        }
    }
}

// The reference: Dijkstra over (player cell, box cell) with costs (pushes, moves).
std::optional<SokobanCounts> BestPush(const SokobanPuzzle& p, int box, int goal) {
    const int n = p.rows * p.columns;
    std::vector<std::uint8_t> cells = p.cells;
    cells[static_cast<std::size_t>(box)] = SokobanPuzzle::kFloor; // the box is followed apart
    const auto free = [&](int cell, int boxCell) {
        return cell >= 0 && cell < n && cell != boxCell &&
               !(cells[static_cast<std::size_t>(cell)] &
                 (SokobanPuzzle::kWall | SokobanPuzzle::kBox));
    };
    using Cost = std::pair<int, int>;
    std::map<std::pair<int, int>, Cost> seen;
    std::priority_queue<std::tuple<Cost, int, int>, std::vector<std::tuple<Cost, int, int>>,
                        std::greater<>>
        open;
    open.emplace(Cost{0, 0}, p.player, box);
    while (!open.empty()) {
        const auto [cost, player, b] = open.top();
        open.pop();
        if (seen.count({player, b})) continue;
        seen[{player, b}] = cost;
        if (b == goal) return SokobanCounts{cost.second, cost.first};
        const int dr[] = {-1, 0, 1, 0}, dc[] = {0, 1, 0, -1};
        for (int k = 0; k < 4; ++k) {
            const int r = player / p.columns + dr[k], c = player % p.columns + dc[k];
            if (r < 0 || r >= p.rows || c < 0 || c >= p.columns) continue;
            const int next = r * p.columns + c;
            if (next == b) {
                const int br = r + dr[k], bc = c + dc[k];
                if (br < 0 || br >= p.rows || bc < 0 || bc >= p.columns) continue;
                if (free(br * p.columns + bc, b))
                    open.emplace(Cost{cost.first + 1, cost.second + 1}, next, br * p.columns + bc);
            } else if (free(next, b)) {
                open.emplace(Cost{cost.first, cost.second + 1}, next, b);
            }
        }
    }
    return std::nullopt;
}

TEST(PushPath, MatchesAFullSearchOnRandomYards) {
    std::mt19937 random(25);
    for (int trial = 0; trial < 300; ++trial) {
        SokobanPuzzle p;
        p.rows = 6;
        p.columns = 7;
        for (int i = 0; i < p.rows * p.columns; ++i) {
            const auto roll = random() % 10;
            p.cells.push_back(roll < 2   ? SokobanPuzzle::kWall
                              : roll < 3 ? SokobanPuzzle::kBox
                                         : SokobanPuzzle::kFloor);
        }
        std::vector<int> floor;
        for (int i = 0; i < p.rows * p.columns; ++i)
            if (p.cells[static_cast<std::size_t>(i)] == SokobanPuzzle::kFloor) floor.push_back(i);
        if (floor.size() < 3) continue;
        std::shuffle(floor.begin(), floor.end(), random);
        p.player = floor[0];
        const int box = floor[1], goal = floor[2];
        p.cells[static_cast<std::size_t>(box)] = SokobanPuzzle::kBox;

        const std::optional<SokobanCounts> expected = BestPush(p, box, goal);
        const std::optional<StepPath> path =
            PushPath(p, box / p.columns, box % p.columns, goal / p.columns, goal % p.columns);
        ASSERT_EQ(path.has_value(), expected.has_value()) << "trial " << trial;
        if (!path) continue;
        // The path is legal, ends with the box on the goal and counts as the best does.
        SokobanTracker tracker(p);
        std::vector<std::uint8_t> cells = p.cells;
        int player = p.player, at = box;
        for (const GridStep& s : *path) {
            const int next = player + s.rowDelta * p.columns + s.columnDelta;
            ASSERT_FALSE(cells[static_cast<std::size_t>(next)] & SokobanPuzzle::kWall);
            if (cells[static_cast<std::size_t>(next)] & SokobanPuzzle::kBox) {
                ASSERT_EQ(next, at) << "trial " << trial << ": another box pushed";
                at = next + s.rowDelta * p.columns + s.columnDelta;
                cells[static_cast<std::size_t>(next)] = SokobanPuzzle::kFloor;
                cells[static_cast<std::size_t>(at)] = SokobanPuzzle::kBox;
            }
            player = next;
            tracker.Step(s.rowDelta, s.columnDelta);
        }
        EXPECT_EQ(at, goal) << "trial " << trial;
        EXPECT_EQ(tracker.Counts(), *expected) << "trial " << trial;
    }
}

TEST(CarryOutPath, StepsEnterTheHistoryAsTypedOnes) {
    Context ctx;
    ASSERT_EQ(
        test::LoadBoard(ctx, {".#.. .#.. .#.. .#.. .#.. .#..", ".#.. .... .... .... .... .#..",
                              ".#.. .[.. .V.. .... +... .#..", ".#.. .#.. .#.. .#.. .#.. .#.."}),
        "");
    SokobanPuzzle position;
    ASSERT_TRUE(SokobanPositionOf(ctx, position));
    const std::optional<StepPath> walk = WalkPath(position, 1, 3);
    ASSERT_TRUE(walk);
    EXPECT_EQ(CarryOutPath(ctx, *walk), 3);

    ASSERT_TRUE(SokobanPositionOf(ctx, position));
    EXPECT_EQ(position.player, 1 * 6 + 3);
    const std::optional<StepPath> push = PushPath(position, 2, 2, 2, 4);
    ASSERT_TRUE(push);
    EXPECT_EQ(PathLetters(*push), "<<v>>");
    EXPECT_EQ(CarryOutPath(ctx, *push), 5);
    // As typed, a walk straight back over plain steps takes them out of the history.
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(level.stepCount, 2);
    EXPECT_EQ(SokobanCountsAt(level, level.stepCount), (SokobanCounts{2, 2}));
    ASSERT_TRUE(SokobanPositionOf(ctx, position));
    EXPECT_TRUE(position.cells[2 * 6 + 4] & SokobanPuzzle::kBox);

    // Undo goes back over them one at a time.
    StepBackward(ctx);
    ASSERT_TRUE(SokobanPositionOf(ctx, position));
    EXPECT_TRUE(position.cells[2 * 6 + 3] & SokobanPuzzle::kBox);
}

} // namespace
} // namespace vorpel
