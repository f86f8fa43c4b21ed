// The cell cache: an open-addressing table of keys and the cell pictures it points to.
#include "render/CellCache.h"

#include <cstring>

#include "render/CellSize.h"

namespace vorpel {
namespace {

// Cell pictures kept before the cache starts afresh.
constexpr std::size_t kCachedBytes = std::size_t(16) << 20;

std::size_t SlotOf(std::uint32_t key, std::size_t mask) {
    return std::size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

// A short row: fixed-size block copies, which compile to vector moves, rather than a library
// call per row.
void CopyRow(std::uint8_t* to, const std::uint8_t* from, std::size_t n) {
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) std::memcpy(to + i, from + i, 16);
    if (i + 8 <= n) {
        std::memcpy(to + i, from + i, 8);
        i += 8;
    }
    for (; i < n; ++i) to[i] = from[i];
}

} // namespace

void PrepareCellCache(CellPictureCache& cache, int cellSize, const GlyphRasterizer* font,
                      bool annotated) {
    if (cache.cellSize == cellSize && cache.font == font && cache.annotated == annotated &&
        cache.pictures.size() <= kCachedBytes)
        return;
    cache.cellSize = cellSize;
    cache.font = font;
    cache.annotated = annotated;
    cache.slots.assign(1024, 0);
    cache.count = 0;
    cache.pictures.clear();
}

const std::uint64_t* FindPicture(const CellPictureCache& cache, std::uint32_t key) {
    const std::size_t mask = cache.slots.size() - 1;
    for (std::size_t i = SlotOf(key, mask);; i = (i + 1) & mask) {
        const std::uint64_t slot = cache.slots[i];
        if (slot == 0) return nullptr;
        if (slot >> 32 == key) return &cache.slots[i];
    }
}

void AddPicture(CellPictureCache& cache, std::uint32_t key, const std::uint8_t* origin) {
    const int s = cache.cellSize;
    const std::size_t area = std::size_t(s) * std::size_t(s);
    const auto picture = std::uint32_t(cache.pictures.size() / area);
    if (2 * (cache.count + 1) > cache.slots.size()) {
        std::vector<std::uint64_t> old(cache.slots.size() * 2, 0);
        old.swap(cache.slots);
        const std::size_t mask = cache.slots.size() - 1;
        for (const std::uint64_t slot : old) {
            if (slot == 0) continue;
            std::size_t i = SlotOf(std::uint32_t(slot >> 32), mask);
            while (cache.slots[i] != 0) i = (i + 1) & mask;
            cache.slots[i] = slot;
        }
    }
    const std::size_t mask = cache.slots.size() - 1;
    std::size_t i = SlotOf(key, mask);
    while (cache.slots[i] != 0) i = (i + 1) & mask;
    cache.slots[i] = std::uint64_t(key) << 32 | picture;
    ++cache.count;
    const std::size_t at = cache.pictures.size();
    cache.pictures.resize(at + area);
    std::uint8_t* to = cache.pictures.data() + at;
    for (int y = 0; y < s; ++y, to += s, origin += kCanvasSize) CopyRow(to, origin, std::size_t(s));
}

// A cell picture to the canvas; the widest cells, which fill the canvas, with fixed sizes.
void CopyPicture(const CellPictureCache& cache, const std::uint64_t& slot, std::uint8_t* to) {
    const int s = cache.cellSize;
    const std::uint8_t* from =
        cache.pictures.data() + std::size_t(std::uint32_t(slot)) * std::size_t(s) * std::size_t(s);
    if (s == 32) {
        for (int y = 0; y < 32; ++y, to += kCanvasSize, from += 32) std::memcpy(to, from, 32);
        return;
    }
    for (int y = 0; y < s; ++y, to += kCanvasSize, from += s) CopyRow(to, from, std::size_t(s));
}

} // namespace vorpel
