#include "common/random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace tarvel {
namespace {

// The deal of a seed is the same on every machine: the generator's output is fixed by
// the language and the range is made without the library's distributions.
TEST(Random, ASeedGivesTheSameNumbersEverywhere) {
    StandardRandom random(1);
    std::vector<std::uint32_t> drawn;
    for (std::uint32_t n = 32; n > 20; --n) drawn.push_back(random.Random(n));
    EXPECT_EQ(drawn, (std::vector<std::uint32_t>{8, 16, 0, 27, 16, 24, 0, 15, 8, 11, 14, 8}));
    EXPECT_EQ(random.Random(1), 0u);
    EXPECT_EQ(random.Random(0), 0u);
}

TEST(SystemRandom, StaysInRangeAndNeverRepeatsADeal) {
    SystemRandom random;
    for (const std::uint32_t n : {1u, 2u, 3u, 31u, 32u, 0x80000001u}) {
        for (int i = 0; i < 1000; ++i) ASSERT_LT(random.Random(n), n);
    }
    // Two sources, like two servers started at the same moment, deal differently: the
    // chance that 32 draws agree by luck is below 2^-150.
    SystemRandom other;
    std::array<std::uint32_t, 32> a{}, b{};
    for (std::size_t i = 0; i < a.size(); ++i) {
        a[i] = random.Random(32 - static_cast<std::uint32_t>(i));
        b[i] = other.Random(32 - static_cast<std::uint32_t>(i));
    }
    EXPECT_NE(a, b);
}

}  // namespace
}  // namespace tarvel
