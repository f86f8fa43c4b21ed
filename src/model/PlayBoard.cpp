// Building the play board from a level, outline flags and the cell queries.
#include "model/PlayBoard.h"

#include <algorithm>
#include <bitset>
#include <cassert>
#include <memory>

namespace vorpel {

int BlockFinder::Find(Byte kind, std::int16_t id) const {
    const std::uint32_t key = Key(kind, id);
    for (std::uint32_t h = Hash(key);; h = (h + 1) & kMask) {
        if (stamp_[h] != generation_) return 0;
        if (key_[h] == key) return value_[h];
    }
}

void BlockFinder::Add(Byte kind, std::int16_t id, int block) {
    const std::uint32_t key = Key(kind, id);
    std::uint32_t h = Hash(key);
    while (stamp_[h] == generation_) h = (h + 1) & kMask;
    stamp_[h] = generation_;
    key_[h] = key;
    value_[h] = block;
}

void BlockFinder::NewBuild() {
    if (stamp_.empty()) {
        stamp_.assign(kSize, 0);
        key_.assign(kSize, 0);
        value_.assign(kSize, 0);
    }
    if (++generation_ == 0) {
        std::fill(stamp_.begin(), stamp_.end(), 0u);
        generation_ = 1;
    }
}

Block& PlayBoard::Touch(int index) {
    Block& b = blocks[index];
    if (journal.recording && journal.blockStamp[index] != journal.stamp) {
        journal.blockStamp[index] = journal.stamp;
        StepJournal::SavedBlock s{};
        s.index = index;
        s.fields = b;
        const RowSpan saved = b.cells.OccupiedRows(b.extraCells, LastRow());
        const int first = saved.IsEmpty() ? rows : saved.first;
        const int last = saved.IsEmpty() ? -1 : saved.last;
        s.firstRow = static_cast<std::int8_t>(first);
        s.lastRow = static_cast<std::int8_t>(last);
        s.wordOffset = static_cast<std::uint32_t>(journal.words.size());
        for (int r = first; r <= last; ++r) journal.words.push_back(b.cells.row[r]);
        for (int r = first; r <= last; ++r) journal.words.push_back(b.extraCells.row[r]);
        journal.blocks.push_back(s);
    }
    return b;
}

RowSet& PlayBoard::DerivedSet(StepJournal::SetId id) {
    RowSet* sets[] = {&holeCells,      &slideCells, &destinationCells, &waterCells,
                      &dontCoverCells, &glueCells,  &keyholeRing};
    return *sets[id];
}

RowSet& PlayBoard::TouchSet(StepJournal::SetId id) {
    RowSet& set = DerivedSet(id);
    const auto bit = static_cast<std::uint8_t>(1u << id);
    if (journal.recording && !(journal.setsSaved & bit)) {
        journal.setsSaved |= bit;
        journal.sets.emplace_back(id, set);
    }
    return set;
}

int PlayBoard::AppendBlock(Byte kind, std::int16_t id, int row, int column) {
    assert(blockCount + 1 < kBlockTableSize);
    // Never reallocates: callers hold references to other entries across an append.
    assert(blocks.capacity() >= static_cast<std::size_t>(kBlockTableSize));
    const int index = ++blockCount;
    if (static_cast<std::size_t>(index) == blocks.size())
        blocks.emplace_back();
    else
        blocks[static_cast<std::size_t>(index)] = Block{};
    Block& b = blocks[static_cast<std::size_t>(index)];
    b.kind = kind;
    b.id = id;
    b.anchorRow = static_cast<std::int8_t>(row);
    b.anchorColumn = static_cast<std::int8_t>(column);
    return index;
}

bool StepJournal::HasPending() const {
    const Entry* last = entries.empty() ? nullptr : &entries.back();
    return blocks.size() != (last ? last->blockEnd : 0) ||
           mapCells.size() != (last ? last->mapEnd : 0) ||
           markCells.size() != (last ? last->markEnd : 0) ||
           sets.size() != (last ? last->setEnd : 0);
}

void StepJournal::Reset(std::int32_t position, std::int32_t blockCount, bool bricks) {
    entries.clear();
    blocks.clear();
    words.clear();
    mapCells.clear();
    markCells.clear();
    sets.clear();
    if (blockStamp.size() != static_cast<std::size_t>(kBlockTableSize))
        blockStamp.assign(kBlockTableSize, 0);
    ++stamp;
    setsSaved = 0;
    base = position;
    openBlockCount = blockCount;
    bricksCompatibility = bricks;
}

JournalMark MarkJournal(PlayBoard& b) {
    StepJournal& j = b.journal;
    ++j.stamp;
    j.setsSaved = 0;
    return {static_cast<std::uint32_t>(j.blocks.size()),
            static_cast<std::uint32_t>(j.words.size()),
            static_cast<std::uint32_t>(j.mapCells.size()),
            static_cast<std::uint32_t>(j.markCells.size()),
            static_cast<std::uint32_t>(j.sets.size()),
            b.blockCount};
}

void RevertToMark(PlayBoard& b, const JournalMark& m) {
    StepJournal& j = b.journal;
    for (auto k = static_cast<std::uint32_t>(j.sets.size()); k-- > m.sets;)
        b.DerivedSet(j.sets[k].first) = j.sets[k].second;
    for (auto k = static_cast<std::uint32_t>(j.markCells.size()); k-- > m.markCells;)
        b.marks[j.markCells[k].first] = j.markCells[k].second;
    for (auto k = static_cast<std::uint32_t>(j.mapCells.size()); k-- > m.mapCells;)
        b.blockAt[j.mapCells[k].first] = j.mapCells[k].second;
    for (auto k = static_cast<std::uint32_t>(j.blocks.size()); k-- > m.blocks;) {
        const StepJournal::SavedBlock& s = j.blocks[k];
        Block& blk = b.blocks[s.index];
        static_cast<BlockFields&>(blk) = s.fields;
        // A block's cells lie on the board's rows; the rows below stay empty.
        blk.cells.ClearRows(b.LastRow());
        blk.extraCells.ClearRows(b.LastRow());
        const int height = s.lastRow - s.firstRow + 1;
        for (int r = 0; r < height; ++r) {
            blk.cells.row[s.firstRow + r] = j.words[s.wordOffset + r];
            blk.extraCells.row[s.firstRow + r] = j.words[s.wordOffset + height + r];
        }
    }
    b.blockCount = m.blockCount;
    j.blocks.resize(m.blocks);
    j.words.resize(m.words);
    j.mapCells.resize(m.mapCells);
    j.markCells.resize(m.markCells);
    j.sets.resize(m.sets);
    ++j.stamp;
    j.setsSaved = 0;
}

std::size_t StepJournal::Bytes() const {
    return entries.size() * sizeof(Entry) + blocks.size() * sizeof(SavedBlock) +
           words.size() * sizeof(std::uint64_t) + mapCells.size() * 8 + markCells.size() * 4 +
           sets.size() * sizeof(sets[0]);
}

namespace {

void AddMarkToSets(PlayBoard& board, Byte mark, int r, int c, RowSet& switches) {
    switch (mark) {
    case kHoleMark:
        board.holeCells.Set(r, c);
        board.slideCells.Set(r, c);
        break;
    case kIceMark:
        board.slideCells.Set(r, c);
        break;
    case kDestinationMark:
        board.destinationCells.Set(r, c);
        break;
    case kWaterMark:
        board.waterCells.Set(r, c);
        break;
    case kDontCoverMark:
        board.dontCoverCells.Set(r, c);
        break;
    case kGlueMark:
        board.glueCells.Set(r, c);
        break;
    case kSwitchMark:
        switches.Set(r, c);
        break;
    default:
        break;
    }
}

} // namespace

int BuildPlayBoard(LevelCollection& collection, PlayBoard& board) {
    BlockFinder* finder = &board.finder;
    finder->NewBuild();

    board.rows = board.columns = 0;
    board.teleporterRow = board.teleporterColumn = -1;
    board.hasColourOrLetterGoals = false;
    board.teleporterRowSpan = board.teleporterColumnSpan = 0;
    for (RowSet* s :
         {&board.holeCells, &board.slideCells, &board.destinationCells, &board.waterCells,
          &board.dontCoverCells, &board.glueCells, &board.keyholeRing})
        s->Clear();
    board.blockAt.fill(0);
    board.journal.recording = false;
    board.blocks.reserve(kBlockTableSize);
    board.blocks[0] = Block{};
    board.blocks[0].removed = 1;
    board.blocks[1] = Block{};
    board.blocks[kFrameBlock].kind = kWallKind;
    board.blockCount = 1;

    if (collection.currentLevel < 0) collection.currentLevel = collection.lastLevel();
    if (collection.currentLevel > collection.lastLevel()) collection.currentLevel = 0;
    Level& level = collection.Current();
    const int result = level.currentStep;
    level.currentStep = 0;
    board.rows = level.rows;
    board.columns = level.columns;

    RowSet switches;
    Block& frame = board.blocks[kFrameBlock];
    for (int r = 0; r < board.rows; ++r) {
        for (int c = 0; c < board.columns; ++c) {
            const int cell = CellIndex(r, c);
            const Byte mark = level.markLayer.At(r, c);
            board.marks[cell] = mark;
            if (IsRoundColour(mark)) board.hasColourOrLetterGoals = true;
            AddMarkToSets(board, mark, r, c, switches);
            Byte kind = level.blockLayer.At(r, c);
            if (kind == kWallKind || kind == kKeyholeKind) {
                frame.cells.Set(r, c);
                if (kind == kKeyholeKind) frame.extraCells.Set(r, c);
                board.blockAt[cell] = kFrameBlock;
                continue;
            }
            if (kind == kEmptyKind) continue;
            const std::int16_t id = level.idLayer.At(r, c);
            if (id < 0) board.hasColourOrLetterGoals = true;
            int index = 0;
            const bool extra =
                kind == kBarrierKind || kind == kMasterTireKind || kind == kNormalTireKind;
            if (kind == kWeakBarrierKind)
                kind = kBarrierKind;
            else if (kind == kMasterTireKind)
                kind = kMasterKind;
            else if (kind == kNormalTireKind)
                kind = kNormalKind;
            if (kind == kTeleporterKind) {
                board.teleporterRow = r;
                board.teleporterColumn = c;
                board.teleporterRowSpan = std::min(r, board.rows - r);
                board.teleporterColumnSpan = std::min(c, board.columns - c);
                index = board.AppendBlock(kind, id, r, c);
            } else {
                index = finder->Find(kind, id);
                if (index == 0) {
                    index = board.AppendBlock(kind, id, r, c);
                    finder->Add(kind, id, index);
                }
            }
            Block& b = board.blocks[index];
            b.cells.Set(r, c);
            if (extra) b.extraCells.Set(r, c);
            board.blockAt[cell] = index;
        }
    }
    // Rows and columns beyond the level keep stale marks otherwise; keep them plain.
    for (int r = 0; r < kMaxRows; ++r)
        for (int c = (r < board.rows ? board.columns : 0); c < kMaxColumns; ++c)
            board.marks[CellIndex(r, c)] = kPlainMark;

    board.keyholeRing.NeighbourRingOf(frame.extraCells, board.LastRow());

    if (!switches.IsEmpty(board.LastRow())) {
        auto used = std::make_unique<std::bitset<32768>>();
        for (int i = kFirstBlock; i <= board.blockCount; ++i)
            if (board.blocks[i].id >= 0) used->set(static_cast<std::size_t>(board.blocks[i].id));
        int nextId = 2;
        int r = 0, c = 0;
        while (switches.TakeNextCell(board.rows, board.columns, r, c)) {
            while (nextId < 32767 && used->test(static_cast<std::size_t>(nextId))) ++nextId;
            const int index =
                board.AppendBlock(kSwitchKind, static_cast<std::int16_t>(nextId), r, c);
            board.blocks[index].cells.Set(r, c);
            ++nextId;
        }
    }
    // A held block of the previous board would name an unrelated or unused entry.
    if (board.selectedBlock > board.blockCount) board.selectedBlock = 0;
    board.journal.Reset(0, board.blockCount, false);
    return result;
}

Byte DisplayCharOfBlock(const PlayBoard& board, int block, int row, int column) {
    if (block == 0) return kEmptyKind;
    const Block& b = board.blocks[block];
    const bool extra = b.extraCells.Test(row, column);
    switch (b.kind) {
    case kNormalKind:
        return extra ? kNormalTireKind : kNormalKind;
    case kMasterKind:
        return extra ? kMasterTireKind : kMasterKind;
    case kBarrierKind:
        return extra ? kBarrierKind : kWeakBarrierKind;
    case kWallKind:
        return extra ? kKeyholeKind : kWallKind;
    default:
        return b.kind;
    }
}

void StoreLayout(const PlayBoard& board, Level& level) {
    for (int r = 0; r < board.rows; ++r)
        for (int c = 0; c < board.columns; ++c) {
            const int index = board.BlockIndexAt(r, c);
            level.markLayer.Set(r, c, board.MarkAt(r, c));
            level.blockLayer.Set(r, c, DisplayCharOfBlock(board, index, r, c));
            level.idLayer.Set(r, c, index == 0 ? std::int16_t{0} : board.blocks[index].id);
        }
}

Byte DisplayChar(const PlayBoard& board, int row, int column) {
    return DisplayCharOfBlock(board, board.BlockIndexAt(row, column), row, column);
}

bool DisplayedBlockNumber(const PlayBoard& board, int row, int column, int& number) {
    const int index = board.BlockIndexAt(row, column);
    if (index < kFirstBlock) return false;
    const Block& b = board.blocks[index];
    number = b.id < 0 ? b.id : index - kFirstBlock;
    return true;
}

} // namespace vorpel
