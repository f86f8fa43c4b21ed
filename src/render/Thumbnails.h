// Small pictures of levels for the level list: each level's starting board drawn by the board
// renderer at a small cell size, kept in a cache bounded in bytes (least recently used first
// out), so that a list of tens of thousands of levels draws only the rows it shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

#include "model/Level.h"

namespace vorpel {

struct BoardCanvas;
struct Context;

// Palette indices of the board palette (kBoardPalette), row by row.
struct Thumbnail {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    std::uint8_t At(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

// The cell size that fits a level's board into a box of `width` x `height` pixels (at least 1).
int ThumbnailCellSize(const Level& level, int width, int height);

class ThumbnailCache {
public:
    explicit ThumbnailCache(std::size_t maxBytes = std::size_t(32) << 20);
    ~ThumbnailCache();
    ThumbnailCache(const ThumbnailCache&) = delete;
    ThumbnailCache& operator=(const ThumbnailCache&) = delete;

    // The picture of `level` (the collection's level `index`) at `cellSize`, drawn now or kept
    // from before. The reference holds until the next call.
    const Thumbnail& Get(const Level& level, int index, int cellSize);
    // A level changed (edited, replaced) or the collection did: its pictures are drawn again.
    void Forget(int index);
    void Clear();
    // Whether the picture of level `index` at `cellSize` is kept (drawn and not yet dropped).
    bool Contains(int index, int cellSize) const;

    std::size_t Bytes() const { return bytes_; }
    std::size_t Count() const { return entries_.size(); }

private:
    struct Entry {
        std::uint64_t key;
        Thumbnail picture;
    };
    static std::uint64_t Key(int index, int cellSize) {
        return std::uint64_t(std::uint32_t(index)) << 8 | std::uint64_t(cellSize & 0xFF);
    }
    void Draw(const Level& level, int cellSize, Thumbnail& out);

    std::size_t maxBytes_;
    std::size_t bytes_ = 0;
    std::list<Entry> entries_; // most recently used first
    std::unordered_map<std::uint64_t, std::list<Entry>::iterator> byKey_;
    std::unique_ptr<Context> scratch_; // made on first use: a board and a canvas are large
    std::unique_ptr<BoardCanvas> canvas_;
};

} // namespace vorpel
