#include "common/random_source.h"

#include <gtest/gtest.h>

#include <array>

namespace tarvel {
namespace {

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
