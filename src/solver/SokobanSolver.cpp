// The Sokoban search: best-first over box pushes, the player's area normalised to its top-left
// cell, with dead squares, frozen boxes and a matching bound pruning, and every position kept
// once in a table that compares whole positions.
#include "solver/SokobanSolver.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <set>

#include "model/Kinds.h"
#include "solver/SokobanBoard.h"
#include "solver/SokobanSearch.h"

namespace vorpel {

bool SokobanPuzzleOf(const Level& level, SokobanPuzzle& puzzle) {
    const int rows = level.rows, columns = level.columns;
    if (rows < 1 || columns < 1) return false;
    SokobanPuzzle p;
    p.rows = rows;
    p.columns = columns;
    p.cells.assign(static_cast<std::size_t>(rows * columns), SokobanPuzzle::kFloor);
    std::set<std::int16_t> boxIds;
    int players = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            std::uint8_t& cell = p.cells[static_cast<std::size_t>(r * columns + c)];
            const Byte mark = level.MarkAt(r, c), block = level.BlockAt(r, c);
            const std::int16_t id = level.IdAt(r, c);
            if (mark == kDestinationMark)
                cell |= SokobanPuzzle::kGoal;
            else if (mark != kPlainMark)
                return false;
            if (block == kWallKind) {
                // A wall on a destination is no plain Sokoban cell.
                if (mark != kPlainMark) return false;
                cell = SokobanPuzzle::kWall;
            } else if (block == kMasterBoxKind) {
                // Lettered boxes have negative identifiers; a box of several cells shares one.
                if (id <= 0 || !boxIds.insert(id).second) return false;
                cell |= SokobanPuzzle::kBox;
            } else if (block == kNormalKind) {
                if (id <= 0 || ++players > 1) return false;
                p.player = r * columns + c;
            } else if (block != kEmptyKind) {
                return false;
            }
        }
    if (players != 1) return false;
    puzzle = std::move(p);
    return true;
}

namespace {

using namespace sokoban;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kNoParent = 0xFFFFFFFF;
enum : std::uint8_t { kOpen = 0, kClosed = 1, kDead = 2 };

struct Node {
    std::uint32_t parent = kNoParent;
    std::uint32_t hash = 0; // low half of the position's hash, for growing the table
    std::uint16_t cost = 0; // pushes from the start
    std::uint16_t bound = 0;
    std::uint16_t pushCell = 0; // the pushed box's cell before the push
    std::uint8_t pushDirection = 0;
    std::uint8_t state = kOpen;
};

std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

class Search {
public:
    Search(const Board& board, const SolveLimits& limits, std::stop_token stop,
           const SolveProgressFn& progress)
        : b_(board), limits_(limits), stop_(std::move(stop)), progress_(progress), deadlock_(board),
          matching_(board) {
        boxCount_ = static_cast<int>(board.boxes.size());
        wide_ = board.cellOf.size() > 255;
        keyBytes_ = (boxCount_ + 1) * (wide_ ? 2 : 1);
        const auto size = static_cast<std::size_t>(board.cellCount);
        boxAt_.assign(size, 0);
        reach_.assign(size, 0);
        childReach_.assign(size, 0);
        queue_.assign(size, 0);
        const auto count = static_cast<std::size_t>(boxCount_);
        boxes_.resize(count);
        floors_.resize(count + 1);
        cells_.resize(count);
        key_.resize(static_cast<std::size_t>(keyBytes_));
        corral_.assign(size, 0);
        boxIndex_.assign(size, -1);
        allowed_.assign(count, 0);
        trial_.assign(count, 0);
        corralCells_.reserve(size);
        std::uint64_t seed = 0x5EED5EEDull;
        boxKey_.resize(size);
        playerKey_.resize(size);
        for (std::size_t i = 0; i < size; ++i) {
            boxKey_[i] = SplitMix(seed);
            playerKey_[i] = SplitMix(seed);
        }
        weight_ = limits.metric == SolveMetric::Pushes ? 1 : (std::getenv("SOKW") ? std::atoi(std::getenv("SOKW")) : 3);
        optimal_ = limits.metric == SolveMetric::Pushes;
        // Corral pruning keeps some solution, not necessarily one with the fewest pushes.
        useCorrals_ = !optimal_;
    }

