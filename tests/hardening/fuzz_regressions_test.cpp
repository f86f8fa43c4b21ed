// The fuzz targets' seeds and kept findings, each run through its target's entry function.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzEntries.h"

// A failing target prints its name, not a dump of its bytes.
namespace vorpel::fuzz {
void PrintTo(const Target& target, std::ostream* os) {
    *os << target.name;
}
} // namespace vorpel::fuzz

namespace vorpel {
namespace {

namespace fs = std::filesystem;

const fs::path kFuzz = fs::path(VORPEL_SOURCE_DIR) / "fuzz";

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class FuzzInputs : public ::testing::TestWithParam<fuzz::Target> {};

// A finding shows as a crash or a sanitizer report of this test, or as its time running out.
TEST_P(FuzzInputs, RunWithoutFinding) {
    const fuzz::Target& target = GetParam();
    int inputs = 0;
    for (const char* kind : {"regressions", "corpus"}) {
        const fs::path folder = kFuzz / kind / target.name;
        if (!fs::is_directory(folder)) continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            SCOPED_TRACE(entry.path().string());
            target.entry(Contents(entry.path()));
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0) << "no seeds for " << target.name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzInputs, ::testing::ValuesIn(fuzz::kTargets),
                         [](const auto& test) { return std::string(test.param.name); });

// Every folder of kept inputs belongs to a target, so none is left unrun by a misspelling.
TEST(FuzzInputs, FoldersNameTargets) {
    for (const char* kind : {"regressions", "corpus"}) {
        const fs::path folder = kFuzz / kind;
        if (!fs::is_directory(folder)) continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            EXPECT_TRUE(std::any_of(
                fuzz::kTargets.begin(), fuzz::kTargets.end(),
                [&](const fuzz::Target& t) { return entry.path().filename() == t.name; }))
                << entry.path();
    }
}

} // namespace
} // namespace vorpel
