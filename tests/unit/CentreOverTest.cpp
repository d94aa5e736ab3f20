#include "framework/CentreOver.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(CentreOver, CentresThenKeepsTheWindowInsideTheWorkArea)
{
    const Placement screen{0, 0, 1280, 1024};
    struct Case {
        const char* what;
        Extent window;
        Placement over;
        Placement area;
        int expectedX;
        int expectedY;
    };
    const Case cases[] = {
        {"over the whole screen", {650, 550}, screen, screen, 315, 237},
        {"odd sizes round the centre down", {101, 51}, {0, 0, 200, 100}, screen, 50, 25},
        {"over an owner", {200, 100}, {100, 100, 400, 300}, screen, 200, 200},
        {"an owner at the right edge", {400, 100}, {1100, 0, 180, 100}, screen, 880, 0},
        {"an owner above the top", {100, 300}, {0, -400, 100, 200}, screen, 0, 0},
        {"larger than the area", {1400, 1100}, screen, screen, 0, 0},
        {"a work area that does not start at 0", {100, 100}, {0, 0, 50, 50}, {200, 30, 800, 600}, 200, 30},
    };
    for (const auto& [what, window, over, area, expectedX, expectedY] : cases) {
        const Placement placed = CentreOver(window, over, area);
        EXPECT_EQ(placed.x, expectedX) << what;
        EXPECT_EQ(placed.y, expectedY) << what;
        EXPECT_EQ(placed.width, window.width) << what;
        EXPECT_EQ(placed.height, window.height) << what;
    }
}

}  // namespace
}  // namespace kestrane