    SolveResult Run();
    std::uint64_t generated() const { return generated_; }
    std::uint64_t expanded() const { return expanded_; }

private:
    // Position keys: sorted floor numbers of the boxes, then the player's normalised one.
    void WriteKey(std::uint8_t* key, const int* floors, int player) const;
    void ReadKey(std::uint32_t node, int* boxCells, int& player) const;
    int Normalised(int start, std::vector<std::uint32_t>& stamp, std::uint32_t& epoch);
    // Finds or adds a position; returns its node, or kNoParent when the memory cap is reached.
    std::uint32_t Find(std::uint64_t hash, const std::uint8_t* key, bool& added);
    bool Grow();
    std::size_t Bytes() const;
    void Push(std::uint32_t node);
    bool Pop(std::uint32_t& node);
    int Priority(const Node& n) const { return n.cost + weight_ * n.bound; }
    bool Expand(std::uint32_t node, std::uint32_t& goal);
    bool CorralPushes(const int* boxes, std::uint32_t here);
    SolveResult Finish(SolveResult result, std::uint32_t goal);
    bool OverLimit(SolveResult& result);

    const Board& b_;
    SolveLimits limits_;
    std::stop_token stop_;
    const SolveProgressFn& progress_;
    DeadlockTest deadlock_;
    Matching matching_;
    int boxCount_ = 0;
    bool wide_ = false;
    int keyBytes_ = 0;
    int weight_ = 1;
    bool optimal_ = false;

    std::vector<std::uint8_t> boxAt_;
    std::vector<std::uint32_t> reach_, childReach_;
    std::vector<int> queue_, boxes_, floors_, cells_; // scratch
    std::vector<std::uint8_t> key_;
    // Corrals: the component of each unreachable cell, and the pushes allowed for each box.
    std::vector<std::uint32_t> corral_;
    std::uint32_t corralEpoch_ = 0;
    std::vector<std::int16_t> boxIndex_;
    std::vector<std::uint8_t> allowed_, trial_;
    std::vector<int> corralCells_;
    bool useCorrals_ = true;
    std::uint32_t reachEpoch_ = 0, childEpoch_ = 0;
    std::vector<std::uint64_t> boxKey_, playerKey_;

    std::vector<Node> nodes_;
    std::vector<std::uint8_t> keys_;
    std::vector<std::uint64_t> table_; // high half of the hash, node + 1; 0 is empty
    std::vector<std::vector<std::uint32_t>> buckets_;
    std::size_t bucketBytes_ = 0;
    std::size_t openCount_ = 0;
    std::size_t lowest_ = 0;
    bool full_ = false;

