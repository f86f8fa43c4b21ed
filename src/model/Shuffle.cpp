// The game shuffle (random free moves on the play board) and the editor shuffle (random
// non-overlapping placement of the selected blocks by backtracking).
#include "model/Shuffle.h"

#include <bit>
#include <utility>
#include <vector>

#include "model/History.h"
#include "model/Movement.h"

namespace vorpel {

std::uint32_t Random(std::uint32_t& state, std::uint32_t n) {
    state = state * 134775813u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t{state} * n) >> 32);
}

namespace {

// --- Game shuffle -----------------------------------------------------------------------

struct Candidate {
    std::int16_t block;
    std::int8_t columnDelta;
    std::int8_t rowDelta;
};

enum FreeSide : Byte { kRight = 1, kLeft = 2, kDown = 4, kUp = 8 };

// The free step test of every block at once: a side is blocked when a cell of the block has the
// board edge or another block's cell next to it on that side. Marks play no part.
void ListCandidates(const PlayBoard& b, std::vector<Byte>& blockedSides,
                    std::vector<Candidate>& candidates) {
    blockedSides.assign(static_cast<std::size_t>(b.blockCount) + 1, 0);
    const auto other = [&](int r, int c, int self) {
        const int index = b.BlockIndexAt(r, c);
        return index != 0 && index != self;
    };
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c) {
            const int index = b.BlockIndexAt(r, c);
            if (index <= kFrameBlock) continue;
            Byte& sides = blockedSides[static_cast<std::size_t>(index)];
            if (c + 1 >= b.columns || other(r, c + 1, index)) sides |= kRight;
            if (c == 0 || other(r, c - 1, index)) sides |= kLeft;
            if (r + 1 >= b.rows || other(r + 1, c, index)) sides |= kDown;
            if (r == 0 || other(r - 1, c, index)) sides |= kUp;
        }
    }
    candidates.clear();
    for (int i = kFirstBlock; i <= b.blockCount; ++i) {
        const Block& blk = b.blocks[i];
        if (blk.removed || NeverShuffled(blk.kind)) continue;
        const Byte sides = blockedSides[static_cast<std::size_t>(i)];
        const auto add = [&](int rowDelta, int columnDelta) {
            candidates.push_back({static_cast<std::int16_t>(i),
                                  static_cast<std::int8_t>(columnDelta),
                                  static_cast<std::int8_t>(rowDelta)});
        };
        if (!MovesOnlyVertically(blk.kind)) {
            if (!(sides & kRight)) add(0, 1);
            if (!(sides & kLeft)) add(0, -1);
        }
        if (!MovesOnlyHorizontally(blk.kind)) {
            if (!(sides & kDown)) add(1, 0);
            if (!(sides & kUp)) add(-1, 0);
        }
    }
}

// --- Editor shuffle ---------------------------------------------------------------------

// Lets pending events run once every `limit` units of work; true when a stop was asked for.
class Pacer {
public:
    Pacer(Context& ctx, std::stop_token stop, int limit)
        : ctx_(ctx), stop_(std::move(stop)), limit_(limit) {}
    bool Tick() {
        if (++count_ <= limit_) return false;
        count_ = 0;
        ctx_.platform->ProcessEvents();
        return stop_.stop_requested();
    }

private:
    Context& ctx_;
    std::stop_token stop_;
    int limit_;
    int count_ = 0;
};

// A gathered block moved so that its bounding box starts at the area's top left corner.
struct Shape {
    int height = 0;
    int width = 0;
    std::vector<std::uint64_t> rows;
    bool operator==(const Shape&) const = default;
};

// Offsets packed as row offset * 256 + column offset.
struct PositionList {
    int current = 0;
    std::vector<std::uint16_t> candidates;
};

constexpr int RowOffset(std::uint16_t offset) {
    return offset >> 8;
}
constexpr int ColumnOffset(std::uint16_t offset) {
    return offset & 0xFF;
}

// Whether the shape at an offset from (top, left) meets `cells`.
bool Meets(const Shape& s, std::uint16_t offset, int top, const RowSet& cells) {
    for (int k = 0; k < s.height; ++k)
        if (cells.row[top + RowOffset(offset) + k] & (s.rows[k] >> ColumnOffset(offset)))
            return true;
    return false;
}

void Mark(const Shape& s, std::uint16_t offset, int top, RowSet& cells, bool on) {
    for (int k = 0; k < s.height; ++k) {
        const std::uint64_t word = s.rows[k] >> ColumnOffset(offset);
        std::uint64_t& row = cells.row[top + RowOffset(offset) + k];
        row = on ? row | word : row & ~word;
    }
}

