// vorpel-cli gif: a level's play written as a GIF animation, as the export window writes it.
#include <cstdio>
#include <memory>

#include "cli/CliExport.h"
#include "cli/CliFont.h"
#include "render/GifExport.h"

namespace vorpel {

int GifCommand(const std::vector<std::string>& args) {
    cli::PictureOptions options;
    if (!cli::ParsePictureOptions(args, {"level", "cell", "what", "delay", "no-loop"}, options))
        return cli::kExitUsage;
    auto ctx = std::make_unique<Context>();
    if (const int status = cli::LoadPictureLevel(*ctx, options); status != cli::kExitOk)
        return status;
    const cli::CliFont font;
    auto canvas = std::make_unique<BoardCanvas>(font.Rasterizer());
    CanvasView view{options.cellSize};
    GifExportSettings settings;
    settings.what = options.what == "initial"   ? GifContent::kInitialPosition
                    : options.what == "current" ? GifContent::kCurrentPosition
                    : options.what == "moves"   ? GifContent::kAllMoves
                                                : GifContent::kAllSteps;
    settings.stepTime = options.delay;
    settings.loop = options.loop;
    auto state = std::make_unique<ViewState>();
    const GifRecording recording = RecordGif(*ctx, *state, *canvas, view, settings, options.output,
                                             DefaultGifNavigation(*ctx, *state, *canvas, view));
    if (!recording.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", options.output.c_str(), recording.error.c_str());
        return cli::kExitFailed;
    }
    return cli::kExitOk;
}

} // namespace vorpel