    std::uint64_t generated_ = 0;
    std::uint64_t expanded_ = 0;
    std::int32_t depth_ = 0;
    Clock::time_point start_ = Clock::now();
};

void Search::WriteKey(std::uint8_t* key, const int* floors, int player) const {
    if (wide_) {
        for (int i = 0; i < boxCount_; ++i) {
            key[2 * i] = static_cast<std::uint8_t>(floors[i]);
            key[2 * i + 1] = static_cast<std::uint8_t>(floors[i] >> 8);
        }
        key[2 * boxCount_] = static_cast<std::uint8_t>(player);
        key[2 * boxCount_ + 1] = static_cast<std::uint8_t>(player >> 8);
    } else {
        for (int i = 0; i < boxCount_; ++i) key[i] = static_cast<std::uint8_t>(floors[i]);
        key[boxCount_] = static_cast<std::uint8_t>(player);
    }
}

void Search::ReadKey(std::uint32_t node, int* boxCells, int& player) const {
    const std::uint8_t* key = keys_.data() + static_cast<std::size_t>(node) * keyBytes_;
    const auto floorAt = [&](int i) {
        return wide_ ? key[2 * i] | key[2 * i + 1] << 8 : static_cast<int>(key[i]);
    };
    for (int i = 0; i < boxCount_; ++i) boxCells[i] = b_.cellOf[floorAt(i)];
    player = b_.cellOf[floorAt(boxCount_)];
}

// Floods the player's area from `start` and returns its first floor number (its top-left
// cell); the flood stays marked in `stamp` with the new epoch.
int Search::Normalised(int start, std::vector<std::uint32_t>& stamp, std::uint32_t& epoch) {
    ++epoch;
    int* queue = queue_.data();
    int head = 0, tail = 0, best = start;
    queue[tail++] = start;
    stamp[start] = epoch;
    while (head < tail) {
        const int cell = queue[head++];
        best = std::min(best, cell);
        for (const int d : b_.delta) {
            const int next = cell + d;
            if (b_.wall[next] || boxAt_[next] || stamp[next] == epoch) continue;
            stamp[next] = epoch;
            queue[tail++] = next;
        }
    }
    return b_.floorOf[best];
}

std::size_t Search::Bytes() const {
    return nodes_.capacity() * sizeof(Node) + keys_.capacity() + table_.capacity() * 8 +
           bucketBytes_ + buckets_.capacity() * sizeof(buckets_[0]);
}

// Doubles the node store or the table when due; false when that would pass the memory cap.
bool Search::Grow() {
    std::size_t extra = 0;
    const bool nodesFull = nodes_.size() == nodes_.capacity();
    const bool tableFull = (nodes_.size() + 1) * 2 > table_.size();
    if (nodesFull) {
        const std::size_t n = std::max<std::size_t>(1024, nodes_.capacity() * 2);
        // Growing holds the old and the new store at once.
        extra += n * (sizeof(Node) + static_cast<std::size_t>(keyBytes_));
    }
    if (tableFull) extra += std::max<std::size_t>(2048, table_.size() * 2) * 8;
    if (extra == 0) return true;
    if (Bytes() + extra > limits_.memoryBytes) return false;
    if (nodesFull) {
        const std::size_t n = std::max<std::size_t>(1024, nodes_.capacity() * 2);
        nodes_.reserve(n);
        keys_.reserve(n * static_cast<std::size_t>(keyBytes_));
    }
    if (tableFull) {
        std::vector<std::uint64_t> table(std::max<std::size_t>(2048, table_.size() * 2), 0);
        const std::size_t mask = table.size() - 1;
        for (const std::uint64_t entry : table_) {
            if (!entry) continue;
            const auto node = static_cast<std::uint32_t>(entry) - 1;
            std::size_t slot = nodes_[node].hash & mask;
            while (table[slot]) slot = (slot + 1) & mask;
            table[slot] = entry;
        }
        table_.swap(table);
    }
    return true;
}

std::uint32_t Search::Find(std::uint64_t hash, const std::uint8_t* key, bool& added) {
    added = false;
    if (!Grow()) {
        full_ = true;
        return kNoParent;
    }
    const std::size_t mask = table_.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    const auto bytes = static_cast<std::size_t>(keyBytes_);
    for (std::size_t slot = static_cast<std::uint32_t>(hash) & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = table_[slot];
        if (!entry) {
            const auto node = static_cast<std::uint32_t>(nodes_.size());
            Node n;
            n.hash = static_cast<std::uint32_t>(hash);
            nodes_.push_back(n);
            keys_.insert(keys_.end(), key, key + bytes);
            table_[slot] = std::uint64_t{tag} << 32 | (node + 1);
            added = true;
            return node;
        }
        if (static_cast<std::uint32_t>(entry >> 32) != tag) continue;
        const auto node = static_cast<std::uint32_t>(entry) - 1;
        if (std::memcmp(keys_.data() + node * bytes, key, bytes) == 0) return node;
    }
}

void Search::Push(std::uint32_t node) {
    const auto priority = static_cast<std::size_t>(Priority(nodes_[node]));
    if (priority >= buckets_.size()) buckets_.resize(priority + 1);
    auto& bucket = buckets_[priority];
    const std::size_t before = bucket.capacity();
    bucket.push_back(node);
    bucketBytes_ += (bucket.capacity() - before) * sizeof(std::uint32_t);
    ++openCount_;
    lowest_ = std::min(lowest_, priority);
}

bool Search::Pop(std::uint32_t& node) {
    while (openCount_ > 0) {
        while (buckets_[lowest_].empty()) ++lowest_;
        // Last in, first out within a priority: the deepest positions first.
        node = buckets_[lowest_].back();
        buckets_[lowest_].pop_back();
        --openCount_;
        const Node& n = nodes_[node];
        // Entries left behind by a cheaper path to the same position are skipped.
        if (n.state == kOpen && static_cast<std::size_t>(Priority(n)) == lowest_) return true;
    }
    return false;
}

bool Search::OverLimit(SolveResult& result) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    if (stop_.stop_requested())
        result.limit = "stopped";
    else if (limits_.seconds > 0 && seconds > limits_.seconds)
        result.limit = "time";
    else
        return false;
    return true;
}

