// The solver's entry point and the helpers that replay and count a solution.
#include "solver/Solver.h"

#include "model/Movement.h"
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
