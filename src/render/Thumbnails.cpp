// Level pictures drawn through DrawBoard on a scratch play board, and their cache.
#include "render/Thumbnails.h"

#include <algorithm>
#include <cstring>

#include "model/BoardOutline.h"
#include "model/Context.h"
#include "render/BoardDrawing.h"

namespace vorpel {

int ThumbnailCellSize(const Level& level, int width, int height) {
    const int rows = std::max<int>(level.rows, 1), columns = std::max<int>(level.columns, 1);
    return std::clamp(std::min(width / columns, height / rows), 1, kCanvasSize / 64);
}

ThumbnailCache::ThumbnailCache(std::size_t maxBytes) : maxBytes_(maxBytes) {}
ThumbnailCache::~ThumbnailCache() = default;

void ThumbnailCache::Draw(const Level& level, int cellSize, Thumbnail& out) {
    if (!scratch_) {
        scratch_ = std::make_unique<Context>();
        canvas_ = std::make_unique<BoardCanvas>();
    }
    Context& ctx = *scratch_;
    // Only the stored board: the picture shows the level's start, and no history is copied.
    Level& copy = ctx.collection.levels.at(0);
    copy.title.clear();
    copy.rows = level.rows;
    copy.columns = level.columns;
    copy.blockLayer = level.blockLayer;
    copy.markLayer = level.markLayer;
    copy.idLayer = level.idLayer;
    ctx.collection.currentLevel = 0;
    BuildPlayBoard(ctx.collection, ctx.board);
    ViewState state;
    ComputeOutlineFlags(ctx.board, state.outline);
    DrawBoard(ctx, state, {cellSize}, *canvas_);
    out.width = std::min(level.columns * cellSize, kCanvasSize);
    out.height = std::min(level.rows * cellSize, kCanvasSize);
    out.pixels.resize(std::size_t(out.width) * std::size_t(out.height));
    for (int y = 0; y < out.height; ++y)
        std::memcpy(out.pixels.data() + std::size_t(y) * std::size_t(out.width),
                    canvas_->pixels.data() + std::size_t(y) * kCanvasSize, std::size_t(out.width));
}

bool ThumbnailCache::Contains(int index, int cellSize) const {
    return byKey_.contains(Key(index, std::clamp(cellSize, 1, kCanvasSize / 64)));
}

const Thumbnail& ThumbnailCache::Get(const Level& level, int index, int cellSize) {
    cellSize = std::clamp(cellSize, 1, kCanvasSize / 64);
    const std::uint64_t key = Key(index, cellSize);
    if (const auto found = byKey_.find(key); found != byKey_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
        return found->second->picture;
    }
    entries_.push_front({key, {}});
    Draw(level, cellSize, entries_.front().picture);
    byKey_[key] = entries_.begin();
    bytes_ += entries_.front().picture.pixels.size();
    // The newest picture always stays, whatever the bound.
    while (bytes_ > maxBytes_ && entries_.size() > 1) {
        bytes_ -= entries_.back().picture.pixels.size();
        byKey_.erase(entries_.back().key);
        entries_.pop_back();
    }
    return entries_.front().picture;
}

void ThumbnailCache::Forget(int index) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->key >> 8 == std::uint64_t(std::uint32_t(index))) {
            bytes_ -= it->picture.pixels.size();
            byKey_.erase(it->key);
            it = entries_.erase(it);
        } else {
            ++it;
        }
    }
}

void ThumbnailCache::Clear() {
    entries_.clear();
    byKey_.clear();
    bytes_ = 0;
}

} // namespace vorpel
