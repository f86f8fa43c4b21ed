// Comparing a solved play with the stored best solution and wording the celebration.
#include "files/Celebration.h"

#include "files/BestSolutions.h"
#include "files/Records.h"
#include "model/Sokoban.h"
#include "model/Solved.h"

namespace vorpel {

bool CheckSolvedWithRecords(Context& ctx, bool quiet, std::string& message, SolvedNumbers& numbers,
                            const WriteFaults& faults) {
    numbers = {};
    message.clear();
    // A level being edited is never celebrated, whatever its board shows.
    if (ctx.editing || !CheckSolved(ctx, quiet, message)) return false;
    const Level& level = ctx.CurrentLevel();
    if (level.currentStep < 1) return true;
    const int moves = CurrentMove(level);
    const int steps = CurrentStepNumber(level);
    // Only the steps up to the solved position are the play; any beyond it are not.
    const int played = level.currentStep;

    const BestSolutionInfo best = ReadBestSolutionInfo(ctx);
    if (best.status != kBestSolutionFound || best.moves < 0 || best.steps < 0) {
        // A first best is celebrated even when quiet; with nothing stored (a level without
        // title, a failed write) there is nothing new to celebrate.
        if (SaveBestSolutionSteps(ctx, played, false, faults)) message = kSolvedMessage;
        return true;
    }
    if (SokobanPuzzle puzzle; SokobanLevelOf(level, puzzle)) {
        const SokobanCounts now = CountSokobanSteps(puzzle, level.steps, played);
        const SokobanCounts& before = best.sokoban;
        const int dM = now.moves - before.moves, dP = now.pushes - before.pushes;
        numbers = {true, now.moves, now.moves, dM, dM, true, now.pushes, dP};
        const bool pushesFirst = ctx.options.fewestPushes;
        if (!SokobanBetter(now, before, pushesFirst)) return true;
        SaveBestSolutionSteps(ctx, played, false, faults);
        const bool byPushes = pushesFirst ? dP < 0 : dM == 0;
        const int by = byPushes ? -dP : -dM;
        message = std::string(kImprovedMessage) + " solution by " + std::to_string(by) +
                  (byPushes ? (by == 1 ? " push" : " pushes") : (by == 1 ? " move" : " moves")) +
                  "! \r\n";
        return true;
    }
    numbers = {true, moves, steps, moves - best.moves, steps - best.steps};
    const bool fewerMoves = numbers.moveDifference < 0;
    if (!fewerMoves && !(numbers.moveDifference == 0 && numbers.stepDifference < 0)) return true;

    SaveBestSolutionSteps(ctx, played, false, faults);
    const int by = fewerMoves ? -numbers.moveDifference : -numbers.stepDifference;
    message = std::string(kImprovedMessage) + " solution by " + std::to_string(by) +
              (fewerMoves ? " move" : " step") + (by == 1 ? "" : "s") + "! \r\n";
    return true;
}

std::string ImprovedStatusText(const Context& ctx, const SolvedNumbers& numbers) {
    const Level& level = ctx.CurrentLevel();
    int recordMoves = 0, recordSteps = 0;
    LookUpRecord(ctx, level.title, recordMoves, recordSteps);
    const auto n = [](int v) { return std::to_string(v); };
    if (numbers.sokoban) {
        const SokobanCounts total = SokobanCountsAt(level, level.stepCount);
        return " moves " + n(numbers.moves) + "/" + n(total.moves) + " (" +
               n(numbers.moveDifference) + "), pushes " + n(numbers.pushes) + "/" +
               n(total.pushes) + " (" + n(numbers.pushDifference) +
               "), record: " + RecordText(recordSteps);
    }
    return " move " + n(numbers.moves) + "/" + n(TotalMoves(level)) + " (" +
           n(numbers.moveDifference) + "), step " + n(numbers.steps) + "/" + n(TotalSteps(level)) +
           " (" + n(numbers.stepDifference) + "), records: " + RecordText(recordMoves) + ", " +
           RecordText(recordSteps);
}

std::string MoveCountsText(const Context& ctx) {
    const Level& level = ctx.CurrentLevel();
    int recordMoves = 0, recordSteps = 0;
    LookUpRecord(ctx, level.title, recordMoves, recordSteps);
    const auto n = [](int v) { return std::to_string(v); };
    if (SokobanPuzzle puzzle; SokobanLevelOf(level, puzzle)) {
        const SokobanCounts now = CountSokobanSteps(puzzle, level.steps, level.currentStep);
        const SokobanCounts total = CountSokobanSteps(puzzle, level.steps, level.stepCount);
        return " moves " + n(now.moves) + "/" + n(total.moves) + ", pushes " + n(now.pushes) + "/" +
               n(total.pushes) + ", record: " + RecordText(recordSteps);
    }
    return " move " + n(CurrentMove(level)) + "/" + n(TotalMoves(level)) + ", step " +
           n(CurrentStepNumber(level)) + "/" + n(TotalSteps(level)) +
           ", records: " + RecordText(recordMoves) + ", " + RecordText(recordSteps);
}

} // namespace vorpel
