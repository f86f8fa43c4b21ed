// The general search. One working board is brought to each position in turn (rebuilt from
// the encoding where the level allows it, otherwise replayed from the start), each step is
// tried on it by the engine and taken back through the step journal.
#include "solver/GeneralSolver.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <chrono>
#include <cstring>
#include <new>

#include "model/Movement.h"
#include "model/Solved.h"
#include "solver/PositionCodec.h"

namespace vorpel {

namespace {

using Clock = std::chrono::steady_clock;
using Code = std::vector<std::uint8_t>;
using Path = std::vector<SolveStep>;

constexpr int kDirections[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

std::uint64_t HashBytes(const std::uint8_t* p, std::size_t n) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
    while (n >= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
        p += 8;
        n -= 8;
    }
    std::uint64_t w = 0;
    std::memcpy(&w, p, n);
    h = (h ^ w) * 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 29;
    h *= 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 32);
}

// A table slot: the position's index + 1 in the low bits, a few bits of its hash above them, so
// that most slots of other positions are passed over without reading their bytes.
constexpr int kIndexBits = 27;
constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
std::uint32_t TagOf(std::uint64_t hash) {
    return static_cast<std::uint32_t>(hash & 31) << kIndexBits;
}
std::size_t SlotOf(std::uint64_t hash, std::size_t size) {
    return static_cast<std::size_t>(((hash >> 32) * size) >> 32);
}

bool SameBytes(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    for (; n >= 8; a += 8, b += 8, n -= 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a, 8);
        std::memcpy(&y, b, 8);
        if (x != y) return false;
    }
    for (; n; --n)
        if (*a++ != *b++) return false;
    return true;
}

// Copies the start board into a working board without giving up its reserved block table.
void CopyBoard(const PlayBoard& from, PlayBoard& to) {
    to.rows = from.rows;
    to.columns = from.columns;
    to.marks = from.marks;
    to.blockAt = from.blockAt;
    if (to.blocks.size() < from.blocks.size()) to.blocks.resize(from.blocks.size());
    std::copy(from.blocks.begin(), from.blocks.begin() + from.blockCount + 1, to.blocks.begin());
    to.blockCount = from.blockCount;
    to.holeCells = from.holeCells;
    to.slideCells = from.slideCells;
    to.destinationCells = from.destinationCells;
    to.waterCells = from.waterCells;
    to.dontCoverCells = from.dontCoverCells;
    to.glueCells = from.glueCells;
    to.keyholeRing = from.keyholeRing;
    to.hasColourOrLetterGoals = from.hasColourOrLetterGoals;
    to.teleporterRow = from.teleporterRow;
    to.teleporterColumn = from.teleporterColumn;
    to.teleporterRowSpan = from.teleporterRowSpan;
    to.teleporterColumnSpan = from.teleporterColumnSpan;
    to.selectedBlock = 0;
}

bool Holdable(const Block& b) {
    if (b.removed || b.kind == kEmptyKind || RefusesHold(b.kind)) return false;
    return b.kind != kBarrierKind || b.extraCells.IsEmpty(63);
}

// Positions seen by one sub-search (the cells a block reaches in one move, or the positions
// reached without a push): a small exact set.
class LocalSet {
public:
    void Clear() {
        bytes_.clear();
        ends_.clear();
        std::fill(slots_.begin(), slots_.end(), 0u);
    }
    // True when the code was new.
    bool Insert(const Code& code) {
        if ((ends_.size() + 1) * 4 > slots_.size() * 3) Grow();
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t h = HashBytes(code.data(), code.size()) & mask;; h = (h + 1) & mask) {
            const std::uint32_t s = slots_[h];
            if (s == 0) {
                bytes_.insert(bytes_.end(), code.begin(), code.end());
                ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
                slots_[h] = static_cast<std::uint32_t>(ends_.size());
                return true;
            }
            const std::uint32_t begin = s >= 2 ? ends_[s - 2] : 0, end = ends_[s - 1];
            if (end - begin == code.size() &&
                std::memcmp(bytes_.data() + begin, code.data(), code.size()) == 0)
                return false;
        }
    }
    std::size_t Bytes() const {
        return bytes_.capacity() + ends_.capacity() * 4 + slots_.capacity() * 4;
    }

