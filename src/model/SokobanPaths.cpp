// Walks and pushes found by breadth-first search over the board padded with walls, so that no
// neighbour of a floor cell lies off the grid.
#include "model/SokobanPaths.h"

#include <algorithm>
#include <array>
#include <queue>
#include <tuple>

#include "model/Movement.h"

namespace vorpel {

namespace {

constexpr std::array<GridStep, 4> kSteps = {GridStep{-1, 0}, GridStep{0, 1}, GridStep{1, 0},
                                            GridStep{0, -1}}; // up, right, down, left

// The position padded by one wall cell on every side.
struct Padded {
    int width = 0;
    std::vector<std::uint8_t> blocked; // walls and boxes
    std::vector<std::uint8_t> box;
    std::array<int, 4> delta{};
    int player = 0;

    explicit Padded(const SokobanPuzzle& p) : width(p.columns + 2) {
        const int height = p.rows + 2;
        blocked.assign(static_cast<std::size_t>(width * height), 1);
        box.assign(blocked.size(), 0);
        for (int r = 0; r < p.rows; ++r)
            for (int c = 0; c < p.columns; ++c) {
                const std::uint8_t cell = p.cells[static_cast<std::size_t>(r * p.columns + c)];
                const auto at = static_cast<std::size_t>(Cell(r, c));
                box[at] = (cell & SokobanPuzzle::kBox) ? 1 : 0;
                blocked[at] = (cell & (SokobanPuzzle::kWall | SokobanPuzzle::kBox)) ? 1 : 0;
            }
        for (std::size_t k = 0; k < 4; ++k)
            delta[k] = kSteps[k].rowDelta * width + kSteps[k].columnDelta;
        player = Cell(p.player / p.columns, p.player % p.columns);
    }
    int Cell(int row, int column) const { return (row + 1) * width + column + 1; }
    bool Inside(const SokobanPuzzle& p, int row, int column) const {
        return row >= 0 && row < p.rows && column >= 0 && column < p.columns;
    }
    std::size_t Size() const { return blocked.size(); }
};

// Breadth-first walks that share their arrays: a stamp tells this walk's cells from older ones.
class Walker {
public:
    explicit Walker(const Padded& board)
        : board_(board), stamp_(board.Size(), 0), distance_(board.Size(), 0),
          from_(board.Size(), 0) {}

    // Walks from `start` with the cell `extra` blocked too (a box in a new place; -1 for none),
    // until every target is reached or nothing is left. Returns the distances of the targets
    // (-1 for one out of reach).
    template <std::size_t N>
    std::array<int, N> Distances(int start, int extra, const std::array<int, N>& targets) {
        Begin(start);
        std::size_t left = 0;
        std::array<int, N> found;
        for (std::size_t i = 0; i < N; ++i) {
            found[i] = targets[i] == start ? 0 : -1;
            if (found[i] < 0 && targets[i] >= 0) ++left;
        }
        for (std::size_t head = 0; head < queue_.size() && left > 0; ++head) {
            const int cell = queue_[head];
            for (std::size_t k = 0; k < 4; ++k) {
                const int next = cell + board_.delta[k];
                const auto n = static_cast<std::size_t>(next);
                if (board_.blocked[n] || next == extra || stamp_[n] == epoch_) continue;
                stamp_[n] = epoch_;
                distance_[n] = distance_[static_cast<std::size_t>(cell)] + 1;
                from_[n] = static_cast<std::uint8_t>(k);
                queue_.push_back(next);
                for (std::size_t i = 0; i < N; ++i)
                    if (targets[i] == next && found[i] < 0) {
                        found[i] = distance_[n];
                        --left;
                    }
            }
        }
        return found;
    }

