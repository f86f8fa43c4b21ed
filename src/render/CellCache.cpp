// The cell cache: an open-addressing table of keys and the cell pictures it points to.
#include "render/CellCache.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "render/CellSize.h"

namespace vorpel {
namespace {

// Cell pictures kept before the cache starts afresh.
constexpr std::size_t kCachedBytes = std::size_t(16) << 20;

constexpr int kPictureBits = 18;
constexpr std::uint64_t kPictureMask = (std::uint64_t(1) << kPictureBits) - 1;

std::size_t SlotOf(std::uint64_t key, std::size_t mask) {
    return std::size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

const std::uint8_t* PictureOf(const CellPictureCache& cache, std::uint64_t slot) {
    const std::size_t area = std::size_t(cache.cellSize) * std::size_t(cache.cellSize);
    return cache.pictures.data() + std::size_t(slot & kPictureMask) * area;
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
        cache.used <= kCachedBytes)
        return;
    cache.cellSize = cellSize;
    cache.font = font;
    cache.annotated = annotated;
    cache.slots.assign(1024, 0);
    cache.count = 0;
    cache.used = 0;
}

const std::uint64_t* FindPicture(const CellPictureCache& cache, std::uint64_t key) {
    const std::size_t mask = cache.slots.size() - 1;
    for (std::size_t i = SlotOf(key, mask);; i = (i + 1) & mask) {
        const std::uint64_t slot = cache.slots[i];
        if (slot == 0) return nullptr;
        if (slot >> kPictureBits == key) return &cache.slots[i];
    }
}

void AddPicture(CellPictureCache& cache, std::uint64_t key, const std::uint8_t* origin) {
    const int s = cache.cellSize;
    const std::size_t area = std::size_t(s) * std::size_t(s);
    const std::uint64_t picture = cache.used / area;
    assert(key != 0 && key >> (64 - kPictureBits) == 0 && picture <= kPictureMask);
    if (2 * (cache.count + 1) > cache.slots.size()) {
        std::vector<std::uint64_t> old(cache.slots.size() * 2, 0);
        old.swap(cache.slots);
        const std::size_t mask = cache.slots.size() - 1;
        for (const std::uint64_t slot : old) {
            if (slot == 0) continue;
            std::size_t i = SlotOf(slot >> kPictureBits, mask);
            while (cache.slots[i] != 0) i = (i + 1) & mask;
            cache.slots[i] = slot;
        }
    }
    const std::size_t mask = cache.slots.size() - 1;
    std::size_t i = SlotOf(key, mask);
    while (cache.slots[i] != 0) i = (i + 1) & mask;
    cache.slots[i] = key << kPictureBits | picture;
    ++cache.count;
    if (cache.used + area > cache.pictures.size())
        cache.pictures.resize(std::max(2 * cache.pictures.size(), cache.used + area));
    std::uint8_t* to = cache.pictures.data() + cache.used;
    cache.used += area;
    if (s == 32) {
        for (int y = 0; y < 32; ++y, to += 32, origin += kCanvasSize) std::memcpy(to, origin, 32);
        return;
    }
    for (int y = 0; y < s; ++y, to += s, origin += kCanvasSize) CopyRow(to, origin, std::size_t(s));
}

const std::uint8_t* PictureAt(const CellPictureCache& cache, const std::uint64_t& slot) {
    return PictureOf(cache, slot);
}

// A cell picture to the canvas; the widest cells, which fill the canvas, with fixed sizes.
void CopyPicture(const CellPictureCache& cache, const std::uint64_t& slot, std::uint8_t* to) {
    const int s = cache.cellSize;
    const std::uint8_t* from = PictureOf(cache, slot);
    if (s == 32) {
        for (int y = 0; y < 32; ++y, to += kCanvasSize, from += 32) std::memcpy(to, from, 32);
        return;
    }
    for (int y = 0; y < s; ++y, to += kCanvasSize, from += s) CopyRow(to, from, std::size_t(s));
}

void PendingCopies::Flush(const CellPictureCache& cache) {
    if (copies_.empty()) return;
    const int s = cache.cellSize;
    const auto n = std::size_t(s);
    for (Copy& c : copies_)
        c.slot = std::uint64_t(PictureOf(cache, c.slot) - cache.pictures.data());
    const std::uint8_t* const pictures = cache.pictures.data();
    if (s == 32) { // the widest cells, which fill the canvas: four rows per pass, fixed sizes
        for (std::size_t y = 0; y < 32; y += 4) {
            const std::size_t to = y * kCanvasSize, from = y * 32;
            for (const Copy& c : copies_) {
                std::uint8_t* const row = c.to + to;
                const std::uint8_t* const picture = pictures + c.slot + from;
                std::memcpy(row, picture, 32);
                std::memcpy(row + kCanvasSize, picture + 32, 32);
                std::memcpy(row + 2 * kCanvasSize, picture + 64, 32);
                std::memcpy(row + 3 * kCanvasSize, picture + 96, 32);
            }
        }
        copies_.clear();
        return;
    }
    for (std::size_t y = 0; y < n; ++y) {
        const std::size_t to = y * kCanvasSize, from = y * n;
        for (const Copy& c : copies_) CopyRow(c.to + to, pictures + c.slot + from, n);
    }
    copies_.clear();
}

} // namespace vorpel
