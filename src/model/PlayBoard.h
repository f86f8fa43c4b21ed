// The play board: the cell-to-block map, the block table and the derived cell sets.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/Level.h"
#include "model/RowSet.h"

namespace vorpel {

inline constexpr int kBlockTableSize = 8451;
inline constexpr int kEmptyBlock = 0;
inline constexpr int kFrameBlock = 1;
// The index of the level's first own block; every block index from here up is a real block.
inline constexpr int kFirstBlock = 2;

// Everything of a block but its cells.
struct BlockFields {
    Byte kind = kEmptyKind;
    Byte bricksPiece = 0;
    std::int8_t anchorRow = 0;
    std::int8_t anchorColumn = 0;
    std::int32_t link = 0; // next joined magnet, or a box's push count
    std::int16_t id = 0;
    Byte visited = 0;
    Byte removed = 0;
};

struct Block : BlockFields {
    RowSet cells;
    RowSet extraCells; // tire cells, a barrier's strong cells, the frame's keyholes
};

// Records what each applied step changed, so that going back over steps with side effects
// restores the earlier board without rebuilding it and replaying the history.
class StepJournal {
public:
    // Derived cell sets the rules can change, saved whole when first touched in a step.
    enum SetId : std::uint8_t {
        kHoles,
        kSlide,
        kDestinations,
        kWater,
        kDontCover,
        kGlue,
        kKeyholeRing
    };

    bool recording = false; // logging mutations into the open step
    std::int32_t base = 0;  // history position of the state before entry 0
    bool bricksCompatibility = false;

    struct SavedBlock {
        std::int32_t index;
        BlockFields fields;
        std::int8_t firstRow, lastRow;
        std::uint32_t wordOffset; // cells rows then extraCells rows in `words`
    };
    struct Entry {
        std::uint32_t blockEnd, wordEnd, mapEnd, markEnd, setEnd;
        std::int32_t blockCountBefore;
        std::int32_t selectedAfter;
        bool blocked; // a replayed record that was refused and changed nothing
    };

    std::vector<Entry> entries;
    std::vector<SavedBlock> blocks;
    std::vector<std::uint64_t> words;
    std::vector<std::pair<std::int32_t, std::int32_t>> mapCells;
    std::vector<std::pair<std::int16_t, Byte>> markCells;
    std::vector<std::pair<SetId, RowSet>> sets;
    std::vector<std::uint32_t> blockStamp; // stamp of the open step that last saved a block
    std::uint32_t stamp = 1;
    std::uint8_t setsSaved = 0;
    std::int32_t openBlockCount = 0;

    bool HasPending() const;
    void Reset(std::int32_t position, std::int32_t blockCount, bool bricks);
    std::size_t Bytes() const;
};

// Finds blocks by (kind, identifier) while the board is built, without clearing a table.
class BlockFinder {
public:
    int Find(Byte kind, std::int16_t id) const; // 0 when absent
    void Add(Byte kind, std::int16_t id, int block);
    void NewBuild();

private:
    static constexpr std::uint32_t kSize = 16384, kMask = kSize - 1;
    static std::uint32_t Key(Byte kind, std::int16_t id) {
        return std::uint32_t{kind} << 16 | static_cast<std::uint16_t>(id);
    }
    static std::uint32_t Hash(std::uint32_t key) { return (key * 2654435761u) >> 18; }
    std::vector<std::uint32_t> stamp_, key_;
    std::vector<std::int32_t> value_;
    std::uint32_t generation_ = 0;
};

// One block of the moving group of a step, with the displacement it gets.
struct MovingEntry {
    std::int32_t block;
    std::int32_t columnDelta;
    std::int32_t rowDelta;
};

struct PlayBoard {
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::array<Byte, kCells> marks{};
    std::array<std::int32_t, kCells> blockAt{}; // cell-to-block map, 0 = no block
    // Grown only as blocks are added, so a board costs nothing for the thousands of entries it
    // never uses; BuildPlayBoard reserves the whole table, so references survive appends.
    std::vector<Block> blocks = std::vector<Block>(2);
    std::int32_t blockCount = 1;

    RowSet holeCells, slideCells, destinationCells, waterCells, dontCoverCells, glueCells;
    RowSet keyholeRing;

    // Whether the level has round marks or alphanumeric blocks, whose goals only a cell-by-cell
    // solved test sees.
    bool hasColourOrLetterGoals = false;

    std::int32_t teleporterRow = -1;
    std::int32_t teleporterColumn = -1;
    std::int32_t teleporterRowSpan = 0;
    std::int32_t teleporterColumnSpan = 0;

    std::int32_t selectedBlock = 0;
    std::int32_t selectedRow = 0;
    std::int32_t selectedColumn = 0;

    StepJournal journal;
    BlockFinder finder;              // build scratch
    std::vector<MovingEntry> moving; // the moving list of the step under way

    int LastRow() const { return rows - 1; }
    bool Inside(int r, int c) const { return r >= 0 && r < rows && c >= 0 && c < columns; }
    int BlockIndexAt(int r, int c) const { return blockAt[CellIndex(r, c)]; }
    Byte MarkAt(int r, int c) const { return marks[CellIndex(r, c)]; }

    // Mutations that the step journal must see.
    void SetMap(int cell, std::int32_t block) {
        if (journal.recording && blockAt[cell] != block)
            journal.mapCells.emplace_back(cell, blockAt[cell]);
        blockAt[cell] = block;
    }
    void SetMark(int cell, Byte mark) {
        if (journal.recording && marks[cell] != mark)
            journal.markCells.emplace_back(static_cast<std::int16_t>(cell), marks[cell]);
        marks[cell] = mark;
    }
    // Call before changing any field of a block other than `visited`.
    Block& Touch(int index);
    RowSet& TouchSet(StepJournal::SetId id);
    RowSet& DerivedSet(StepJournal::SetId id);
    // Appends a fresh block entry and returns its index.
    int AppendBlock(Byte kind, std::int16_t id, int row, int column);
};

// A point in the step journal's log: the board can be taken back to it, so that a search can
// try a step and undo it without rebuilding the board. Taking a mark starts a fresh stamp, so
// every block and set changed after it is saved again.
struct JournalMark {
    std::uint32_t blocks, words, mapCells, markCells, sets;
    std::int32_t blockCount;
};
JournalMark MarkJournal(PlayBoard& board);
// Undoes every change logged after `mark` and drops those log entries.
void RevertToMark(PlayBoard& board, const JournalMark& mark);

// Builds the board from the collection's current level (clamping `currentLevel`); returns the
// level's `currentStep` and sets it to 0, so the caller replays up to the returned value.
int BuildPlayBoard(LevelCollection& collection, PlayBoard& board);

// Writes the board's blocks and marks as they stand into the level's layers, as the level text
// would lay them out; the history is left alone.
void StoreLayout(const PlayBoard& board, Level& level);

// The character a cell shows: tire, weak barrier and keyhole cells as their own characters.
Byte DisplayChar(const PlayBoard& board, int row, int column);
Byte DisplayCharOfBlock(const PlayBoard& board, int block, int row, int column);
// The number shown for the block in a cell (index - kFirstBlock, or the negative id of an
// alphanumeric block); false for no block and for the frame.
bool DisplayedBlockNumber(const PlayBoard& board, int row, int column, int& number);

} // namespace vorpel
