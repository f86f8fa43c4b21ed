// The step list's move and step numbers, read through checkpoints, against plain running sums.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "model/StepList.h"

namespace vorpel {
namespace {

// Move and step numbers of record i, summed from the first record.
std::pair<int, int> PlainNumbers(const std::vector<StepRecord>& records, std::size_t i) {
    std::pair<int, int> n{0, 0};
    for (std::size_t j = 0; j <= i; ++j) {
        n.first += records[j].NewMove() ? 1 : 0;
        n.second += records[j].NewStep() ? 1 : 0;
    }
    return n;
}

StepRecord RandomRecord(std::mt19937& random) {
    StepRecord r;
    r.block = static_cast<std::int16_t>(random() % 50);
    r.counts = static_cast<std::uint8_t>(random() % 4);
    return r;
}

// Random appends, changes, cuts and growth, each followed by reads at random places: a change
// must drop exactly the checkpoints it makes wrong.
TEST(StepList, NumbersMatchPlainSumsThroughEveryChange) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        StepList list;
        std::vector<StepRecord> plain;
        for (int action = 0; action < 3000; ++action) {
            const auto choice = random() % 10;
            if (choice < 4 || plain.empty()) {
                const int count = 1 + static_cast<int>(random() % 100);
                for (int k = 0; k < count; ++k) {
                    plain.push_back(RandomRecord(random));
                    list.push_back(plain.back());
                }
            } else if (choice < 7) {
                const std::size_t i = random() % plain.size();
                plain[i] = RandomRecord(random);
                list.Set(i, plain[i]);
            } else if (choice == 7) {
                const std::size_t n = random() % (plain.size() + 150);
                plain.resize(n);
                list.resize(n);
            } else if (choice == 8) {
                plain.pop_back();
                list.pop_back();
            } else {
                list.shrink_to_fit();
            }
            ASSERT_EQ(list.size(), plain.size());
            for (int k = 0; k < 4 && !plain.empty(); ++k) {
                const std::size_t i = random() % plain.size();
                ASSERT_EQ(std::make_pair(int(list.MoveNumber(i)), int(list.StepNumber(i))),
                          PlainNumbers(plain, i))
                    << "seed " << seed << " action " << action << " record " << i;
            }
        }
        StepList copy;
        copy.assign(plain.begin(), plain.end());
        EXPECT_TRUE(copy == list);
    }
}

} // namespace
} // namespace vorpel