    // The steps of the last walk to `target`, which it reached.
    void AppendPath(int start, int target, StepPath& path) const {
        StepPath back;
        for (int cell = target; cell != start;) {
            const std::uint8_t k = from_[static_cast<std::size_t>(cell)];
            back.push_back(kSteps[k]);
            cell -= board_.delta[k];
        }
        path.insert(path.end(), back.rbegin(), back.rend());
    }

private:
    void Begin(int start) {
        if (++epoch_ == 0) {
            std::fill(stamp_.begin(), stamp_.end(), 0);
            epoch_ = 1;
        }
        queue_.clear();
        queue_.push_back(start);
        const auto s = static_cast<std::size_t>(start);
        stamp_[s] = epoch_;
        distance_[s] = 0;
    }

    const Padded& board_;
    std::vector<std::uint32_t> stamp_;
    std::vector<int> distance_;
    std::vector<std::uint8_t> from_;
    std::vector<int> queue_;
    std::uint32_t epoch_ = 0;
};

// Which cells beside a cell fall apart when that cell is blocked: a depth-first search of the
// free cells (from the pushed box's first cell) and its low points. Two free neighbours of `cell`
// are joined without it exactly when AreaBeside gives them the same number, so a push search
// knows at once which sides of the box the player can reach.
class Separations {
public:
    Separations(const Padded& board, int root)
        : board_(board), order_(board.Size(), -1), low_(board.Size(), 0), end_(board.Size(), 0),
          parent_(board.Size(), -1) {
        // Iterative, since a 64 x 64 floor makes a path thousands of cells deep.
        struct Frame {
            int cell;
            std::size_t next;
        };
        std::vector<Frame> stack{{root, 0}};
        int counter = 0;
        order_[static_cast<std::size_t>(root)] = low_[static_cast<std::size_t>(root)] = counter++;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const auto at = static_cast<std::size_t>(frame.cell);
            if (frame.next < 4) {
                const int next = frame.cell + board.delta[frame.next++];
                const auto n = static_cast<std::size_t>(next);
                if (board.blocked[n]) continue;
                if (order_[n] < 0) {
                    parent_[n] = frame.cell;
                    order_[n] = low_[n] = counter++;
                    stack.push_back({next, 0});
                } else if (next != parent_[at]) {
                    low_[at] = std::min(low_[at], order_[n]);
                }
                continue;
            }
            end_[at] = counter;
            stack.pop_back();
            if (parent_[at] >= 0) {
                const auto up = static_cast<std::size_t>(parent_[at]);
                low_[up] = std::min(low_[up], low_[at]);
            }
        }
    }

    // The area that `side`, a free neighbour of `cell`, lies in once `cell` is blocked: the
    // child of `cell` whose subtree only joins the rest through `cell`, or -1 for the rest.
    int AreaBeside(int cell, int side) const {
        const auto at = static_cast<std::size_t>(cell);
        const int order = order_[static_cast<std::size_t>(side)];
        if (order_[at] < 0 || order < 0) return -2; // apart from the search altogether
        for (std::size_t k = 0; k < 4; ++k) {
            const int child = cell + board_.delta[k];
            const auto c = static_cast<std::size_t>(child);
            if (board_.blocked[c] || parent_[c] != cell) continue;
            if (order >= order_[c] && order < end_[c]) return low_[c] >= order_[at] ? child : -1;
        }
        return -1;
    }

private:
    const Padded& board_;
    std::vector<int> order_; // the search's visiting order; -1 for cells it never reached
    std::vector<int> low_;   // the earliest order reachable from the subtree by one back step
    std::vector<int> end_;   // one past the last order in the cell's subtree
    std::vector<int> parent_;
};

} // namespace

bool SokobanPositionOf(const Context& ctx, SokobanPuzzle& position) {
    SokobanPuzzle p;
    if (!SokobanLevelOf(ctx.CurrentLevel(), p)) return false;
    const PlayBoard& board = ctx.board;
    if (board.rows != p.rows || board.columns != p.columns) return false;
    bool player = false;
    for (int r = 0; r < p.rows; ++r)
        for (int c = 0; c < p.columns; ++c) {
            std::uint8_t& cell = p.cells[static_cast<std::size_t>(r * p.columns + c)];
            if (cell == SokobanPuzzle::kWall) continue;
            cell &= static_cast<std::uint8_t>(~SokobanPuzzle::kBox);
            const int block = board.blockAt[static_cast<std::size_t>(CellIndex(r, c))];
            if (block < kFirstBlock) continue;
            const Byte kind = board.blocks[static_cast<std::size_t>(block)].kind;
            if (kind == kMasterBoxKind) cell |= SokobanPuzzle::kBox;
            if (kind == kNormalKind) {
                p.player = r * p.columns + c;
                player = true;
            }
        }
    if (!player) return false;
    position = std::move(p);
    return true;
}