// Looks for a corral the player must open before anything else matters: an area the player
// cannot reach whose boxes can only be pushed into it, by pushes the player can all make now,
// and which still holds work (a box off a goal or an empty goal). Only the pushes into the
// corral with the fewest of them are then needed; true and `allowed_` set when one is found.
bool Search::CorralPushes(const int* boxes, std::uint32_t here) {
    for (int i = 0; i < boxCount_; ++i) boxIndex_[boxes[i]] = static_cast<std::int16_t>(i);
    int best = -1;
    const std::uint32_t first = corralEpoch_ + 1;
    for (int i = 0; i < boxCount_; ++i) {
        if (corral_[boxes[i]] >= first) continue;
        // Flood the unreachable cells, boxes included, from this box.
        const std::uint32_t id = ++corralEpoch_;
        corralCells_.clear();
        corralCells_.push_back(boxes[i]);
        corral_[boxes[i]] = id;
        bool empty = false, work = false, fails = false;
        for (std::size_t k = 0; k < corralCells_.size(); ++k) {
            const int cell = corralCells_[k];
            if (boxAt_[cell] ? !b_.goal[cell] : b_.goal[cell]) work = true;
            if (!boxAt_[cell]) empty = true;
            for (const int d : b_.delta) {
                const int next = cell + d;
                if (b_.wall[next] || reach_[next] == here || corral_[next] == id) continue;
                corral_[next] = id;
                corralCells_.push_back(next);
            }
        }
        if (!empty || !work) continue;
        int pushes = 0;
        for (const int cell : corralCells_) {
            if (!boxAt_[cell]) continue;
            const auto index = static_cast<std::size_t>(boxIndex_[cell]);
            trial_[index] = 0;
            for (int d = 0; d < 4 && !fails; ++d) {
                const int step = b_.delta[static_cast<std::size_t>(d)];
                const int from = cell - step, to = cell + step;
                if (b_.wall[from] || b_.wall[to] || boxAt_[to] || boxAt_[from]) continue;
                if (reach_[from] != here) continue; // a push from inside the corral
                if (reach_[to] == here) {
                    fails = true; // a push that leaves the corral shut
                } else if (b_.live[to]) {
                    trial_[index] |= static_cast<std::uint8_t>(1 << d);
                    ++pushes;
                }
            }
        }
        if (fails || pushes == 0 || (best >= 0 && pushes >= best)) continue;
        best = pushes;
        std::fill(allowed_.begin(), allowed_.end(), 0);
        for (const int cell : corralCells_)
            if (boxAt_[cell]) {
                const auto index = static_cast<std::size_t>(boxIndex_[cell]);
                allowed_[index] = trial_[index];
            }
    }
    return best >= 0;
}

