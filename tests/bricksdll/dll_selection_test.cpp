// The save-as-DLL list: its lines and their text, the count label, moving highlighted lines and
// the levels with their records handed to the writer.
#include <gtest/gtest.h>

#include "DllFixtures.h"
#include "bricksdll/DllSelection.h"

namespace vorpel {
namespace {

using namespace dll_test;

TEST(DllSelection, LinesOfWritableLevelsWithTheirRecords) {
    Context ctx;
    AddLevel(ctx, "a", EmptyRows(2, 2));
    AddLevel(ctx, "box", {".v..", "...."});
    AddLevel(ctx, "b", EmptyRows(2, 2));
    AddLevel(ctx, "c", EmptyRows(2, 2));
    const int first = ctx.collection.FindTitle("a");
    std::vector<long long> best(static_cast<std::size_t>(ctx.collection.lastLevel() + 1), 0);
    best[static_cast<std::size_t>(first + 2)] = 123456;
    best[static_cast<std::size_t>(first + 3)] = 17;
    const std::vector<DllListLine> lines = DllListLines(ctx.collection, best);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(ctx.collection.lastLevel()));
    const std::size_t end = lines.size();
    EXPECT_EQ(lines[end - 3].level, first);
    EXPECT_EQ(lines[end - 3].record, 999);
    EXPECT_EQ(lines[end - 2].level, first + 2) << "the box level is left out";
    EXPECT_EQ(lines[end - 2].record, 65535);
    EXPECT_EQ(lines[end - 1].record, 17);
    EXPECT_EQ(DllListText(lines[end - 1], "c"), "      17 c");
    EXPECT_EQ(DllListText({0, true, 65535}, "T"), " * 65535 T");
}

TEST(DllSelection, CountLabelAndLimits) {
    const struct {
        int count;
        const char* text;
        bool writable;
    } cases[] = {{0, "0 levels selected.", false},
                 {1, "1 level selected.", true},
                 {2, "2 levels selected.", true},
                 {48, "48 levels selected.", true},
                 {49, "49 levels selected.", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(DllSelectedText(c.count), c.text);
        EXPECT_EQ(DllSelectionWritable(c.count), c.writable) << c.count;
    }
}

TEST(DllSelection, MovingHighlightedLines) {
    const struct {
        DllLineMove move;
        std::vector<bool> highlighted;
        std::vector<int> order;
        std::vector<bool> after;
    } cases[] = {
        {DllLineMove::kUp, {0, 0, 1, 0, 1}, {0, 2, 1, 4, 3}, {0, 1, 0, 1, 0}},
        {DllLineMove::kUp, {1, 1, 0, 1, 0}, {0, 1, 3, 2, 4}, {1, 1, 1, 0, 0}},
        {DllLineMove::kDown, {1, 0, 0, 1, 0}, {1, 0, 2, 4, 3}, {0, 1, 0, 0, 1}},
        {DllLineMove::kDown, {0, 0, 1, 1, 1}, {0, 1, 2, 3, 4}, {0, 0, 1, 1, 1}},
        {DllLineMove::kTop, {0, 1, 0, 1, 0}, {1, 3, 0, 2, 4}, {1, 1, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        std::vector<DllListLine> lines;
        for (int i = 0; i < 5; ++i) lines.push_back({i, false, 999});
        std::vector<bool> highlighted = c.highlighted;
        MoveDllLines(lines, highlighted, c.move);
        std::vector<int> order;
        for (const DllListLine& l : lines) order.push_back(l.level);
        EXPECT_EQ(order, c.order) << int(c.move);
        EXPECT_EQ(highlighted, c.after) << int(c.move);
    }
}

TEST(DllSelection, LevelsByIndexAndRecordsByPosition) {
    Context ctx;
    AddLevel(ctx, "a", EmptyRows(2, 2));
    AddLevel(ctx, "b", EmptyRows(2, 2));
    AddLevel(ctx, "a", EmptyRows(3, 3)); // same title, other board
    const int a = ctx.collection.FindTitle("a");
    const std::vector<DllListLine> lines = {
        {a + 1, true, 5}, {a, false, 6}, {a + 2, true, 7}, {a, true, 8}};
    const DllChoice choice = ChooseDllLevels(ctx.collection, lines);
    EXPECT_EQ(choice.contents.levels, (std::vector<int>{a + 1, a + 2}));
    EXPECT_EQ(choice.contents.records[0], 5);
    EXPECT_EQ(choice.contents.records[1], 7);
    EXPECT_EQ(choice.contents.records[2], 0);
    EXPECT_EQ(choice.skipped, std::vector<std::string>{"a"});
    // The second "a" reaches the writer by its index: its 3 x 3 board is written.
    std::string bytes;
    DllContents contents = choice.contents;
    contents.timeStamp = 1;
    ASSERT_TRUE(BricksDllBytes(ctx.collection, contents, "p.dll", bytes).empty());
    DllGameData data;
    ASSERT_EQ(ParseBricksDll(bytes, data), "");
    ASSERT_EQ(data.levels.size(), 2u);
    EXPECT_EQ(data.levels[1].columns, 3);
}

} // namespace
} // namespace vorpel