// Orders the lists by candidate count, smallest first; ties keep the order this partition
// scheme gives them, which the results depend on.
void SortByCount(std::vector<int>& order, const std::vector<PositionList>& lists, int low,
                 int high) {
    const auto count = [&](int k) { return lists[order[k]].candidates.size(); };
    int i = low, j = high;
    const std::size_t pivot = count((low + high) / 2);
    do {
        while (count(i) < pivot) ++i;
        while (count(j) > pivot) --j;
        if (i <= j) {
            std::swap(order[i], order[j]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (low < j) SortByCount(order, lists, low, j);
    if (i < high) SortByCount(order, lists, i, high);
}

// Places the lists in sorted order by backtracking; each list's current candidate is then where
// its block goes.
ShuffleOutcome Place(Context& ctx, const std::stop_token& stop, const std::vector<Shape>& shapes,
                     std::vector<PositionList>& lists, const std::vector<int>& order, int top) {
    Pacer pacer(ctx, stop, 10000);
    RowSet occupied;
    const int count = static_cast<int>(order.size());
    int i = 0;
    for (;;) {
        if (pacer.Tick()) return ShuffleOutcome::kStopped;
        PositionList& list = lists[order[i]];
        const Shape& shape = shapes[order[i]];
        const std::uint16_t offset = list.candidates[list.current];
        if (!Meets(shape, offset, top, occupied)) {
            Mark(shape, offset, top, occupied, true);
            if (++i == count) return ShuffleOutcome::kCompleted;
            continue;
        }
        --list.current;
        while (lists[order[i]].current < 0) {
            if (i == 0) return ShuffleOutcome::kFailed;
            PositionList& exhausted = lists[order[i]];
            exhausted.current = static_cast<int>(exhausted.candidates.size()) - 1;
            --i;
            PositionList& back = lists[order[i]];
            Mark(shapes[order[i]], back.candidates[back.current], top, occupied, false);
            --back.current;
        }
    }
}

ShuffleOutcome ShuffleGathered(Context& ctx, const std::stop_token& stop,
                               const std::vector<int>& gathered, const RowSet& area,
                               const Bounds& box, std::uint32_t& state, std::vector<Shape>& shapes,
                               std::vector<PositionList>& lists) {
    const PlayBoard& b = ctx.board;
    const int n = b.LastRow();
    const int areaHeight = box.lastRow - box.firstRow + 1;
    const int areaWidth = box.lastColumn - box.firstColumn + 1;

    Pacer listing(ctx, stop, 10);
    shapes.resize(gathered.size());
    lists.resize(gathered.size());
    for (std::size_t g = 0; g < gathered.size(); ++g) {
        if (listing.Tick()) return ShuffleOutcome::kStopped;
        const Block& blk = b.blocks[gathered[g]];
        const Bounds own = blk.cells.BoundingBox(n);
        Shape& shape = shapes[g];
        shape.height = own.lastRow - own.firstRow + 1;
        shape.width = own.lastColumn - own.firstColumn + 1;
        for (int k = 0; k < shape.height; ++k)
            shape.rows.push_back(
                ShiftColumns(blk.cells.row[own.firstRow + k], box.firstColumn - own.firstColumn));
        bool copied = false;
        for (std::size_t e = 0; e < g && !copied; ++e) {
            if (listing.Tick()) return ShuffleOutcome::kStopped;
            if (shapes[e] == shape) {
                lists[g].candidates = lists[e].candidates;
                copied = true;
            }
        }
        if (!copied) {
            for (int dr = 0; dr <= areaHeight - shape.height; ++dr)
                for (int dc = 0; dc <= areaWidth - shape.width; ++dc) {
                    bool inside = true;
                    for (int k = 0; k < shape.height && inside; ++k)
                        inside = ((shape.rows[k] >> dc) & ~area.row[box.firstRow + dr + k]) == 0;
                    if (inside)
                        lists[g].candidates.push_back(static_cast<std::uint16_t>(dr << 8 | dc));
                }
        }
        lists[g].current = static_cast<int>(lists[g].candidates.size()) - 1;
    }

    Pacer mixing(ctx, stop, 100);
    for (PositionList& list : lists) {
        if (mixing.Tick()) return ShuffleOutcome::kStopped;
        for (std::size_t k = list.candidates.size(); k-- > 1;) {
            const std::uint32_t j = Random(state, static_cast<std::uint32_t>(k));
            std::swap(list.candidates[k], list.candidates[j]);
        }
    }

    std::vector<int> order(gathered.size());
    for (std::size_t g = 0; g < order.size(); ++g) order[g] = static_cast<int>(g);
    SortByCount(order, lists, 0, static_cast<int>(order.size()) - 1);
    return Place(ctx, stop, shapes, lists, order, box.firstRow);
}

} // namespace

bool ShuffleBlocks(Context& ctx, std::stop_token stop) {
    if (!ctx.platform->AskYesNo({kShuffleQuestion})) return false;
    GameShuffle(ctx, std::move(stop));
    return true;
}

void GameShuffle(Context& ctx, std::stop_token stop, const std::function<void(int)>& progress) {
    PlayBoard& b = ctx.board;
    if (b.blockCount <= kFrameBlock) return;
    std::uint32_t state = ctx.options.seed;
    // These moves are no history steps, and the board is rebuilt from their result.
    b.journal.recording = false;
    std::vector<Byte> blockedSides;
    std::vector<Candidate> candidates;
    candidates.reserve(25);
    for (int move = 0; move < kGameShuffleMoves && !stop.stop_requested(); ++move) {
        ListCandidates(b, blockedSides, candidates);
        if (candidates.empty()) break;
        const Candidate pick =
            candidates[Random(state, static_cast<std::uint32_t>(candidates.size()))];
        b.selectedBlock = pick.block;
        b.selectedRow = b.blocks[pick.block].anchorRow;
        b.selectedColumn = b.blocks[pick.block].anchorColumn;
        DoStep(b, RulesOf(ctx.options, ctx.editing), pick.rowDelta, pick.columnDelta, nullptr,
               false, true);
        if (progress) progress(move);
        ctx.platform->ProcessEvents();
    }
    ctx.options.seed = state;

    Level& level = ctx.CurrentLevel();
    level.ClearHistory();
    StoreLayout(b, level);
    b.selectedBlock = 0;
    RebuildBoard(ctx);
}

ShuffleOutcome EditorShuffle(Context& ctx, CellSelection& selected, std::stop_token stop) {
    Level& level = ctx.CurrentLevel();
    const int position = level.currentStep;
    // The stored layout is what gets shuffled, whatever position the board shows.
    RebuildBoard(ctx);
    PlayBoard& b = ctx.board;
    const int n = b.LastRow();

    RowSet selection = selected.cells;
    for (int r = 0; r < kMaxRows; ++r) selection.row[r] &= r < b.rows ? FullRow(b.columns) : 0;
    std::vector<int> gathered;
    RowSet area = selection;
    for (int i = kFrameBlock; i <= b.blockCount; ++i) {
        const Block& blk = b.blocks[i];
        if (blk.removed || blk.kind == kSwitchKind || Disjoint(blk.cells, selection, n)) continue;
        gathered.push_back(i);
        area.UnionWith(blk.cells, n);
    }

    ShuffleOutcome outcome = ShuffleOutcome::kFailed;
    std::uint32_t state = ctx.options.seed;
    std::vector<Shape> shapes;
    std::vector<PositionList> lists;
    const Bounds box = area.BoundingBox(n);
    if (!gathered.empty()) {
        outcome = ShuffleGathered(ctx, stop, gathered, area, box, state, shapes, lists);
    }
    if (outcome != ShuffleOutcome::kCompleted) {
        if (position != 0) {
            level.currentStep = position;
            ShowCurrentLevel(ctx);
        }
        return outcome;
    }

    ctx.options.seed = state;
    ForEachCell(area, b.rows, b.columns, [&](int r, int c) {
        level.blockLayer.Set(r, c, kEmptyKind);
        level.idLayer.Set(r, c, 0);
    });
    for (std::size_t g = 0; g < gathered.size(); ++g) {
        const Block& blk = b.blocks[gathered[g]];
        const Shape& shape = shapes[g];
        const std::uint16_t offset = lists[g].candidates[lists[g].current];
        for (int k = 0; k < shape.height; ++k) {
            const int r = box.firstRow + RowOffset(offset) + k;
            std::uint64_t word = shape.rows[k] >> ColumnOffset(offset);
            while (word) {
                const int c = std::countl_zero(word);
                word &= ~ColumnMask(c);
                level.blockLayer.Set(r, c, blk.kind);
                level.idLayer.Set(r, c, blk.id);
            }
        }
    }
    level.ClearHistory();
    if (!selection.IsEmpty(n)) {
        selected.saved = selection;
        selected.cells.Clear();
    }
    RebuildBoard(ctx);
    return ShuffleOutcome::kCompleted;
}

} // namespace vorpel
