// The refresh gate: the first refresh at once, then none until a whole interval has passed.
#include <gtest/gtest.h>

#include <vector>

#include "model/RefreshGate.h"

namespace vorpel {
namespace {

using std::chrono::milliseconds;

TEST(RefreshGate, LetsOneRefreshThroughPerInterval) {
    const struct {
        const char* what;
        std::vector<int> times; // milliseconds after an arbitrary start
        std::vector<bool> due;
    } cases[] = {
        {"the first at once", {5}, {true}},
        {"none within the interval", {0, 1, 50, 99}, {true, false, false, false}},
        {"one at exactly the interval", {0, 99, 100, 101}, {true, false, true, false}},
        {"the interval counts from the last one let through",
         {0, 150, 200, 249, 250},
         {true, true, false, false, true}},
        {"long pauses", {0, 1000, 5000}, {true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RefreshGate gate(milliseconds(100));
        const RefreshGate::Clock::time_point start{milliseconds(123456)};
        std::vector<bool> due;
        for (const int t : c.times) due.push_back(gate.Due(start + milliseconds(t)));
        EXPECT_EQ(due, c.due);
    }
}

} // namespace
} // namespace vorpel