private:
    void Grow() {
        slots_.assign(std::max<std::size_t>(64, slots_.size() * 2), 0u);
        const std::size_t mask = slots_.size() - 1;
        for (std::uint32_t k = 0; k < ends_.size(); ++k) {
            const std::uint32_t begin = k ? ends_[k - 1] : 0;
            std::size_t h = HashBytes(bytes_.data() + begin, ends_[k] - begin) & mask;
            while (slots_[h]) h = (h + 1) & mask;
            slots_[h] = k + 1;
        }
    }
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint32_t> ends_;
    std::vector<std::uint32_t> slots_;
};

class GeneralSearch {
public:
    GeneralSearch(const Level& level, const SolveLimits& limits, std::stop_token stop,
                  const SolveProgressFn& progress)
        : level_(level), limits_(limits), stop_(std::move(stop)), progress_(progress) {
        BuildStartBoard(level, start_);
        BuildStartBoard(level, board_);
        codec_ = std::make_unique<PositionCodec>(start_);
        decodable_ = codec_->Decodable();
        fixed_ = codec_->FixedBytes();
        for (int i = kFirstBlock; i <= start_.blockCount; ++i)
            if (IsBox(start_.blocks[i].kind)) boxes_.push_back(i);
    }

    SolveResult Run();
    GeneralSearchStats Stats() const {
        return {successors_, arena_.size() + ends_.size() * 8 + table_.size() * 4, Bytes()};
    }

private:
    // Called with each position one move away: its encoding, the steps from the expanded
    // position, whether it is solved and whether it costs nothing (a step without a push).
    // Returns true to end the expansion.
    using Emit = std::function<bool(const Code&, const Path&, bool solved, bool free)>;

    void Restore(std::uint32_t index);
    bool Expand(const Code& rootCode, const Emit& emit);
    bool ExpandSteps(const Emit& emit);
    bool ExpandMoves(const Code& rootCode, const Emit& emit);
    bool ExpandPushes(const Code& rootCode, const Emit& emit);
    // A quick test that only ever refuses steps the rules refuse too: a cell in front of the
    // block off the board or held by a block that is neither pushed along nor floated over
    // ends the rules' push test, if nothing before it has refused the step already.
    bool SurelyBlocked(int block, int rowDelta, int columnDelta) const;
    bool Blocked(int block, int rowDelta, int columnDelta) {
        return SurelyBlocked(block, rowDelta, columnDelta) ||
               IsBlocked(board_, block, rowDelta, columnDelta, false);
    }
    // Steps the held block `block`; the caller has tested it with IsBlocked.
    void Step(int block, int rowDelta, int columnDelta);
    SolveStep StepOf(int block, int rowDelta, int columnDelta) const;
    void Replay(const Path& path);
    std::uint64_t BoxSignature() const;

    const std::uint8_t* CodeAt(std::uint32_t index, std::size_t& size) const;
    // Adds a position; false when it was stored already. Sets memoryOut_ at the cap.
    bool Insert(const Code& code, std::uint32_t& index) {
        return Insert(code.data(), code.size(), HashBytes(code.data(), code.size()), index);
    }
    bool Insert(const std::uint8_t* code, std::size_t size, std::uint64_t hash,
                std::uint32_t& index);
    // Stores the successors gathered in batch_, their table slots fetched ahead.
    bool InsertBatch();
    bool GrowTable();
    template <class V> bool Reserve(V& v, std::size_t need);
    std::size_t Bytes() const;
    Path PathTo(std::uint32_t index);
    bool LimitReached();

