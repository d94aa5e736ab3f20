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
        {100, 0, 1500, 6},   {700, 0, 1500, 46},  {1500, 0, 1500, 100}, {3000, 0, 1500, 200},
        {-100, 0, 1500, -6}, {50, 0, 100, 50},
        // An empty or inverted range reads 0 whatever the position.
        {100, 0, 0, 0},      {100, 10, 5, 0},
        // The position is not taken relative to the lower bound.
        {150, 100, 200, 150},
        // Extremes neither overflow nor wrap.
        {kMax, 0, 1, kMax},  {kMin, 0, 1, kMin},  {kMax, kMin, kMax, 49},
    };
    for (const auto& [position, lower, upper, expected] : cases)
        EXPECT_EQ(ProgressPercent(position, lower, upper), expected)
            << "position " << position << " of " << lower << ".." << upper;
}

TEST(LayOutProgress, KeepsATenPixelMarginAroundTextBarAndButtonAtTheWindowsDpi)
{
    struct Case {
        int dpi;
        Placement text, button, bar;
        int clientWidth, clientHeight;
    };
    // The measured sizes come from the font at the dpi already: 13 high, 50 wide; the 390, 10 and 20 scale.
    const Case cases[] = {
        {96, {10, 10, 390, 13}, {342, 33, 58, 19}, {10, 35, 322, 15}, 410, 62},
        {120, {13, 13, 488, 13}, {443, 39, 58, 19}, {13, 41, 417, 15}, 513, 70},
        {144, {15, 15, 585, 13}, {542, 43, 58, 19}, {15, 45, 512, 15}, 615, 77},
        {192, {20, 20, 780, 13}, {742, 53, 58, 19}, {20, 55, 702, 15}, 820, 92},
    };
    for (const auto& [dpi, text, button, bar, clientWidth, clientHeight] : cases) {
        const ProgressLayout layout = LayOutProgress({.dpi = dpi, .width = 390, .textHeight = 13, .cancelWidth = 50,
                                                      .cancelHeight = 13, .edgeWidth = 2, .edgeHeight = 2});
        EXPECT_EQ(layout.text, text) << dpi;
        EXPECT_EQ(layout.button, button) << dpi;
        EXPECT_EQ(layout.bar, bar) << dpi;
        EXPECT_EQ(layout.clientWidth, clientWidth) << dpi;
        EXPECT_EQ(layout.clientHeight, clientHeight) << dpi;
    }
}

}  // namespace
}  // namespace kestrane
