// Helpers shared by the benchmarks.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace vorpel::bench {

// The process's resident memory in megabytes, from /proc/self/statm (0 where it cannot be read).
inline double ResidentMegabytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

// A full 64 x 64 level text: every block character and mark, in pairs of cells joined by a
// label on two rows out of three.
inline std::string CrowdedText() {
    const std::string kinds = "[@xX{?}z|\"-=vV&w$Y;Z>y]*!(#%~.\xA1\xB0\xF7..";
    const std::string marks = ".+^/):\\_<A0\xC7\xE7\xA1\xB5z..";
    std::string text = "\"Crowded\"\r\n";
    for (int r = 0; r < 64; ++r) {
        for (int c = 0; c < 64; ++c) {
            text += marks[std::size_t(r * 7 + c * 3) % marks.size()];
            text += kinds[std::size_t(r * 32 + c / 2) % kinds.size()];
            if (r % 3 == 0)
                text += "..";
            else
                text += std::string{char('0' + c / 2), char('0' + r % 40)};
        }
        text += "\r\n";
    }
    return text;
}

// The generated collection's size, the same for the core's and the program's benchmarks.
inline constexpr int kCollectionLevels = 10000;

// One Sokoban room of `w` x `h` cells: the player walks laps through the room until the
// solution is about 300 steps long, then pushes a box along the top row onto its goal. Boxes
// already on goals line the right wall, so the level is solved by the last step.
inline void AppendRoom(std::string& text, int number, int w, int h, bool solution) {
    text += "Level " + std::to_string(number) + "\n\n";
    for (int r = 0; r < h; ++r) {
        std::string row(static_cast<std::size_t>(w), ' ');
        for (int c = 0; c < w; ++c)
            if (r == 0 || c == 0 || r == h - 1 || c == w - 1) row[c] = '#';
        if (r == 1) {
            row[1] = '@';
            row[2] = '$';
            row[w - 3] = '.';
        } else if (r >= 3 && r <= h - 3 && r % 2 == 1) {
            row[w - 2] = '*';
        }
        text += row + "\n";
    }
    if (solution) {
        const std::string lap = std::string(static_cast<std::size_t>(w - 5), 'r') +
                                std::string(static_cast<std::size_t>(h - 4), 'd') +
                                std::string(static_cast<std::size_t>(w - 5), 'l') +
                                std::string(static_cast<std::size_t>(h - 4), 'u');
        std::string moves = "d";
        while (moves.size() + lap.size() + w - 4 <= 340) moves += lap;
        moves += 'u';
        moves.append(static_cast<std::size_t>(w - 5), 'R');
        text += "\nSolution\n";
        for (std::size_t p = 0; p < moves.size(); p += 70) text += moves.substr(p, 70) + "\n";
    }
    text += "\n";
}

// The generated collection, written once per process into the temporary folder.
inline std::string CollectionFile(bool solutions) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vorpel-bench-" + std::to_string(::getpid()) +
                                                  (solutions ? "-solved.sok" : "-boards.sok"));
    if (!std::filesystem::exists(path)) {
        std::string text;
        for (int k = 0; k < kCollectionLevels; ++k)
            AppendRoom(text, k + 1, 16 + k % 5, 16 + (k / 5) % 5, solutions);
        std::ofstream(path, std::ios::binary) << text;
    }
    return path.string();
}

} // namespace vorpel::bench