    const Level& level_;
    SolveLimits limits_;
    std::stop_token stop_;
    const SolveProgressFn& progress_;
    MovementRules rules_;
    PlayBoard start_, board_;
    std::unique_ptr<PositionCodec> codec_;
    bool decodable_ = true;
    std::size_t fixed_ = 0;
    std::vector<int> boxes_;

    // The stored positions, in breadth-first order.
    std::vector<std::uint8_t> arena_;
    std::vector<std::uint64_t> ends_;  // with variable encodings: end of each in the arena
    std::vector<std::uint32_t> table_; // tag | index + 1, 0 for a free slot
    std::uint32_t count_ = 0;
    std::vector<std::uint32_t> layers_; // first index of each depth
    // Where positions cannot be rebuilt from their encoding: the parent and the steps of the
    // move that reached each.
    std::vector<std::uint32_t> parent_;
    std::vector<std::uint32_t> pathEnd_;
    std::vector<SolveStep> paths_;

    LocalSet local_;
    Code scratch_;
    Code batch_; // successors of one position, stored together (fixed-size encodings)
    std::vector<std::uint64_t> hashes_;
    Clock::time_point started_;
    std::uint64_t sinceCheck_ = 0;
    std::int32_t depth_ = 0;
    std::uint64_t successors_ = 0;
    bool memoryOut_ = false;
    std::string limit_;
};

std::size_t GeneralSearch::Bytes() const {
    return arena_.capacity() + ends_.capacity() * 8 + table_.capacity() * 4 +
           parent_.capacity() * 4 + pathEnd_.capacity() * 4 +
           paths_.capacity() * sizeof(SolveStep) + layers_.capacity() * 4 + local_.Bytes();
}

template <class V> bool GeneralSearch::Reserve(V& v, std::size_t need) {
    if (need <= v.capacity()) return true;
    const std::size_t cap = std::max(need, v.capacity() + v.capacity() / 2 + 256);
    if (Bytes() + cap * sizeof(typename V::value_type) > limits_.memoryBytes) {
        memoryOut_ = true;
        return false;
    }
    v.reserve(cap);
    return true;
}

const std::uint8_t* GeneralSearch::CodeAt(std::uint32_t index, std::size_t& size) const {
    if (decodable_) {
        size = fixed_;
        return arena_.data() + std::size_t{index} * fixed_;
    }
    const std::uint64_t begin = index ? ends_[index - 1] : 0;
    size = static_cast<std::size_t>(ends_[index] - begin);
    return arena_.data() + begin;
}

// Open addressing over a table grown by half again at four fifths full; a slot is found by
// scaling the hash to the table's size.
bool GeneralSearch::GrowTable() {
    const std::size_t size = std::max<std::size_t>(1024, table_.size() + table_.size() / 2);
    if (Bytes() + size * 4 > limits_.memoryBytes) {
        memoryOut_ = true;
        return false;
    }
    std::vector<std::uint32_t> grown(size, 0u);
    for (std::uint32_t k = 0; k < count_; ++k) {
        std::size_t n = 0;
        const std::uint8_t* p = CodeAt(k, n);
        const std::uint64_t hash = HashBytes(p, n);
        std::size_t h = SlotOf(hash, size);
        while (grown[h]) h = h + 1 == size ? 0 : h + 1;
        grown[h] = TagOf(hash) | (k + 1);
    }
    table_.swap(grown);
    return true;
}

bool GeneralSearch::InsertBatch() {
    const std::size_t count = batch_.size() / fixed_;
    hashes_.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        hashes_[k] = HashBytes(batch_.data() + k * fixed_, fixed_);
        __builtin_prefetch(table_.data() + SlotOf(hashes_[k], table_.size()));
    }
    for (std::size_t k = 0; k < count; ++k) {
        std::uint32_t at = 0;
        if (!Insert(batch_.data() + k * fixed_, fixed_, hashes_[k], at) && memoryOut_) return false;
    }
    return true;
}

