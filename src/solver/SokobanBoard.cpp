// Board facts and deadlock tests of the Sokoban search.
#include "solver/SokobanBoard.h"

#include <algorithm>
#include <limits>

namespace vorpel::sokoban {

namespace {

// Cells reachable from `start` through cells that are not walls.
std::vector<std::uint8_t> Flood(const Board& b, int start) {
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(b.cellCount), 0);
    std::vector<int> queue{start};
    seen[start] = 1;
    for (std::size_t i = 0; i < queue.size(); ++i)
        for (const int d : b.delta) {
            const int next = queue[i] + d;
            if (!b.wall[next] && !seen[next]) {
                seen[next] = 1;
                queue.push_back(next);
            }
        }
    return seen;
}

// Pushes a lone box needs between `cell` and every other cell: from `cell` outward, or with
// `toCell` from each cell to `cell`, found by pulling the box back from it. Cells marked in
// `blocked` count as walls.
void LoneBoxDistances(const Board& b, int cell, bool toCell, std::uint16_t* out,
                      const std::vector<std::uint8_t>* blocked = nullptr) {
    std::fill(out, out + b.cellCount, kFar);
    std::vector<int> queue{cell};
    out[cell] = 0;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const int x = queue[i];
        for (const int d : b.delta) {
            const int step = toCell ? -d : d;
            const int next = x + step;
            // The player stands behind the box: before x when pushing on, beyond next when
            // pulling back.
            const int player = toCell ? next + step : x - step;
            if (b.wall[next] || b.wall[player] || out[next] != kFar) continue;
            if (blocked && ((*blocked)[next] || (*blocked)[player])) continue;
            out[next] = static_cast<std::uint16_t>(out[x] + 1);
            queue.push_back(next);
        }
    }
}

} // namespace

Verdict Prepare(const SokobanPuzzle& puzzle, Board& b) {
    const int rows = puzzle.rows, columns = puzzle.columns;
    b.width = columns + 2;
    b.height = rows + 2;
    b.cellCount = b.width * b.height;
    b.delta = {-b.width, 1, b.width, -1};
    const auto size = static_cast<std::size_t>(b.cellCount);
    b.wall.assign(size, 1);
    b.goal.assign(size, 0);
    b.live.assign(size, 0);
    b.floorOf.assign(size, -1);
    b.cellOf.clear();
    b.goals.clear();
    b.boxes.clear();
    b.distance.clear();

    const auto padded = [&](int index) {
        return (index / columns + 1) * b.width + index % columns + 1;
    };
    b.lettered = !puzzle.boxLetter.empty();
    // Whether a cell needs nothing more: a box on a goal (its own, when lettered), or neither.
    const auto settled = [&](int i) {
        const auto at = static_cast<std::size_t>(i);
        const std::uint8_t cell = puzzle.cells[at];
        const bool isGoal = cell & SokobanPuzzle::kGoal, isBox = cell & SokobanPuzzle::kBox;
        return isGoal == isBox && (!b.lettered || puzzle.boxLetter[at] == puzzle.goalLetter[at]);
    };
    bool solved = true, anyGoal = false;
    for (int i = 0; i < rows * columns; ++i) {
        const std::uint8_t cell = puzzle.cells[static_cast<std::size_t>(i)];
        if (!(cell & SokobanPuzzle::kWall)) b.wall[padded(i)] = 0;
        anyGoal = anyGoal || (cell & SokobanPuzzle::kGoal);
        if (!settled(i)) solved = false;
    }
    // The solved test: every destination under a box and every box on a destination; a board
    // without destinations is never solved.
    if (solved && anyGoal) return Verdict::Solved;
    if (!anyGoal) return Verdict::NoSolution;

    b.player = padded(puzzle.player);
    const std::vector<std::uint8_t> reach = Flood(b, b.player);
    std::vector<std::uint8_t> boxLetters, goalLetters; // in the order of b.boxes and b.goals
    for (int i = 0; i < rows * columns; ++i) {
        const std::uint8_t cell = puzzle.cells[static_cast<std::size_t>(i)];
        const bool isGoal = cell & SokobanPuzzle::kGoal, isBox = cell & SokobanPuzzle::kBox;
        const int p = padded(i);
        if (!reach[p]) {
            // Out of the player's reach nothing ever moves.
            if (!settled(i)) return Verdict::NoSolution;
            continue;
        }
        if (isGoal) b.goals.push_back(p);
        if (isBox) b.boxes.push_back(p);
        if (b.lettered && isGoal)
            goalLetters.push_back(puzzle.goalLetter[static_cast<std::size_t>(i)]);
        if (b.lettered && isBox)
            boxLetters.push_back(puzzle.boxLetter[static_cast<std::size_t>(i)]);
    }
    for (int p = 0; p < b.cellCount; ++p) {
        if (!reach[p]) {
            b.wall[p] = 1;
            continue;
        }
        b.floorOf[p] = static_cast<std::int16_t>(b.cellOf.size());
        b.cellOf.push_back(p);
    }
    if (b.goals.size() != b.boxes.size()) return Verdict::NoSolution;
    if (b.lettered) {
        // Each box's own goal takes its index.
        std::vector<int> goals;
        for (const std::uint8_t letter : boxLetters) {
            const auto k = std::find(goalLetters.begin(), goalLetters.end(), letter);
            if (k == goalLetters.end()) return Verdict::NoSolution;
            goals.push_back(b.goals[static_cast<std::size_t>(k - goalLetters.begin())]);
        }
        b.goals = std::move(goals);
    }
    for (const int g : b.goals) b.goal[g] = 1;

    b.distance.assign(b.goals.size() * size, kFar);
    for (std::size_t k = 0; k < b.goals.size(); ++k)
        LoneBoxDistances(b, b.goals[k], true, b.distance.data() + k * size);
    for (std::size_t k = 0; k < b.goals.size(); ++k)
        for (int p = 0; p < b.cellCount; ++p)
            if (b.distance[k * size + p] != kFar) b.live[p] = 1;
    for (const int box : b.boxes)
        if (!b.live[box]) return Verdict::NoSolution;

    b.backDistance.assign(b.boxes.size() * size, kFar);
    b.backLive.assign(size, 0);
    for (std::size_t k = 0; k < b.boxes.size(); ++k) {
        std::uint16_t* out = b.backDistance.data() + k * size;
        LoneBoxDistances(b, b.boxes[k], false, out);
        for (int p = 0; p < b.cellCount; ++p)
            if (out[p] != kFar) b.backLive[p] = 1;
    }
    return Verdict::Search;
}

