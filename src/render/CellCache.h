// The cell cache: pictures of cells already drawn, found again by what they show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorpel {

class GlyphRasterizer;

// Pictures of cells already drawn, by what they show, so that a repaint copies most cells
// instead of drawing them again. Valid for one cell size, font and annotation setting.
struct CellPictureCache {
    int cellSize = -1;
    const GlyphRasterizer* font = nullptr;
    bool annotated = false;
    // Open addressing: what the cell shows (never 0, below 2^46) above the picture number (below
    // 2^18: the byte limit and one board's worth of additions keep it so); 0 is an empty slot.
    std::vector<std::uint64_t> slots;
    std::size_t count = 0;
    // cellSize² bytes each; the first `used` bytes hold pictures, the rest is room already made.
    std::vector<std::uint8_t> pictures;
    std::size_t used = 0;
    // Whether DrawBoard also keeps the layers of patterned kinds and starts marked cells from
    // unmarked ones; tests turn it off to compare with drawing every cell whole.
    bool reuseLayers = true;
};

// Empties the cache unless it already serves this cell size, font and annotation setting and
// holds less than its byte limit.
void PrepareCellCache(CellPictureCache& cache, int cellSize, const GlyphRasterizer* font,
                      bool annotated);
// The slot of the picture of `key`, or null.
const std::uint64_t* FindPicture(const CellPictureCache& cache, std::uint64_t key);
// Copies the s × s cell at `origin` (a canvas row stride apart) into the cache under `key`.
void AddPicture(CellPictureCache& cache, std::uint64_t key, const std::uint8_t* origin);
// The pixels of picture `slot`, cellSize per row.
const std::uint8_t* PictureAt(const CellPictureCache& cache, const std::uint64_t& slot);
// Copies picture `slot` from the cache to the canvas at `to`.
void CopyPicture(const CellPictureCache& cache, const std::uint64_t& slot, std::uint8_t* to);

// Picture copies of one row of cells, held back and then made canvas row by canvas row, so that
// the canvas is written in address order rather than a cell's height of rows at a time.
class PendingCopies {
public:
    void Add(const std::uint64_t& slot, std::uint8_t* to) { copies_.push_back({to, slot}); }
    // Makes every copy held back. Each copy writes its own cell only, so the order of the copies
    // among themselves, and against writes to other cells, never shows.
    void Flush(const CellPictureCache& cache);

private:
    struct Copy {
        std::uint8_t* to;
        std::uint64_t slot;
    };
    std::vector<Copy> copies_;
};

} // namespace vorpel