bool GeneralSearch::Insert(const std::uint8_t* code, std::size_t codeSize, std::uint64_t hash,
                           std::uint32_t& index) {
    if ((std::size_t{count_} + 1) * 5 > table_.size() * 4 && !GrowTable()) return false;
    const std::size_t size = table_.size();
    const std::uint32_t tag = TagOf(hash);
    std::size_t h = SlotOf(hash, size);
    for (;; h = h + 1 == size ? 0 : h + 1) {
        const std::uint32_t s = table_[h];
        if (s == 0) break;
        if ((s & ~kIndexMask) != tag) continue;
        std::size_t n = 0;
        const std::uint8_t* p = CodeAt((s & kIndexMask) - 1, n);
        if (n == codeSize && SameBytes(p, code, n)) {
            index = (s & kIndexMask) - 1;
            return false;
        }
    }
    if (count_ + 1 >= kIndexMask || !Reserve(arena_, arena_.size() + codeSize)) {
        memoryOut_ = true;
        return false;
    }
    if (!decodable_ &&
        (!Reserve(ends_, ends_.size() + 1) || !Reserve(parent_, parent_.size() + 1) ||
         !Reserve(pathEnd_, pathEnd_.size() + 1)))
        return false;
    arena_.insert(arena_.end(), code, code + codeSize);
    if (!decodable_) ends_.push_back(arena_.size());
    table_[h] = tag | (count_ + 1);
    index = count_++;
    return true;
}

SolveStep GeneralSearch::StepOf(int block, int rowDelta, int columnDelta) const {
    const Block& b = board_.blocks[block];
    return {b.anchorRow, b.anchorColumn, static_cast<std::int8_t>(rowDelta),
            static_cast<std::int8_t>(columnDelta)};
}

bool GeneralSearch::SurelyBlocked(int block, int rowDelta, int columnDelta) const {
    const PlayBoard& b = board_;
    const Block& blk = b.blocks[block];
    const RowSpan rows = blk.cells.OccupiedRows(b.LastRow());
    for (int r = rows.first; r <= rows.last; ++r) {
        for (std::uint64_t w = blk.cells.row[r]; w; w &= w - 1) {
            const int c = 63 - std::countr_zero(w);
            const int tr = r + rowDelta, tc = c + columnDelta;
            if (!b.Inside(tr, tc)) return true;
            const int other = b.blockAt[CellIndex(tr, tc)];
            if (other == 0 || other == block) continue;
            const Byte kind = b.blocks[other].kind;
            if (!IsBox(kind) && !IsHover(kind)) return true;
        }
    }
    return false;
}

void GeneralSearch::Step(int block, int rowDelta, int columnDelta) {
    if (rowDelta == 0 && columnDelta == 0) {
        RemoveBlockQuietly(board_, block);
        return;
    }
    board_.selectedBlock = block;
    DoStep(board_, rules_, rowDelta, columnDelta);
}

void GeneralSearch::Replay(const Path& path) {
    for (const SolveStep& s : path) {
        [[maybe_unused]] const bool made = ApplySolveStep(board_, s);
        assert(made);
    }
}

std::uint64_t GeneralSearch::BoxSignature() const {
    std::uint64_t h = 0;
    for (int i : boxes_) {
        const Block& b = board_.blocks[i];
        h = h * 0x100000001B3ull + (b.removed ? 0xFFFFu : CellIndex(b.anchorRow, b.anchorColumn));
    }
    return h;
}