DeadlockTest::DeadlockTest(const Board& board)
    : board_(board), fixed_(static_cast<std::size_t>(board.cellCount), 0) {}

bool DeadlockTest::FrozenAt(const std::vector<std::uint8_t>& boxes, int cell) {
    boxes_ = &boxes;
    calls_ = 0;
    return Frozen(cell);
}

void DistancesTo(const Board& b, int goal, const std::vector<std::uint8_t>& blocked,
                 std::uint16_t* out) {
    LoneBoxDistances(b, goal, true, out, &blocked);
}

bool DeadlockTest::FrozenAfterPush(const std::vector<std::uint8_t>& boxes, int cell) {
    boxes_ = &boxes;
    calls_ = 0;
    if (!board_.goal[cell]) return Frozen(cell);
    // A frozen box on a goal is harmless, but it may freeze a neighbour off a goal.
    for (const int d : board_.delta) {
        const int next = cell + d;
        if (boxes[next] && !board_.goal[next] && Frozen(next)) return true;
    }
    return false;
}

// A box is frozen when it cannot move along either axis, other boxes taken as they stand.
bool DeadlockTest::Frozen(int cell) {
    // Deep chains are rare; giving up says "not frozen", which only costs pruning.
    if (++calls_ > 64) return false;
    fixed_[cell] = 1;
    const bool frozen = AxisBlocked(cell, 1) && AxisBlocked(cell, board_.width);
    fixed_[cell] = 0;
    return frozen;
}

bool DeadlockTest::AxisBlocked(int cell, int step) {
    const int a = cell - step, b = cell + step;
    const auto& boxes = *boxes_;
    if (board_.wall[a] || board_.wall[b] || fixed_[a] || fixed_[b]) return true;
    // Moving along the axis would put the box on a dead square either way.
    if (!board_.live[a] && !board_.live[b]) return true;
    if (boxes[a] && Frozen(a)) return true;
    if (boxes[b] && Frozen(b)) return true;
    return false;
}

