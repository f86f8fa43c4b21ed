// Helpers shared by the benchmarks.
#pragma once

#include <cstdio>
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

} // namespace vorpel::bench
