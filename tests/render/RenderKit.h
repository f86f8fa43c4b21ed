// Test helpers for the board pictures: drawing a fixture, reading cells back as letters, and
// running outside programs on the files the export writes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "model/Context.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"
#include "render/BoardDrawing.h"

namespace vorpel::renderkit {

// Draws at cell size `s` with the outline flags recomputed and `selected` as the selection.
inline void Draw(const Context& ctx, BoardCanvas& canvas, int s, bool repaintSuspended = false,
                 Annotation annotation = Annotation::kNone, const RowSet& selected = {}) {
    ViewState state;
    state.selection.cells = selected;
    ComputeOutlineFlags(ctx.board, state.outline);
    DrawBoard(ctx, state, {s, repaintSuspended, annotation}, canvas);
}

// One letter per palette index: the named colours, R for round colours, S for their light
// variants, ? for the rest.
inline char Letter(std::uint8_t index) {
    static constexpr char kNamed[] = "kBPruGbt?goL.EcywlpmqvCe";
    if (index < 24) return kNamed[index];
    if (index < 56) return 'R';
    if (index < 88) return 'S';
    return '?';
}

// A rectangle of the canvas as lines of letters.
inline std::string Picture(const BoardCanvas& canvas, int left, int top, int width, int height) {
    std::string text;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) text += Letter(canvas.At(x, y));
        text += '\n';
    }
    return text;
}

inline std::string CellPicture(const BoardCanvas& canvas, int row, int column) {
    const int s = canvas.drawnCellSize;
    return Picture(canvas, column * s, row * s, s, s);
}

// Joins picture lines, each followed by a line end.
inline std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + '\n';
    return text;
}

// The top-left width × height pixels of the canvas, row after row.
inline std::string Crop(const BoardCanvas& canvas, int width, int height) {
    std::string bytes;
    for (int y = 0; y < height; ++y)
        bytes.append(reinterpret_cast<const char*>(canvas.pixels.data()) +
                         std::size_t(y) * kCanvasSize,
                     std::size_t(width));
    return bytes;
}

struct Output {
    int status = -1;
    std::string text;
};

inline Output Run(const std::string& command) {
    Output out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.text.append(buffer, n);
    out.status = pclose(pipe);
    return out;
}

// Pillow's reading of a GIF or PNG file: its facts and frame rectangles as text, and every
// frame as a viewer composes it.
struct Decoded {
    Output facts;
    std::string frames;
};

inline Decoded DecodePicture(const std::string& path) {
    const std::string raw = path + ".raw";
    Decoded d;
    d.facts = Run("/usr/bin/python3 " VORPEL_SOURCE_DIR "/tests/render/picture_frames.py '" + path +
                  "' '" + raw + "' 2>&1");
    if (FILE* f = std::fopen(raw.c_str(), "rb")) {
        char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            d.frames.append(buffer, n);
        std::fclose(f);
    }
    std::filesystem::remove(raw);
    return d;
}

// A scratch folder removed with the object.
struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder()
        : path(std::filesystem::temp_directory_path() /
               ("vorpel-render-" + std::to_string(::getpid()) + "-" +
                std::to_string(reinterpret_cast<std::uintptr_t>(this)))) {
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    std::string File(const std::string& name) const { return (path / name).string(); }
};

} // namespace vorpel::renderkit