Matching::Matching(const Board& board, const std::vector<std::uint16_t>& distance)
    : board_(board), distance_(distance) {
    n_ = static_cast<int>(board.goals.size());
    const auto n1 = static_cast<std::size_t>(n_ + 1);
    cost_.assign(n1 * n1, 0);
    u_.assign(n1, 0);
    v_.assign(n1, 0);
    p_.assign(n1, 0);
    way_.assign(n1, 0);
    minv_.assign(n1, 0);
    used_.assign(n1, 0);
}

bool Matching::Feasible(const int* boxCells, int count) {
    const auto size = static_cast<std::size_t>(board_.cellCount);
    if (board_.lettered) {
        for (int k = 0; k < count; ++k)
            if (distance_[static_cast<std::size_t>(k) * size +
                          static_cast<std::size_t>(boxCells[k])] == kFar)
                return false;
        return true;
    }
    cells_ = boxCells;
    matchOf_.assign(static_cast<std::size_t>(n_), -1);
    visited_.assign(static_cast<std::size_t>(n_), 0);
    for (int i = 0; i < count; ++i) {
        std::fill(visited_.begin(), visited_.end(), 0);
        if (!Augment(i)) return false;
    }
    return true;
}

// Kuhn's augmenting path from box `box`: a free target, or one whose box can move over.
bool Matching::Augment(int box) {
    const auto size = static_cast<std::size_t>(board_.cellCount);
    const auto cell = static_cast<std::size_t>(cells_[box]);
    for (std::size_t j = 0; j < static_cast<std::size_t>(n_); ++j) {
        if (visited_[j] || distance_[j * size + cell] == kFar) continue;
        visited_[j] = 1;
        if (matchOf_[j] < 0 || Augment(matchOf_[j])) {
            matchOf_[j] = box;
            return true;
        }
    }
    return false;
}

// The Hungarian method over pull distances, boxes as rows and goals as columns.
int Matching::LowerBound(const int* boxCells, int count) {
    constexpr int kNone = 1 << 20; // above any real total, below overflow
    const int n = count;
    const auto size = static_cast<std::size_t>(board_.cellCount);
    if (board_.lettered) {
        int total = 0;
        for (int k = 0; k < n; ++k) {
            const std::uint16_t d = distance_[static_cast<std::size_t>(k) * size +
                                              static_cast<std::size_t>(boxCells[k])];
            if (d == kFar) return kFar;
            total += d;
        }
        return total;
    }
    const auto at = [&](int i, int j) -> int& {
        return cost_[static_cast<std::size_t>(i * (n_ + 1) + j)];
    };
    for (int i = 1; i <= n; ++i) {
        bool reachable = false;
        for (int j = 1; j <= n; ++j) {
            const std::uint16_t d = distance_[static_cast<std::size_t>(j - 1) * size +
                                              static_cast<std::size_t>(boxCells[i - 1])];
            at(i, j) = d == kFar ? kNone : d;
            reachable = reachable || d != kFar;
        }
        if (!reachable) return kFar;
    }
    std::fill(u_.begin(), u_.end(), 0);
    std::fill(v_.begin(), v_.end(), 0);
    std::fill(p_.begin(), p_.end(), 0);
    for (int i = 1; i <= n; ++i) {
        p_[0] = i;
        int j0 = 0;
        std::fill(minv_.begin(), minv_.end(), std::numeric_limits<int>::max());
        std::fill(used_.begin(), used_.end(), 0);
        do {
            used_[j0] = 1;
            const int i0 = p_[j0];
            int delta = std::numeric_limits<int>::max(), j1 = 0;
            for (int j = 1; j <= n; ++j) {
                if (used_[j]) continue;
                const int cur = at(i0, j) - u_[i0] - v_[j];
                if (cur < minv_[j]) {
                    minv_[j] = cur;
                    way_[j] = j0;
                }
                if (minv_[j] < delta) {
                    delta = minv_[j];
                    j1 = j;
                }
            }
            for (int j = 0; j <= n; ++j) {
                if (used_[j]) {
                    u_[p_[j]] += delta;
                    v_[j] -= delta;
                } else {
                    minv_[j] -= delta;
                }
            }
            j0 = j1;
        } while (p_[j0] != 0);
        do {
            const int j1 = way_[j0];
            p_[j0] = p_[j1];
            j0 = j1;
        } while (j0 != 0);
    }
    int total = 0;
    for (int j = 1; j <= n; ++j) {
        const int c = at(p_[j], j);
        if (c >= kNone) return kFar;
        total += c;
    }
    return total;
}

} // namespace vorpel::sokoban
