// The Sokoban search over box pushes, the player's area normalised to its top-left cell: by
// default breadth-first forward from the start and greedy backward (pulls) from the solved
// boxes until the two meet; with the push metric A* forward. Dead squares, frozen boxes,
// corrals and a matching bound prune; every position is kept once in a table that compares
// whole positions.
#include "solver/SokobanSolver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <memory>

#include "model/Kinds.h"
#include "solver/SokobanBoard.h"
#include "solver/SokobanSearch.h"

namespace vorpel {

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
    std::uint16_t pushCell = 0;     // the pushed box's cell before the push
    std::uint8_t pushDirection = 0; // low two bits; above them the pushes of a tunnel run
    std::uint8_t state = kOpen;
};

std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// What both directions of the search share: the board, the hash keys and the memory cap.
struct Shared {
    explicit Shared(const Board& board) : b(board) {
        std::uint64_t seed = 0x5EED5EEDull;
        const auto size = static_cast<std::size_t>(board.cellCount);
        boxKey.resize(size);
        playerKey.resize(size);
        for (std::size_t i = 0; i < size; ++i) {
            boxKey[i] = SplitMix(seed);
            playerKey[i] = SplitMix(seed);
        }
    }
    const Board& b;
    std::vector<std::uint64_t> boxKey, playerKey;
    std::size_t memoryBytes = 0;
    std::uint64_t generated = 0;
    std::uint64_t expanded = 0;
    std::int32_t depth = 0;
};

enum class Status { Running, Solved, Exhausted, Full };

// A weight that orders positions by their bound alone, pushes made breaking ties.
constexpr int kGreedy = 256;
// The forward search's second try: pushes made plus this many times the bound.
constexpr int kBoundWeight = 3;

// One direction of the search: forward by pushes from the start, or backward by pulls from
// the solved boxes (with the player in any of its areas) to the start.
// Stamps tell the cells marked in the current pass from older ones; when the counter wraps,
// every stamp is cleared so that no old mark passes for a new one.
void NextEpoch(std::vector<std::uint32_t>& stamp, std::uint32_t& epoch) {
    if (++epoch != 0) return;
    std::fill(stamp.begin(), stamp.end(), 0);
    epoch = 1;
}

class Search {
public:
    // Positions are taken in order of pushes made plus `weight` times the bound; weight 1 with
    // `fewest` is A* for the fewest pushes.
    Search(Shared& shared, bool backward, int weight, bool corrals, bool fewest = false)
        : s_(shared), b_(shared.b), backward_(backward), fewest_(fewest), deadlock_(shared.b),
          matching_(shared.b, backward ? shared.b.backDistance : shared.b.distance),
          sealMatching_(shared.b, sealDistance_),
          live_(backward ? shared.b.backLive : shared.b.live), weight_(weight),
          useCorrals_(corrals && !backward) {
        boxCount_ = static_cast<int>(b_.boxes.size());
        wide_ = b_.cellOf.size() > 255;
        keyBytes_ = (boxCount_ + 1) * (wide_ ? 2 : 1);
        const auto size = static_cast<std::size_t>(b_.cellCount);
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
        order_.assign(size, 0);
        low_.assign(size, 0);
        stackCell_.assign(size, 0);
        stackDirection_.assign(size, 0);
        cut_.assign(size, 0);
        seen_.assign(size, 0);
    }

