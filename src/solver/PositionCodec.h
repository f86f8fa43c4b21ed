// The compact form of a position for the general search: only what a step can change, against
// the level's start board that every position shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/PlayBoard.h"

namespace vorpel {

class PositionCodec {
public:
    // Learns the level from its start board: which blocks can move, which are alike, which
    // marks and blocks the rules can change.
    explicit PositionCodec(const PlayBoard& start);

    // Appends the position's encoding to `out`. Two positions get the same bytes exactly when
    // the rules cannot tell them apart: blocks of one kind and shape are taken as alike.
    void Encode(const PlayBoard& board, std::vector<std::uint8_t>& out) const;

    // Whether every position is the start board with blocks moved or taken off (no mark,
    // join, switch or barrier ever changes), so that Decode can rebuild it; then every
    // encoding has FixedBytes() bytes.
    bool Decodable() const { return decodable_; }
    std::size_t FixedBytes() const { return fixedBytes_; }
    // Brings a board that shows a position of this level to the encoded one (Decodable only).
    void Decode(const std::uint8_t* code, PlayBoard& board) const;

private:
    // Blocks the rules cannot tell apart, placed by the rank of their anchor among the cells
    // where such a block fits.
    struct Class {
        Byte kind = 0;
        std::int16_t id = 0; // kept for lettered blocks only
        bool removable = false;
        int bits = 0;
        int anchorRow = 0, anchorColumn = 0;
        // Rows of the shape as placed at the start anchor: row offset and row word.
        std::vector<std::pair<int, std::uint64_t>> shape, extra;
        std::vector<int> blocks;
        std::vector<std::uint16_t> rankOf; // by cell index; kNoRank where it cannot stand
        std::vector<std::uint16_t> cellOf; // by rank
        std::uint16_t Sentinel() const { return static_cast<std::uint16_t>(cellOf.size()); }
    };
    static constexpr std::uint16_t kNoRank = 0xFFFF;

    void EncodeClasses(const PlayBoard& board, std::uint8_t* out) const;
    void EncodeChanges(const PlayBoard& board, std::vector<std::uint8_t>& out) const;

    std::vector<Class> classes_;
    std::size_t fixedBytes_ = 0;
    bool decodable_ = true;
    int rows_ = 0, columns_ = 0;
    // Blocks whose kind, cells or strong cells the rules change (magnets, barriers, blockades
    // and switches), and the cells whose marks can change.
    std::vector<int> changingBlocks_;
    int startBlockCount_ = 0;
    std::vector<int> changingCells_;
};

} // namespace vorpel