// Expands one position; sets `goal` and returns true when a push solves the level.
bool Search::Expand(std::uint32_t node, std::uint32_t& goal) {
    int* boxes = boxes_.data();
    int player = 0;
    ReadKey(node, boxes, player);
    std::uint64_t boxHash = 0;
    for (int i = 0; i < boxCount_; ++i) {
        boxAt_[boxes[i]] = 1;
        boxHash ^= boxKey_[boxes[i]];
    }
    Normalised(player, reach_, reachEpoch_);
    const std::uint32_t here = reachEpoch_;
    const std::uint16_t cost = nodes_[node].cost;
    const bool restricted = useCorrals_ && CorralPushes(boxes, here);
    bool solved = false;
    int* floors = floors_.data();
    std::uint8_t* key = key_.data();

    for (int i = 0; i < boxCount_ && !solved && !full_; ++i) {
        const int box = boxes[i];
        for (int d = 0; d < 4; ++d) {
            const int step = b_.delta[static_cast<std::size_t>(d)];
            const int to = box + step;
            if (reach_[box - step] != here || b_.wall[to] || boxAt_[to] || !b_.live[to]) continue;
            if (restricted && !(allowed_[static_cast<std::size_t>(i)] >> d & 1)) continue;
            ++generated_;
            boxAt_[box] = 0;
            boxAt_[to] = 1;
            if (!deadlock_.FrozenAfterPush(boxAt_, to)) {
                // The boxes in floor order with the pushed one moved to its new place.
                int n = 0;
                const int toFloor = b_.floorOf[to];
                bool placed = false;
                for (int k = 0; k < boxCount_; ++k) {
                    if (k == i) continue;
                    const int f = b_.floorOf[boxes[k]];
                    if (!placed && toFloor < f) {
                        floors[n++] = toFloor;
                        placed = true;
                    }
                    floors[n++] = f;
                }
                if (!placed) floors[n++] = toFloor;
                const int normal = Normalised(box, childReach_, childEpoch_);
                WriteKey(key, floors, normal);
                const std::uint64_t hash = boxHash ^ boxKey_[box] ^ boxKey_[to] ^
                                           playerKey_[static_cast<std::size_t>(normal)];
                bool added = false;
                const std::uint32_t child = Find(hash, key, added);
                if (child != kNoParent) {
                    Node& c = nodes_[child];
                    const auto childCost = static_cast<std::uint16_t>(cost + 1);
                    if (added) {
                        int* cells = cells_.data();
                        for (int k = 0; k < boxCount_; ++k) cells[k] = b_.cellOf[floors[k]];
                        const int bound = matching_.LowerBound(cells, boxCount_);
                        c.parent = node;
                        c.cost = childCost;
                        c.pushCell = static_cast<std::uint16_t>(box);
                        c.pushDirection = static_cast<std::uint8_t>(d);
                        if (bound == kFar) {
                            c.state = kDead;
                        } else {
                            c.bound = static_cast<std::uint16_t>(bound);
                            if (bound == 0 && !optimal_) {
                                goal = child;
                                solved = true;
                            } else {
                                Push(child);
                            }
                        }
                    } else if (c.state != kDead && childCost < c.cost) {
                        // A cheaper way to a known position: it is searched again from here.
                        c.parent = node;
                        c.cost = childCost;
                        c.pushCell = static_cast<std::uint16_t>(box);
                        c.pushDirection = static_cast<std::uint8_t>(d);
                        c.state = kOpen;
                        Push(child);
                    }
                }
            }
            boxAt_[to] = 0;
            boxAt_[box] = 1;
            if (solved || full_) break;
        }
    }
    for (int i = 0; i < boxCount_; ++i) boxAt_[boxes[i]] = 0;
    return solved;
}

SolveResult Search::Run() {
    SolveResult result;
    result.outcome = SolveOutcome::GaveUp;
    int* floors = floors_.data();
    for (int i = 0; i < boxCount_; ++i)
        floors[i] = b_.floorOf[b_.boxes[static_cast<std::size_t>(i)]];
    std::uint64_t hash = 0;
    for (const int box : b_.boxes) {
        boxAt_[box] = 1;
        hash ^= boxKey_[box];
    }
    const int normal = Normalised(b_.player, reach_, reachEpoch_);
    for (const int box : b_.boxes) boxAt_[box] = 0;
    std::uint8_t* key = key_.data();
    WriteKey(key, floors, normal);
    bool added = false;
    const std::uint32_t root =
        Find(hash ^ playerKey_[static_cast<std::size_t>(normal)], key, added);
    if (root == kNoParent) {
        result.limit = "memory";
        return Finish(result, kNoParent);
    }
    const int bound = matching_.LowerBound(b_.boxes.data(), boxCount_);
    if (bound == kFar) {
        result.outcome = SolveOutcome::NoSolution;
        return Finish(result, kNoParent);
    }
    nodes_[root].bound = static_cast<std::uint16_t>(bound);
    Push(root);

    std::uint32_t node = 0, goal = kNoParent;
    while (Pop(node)) {
        Node& n = nodes_[node];
        n.state = kClosed;
        depth_ = std::max<std::int32_t>(depth_, n.cost);
        if (optimal_ && n.bound == 0) {
            goal = node;
            break;
        }
        if (Expand(node, goal)) break;
        if (full_) {
            result.limit = "memory";
            return Finish(result, kNoParent);
        }
        if ((++expanded_ & 1023) == 0) {
            if (OverLimit(result)) return Finish(result, kNoParent);
            if (progress_ && (expanded_ & 4095) == 0) {
                SolveProgress p;
                p.positions = nodes_.size();
                p.depth = depth_;
                p.seconds = std::chrono::duration<double>(Clock::now() - start_).count();
                p.positionsPerSecond =
                    p.seconds > 0 ? static_cast<double>(p.positions) / p.seconds : 0;
                progress_(p);
            }
        }
    }
    if (goal == kNoParent) {
        // Only sound pruning was used, so an exhausted search proves there is no solution.
        result.outcome = SolveOutcome::NoSolution;
        return Finish(result, kNoParent);
    }
    result.outcome = SolveOutcome::Solved;
    return Finish(result, goal);
}

