// The solver's entry point and the helpers that replay and count a solution.
#include "solver/Solver.h"

#include <algorithm>

#include "model/Movement.h"
#include "model/Sokoban.h"
#include "solver/GeneralSolver.h"
#include "solver/SokobanSolver.h"

namespace vorpel {

void BuildStartBoard(const Level& level, PlayBoard& board) {
    LevelCollection collection;
    collection.levels[0] = level;
    collection.levels[0].ClearHistory();
    collection.currentLevel = 0;
    BuildPlayBoard(collection, board);
}

bool ApplySolveStep(PlayBoard& board, const SolveStep& step) {
    if (!board.Inside(step.row, step.column)) return false;
    const int index = board.BlockIndexAt(step.row, step.column);
    if (index < kFirstBlock) return false;
    const Block& blk = board.blocks[index];
    if (RefusesHold(blk.kind)) return false;
    if (blk.kind == kBarrierKind) {
        if (step.rowDelta != 0 || step.columnDelta != 0 || !blk.extraCells.IsEmpty(63))
            return false;
        RemoveBlockQuietly(board, index);
        return true;
    }
    if (step.rowDelta == 0 && step.columnDelta == 0) return false;
    board.selectedBlock = index;
    board.selectedRow = step.row;
    board.selectedColumn = step.column;
    if (IsBlocked(board, index, step.rowDelta, step.columnDelta, false)) return false;
    DoStep(board, MovementRules{}, step.rowDelta, step.columnDelta);
    return true;
}

int CountMoves(const Level& level, const std::vector<SolveStep>& steps) {
    // As the history counts them: a step of another block than the record before starts a
    // move, once a real step has been made.
    PlayBoard board;
    BuildStartBoard(level, board);
    int moves = 0, lastBlock = -1;
    bool realBefore = false;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const SolveStep& s = steps[k];
        const int block = board.Inside(s.row, s.column) ? board.BlockIndexAt(s.row, s.column) : 0;
        const bool real = s.rowDelta != 0 || s.columnDelta != 0;
        if (k == 0 || (realBefore && real && block != lastBlock)) ++moves;
        realBefore = realBefore || real;
        lastBlock = block;
        if (!ApplySolveStep(board, s)) break;
    }
    return moves;
}

int CountPushes(const Level& level, const std::vector<SolveStep>& steps) {
    PlayBoard board;
    BuildStartBoard(level, board);
    std::vector<int> boxes;
    for (int i = kFirstBlock; i <= board.blockCount; ++i)
        if (IsBox(board.blocks[i].kind)) boxes.push_back(i);
    if (boxes.empty()) return -1;
    auto where = [&] {
        std::vector<int> cells;
        for (int i : boxes) {
            const Block& b = board.blocks[i];
            cells.push_back(b.removed ? -1 : CellIndex(b.anchorRow, b.anchorColumn));
        }
        return cells;
    };
    int pushes = 0;
    for (const SolveStep& s : steps) {
        const std::vector<int> before = where();
        if (!ApplySolveStep(board, s)) break;
        if (where() != before) ++pushes;
    }
    return pushes;
}

Level LevelAtPosition(const Level& level, const PlayBoard& board) {
    Level position;
    position.Initialise(level.title, board.rows, board.columns);
    StoreLayout(board, position);
    return position;
}

CarriedOut CarryOutSolution(Context& ctx, const std::vector<SolveStep>& steps) {
    CarriedOut done;
    done.firstStep = ctx.CurrentLevel().currentStep;
    for (const SolveStep& s : steps) {
        // A zero step takes a wholly weak barrier away, which the click alone does.
        const bool taken = SelectBlock(ctx, s.column, s.row);
        if (s.rowDelta == 0 && s.columnDelta == 0
                ? !taken
                : !DragSelectedBlock(ctx, s.column + s.columnDelta, s.row + s.rowDelta, false))
            break;
        ++done.made;
        done.firstStep = std::min(done.firstStep, ctx.CurrentLevel().currentStep);
    }
    return done;
}

MoveHint NextMoveHint(const Level& level, const std::vector<SolveStep>& steps) {
    MoveHint hint;
    if (steps.empty()) return hint;
    SokobanPuzzle puzzle;
    if (SokobanPuzzleOf(level, puzzle)) {
        // The player walks to the first push; the box it moves is the hint's block, and its
        // pushes on in the same direction belong to the move.
        int box = -1;
        std::size_t k = 0;
        for (; k < steps.size(); ++k) {
            const SolveStep& s = steps[k];
            const int ahead = (s.row + s.rowDelta) * puzzle.columns + s.column + s.columnDelta;
            if (box >= 0 && (ahead != box || s.rowDelta != steps[k - 1].rowDelta ||
                             s.columnDelta != steps[k - 1].columnDelta))
                break;
            if (box < 0 && !(puzzle.cells[static_cast<std::size_t>(ahead)] & SokobanPuzzle::kBox))
                continue;
            if (box < 0) {
                hint.row = s.row + s.rowDelta;
                hint.column = s.column + s.columnDelta;
                hint.path.emplace_back(hint.row, hint.column);
            }
            box = ahead + s.rowDelta * puzzle.columns + s.columnDelta;
            hint.path.emplace_back(box / puzzle.columns, box % puzzle.columns);
        }
        hint.stepCount = k;
        if (box >= 0) return hint;
        // A solution without a push (every box already home) is one walk of the player.
        hint.row = steps[0].row;
        hint.column = steps[0].column;
        hint.path.clear();
    }
    PlayBoard board;
    BuildStartBoard(level, board);
    const int block = board.BlockIndexAt(steps[0].row, steps[0].column);
    hint.row = steps[0].row;
    hint.column = steps[0].column;
    hint.path.emplace_back(hint.row, hint.column);
    std::size_t k = 0;
    for (; k < steps.size(); ++k) {
        const SolveStep& s = steps[k];
        if (k > 0 && board.BlockIndexAt(s.row, s.column) != block) break;
        if (!ApplySolveStep(board, s)) break;
        if (s.rowDelta != 0 || s.columnDelta != 0)
            hint.path.emplace_back(s.row + s.rowDelta, s.column + s.columnDelta);
    }
    hint.stepCount = std::max<std::size_t>(k, 1);
    return hint;
}

SolveResult Solve(const Level& level, const SolveLimits& limits, std::stop_token stop,
                  const SolveProgressFn& progress) {
    // Plain Sokoban levels go to the push search, which is far stronger there; it finds the
    // fewest pushes when asked for them, and otherwise any solution.
    SokobanPuzzle puzzle;
    if (SokobanPuzzleOf(level, puzzle))
        return SolveSokoban(puzzle, limits, std::move(stop), progress);
    return SolveGeneral(level, limits, std::move(stop), progress);
}

} // namespace vorpel