Path GeneralSearch::PathTo(std::uint32_t index) {
    Path path;
    if (!decodable_) {
        std::vector<std::uint32_t> chain;
        for (std::uint32_t k = index; k != 0; k = parent_[k]) chain.push_back(k);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const std::uint32_t begin = pathEnd_[*it - 1];
            path.insert(path.end(), paths_.begin() + begin, paths_.begin() + pathEnd_[*it]);
        }
        return path;
    }
    // Only the encodings are kept: find a parent of each position in the layer before it.
    int depth = static_cast<int>(std::upper_bound(layers_.begin(), layers_.end(), index) -
                                 layers_.begin()) -
                1;
    std::vector<Path> pieces;
    for (std::uint32_t target = index; depth > 0; --depth) {
        std::size_t n = 0;
        const std::uint8_t* p = CodeAt(target, n);
        const Code want(p, p + n);
        bool found = false;
        for (std::uint32_t k = layers_[depth - 1]; k < layers_[depth] && !found; ++k) {
            Restore(k);
            std::size_t rn = 0;
            const std::uint8_t* rp = CodeAt(k, rn);
            const Code rootCode(rp, rp + rn);
            Expand(rootCode, [&](const Code& code, const Path& steps, bool, bool) {
                if (code != want) return false;
                pieces.push_back(steps);
                found = true;
                return true;
            });
            if (found) target = k;
        }
        assert(found);
    }
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
        path.insert(path.end(), it->begin(), it->end());
    return path;
}

void GeneralSearch::Restore(std::uint32_t index) {
    if (decodable_) {
        std::size_t n = 0;
        codec_->Decode(CodeAt(index, n), board_);
    } else {
        CopyBoard(start_, board_);
        board_.journal.recording = false;
        Replay(PathTo(index));
    }
    board_.journal.Reset(0, board_.blockCount, false);
    board_.journal.recording = true;
}

bool GeneralSearch::ExpandSteps(const Emit& emit) {
    Path path(1);
    for (int i = kFirstBlock; i <= board_.blockCount; ++i) {
        if (!Holdable(board_.blocks[i])) continue;
        const bool barrier = board_.blocks[i].kind == kBarrierKind;
        for (int d = barrier ? 3 : 0; d < 4; ++d) {
            const int dr = barrier ? 0 : kDirections[d][0], dc = barrier ? 0 : kDirections[d][1];
            if (!barrier && Blocked(i, dr, dc)) continue;
            path[0] = StepOf(i, dr, dc);
            const JournalMark mark = MarkJournal(board_);
            Step(i, dr, dc);
            scratch_.clear();
            codec_->Encode(board_, scratch_);
            const bool solved = IsSolved(board_);
            RevertToMark(board_, mark);
            if (emit(scratch_, path, solved, false)) return true;
        }
    }
    return false;
}

bool GeneralSearch::ExpandMoves(const Code& rootCode, const Emit& emit) {
    // Every cell a block reaches by steps of its own is one move; breadth-first, so that each
    // move takes the fewest steps.
    struct Node {
        std::int32_t parent;
        SolveStep step;
    };
    std::vector<Node> nodes;
    Path path;
    const JournalMark root = MarkJournal(board_);
    for (int i = kFirstBlock; i <= board_.blockCount; ++i) {
        if (!Holdable(board_.blocks[i])) continue;
        if (board_.blocks[i].kind == kBarrierKind) {
            path.assign(1, StepOf(i, 0, 0));
            Step(i, 0, 0);
            scratch_.clear();
            codec_->Encode(board_, scratch_);
            const bool solved = IsSolved(board_);
            RevertToMark(board_, root);
            if (emit(scratch_, path, solved, false)) return true;
            continue;
        }
        local_.Clear();
        local_.Insert(rootCode);
        nodes.assign(1, Node{-1, {}});
        for (std::size_t q = 0; q < nodes.size(); ++q) {
            path.clear();
            for (std::int32_t k = static_cast<std::int32_t>(q); k > 0; k = nodes[k].parent)
                path.push_back(nodes[k].step);
            std::reverse(path.begin(), path.end());
            if (q > 0) {
                RevertToMark(board_, root);
                for (const SolveStep& s : path) Step(i, s.rowDelta, s.columnDelta);
            }
            path.emplace_back();
            for (const auto& dir : kDirections) {
                if (Blocked(i, dir[0], dir[1])) continue;
                path.back() = StepOf(i, dir[0], dir[1]);
                const JournalMark mark = MarkJournal(board_);
                Step(i, dir[0], dir[1]);
                scratch_.clear();
                codec_->Encode(board_, scratch_);
                if (local_.Insert(scratch_)) {
                    const bool solved = IsSolved(board_);
                    const bool held = !board_.blocks[i].removed && board_.selectedBlock == i;
                    if (emit(scratch_, path, solved, false)) {
                        RevertToMark(board_, root);
                        return true;
                    }
                    if (held && !solved)
                        nodes.push_back(Node{static_cast<std::int32_t>(q), path.back()});
                }
                RevertToMark(board_, mark);
            }
        }
        RevertToMark(board_, root);
    }
    return false;
}

