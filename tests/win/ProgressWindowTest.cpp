#include "widgets/ProgressWindow.h"

#include "framework/Application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>

namespace kestrane {
namespace {

class ProgressWindowTest : public ::testing::Test {
protected:
    Application m_application;
};

TEST_F(ProgressWindowTest, EscapeCancelsForGoodOnlyWhenAskedFor)
{
    ProgressWindow progress(nullptr, "Progress", false);
    const HWND window = progress.GetSafeHwnd();
    ::PostMessageA(window, WM_CHAR, VK_ESCAPE, 0);
    progress.PumpMessages(false);
    EXPECT_TRUE(::IsWindowVisible(window)) << "Escape without being asked for";

    ::PostMessageA(window, WM_CHAR, VK_ESCAPE, 0);
    progress.PumpMessages(true);
    EXPECT_FALSE(::IsWindowVisible(window)) << "Escape hides the window";
    MSG left;
    EXPECT_FALSE(::PeekMessageA(&left, window, WM_CHAR, WM_CHAR, PM_NOREMOVE))
        << "the Escape character itself is still dispatched";

    // Once cancelled nothing more is dispatched, but a position shows the window again.
    ::PostMessageA(window, WM_NULL, 0, 0);
    progress.PumpMessages(true);
    EXPECT_TRUE(::PeekMessageA(&left, window, WM_NULL, WM_NULL, PM_REMOVE));
    progress.SetPos(100);
    EXPECT_TRUE(::IsWindowVisible(window));
}

TEST_F(ProgressWindowTest, AQuitMetWhilePumpingIsPostedAgainForTheProgramsLoop)
{
    ProgressWindow progress(nullptr, "Progress", false);
    ::PostQuitMessage(7);
    progress.PumpMessages(true);
    MSG quit;
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

// The end-to-end runs restore a position on screen; these are the real screen's edges. Only the
// top-left corner counts: a window kept there may reach beyond the right or bottom edge.
TEST_F(ProgressWindowTest, CentresWhenTheRememberedCornerIsOffScreen)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    const std::tuple<int, int, bool> cases[] = {
        {0, 0, true},         {width - 1, height - 1, true},
        {width - 1, 0, true}, {100, height - 1, true},
        {width, 0, false},    {0, height, false},
        {-1, 0, false},       {0, -1, false},
        {-1, -1, false},
    };
    for (const auto& [x, y, kept] : cases) {
        m_application.WriteProfileInt("Settings", "X", x);
        m_application.WriteProfileInt("Settings", "Y", y);
        const RECT placed = ProgressWindow(nullptr, "Progress", false).GetWindowRect();
        const int centredX = (width - (placed.right - placed.left)) / 2;
        const int centredY = (height - (placed.bottom - placed.top)) / 2;
        EXPECT_NEAR(placed.left, kept ? x : centredX, kept ? 0 : 1) << x << ", " << y;
        EXPECT_NEAR(placed.top, kept ? y : centredY, kept ? 0 : 1) << x << ", " << y;
    }
}

}  // namespace
}  // namespace kestrane