std::optional<StepPath> WalkPath(const SokobanPuzzle& position, int row, int column) {
    const Padded board(position);
    if (!board.Inside(position, row, column)) return std::nullopt;
    const int target = board.Cell(row, column);
    if (board.blocked[static_cast<std::size_t>(target)]) return std::nullopt;
    Walker walker(board);
    if (walker.Distances<1>(board.player, -1, {target})[0] < 0) return std::nullopt;
    StepPath path;
    walker.AppendPath(board.player, target, path);
    return path;
}

std::optional<StepPath> PushPath(const SokobanPuzzle& position, int boxRow, int boxColumn, int row,
                                 int column) {
    Padded board(position);
    if (!board.Inside(position, boxRow, boxColumn) || !board.Inside(position, row, column))
        return std::nullopt;
    const int start = board.Cell(boxRow, boxColumn), goal = board.Cell(row, column);
    if (!board.box[static_cast<std::size_t>(start)]) return std::nullopt;
    if (start == goal) return StepPath{};
    // The chosen box moves; the search keeps it apart from the walls and the other boxes.
    board.blocked[static_cast<std::size_t>(start)] = 0;
    if (board.blocked[static_cast<std::size_t>(goal)]) return std::nullopt;

    // The fewest pushes from each cell to the goal were the player free to stand anywhere: a
    // walk back from the goal, each push needing a free cell behind the box. It never
    // overstates, so the search below heads for the goal first and still finds the best path,
    // and a box that could not get there even so is given up at once.
    const std::size_t cells = board.Size();
    std::vector<int> toGoal(cells, -1);
    {
        std::vector<int> queue{goal};
        toGoal[static_cast<std::size_t>(goal)] = 0;
        for (std::size_t head = 0; head < queue.size(); ++head) {
            const int cell = queue[head];
            for (std::size_t k = 0; k < 4; ++k) {
                const int from = cell - board.delta[k], behind = from - board.delta[k];
                const auto f = static_cast<std::size_t>(from);
                if (board.blocked[f] || board.blocked[static_cast<std::size_t>(behind)] ||
                    toGoal[f] >= 0)
                    continue;
                toGoal[f] = toGoal[static_cast<std::size_t>(cell)] + 1;
                queue.push_back(from);
            }
        }
    }
    if (toGoal[static_cast<std::size_t>(start)] < 0) return std::nullopt;

    // States: the box's cell and the side the player stands on (player = box - delta[side]),
    // taken in the order of pushes, then moves, each with the pushes still to come added (every
    // push is a move too).
    const auto state = [](int cell, std::size_t side) {
        return static_cast<std::size_t>(cell) * 4 + side;
    };
    struct Best {
        int pushes = -1, moves = 0;
        std::uint32_t parent = 0xFFFFFFFF;
        std::uint8_t done = 0;
    };
    std::vector<Best> best(cells * 4);
    const Separations separations(board, start);
    // Pushes and moves with those to come; among equals the state nearer the goal first, which
    // changes no cost and spares the search the breadth of an open floor.
    using Entry = std::tuple<int, int, int, std::uint32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    Walker walker(board);
    const auto sides = [&](int box) {
        std::array<int, 4> cellsAround;
        for (std::size_t k = 0; k < 4; ++k) {
            const int side = box - board.delta[k];
            cellsAround[k] = board.blocked[static_cast<std::size_t>(side)] ? -1 : side;
        }
        return cellsAround;
    };
    const auto offer = [&](std::size_t s, int pushes, int moves, std::uint32_t parent) {
        Best& b = best[s];
        if (b.done || (b.pushes >= 0 && std::tie(b.pushes, b.moves) <= std::tie(pushes, moves)))
            return;
        const int left = toGoal[s / 4];
        if (left < 0) return;
        b = {pushes, moves, parent, 0};
        open.emplace(pushes + left, moves + left, left, static_cast<std::uint32_t>(s));
    };

    // The first walk, to any side of the box where it stands.
    const std::array<int, 4> first = walker.Distances<4>(board.player, start, sides(start));
    for (std::size_t k = 0; k < 4; ++k)
        if (first[k] >= 0) offer(state(start, k), 0, first[k], 0xFFFFFFFF);

    std::uint32_t reached = 0xFFFFFFFF;
    while (!open.empty()) {
        const auto [pushesAhead, movesAhead, pushesLeft, s] = open.top();
        open.pop();
        Best& b = best[s];
        const int left = pushesLeft;
        if (b.done || b.pushes != pushesAhead - left || b.moves != movesAhead - left) continue;
        const int pushes = b.pushes, moves = b.moves;
        b.done = 1;
        const int box = static_cast<int>(s / 4);
        if (box == goal) {
            reached = s;
            break;
        }
        const std::size_t side = s % 4;
        const int player = box - board.delta[side];
        std::array<int, 4> targets = sides(box);
        // Only the sides the player can get to with the box here are walked to, so the walk
        // stops at the last of them instead of flooding his whole area.
        const int area = separations.AreaBeside(box, player);
        for (std::size_t k = 0; k < 4; ++k)
            if (k == side || (targets[k] >= 0 && separations.AreaBeside(box, targets[k]) != area))
                targets[k] = -1;
        std::array<int, 4> walk = walker.Distances<4>(player, box, targets);
        walk[side] = 0; // where the player stands
        for (std::size_t k = 0; k < 4; ++k) {
            const int next = box + board.delta[k];
            if (walk[k] < 0 || board.blocked[static_cast<std::size_t>(next)]) continue;
            offer(state(next, k), pushes + 1, moves + walk[k] + 1, s);
        }
    }
    if (reached == 0xFFFFFFFF) return std::nullopt;

    // Back from the goal to the first state, then forward with the walks between the pushes.
    std::vector<std::uint32_t> chain;
    for (std::uint32_t s = reached; s != 0xFFFFFFFF; s = best[s].parent) chain.push_back(s);
    std::reverse(chain.begin(), chain.end());
    StepPath path;
    int player = board.player, box = start;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const std::size_t side = chain[i] % 4;
        const int newBox = static_cast<int>(chain[i] / 4);
        if (i > 0) {
            // The push that brought the box here came from the side it now has.
            const int before = newBox - board.delta[side];
            const int stand = before - board.delta[side];
            walker.Distances<1>(player, before, {stand});
            walker.AppendPath(player, stand, path);
            path.push_back(kSteps[side]);
            player = before;
            box = newBox;
        } else {
            const int stand = box - board.delta[side];
            walker.Distances<1>(player, box, {stand});
            walker.AppendPath(player, stand, path);
            player = stand;
        }
    }
    return path;
}

int CarryOutPath(Context& ctx, const StepPath& path) {
    SokobanPuzzle position;
    if (!SokobanPositionOf(ctx, position)) return 0;
    int row = position.player / position.columns, column = position.player % position.columns;
    int made = 0;
    for (const GridStep& step : path) {
        if (!SelectBlock(ctx, column, row) && ctx.board.selectedBlock == 0) break;
        if (!DragSelectedBlock(ctx, column + step.columnDelta, row + step.rowDelta, false)) break;
        row += step.rowDelta;
        column += step.columnDelta;
        ++made;
    }
    return made;
}

std::string PathLetters(const StepPath& path) {
    std::string letters;
    for (const GridStep& s : path)
        letters += s.columnDelta > 0 ? '>' : s.columnDelta < 0 ? '<' : s.rowDelta < 0 ? '^' : 'v';
    return letters;
}

} // namespace vorpel
