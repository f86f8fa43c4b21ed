// vorpel-cli png: a level's board at one position of its history, as a palette PNG image.
#include <png.h>

#include <cstdio>
#include <memory>

#include "cli/CliExport.h"
#include "cli/CliFont.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"
#include "render/BoardDrawing.h"

namespace vorpel {
namespace {

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    try {
        out->append(reinterpret_cast<const char*>(data), length);
    } catch (...) {
        png_error(png, "out of memory");
    }
}

void NoFlush(png_structp) {}

// Encodes the top-left width × height pixels of the canvas into `out`; false on failure. Only
// plain locals live across setjmp, since libpng reports errors with longjmp.
bool EncodePng(const BoardCanvas& canvas, int width, int height, std::string* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_color colours[256];
    for (int i = 0; i < 256; ++i) {
        const PaletteColour& c = canvas.palette.colours[std::size_t(i)];
        colours[i] = {c.red, c.green, c.blue};
    }
    png_set_write_fn(png, out, AppendToString, NoFlush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours, 256);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, canvas.pixels.data() + std::size_t(y) * kCanvasSize);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

int PngCommand(const std::vector<std::string>& args) {
    cli::PictureOptions options;
    if (!cli::ParsePictureOptions(args, {"level", "cell", "step"}, options)) return cli::kExitUsage;
    auto ctx = std::make_unique<Context>();
    if (const int status = cli::LoadPictureLevel(*ctx, options); status != cli::kExitOk)
        return status;
    if (options.step >= 0) GoToPosition(*ctx, options.step);
    auto state = std::make_unique<ViewState>();
    ComputeOutlineFlags(ctx->board, state->outline);
    const cli::CliFont font;
    auto canvas = std::make_unique<BoardCanvas>(font.Rasterizer());
    DrawBoard(*ctx, *state, {options.cellSize}, *canvas);
    std::string bytes;
    std::string error = kNotEnoughMemory;
    if (EncodePng(*canvas, ctx->board.columns * options.cellSize,
                  ctx->board.rows * options.cellSize, &bytes))
        error = WriteFileAtomic(options.output, bytes).message;
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", options.output.c_str(), error.c_str());
        return cli::kExitFailed;
    }
    return cli::kExitOk;
}

} // namespace vorpel
