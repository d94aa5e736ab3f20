#include "framework/core/CentreOver.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

// Centring over the whole screen is seen on the real main window.
TEST(CentreOver, CentresThenKeepsTheWindowInsideTheWorkArea)
{
    const Placement screen{0, 0, 1280, 1024};
    // The window's size, what it is centred over and the work area, and where it lands.
    const std::tuple<const char*, Extent, Placement, Placement, int, int> cases[] = {
        {"odd sizes round the centre down", {101, 51}, {0, 0, 200, 100}, screen, 50, 25},
        {"over an owner", {200, 100}, {100, 100, 400, 300}, screen, 200, 200},
        {"an owner at the right edge", {400, 100}, {1100, 0, 180, 100}, screen, 880, 0},
        {"an owner above the top", {100, 300}, {0, -400, 100, 200}, screen, 0, 0},
        {"larger than the area", {1400, 1100}, screen, screen, 0, 0},
        {"a work area that does not start at 0", {100, 100}, {0, 0, 50, 50}, {200, 30, 800, 600}, 200, 30},
    };
    for (const auto& [what, window, over, area, expectedX, expectedY] : cases) {
        const Placement placed = CentreOver(window, over, area);
        EXPECT_EQ(std::tuple(placed.x, placed.y, placed.width, placed.height),
                  std::tuple(expectedX, expectedY, window.width, window.height))
            << what;
    }
}

}  // namespace
}  // namespace kestrane