bool GeneralSearch::ExpandPushes(const Code& rootCode, const Emit& emit) {
    // The positions reached without moving a box cost nothing; each step that moves a box out
    // of them costs one.
    if (IsSolved(board_)) return emit(rootCode, {}, true, true);
    struct Node {
        std::int32_t parent;
        SolveStep step;
    };
    std::vector<Node> nodes(1, Node{-1, {}});
    local_.Clear();
    local_.Insert(rootCode);
    Path path;
    const JournalMark root = MarkJournal(board_);
    const std::uint64_t boxesBefore = BoxSignature();
    for (std::size_t q = 0; q < nodes.size(); ++q) {
        path.clear();
        for (std::int32_t k = static_cast<std::int32_t>(q); k > 0; k = nodes[k].parent)
            path.push_back(nodes[k].step);
        std::reverse(path.begin(), path.end());
        if (q > 0) {
            RevertToMark(board_, root);
            Replay(path);
        }
        const JournalMark here = MarkJournal(board_);
        path.emplace_back();
        for (int i = kFirstBlock; i <= board_.blockCount; ++i) {
            if (!Holdable(board_.blocks[i])) continue;
            const bool barrier = board_.blocks[i].kind == kBarrierKind;
            for (int d = barrier ? 3 : 0; d < 4; ++d) {
                const int dr = barrier ? 0 : kDirections[d][0],
                          dc = barrier ? 0 : kDirections[d][1];
                if (!barrier && Blocked(i, dr, dc)) continue;
                path.back() = StepOf(i, dr, dc);
                Step(i, dr, dc);
                scratch_.clear();
                codec_->Encode(board_, scratch_);
                const bool pushed = BoxSignature() != boxesBefore;
                const bool solved = IsSolved(board_);
                bool end = false;
                if (pushed) {
                    end = emit(scratch_, path, false, false);
                } else if (local_.Insert(scratch_)) {
                    if (solved)
                        end = emit(scratch_, path, true, true);
                    else
                        nodes.push_back(Node{static_cast<std::int32_t>(q), path.back()});
                }
                RevertToMark(board_, here);
                if (end) {
                    RevertToMark(board_, root);
                    return true;
                }
            }
        }
    }
    RevertToMark(board_, root);
    return false;
}

bool GeneralSearch::Expand(const Code& rootCode, const Emit& emit) {
    switch (limits_.metric) {
    case SolveMetric::Moves:
        return ExpandMoves(rootCode, emit);
    case SolveMetric::Pushes:
        return ExpandPushes(rootCode, emit);
    case SolveMetric::Steps:
        break;
    }
    return ExpandSteps(emit);
}

bool GeneralSearch::LimitReached() {
    if (memoryOut_) {
        limit_ = "memory";
        return true;
    }
    if (++sinceCheck_ < 256) return false;
    sinceCheck_ = 0;
    const double seconds = std::chrono::duration<double>(Clock::now() - started_).count();
    if (progress_) {
        SolveProgress p;
        p.positions = count_;
        p.depth = depth_;
        p.seconds = seconds;
        p.positionsPerSecond = seconds > 0 ? count_ / seconds : 0;
        progress_(p);
    }
    if (stop_.stop_requested()) {
        limit_ = "stopped";
        return true;
    }
    if (limits_.seconds > 0 && seconds >= limits_.seconds) {
        limit_ = "time";
        return true;
    }
    return false;
}

