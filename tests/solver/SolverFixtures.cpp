// Levels from level text, and replaying a solution the way the program makes a user's steps.
#include "SolverFixtures.h"

#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel::test {

std::vector<Level> LevelsOf(const std::string& text) {
    Context ctx;
    std::vector<std::string> lines = SplitLines(text);
    ctx.collection.levels.clear();
    RememberedAnswer remembered = kAsk;
    AddLevels(ctx, "test", lines, remembered);
    return ctx.collection.levels;
}

std::vector<Level> LevelsOfFile(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text).Ok()) return {};
    return LevelsOf(text);
}

bool ReplaysToSolved(const Level& level, const std::vector<SolveStep>& steps, int* moves,
                     int* programSteps) {
    Context ctx;
    ctx.collection.levels[0] = level;
    ctx.collection.levels[0].ClearHistory();
    RebuildBoard(ctx);
    for (const SolveStep& s : steps) {
        const int before = ctx.CurrentLevel().currentStep;
        SelectBlock(ctx, s.column, s.row);
        if (s.rowDelta != 0 || s.columnDelta != 0) {
            if (!DragSelectedBlock(ctx, s.column + s.columnDelta, s.row + s.rowDelta, false))
                return false;
        }
        if (ctx.CurrentLevel().currentStep != before + 1) return false;
    }
    if (moves) *moves = TotalMoves(ctx.CurrentLevel());
    if (programSteps) *programSteps = TotalSteps(ctx.CurrentLevel());
    return IsSolved(ctx);
}

} // namespace vorpel::test
