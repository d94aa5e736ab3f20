#include "widgets/core/ProgressRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace kestrane {
namespace {

TEST(ProgressPercent, TruncatesTowardZeroAndDoesNotClamp)
{
    struct Case {
        std::int32_t position, lower, upper, expected;
    };
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    // The install's own steps, out of 1500, are watched on the real progress window.
    const Case cases[] = {
        {100, 0, 1500, 6},
        {700, 0, 1500, 46},
        {1500, 0, 1500, 100},
        {3000, 0, 1500, 200},
        {-100, 0, 1500, -6},
        {50, 0, 100, 50},
        // An empty or inverted range reads 0 whatever the position.
        {100, 0, 0, 0},
        {100, 10, 5, 0},
        // The position is not taken relative to the lower bound.
        {150, 100, 200, 150},
        // Extremes neither overflow nor wrap.
        {kMax, 0, 1, kMax},
        {kMin, 0, 1, kMin},
        {kMax, kMin, kMax, 49},
    };
    for (const auto& [position, lower, upper, expected] : cases)
        EXPECT_EQ(ProgressPercent(position, lower, upper), expected)
            << "position " << position << " of " << lower << ".." << upper;
}

}  // namespace
}  // namespace kestrane