SolveResult GeneralSearch::Run() {
    started_ = Clock::now();
    SolveResult result;
    auto finish = [&](SolveOutcome outcome) {
        result.outcome = outcome;
        result.positions = count_;
        result.depth = depth_;
        result.seconds = std::chrono::duration<double>(Clock::now() - started_).count();
        result.limit = outcome == SolveOutcome::GaveUp ? limit_ : std::string();
        if (outcome == SolveOutcome::Solved) {
            result.moves = CountMoves(level_, result.steps);
            result.pushes = CountPushes(level_, result.steps);
        }
        return result;
    };
    board_.journal.Reset(0, board_.blockCount, false);
    board_.journal.recording = true;
    Code code;
    codec_->Encode(board_, code);
    std::uint32_t index = 0;
    layers_.push_back(0);
    if (!Insert(code, index)) {
        limit_ = "memory";
        return finish(SolveOutcome::GaveUp);
    }
    if (!decodable_) {
        parent_.push_back(0);
        pathEnd_.push_back(0);
    }
    if (limits_.metric != SolveMetric::Pushes && IsSolved(board_))
        return finish(SolveOutcome::Solved);
    try {
        for (std::uint32_t first = 0;; ++depth_) {
            const std::uint32_t end = count_;
            layers_.push_back(end);
            if (first == end) return finish(SolveOutcome::NoSolution);
            for (std::uint32_t k = first; k < end; ++k) {
                if (LimitReached()) return finish(SolveOutcome::GaveUp);
                Restore(k);
                std::size_t n = 0;
                const std::uint8_t* p = CodeAt(k, n);
                code.assign(p, p + n);
                bool solved = false;
                Path tail;
                batch_.clear();
                Expand(code, [&](const Code& c, const Path& steps, bool isSolved, bool free) {
                    if (isSolved && (free || limits_.metric != SolveMetric::Pushes)) {
                        solved = true;
                        tail = steps;
                        return true;
                    }
                    ++successors_;
                    if (decodable_ && fixed_ > 0) {
                        batch_.insert(batch_.end(), c.begin(), c.end());
                        return false;
                    }
                    std::uint32_t at = 0;
                    if (!Insert(c, at)) return memoryOut_;
                    if (!decodable_) {
                        if (!Reserve(paths_, paths_.size() + steps.size())) return true;
                        parent_.push_back(k);
                        paths_.insert(paths_.end(), steps.begin(), steps.end());
                        pathEnd_.push_back(static_cast<std::uint32_t>(paths_.size()));
                    }
                    return false;
                });
                if (!solved && !batch_.empty()) InsertBatch();
                if (solved) {
                    layers_.push_back(count_);
                    result.steps = PathTo(k);
                    result.steps.insert(result.steps.end(), tail.begin(), tail.end());
                    ++depth_;
                    return finish(SolveOutcome::Solved);
                }
                if (memoryOut_) {
                    limit_ = "memory";
                    return finish(SolveOutcome::GaveUp);
                }
            }
            first = end;
        }
    } catch (const std::bad_alloc&) {
        limit_ = "memory";
        return finish(SolveOutcome::GaveUp);
    }
}

} // namespace

SolveResult SolveGeneral(const Level& level, const SolveLimits& limits, std::stop_token stop,
                         const SolveProgressFn& progress, GeneralSearchStats* stats) {
    GeneralSearch search(level, limits, std::move(stop), progress);
    SolveResult result = search.Run();
    if (stats) *stats = search.Stats();
    return result;
}

std::size_t GeneralEncodingBytes(const Level& level) {
    PlayBoard board;
    BuildStartBoard(level, board);
    return PositionCodec(board).FixedBytes();
}

} // namespace vorpel
