// The save-as-DLL list: lines, selection, order and the levels handed to the writer.
#include "bricksdll/DllSelection.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace vorpel {

std::vector<DllListLine> DllListLines(const LevelCollection& collection,
                                      const std::vector<long long>& bestMoves) {
    std::vector<DllListLine> lines;
    for (int i = 0; i <= collection.lastLevel(); ++i) {
        if (!IsDllWritable(collection, i)) continue;
        const std::size_t k = static_cast<std::size_t>(i);
        lines.push_back({i, false, InitialDllRecord(k < bestMoves.size() ? bestMoves[k] : 0)});
    }
    return lines;
}

std::string DllListText(const DllListLine& line, const std::string& title) {
    char record[16];
    std::snprintf(record, sizeof record, "%6u", static_cast<unsigned>(line.record));
    return std::string(" ") + (line.selected ? '*' : ' ') + record + " " + title;
}

std::string DllSelectedText(int count) {
    return std::to_string(count) + (count == 1 ? " level selected." : " levels selected.");
}

int DllSelectedCount(const std::vector<DllListLine>& lines) {
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [](const DllListLine& l) { return l.selected; }));
}

bool DllSelectionWritable(int count) {
    return count >= 1 && count <= kDllMaxLevels;
}

void MoveDllLines(std::vector<DllListLine>& lines, std::vector<bool>& highlighted,
                  DllLineMove move) {
    const std::size_t n = std::min(lines.size(), highlighted.size());
    const auto swap = [&](std::size_t a, std::size_t b) {
        std::swap(lines[a], lines[b]);
        const bool t = highlighted[a];
        highlighted[a] = highlighted[b];
        highlighted[b] = t;
    };
    switch (move) {
    case DllLineMove::kUp:
        for (std::size_t i = 1; i < n; ++i)
            if (highlighted[i] && !highlighted[i - 1]) swap(i, i - 1);
        break;
    case DllLineMove::kDown:
        for (std::size_t i = n; i-- > 1;)
            if (highlighted[i - 1] && !highlighted[i]) swap(i - 1, i);
        break;
    case DllLineMove::kTop: {
        std::vector<DllListLine> top, rest;
        for (std::size_t i = 0; i < n; ++i) (highlighted[i] ? top : rest).push_back(lines[i]);
        const std::size_t count = top.size();
        top.insert(top.end(), rest.begin(), rest.end());
        std::copy(top.begin(), top.end(), lines.begin());
        for (std::size_t i = 0; i < n; ++i) highlighted[i] = i < count;
        break;
    }
    }
}

DllChoice ChooseDllLevels(const LevelCollection& collection,
                          const std::vector<DllListLine>& lines) {
    DllChoice choice;
    std::set<std::string> titles;
    for (const DllListLine& line : lines) {
        if (!line.selected || line.level < 0 || line.level > collection.lastLevel()) continue;
        const std::string& title = collection.Title(line.level);
        if (!titles.insert(title).second) {
            choice.skipped.push_back(title);
            continue;
        }
        const std::size_t k = choice.contents.levels.size();
        if (k < choice.contents.records.size()) choice.contents.records[k] = line.record;
        choice.contents.levels.push_back(line.level);
    }
    return choice;
}

} // namespace vorpel