    void SetOther(Search* other) { other_ = other; }
    // Adds the first positions; false when the memory cap is reached.
    bool Start();
    // Expands the next position.
    Status Step();
    // With Solved: the solving position, and the position of the other direction it met
    // (kNoParent when this direction reached its own end).
    std::uint32_t solvedAt() const { return solvedAt_; }
    std::uint32_t met() const { return met_; }
    // The forward pushes from the start to `node` (forward), or from `node` to solved
    // (backward), as pairs of the pushed box's cell and the direction.
    void Pushes(std::uint32_t node, std::vector<std::pair<int, int>>& out) const;
    std::size_t Bytes() const;
    std::size_t positions() const { return nodes_.size(); }
    // The node of a position when it is stored, else kNoParent.
    std::uint32_t Lookup(std::uint64_t hash, const std::uint8_t* key) const;
    int startNormal = 0; // the start's normalised player floor number (backward's end)

private:
    // Position keys: sorted floor numbers of the boxes, then the player's normalised one.
    void WriteKey(std::uint8_t* key, const int* floors, int player) const;
    void ReadKey(std::uint32_t node, int* boxCells, int& player) const;
    int Normalised(int start, std::vector<std::uint32_t>& stamp, std::uint32_t& epoch);
    // Finds or adds a position; returns its node, or kNoParent when the memory cap is reached.
    std::uint32_t Find(std::uint64_t hash, const std::uint8_t* key, bool& added);
    bool Grow();
    void Push(std::uint32_t node);
    bool Pop(std::uint32_t& node);
    int Priority(const Node& n) const { return n.cost + weight_ * n.bound; }
    bool Expand(std::uint32_t node);
    // Adds or improves the position after one push or pull; true when it ends the search.
    bool Reached(std::uint32_t parent, std::uint64_t hash, int pushCell, int direction, int normal,
                 int run = 1);
    // Whether a box at `cell`, pushed along `step`, stands in a one-wide tunnel off the goals
    // with the player in the tunnel behind it: then pushing on is all that can help it.
    bool InTunnel(int cell, int step) const;
    // A box at `cell` pushed along `step` into a one-wide dead end can only go deeper, and no
    // box can pass it: it must end on the deepest free goal ahead of it. Returns that goal, the
    // cell itself when nothing is known or it is already home, and -1 for a deadlock (no goal
    // left for it, or free goals beyond other boxes ahead).
    int DeadEndTarget(int cell, int step) const;
    bool CorralPushes(const int* boxes, std::uint32_t here);
    // Marks the cells of the player's area (stamped `here`) whose loss would split it, and
    // finds its two first cells.
    void CutCells(int root, std::uint32_t here);
    // The normalised player after the box at `box` moved to `to`, a cell of the area (pushed,
    // the player then at `box`; or pulled, the player beyond `to`): without a flood when `to`
    // splits nothing and `box` opens onto nothing new; -1 when a flood is needed.
    int NormalAfter(int box, int to, std::uint32_t here);
    // Whether the box just pushed to `cell` froze on its goal in a way that leaves the other
    // boxes no way onto the goals still free; `cells` are the boxes after the push.
    bool SealsGoals(int cell, const int* cells);

    Shared& s_;
    const Board& b_;
    bool backward_;
    bool fewest_;
    Search* other_ = nullptr;
    DeadlockTest deadlock_;
    Matching matching_;
    // Goals sealed by boxes frozen on goals: the distances with those boxes as walls.
    std::vector<std::uint16_t> sealDistance_;
    std::vector<std::uint8_t> sealed_;
    Matching sealMatching_;
    const std::vector<std::uint8_t>& live_;
    int weight_ = 1;
    bool useCorrals_ = true;
    int boxCount_ = 0;
    bool wide_ = false;
    int keyBytes_ = 0;

    std::vector<std::uint8_t> boxAt_;
    std::vector<std::uint32_t> reach_, childReach_;
    std::uint32_t reachEpoch_ = 0, childEpoch_ = 0;
    std::vector<int> queue_, boxes_, floors_, cells_; // scratch
    std::vector<std::uint8_t> key_;
    // Corrals: the component of each unreachable cell, and the pushes allowed for each box.
    std::vector<std::uint32_t> corral_;
    std::uint32_t corralEpoch_ = 0;
    std::vector<std::int16_t> boxIndex_;
    std::vector<std::uint8_t> allowed_, trial_;
    std::vector<int> corralCells_;
    // Cut cells of the player's area: depth-first order, low links, and stamps.
    std::vector<int> order_, low_, stackCell_, stackDirection_;
    std::vector<std::uint32_t> cut_, seen_;
    int areaFirst_ = 0, areaSecond_ = 0;

