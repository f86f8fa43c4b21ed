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
    // Open addressing: what the cell shows (never 0) in the high half, picture number in the
    // low half; 0 is an empty slot.
    std::vector<std::uint64_t> slots;
    std::size_t count = 0;
    std::vector<std::uint8_t> pictures; // cellSize² bytes each
    // Whether DrawBoard also keeps the layers of patterned kinds; tests turn it off to compare
    // with drawing every layer.
    bool reuseLayers = true;
};

// Empties the cache unless it already serves this cell size, font and annotation setting and
// holds less than its byte limit.
void PrepareCellCache(CellPictureCache& cache, int cellSize, const GlyphRasterizer* font,
                      bool annotated);
// The slot of the picture of `key`, or null.
const std::uint64_t* FindPicture(const CellPictureCache& cache, std::uint32_t key);
// Copies the s × s cell at `origin` (a canvas row stride apart) into the cache under `key`.
void AddPicture(CellPictureCache& cache, std::uint32_t key, const std::uint8_t* origin);
// Copies picture `slot` from the cache to the canvas at `to`.
void CopyPicture(const CellPictureCache& cache, const std::uint64_t& slot, std::uint8_t* to);

} // namespace vorpel
