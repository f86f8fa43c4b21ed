// Loading little level pictures for the engine tests.
#include "Fixtures.h"

#include <algorithm>

#include "files/LevelText.h"
#include "files/MoveText.h"
#include "model/History.h"

namespace vorpel::test {

std::string LoadBoard(Context& ctx, const std::vector<std::string>& rows,
                      const std::string& moves) {
    std::string text = "\"test\"\r\n";
    for (std::string row : rows) {
        row.erase(std::remove(row.begin(), row.end(), ' '), row.end());
        text += row + "\r\n";
    }
    text += moves;
    const std::vector<std::string> lines = SplitLines(text);
    ctx.collection.NewLevel("", 4, 4, false);
    std::size_t index = 0;
    std::string error = ReadLevelText(ctx, lines, index, true);
    if (!error.empty()) return error;
    RebuildBoard(ctx);
    if (index < lines.size()) error = ReadMoveLines(ctx, lines, index);
    return error;
}

} // namespace vorpel::test