    std::vector<Node> nodes_;
    std::vector<std::uint8_t> keys_;
    std::vector<std::uint64_t> table_; // high half of the hash, node + 1; 0 is empty
    std::vector<std::vector<std::uint32_t>> buckets_;
    std::size_t bucketBytes_ = 0;
    std::size_t openCount_ = 0;
    std::size_t lowest_ = 0;
    bool full_ = false;
    std::uint32_t solvedAt_ = kNoParent, met_ = kNoParent;
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
    NextEpoch(stamp, epoch);
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
    const std::size_t others = other_ ? other_->Bytes() : 0;
    if (Bytes() + others + extra > s_.memoryBytes) return false;
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

std::uint32_t Search::Lookup(std::uint64_t hash, const std::uint8_t* key) const {
    if (table_.empty()) return kNoParent;
    const std::size_t mask = table_.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    const auto bytes = static_cast<std::size_t>(keyBytes_);
    for (std::size_t slot = static_cast<std::uint32_t>(hash) & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = table_[slot];
        if (!entry) return kNoParent;
        if (static_cast<std::uint32_t>(entry >> 32) != tag) continue;
        const auto node = static_cast<std::uint32_t>(entry) - 1;
        if (std::memcmp(keys_.data() + node * bytes, key, bytes) == 0)
            return nodes_[node].state == kDead ? kNoParent : node;
    }
}

// Looks for a corral the player must open before anything else matters: an area the player
// cannot reach whose boxes can only be pushed into it, by pushes the player can all make now,
// and which still holds work (a box off a goal or an empty goal). Only the pushes into the
// corral with the fewest of them are then needed; true and `allowed_` set when one is found.
bool Search::CorralPushes(const int* boxes, std::uint32_t here) {
    for (int i = 0; i < boxCount_; ++i) boxIndex_[boxes[i]] = static_cast<std::int16_t>(i);
    int best = -1;
    // Each expansion takes at most one epoch a box; start again long before they run out.
    if (corralEpoch_ > 0xF0000000u) {
        std::fill(corral_.begin(), corral_.end(), 0);
        corralEpoch_ = 0;
    }
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

bool Search::SealsGoals(int cell, const int* cells) {
    if (!b_.goal[cell] || b_.lettered || !deadlock_.FrozenAt(boxAt_, cell)) return false;
    const auto size = static_cast<std::size_t>(b_.cellCount);
    if (sealDistance_.empty()) {
        sealDistance_.assign(b_.goals.size() * size, kFar);
        sealed_.assign(size, 0);
    }
    std::fill(sealed_.begin(), sealed_.end(), 0);
    for (const int g : b_.goals)
        if (boxAt_[g] && (g == cell || deadlock_.FrozenAt(boxAt_, g))) sealed_[g] = 1;
    for (std::size_t k = 0; k < b_.goals.size(); ++k) {
        const int g = b_.goals[k];
        std::uint16_t* out = sealDistance_.data() + k * size;
        if (sealed_[g]) {
            // Its own box stays; no other may come.
            std::fill(out, out + size, kFar);
            out[g] = 0;
        } else {
            DistancesTo(b_, g, sealed_, out);
        }
    }
    return sealMatching_.LowerBound(cells, boxCount_) == kFar;
}

int Search::DeadEndTarget(int cell, int step) const {
    const int side = step == 1 || step == -1 ? b_.width : 1;
    const auto narrow = [&](int c) { return b_.wall[c + side] && b_.wall[c - side]; };
    if (b_.lettered || !narrow(cell)) return cell;
    int target = cell;
    bool boxAhead = false;
    for (int c = cell + step; !b_.wall[c]; c += step) {
        if (!narrow(c)) return cell; // it opens out: the box may yet come back
        if (boxAt_[c])
            boxAhead = true;
        else if (b_.goal[c] && boxAhead)
            return -1;
        else if (b_.goal[c])
            target = c;
    }
    return target == cell && !b_.goal[cell] ? -1 : target;
}

void Search::CutCells(int root, std::uint32_t here) {
    // The area's cells are those stamped `here` in reach_; seen_ tells the ones visited.
    if (here == 1) {
        std::fill(cut_.begin(), cut_.end(), 0);
        std::fill(seen_.begin(), seen_.end(), 0);
    }
    int time = 0, top = 0, rootChildren = 0;
    areaFirst_ = areaSecond_ = b_.cellCount;
    const auto visit = [&](int cell) {
        seen_[cell] = here;
        order_[cell] = low_[cell] = ++time;
        stackCell_[static_cast<std::size_t>(top)] = cell;
        stackDirection_[static_cast<std::size_t>(top++)] = 0;
        if (cell < areaFirst_) {
            areaSecond_ = areaFirst_;
            areaFirst_ = cell;
        } else if (cell < areaSecond_) {
            areaSecond_ = cell;
        }
    };
    visit(root);
    while (top > 0) {
        const int v = stackCell_[static_cast<std::size_t>(top - 1)];
        int& k = stackDirection_[static_cast<std::size_t>(top - 1)];
        if (k < 4) {
            const int w = v + b_.delta[static_cast<std::size_t>(k++)];
            if (reach_[w] != here) continue;
            if (seen_[w] != here) {
                if (v == root) ++rootChildren;
                visit(w);
            } else {
                low_[v] = std::min(low_[v], order_[w]);
            }
            continue;
        }
        if (--top == 0) break;
        const int u = stackCell_[static_cast<std::size_t>(top - 1)];
        low_[u] = std::min(low_[u], low_[v]);
        if (u != root && low_[v] >= order_[u]) cut_[u] = here;
    }
    if (rootChildren > 1) cut_[root] = here;
}

int Search::NormalAfter(int box, int to, std::uint32_t here) {
    if (reach_[to] != here || cut_[to] == here) return -1;
    // Pushed, the player stands on the box's old cell; pulled, that cell joins the area only
    // through a free neighbour in it.
    bool joins = !backward_;
    for (const int d : b_.delta) {
        const int next = box + d;
        if (next == to || b_.wall[next] || boxAt_[next]) continue;
        if (reach_[next] != here) return -1; // the box opened a way out
        joins = true;
    }
    const int rest = to == areaFirst_ ? areaSecond_ : areaFirst_;
    return b_.floorOf[joins ? std::min(box, rest) : rest];
}

bool Search::InTunnel(int cell, int step) const {
    const int side = step == 1 || step == -1 ? b_.width : 1;
    const int behind = cell - step;
    return !b_.goal[cell] && b_.wall[cell + side] && b_.wall[cell - side] &&
           b_.wall[behind + side] && b_.wall[behind - side];
}

bool Search::Reached(std::uint32_t parent, std::uint64_t hash, int pushCell, int direction,
                     int normal, int run) {
    bool added = false;
    const std::uint32_t child = Find(hash, key_.data(), added);
    if (child == kNoParent) return false;
    Node& c = nodes_[child];
    // Saturated, so that a path never looks cheaper than its own prefix.
    const auto cost = static_cast<std::uint16_t>(std::min(nodes_[parent].cost + run, 0xFFFF));
    if (!added && (c.state == kDead || cost >= c.cost)) return false;
    c.parent = parent;
    c.cost = cost;
    c.pushCell = static_cast<std::uint16_t>(pushCell);
    c.pushDirection = static_cast<std::uint8_t>(direction | run << 2);
    if (added) {
        int* cells = cells_.data();
        for (int k = 0; k < boxCount_; ++k) cells[k] = b_.cellOf[floors_[k]];
        // Breadth-first the bound only orders nothing: a matching must exist, and the boxes
        // off their goals tell solved.
        int bound = 0;
        if (weight_ == 0 && !fewest_) {
            bound = matching_.Feasible(cells, boxCount_) ? 0 : kFar;
            for (int k = 0; k < boxCount_ && bound == 0; ++k)
                if (b_.lettered ? cells[k] != b_.goals[static_cast<std::size_t>(k)]
                                : !b_.goal[cells[k]])
                    bound = 1;
        } else {
            bound = matching_.LowerBound(cells, boxCount_);
        }
        if (bound == kFar) {
            c.state = kDead;
            return false;
        }
        c.bound = static_cast<std::uint16_t>(bound);
        // Solved going forward: every box on a goal. Going backward: the start itself.
        if (bound == 0 && (!backward_ || normal == startNormal) && !fewest_) {
            solvedAt_ = child;
            return true;
        }
        if (other_) {
            if (const std::uint32_t there = other_->Lookup(hash, key_.data()); there != kNoParent) {
                solvedAt_ = child;
                met_ = there;
                return true;
            }
        }
    }
    c.state = kOpen;
    Push(child);
    return false;
}

// Expands one position; true when a push solves the level.
bool Search::Expand(std::uint32_t node) {
    int* boxes = boxes_.data();
    int player = 0;
    ReadKey(node, boxes, player);
    std::uint64_t boxHash = 0;
    for (int i = 0; i < boxCount_; ++i) {
        boxAt_[boxes[i]] = 1;
        boxHash ^= s_.boxKey[boxes[i]];
    }
    Normalised(player, reach_, reachEpoch_);
    const std::uint32_t here = reachEpoch_;
    const bool restricted = useCorrals_ && CorralPushes(boxes, here);
    CutCells(player, here);
    bool solved = false;
    int* floors = floors_.data();

    for (int i = 0; i < boxCount_ && !solved && !full_; ++i) {
        const int box = boxes[i];
        for (int d = 0; d < 4 && !solved && !full_; ++d) {
            const int step = b_.delta[static_cast<std::size_t>(d)];
            // Forward the player stands behind the box and it moves on; backward the player
            // stands before it and steps back, pulling it along.
            const int to = box + step;
            const int stand = backward_ ? box + step : box - step;
            const int after = backward_ ? box + 2 * step : box;
            if (reach_[stand] != here || !live_[to]) continue;
            if (backward_ ? (b_.wall[after] || boxAt_[after]) : (b_.wall[to] || boxAt_[to]))
                continue;
            if (restricted && !(allowed_[static_cast<std::size_t>(i)] >> d & 1)) continue;
            ++s_.generated;
            boxAt_[box] = 0;
            boxAt_[to] = 1;
            // A box pushed into a tunnel goes on to its end in one move (not when counting
            // the fewest pushes, which the runs would hide).
            int end = to, run = 1;
            while (!backward_ && !fewest_ && run < 63 && InTunnel(end, step)) {
                const int next = end + step;
                if (b_.wall[next] || boxAt_[next] || !live_[next]) break;
                boxAt_[end] = 0;
                boxAt_[next] = 1;
                end = next;
                ++run;
            }
            bool sealed = false;
            if (!backward_ && !fewest_) {
                const int target = DeadEndTarget(end, step);
                const int pushes = target < 0 ? 0 : (target - end) / step;
                if (target < 0) {
                    sealed = true;
                } else if (pushes > 0 && run + pushes < 64) {
                    boxAt_[end] = 0;
                    boxAt_[target] = 1;
                    end = target;
                    run += pushes;
                }
            }
            sealed = sealed || (!backward_ && deadlock_.FrozenAfterPush(boxAt_, end));
            if (!sealed) {
                // The boxes in floor order with the moved one in its new place; lettered
                // boxes keep their own places.
                int n = 0;
                const int toFloor = b_.floorOf[end];
                bool placed = false;
                for (int k = 0; k < boxCount_ && b_.lettered; ++k)
                    floors[k] = k == i ? toFloor : b_.floorOf[boxes[k]];
                for (int k = 0; k < boxCount_ && !b_.lettered; ++k) {
                    if (k == i) continue;
                    const int f = b_.floorOf[boxes[k]];
                    if (!placed && toFloor < f) {
                        floors[n++] = toFloor;
                        placed = true;
                    }
                    floors[n++] = f;
                }
                if (!placed && !b_.lettered) floors[n++] = toFloor;
                int* cells = cells_.data();
                for (int k = 0; k < boxCount_; ++k) cells[k] = b_.cellOf[floors[k]];
                sealed = !backward_ && SealsGoals(end, cells);
            }
            if (!sealed) {
                int normal = end != to ? -1 : NormalAfter(box, to, here);
                if (normal < 0) normal = Normalised(after + (end - to), childReach_, childEpoch_);
                WriteKey(key_.data(), floors, normal);
                const std::uint64_t hash = boxHash ^ s_.boxKey[box] ^ s_.boxKey[end] ^
                                           s_.playerKey[static_cast<std::size_t>(normal)];
                // Backward, the pull undoes the push of the box from `to` toward `box`.
                solved = backward_ ? Reached(node, hash, to, (d + 2) % 4, normal)
                                   : Reached(node, hash, box, d, normal, run);
            }
            boxAt_[end] = 0;
            boxAt_[box] = 1;
        }
    }
    for (int i = 0; i < boxCount_; ++i) boxAt_[boxes[i]] = 0;
    return solved;
}

bool Search::Start() {
    int* floors = floors_.data();
    const std::vector<int>& start = backward_ ? b_.goals : b_.boxes;
    std::vector<int> sorted(start);
    if (!b_.lettered) std::sort(sorted.begin(), sorted.end());
    std::uint64_t boxHash = 0;
    for (int i = 0; i < boxCount_; ++i) {
        const int cell = sorted[static_cast<std::size_t>(i)];
        floors[i] = b_.floorOf[cell];
        boxAt_[cell] = 1;
        boxHash ^= s_.boxKey[cell];
    }
    const int bound = matching_.LowerBound(sorted.data(), boxCount_);
    // Forward from the player's cell; backward from every area the player may end in.
    NextEpoch(childReach_, childEpoch_);
    for (const int cell : b_.cellOf) {
        if (boxAt_[cell] || (!backward_ && cell != b_.player)) continue;
        if (backward_ && childReach_[cell] == childEpoch_) continue;
        // Areas are told apart by the reach stamp: one epoch marks every area seen so far.
        const std::uint32_t seen = childEpoch_;
        const int normal = Normalised(cell, reach_, reachEpoch_);
        for (const int c : b_.cellOf)
            if (reach_[c] == reachEpoch_) childReach_[c] = seen;
        WriteKey(key_.data(), floors, normal);
        bool added = false;
        const std::uint64_t hash = boxHash ^ s_.playerKey[static_cast<std::size_t>(normal)];
        const std::uint32_t node = Find(hash, key_.data(), added);
        if (node == kNoParent) return false;
        if (!backward_) startNormal = normal;
        if (bound == kFar) {
            nodes_[node].state = kDead;
            continue;
        }
        nodes_[node].bound = static_cast<std::uint16_t>(bound);
        Push(node);
    }
    for (const int cell : start) boxAt_[cell] = 0;
    return true;
}

Status Search::Step() {
    std::uint32_t node = 0;
    if (full_) return Status::Full;
    if (!Pop(node)) return Status::Exhausted;
    Node& n = nodes_[node];
    n.state = kClosed;
    s_.depth = std::max<std::int32_t>(s_.depth, n.cost);
    ++s_.expanded;
    // Fewest pushes: the end is taken only when it comes first off the queue.
    if (fewest_ && n.bound == 0) {
        int player = 0;
        ReadKey(node, boxes_.data(), player);
        if (!backward_ || b_.floorOf[player] == startNormal) {
            solvedAt_ = node;
            return Status::Solved;
        }
    }
    if (Expand(node)) return Status::Solved;
    return full_ ? Status::Full : Status::Running;
}

void Search::Pushes(std::uint32_t node, std::vector<std::pair<int, int>>& out) const {
    std::vector<std::pair<int, int>> pushes;
    for (std::uint32_t n = node; nodes_[n].parent != kNoParent; n = nodes_[n].parent) {
        const int direction = nodes_[n].pushDirection & 3, run = nodes_[n].pushDirection >> 2;
        const int step = b_.delta[static_cast<std::size_t>(direction)];
        // Collected last push first, and turned round below going forward.
        for (int k = run - 1; k >= 0; --k)
            pushes.emplace_back(nodes_[n].pushCell + k * step, direction);
    }
    if (!backward_) std::reverse(pushes.begin(), pushes.end());
    out.insert(out.end(), pushes.begin(), pushes.end());
}

// The player's steps that carry out the pushes from the start, the walk between pushes being
// a shortest one.
std::vector<SolveStep> StepsOf(const Board& b, const std::vector<std::pair<int, int>>& pushes) {
    std::vector<SolveStep> steps;
    std::vector<std::uint8_t> boxAt(static_cast<std::size_t>(b.cellCount), 0);
    for (const int box : b.boxes) boxAt[box] = 1;
    int player = b.player;
    std::vector<int> from(static_cast<std::size_t>(b.cellCount), -1);
    const auto stepOf = [&](int cell, int d) {
        const int step = b.delta[static_cast<std::size_t>(d)];
        SolveStep s;
        s.row = static_cast<std::int8_t>(b.Row(cell));
        s.column = static_cast<std::int8_t>(b.Column(cell));
        s.rowDelta = static_cast<std::int8_t>(step == b.width ? 1 : step == -b.width ? -1 : 0);
        s.columnDelta = static_cast<std::int8_t>(step == 1 ? 1 : step == -1 ? -1 : 0);
        return s;
    };
    for (const auto& [box, d] : pushes) {
        const int target = box - b.delta[static_cast<std::size_t>(d)];
        std::fill(from.begin(), from.end(), -1);
        std::vector<int> queue{player};
        from[player] = 4;
        for (std::size_t i = 0; i < queue.size() && from[target] < 0; ++i)
            for (int k = 0; k < 4; ++k) {
                const int next = queue[i] + b.delta[static_cast<std::size_t>(k)];
                if (b.wall[next] || boxAt[next] || from[next] >= 0) continue;
                from[next] = k;
                queue.push_back(next);
            }
        std::vector<SolveStep> walk;
        for (int cell = target; cell != player;) {
            const int k = from[cell];
            const int previous = cell - b.delta[static_cast<std::size_t>(k)];
            walk.push_back(stepOf(previous, k));
            cell = previous;
        }
        steps.insert(steps.end(), walk.rbegin(), walk.rend());
        steps.push_back(stepOf(target, d));
        boxAt[box] = 0;
        boxAt[box + b.delta[static_cast<std::size_t>(d)]] = 1;
        player = box;
    }
    return steps;
}

// Runs the search forward, and by default backward too, a position of each in turn.
SolveResult Attempt(const Board& board, const SolveLimits& limits, int forwardWeight,
                    std::stop_token stop, const SolveProgressFn& progress,
                    SokobanCounters& counters) {
    const auto start = Clock::now();
    const bool fewest = limits.metric == SolveMetric::Pushes;
    Shared shared(board);
    shared.memoryBytes = limits.memoryBytes;
    // Fewest pushes: plain A* forward, with no pruning that could lose the shortest solution.
    // Otherwise forward breadth-first by pushes, a ring of positions around the start, and
    // backward greedily toward the start boxes, until the backward search reaches the ring.
    Search forward(shared, false, fewest ? 1 : forwardWeight, !fewest, fewest);
    std::unique_ptr<Search> backward;
    if (!fewest) {
        backward = std::make_unique<Search>(shared, true, kGreedy, false);
        forward.SetOther(backward.get());
        backward->SetOther(&forward);
    }
    SolveResult result;
    const auto finish = [&](SolveOutcome outcome, std::string limit) {
        result.outcome = outcome;
        result.limit = std::move(limit);
        // A Sokoban level always has a push count; without a solution it is 0.
        if (outcome != SolveOutcome::Solved) result.pushes = 0;
        result.positions = forward.positions() + (backward ? backward->positions() : 0);
        result.depth = shared.depth;
        result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        counters.pushesGenerated += shared.generated;
        counters.positionsExpanded += shared.expanded;
        return result;
    };
    if (!forward.Start()) return finish(SolveOutcome::GaveUp, "memory");
    if (backward) {
        backward->startNormal = forward.startNormal;
        if (!backward->Start()) return finish(SolveOutcome::GaveUp, "memory");
    }
    for (std::uint64_t turn = 0;; ++turn) {
        Search& side = backward && (turn & 1) ? *backward : forward;
        const Status status = side.Step();
        if (status == Status::Full) return finish(SolveOutcome::GaveUp, "memory");
        // Only sound pruning was used, so either direction running out proves there is none.
        if (status == Status::Exhausted) return finish(SolveOutcome::NoSolution, "");
        if (status == Status::Solved) {
            std::vector<std::pair<int, int>> pushes;
            if (&side == &forward) {
                forward.Pushes(forward.solvedAt(), pushes);
                if (forward.met() != kNoParent) backward->Pushes(forward.met(), pushes);
            } else {
                if (side.met() != kNoParent) forward.Pushes(side.met(), pushes);
                side.Pushes(side.solvedAt(), pushes);
            }
            result.steps = StepsOf(board, pushes);
            result.pushes = static_cast<std::int32_t>(pushes.size());
            // Every step is the player's, so the whole solution is one move.
            result.moves = result.steps.empty() ? 0 : 1;
            return finish(SolveOutcome::Solved, "");
        }
        if ((turn & 1023) != 1023) continue;
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (stop.stop_requested()) return finish(SolveOutcome::GaveUp, "stopped");
        if (limits.seconds > 0 && seconds > limits.seconds)
            return finish(SolveOutcome::GaveUp, "time");
        if (progress && (turn & 4095) == 4095) {
            SolveProgress p;
            p.positions = forward.positions() + (backward ? backward->positions() : 0);
            p.depth = shared.depth;
            p.seconds = seconds;
            p.positionsPerSecond = seconds > 0 ? static_cast<double>(p.positions) / seconds : 0;
            progress(p);
        }
    }
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
    if (limits.metric == SolveMetric::Pushes || limits.seconds <= 0)
        return Attempt(board, limits, 0, std::move(stop), progress, counters);
    // With a time limit, half of it goes to the forward search breadth-first and the rest, if
    // that gave up, to a forward search drawn on by the bound: each solves levels the other
    // does not within the time.
    SolveLimits first = limits;
    first.seconds = limits.seconds / 2;
    SolveResult result = Attempt(board, first, 0, stop, progress, counters);
    if (result.outcome != SolveOutcome::GaveUp || result.limit != "time") return result;
    SolveLimits second = limits;
    second.seconds = std::max(0.001, limits.seconds - result.seconds);
    SolveResult more = Attempt(board, second, kBoundWeight, std::move(stop), progress, counters);
    more.positions += result.positions;
    more.depth = std::max(more.depth, result.depth);
    more.seconds += result.seconds;
    return more;
}

SolveResult SolveSokoban(const SokobanPuzzle& puzzle, const SolveLimits& limits,
                         std::stop_token stop, const SolveProgressFn& progress) {
    SokobanCounters counters;
    return SolveSokobanCounted(puzzle, limits, counters, std::move(stop), progress);
}

} // namespace vorpel
