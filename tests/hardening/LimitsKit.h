// Large inputs for the limits test and benchmark: a collection of many small levels, and a
// 64 x 64 board of 4,096 one-cell blocks played as a sliding puzzle for a long history.
#pragma once

#include <string>

#include "model/Context.h"
#include "model/Movement.h"

namespace vorpel::limits {

// A walled 16 x 16 room: a master block that pushes a box on its way to its destination, and a
// normal block, with the two moves that solve it.
inline std::string RoomLevelText(const std::string& title) {
    std::string text = "\"" + title + "\"\r\n";
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) {
            const bool wall = r == 0 || r == 15 || c == 0 || c == 15;
            const char* cell = wall                ? ".#.."
                               : r == 1 && c == 1  ? ".@.."
                               : r == 1 && c == 14 ? "+..."
                               : r == 1 && c == 6  ? ".v.."
                               : r == 5 && c == 5  ? ".[ab"
                               : r == 5 && c == 6  ? ".[ab"
                                                   : "....";
            text += cell;
        }
        text += "\r\n";
    }
    return text + "  1)  5,  5:  <<\r\n  2)  1,  1:  >>>>>v>>>>>>>^>\r\n";
}

// Room levels, each titled by its number, until the text holds at least `bytes` bytes.
inline std::string CollectionText(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 4096);
    for (int k = 1; text.size() < bytes; ++k) text += RoomLevelText("Room " + std::to_string(k));
    return text;
}

// Level text of a full 64 x 64 board: 4,095 one-cell normal blocks and a one-cell weak barrier
// in the top left corner, whose removal leaves the one free cell the puzzle slides into.
inline std::string CrowdedLevelText() {
    std::string text = "\"Crowded\"\r\n";
    for (int r = 0; r < 64; ++r) {
        for (int c = 0; c < 64; ++c) text += r == 0 && c == 0 ? ".!.." : ".[..";
        text += "\r\n";
    }
    return text;
}

// Plays the crowded board: the first step removes the barrier, every later step slides the
// block next to the free cell into it, walking the free cell along the rows back and forth,
// down and then up the board. False when a step was refused.
class HoleWalk {
public:
    bool Step(Context& ctx) {
        if (!open_) {
            open_ = true;
            return SelectBlock(ctx, 0, 0);
        }
        int row = row_, column = column_ + across_;
        if (column < 0 || column > 63) {
            column = column_;
            across_ = -across_;
            if (row_ + down_ < 0 || row_ + down_ > 63) down_ = -down_;
            row = row_ + down_;
        }
        SelectBlock(ctx, column, row); // true only for a barrier it removed
        if (!DragSelectedBlock(ctx, column_, row_, false)) return false;
        row_ = row;
        column_ = column;
        return true;
    }

private:
    bool open_ = false;
    int row_ = 0, column_ = 0; // the free cell
    int across_ = 1, down_ = 1;
};

} // namespace vorpel::limits