// Fills in the counts and, for a solution, rebuilds the player's walk between the pushes.
SolveResult Search::Finish(SolveResult result, std::uint32_t goal) {
    result.positions = nodes_.size();
    result.depth = depth_;
    result.seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    if (goal == kNoParent) return result;
    std::vector<std::uint32_t> path;
    for (std::uint32_t n = goal; nodes_[n].parent != kNoParent; n = nodes_[n].parent)
        path.push_back(n);
    std::reverse(path.begin(), path.end());

    for (const int box : b_.boxes) boxAt_[box] = 1;
    int player = b_.player;
    std::vector<int> from(static_cast<std::size_t>(b_.cellCount), -1);
    const auto stepOf = [&](int cell, int d) {
        const int step = b_.delta[static_cast<std::size_t>(d)];
        SolveStep s;
        s.row = static_cast<std::int8_t>(b_.Row(cell));
        s.column = static_cast<std::int8_t>(b_.Column(cell));
        s.rowDelta = static_cast<std::int8_t>(step == b_.width ? 1 : step == -b_.width ? -1 : 0);
        s.columnDelta = static_cast<std::int8_t>(step == 1 ? 1 : step == -1 ? -1 : 0);
        return s;
    };
    for (const std::uint32_t n : path) {
        const int box = nodes_[n].pushCell, d = nodes_[n].pushDirection;
        const int target = box - b_.delta[static_cast<std::size_t>(d)];
        // Shortest walk from the player to the pushing side, by a flood that remembers the way.
        std::fill(from.begin(), from.end(), -1);
        std::vector<int> queue{player};
        from[player] = 4;
        for (std::size_t i = 0; i < queue.size() && from[target] < 0; ++i)
            for (int k = 0; k < 4; ++k) {
                const int next = queue[i] + b_.delta[static_cast<std::size_t>(k)];
                if (b_.wall[next] || boxAt_[next] || from[next] >= 0) continue;
                from[next] = k;
                queue.push_back(next);
            }
        std::vector<SolveStep> walk;
        for (int cell = target; cell != player;) {
            const int k = from[cell];
            const int previous = cell - b_.delta[static_cast<std::size_t>(k)];
            walk.push_back(stepOf(previous, k));
            cell = previous;
        }
        result.steps.insert(result.steps.end(), walk.rbegin(), walk.rend());
        result.steps.push_back(stepOf(target, d));
        boxAt_[box] = 0;
        boxAt_[box + b_.delta[static_cast<std::size_t>(d)]] = 1;
        player = box;
    }
    std::fill(boxAt_.begin(), boxAt_.end(), 0);
    result.pushes = static_cast<std::int32_t>(path.size());
    // Every step is the player's, so the whole solution is one move.
    result.moves = result.steps.empty() ? 0 : 1;
    return result;
}

} // namespace

SolveResult SolveSokobanCounted(const SokobanPuzzle& puzzle, const SolveLimits& limits,
                                SokobanCounters& counters, std::stop_token stop,
                                const SolveProgressFn& progress) {
    Board board;
    const auto start = Clock::now();
    const Verdict verdict = Prepare(puzzle, board);
    if (verdict != Verdict::Search) {
        SolveResult result;
        result.outcome =
            verdict == Verdict::Solved ? SolveOutcome::Solved : SolveOutcome::NoSolution;
        result.pushes = 0;
        result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return result;
    }
    Search search(board, limits, std::move(stop), progress);
    SolveResult result = search.Run();
    counters.pushesGenerated += search.generated();
    counters.positionsExpanded += search.expanded();
    return result;
}

SolveResult SolveSokoban(const SokobanPuzzle& puzzle, const SolveLimits& limits,
                         std::stop_token stop, const SolveProgressFn& progress) {
    SokobanCounters counters;
    return SolveSokobanCounted(puzzle, limits, counters, std::move(stop), progress);
}

} // namespace vorpel
