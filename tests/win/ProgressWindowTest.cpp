#include "widgets/ProgressWindow.h"

#include "framework/Application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace kestrane {
namespace {

// The profile is the prefix's own, shared with the end-to-end runs: start each test without one.
class ProgressWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::error_code ignored;
        std::filesystem::remove(Application::ProfilePath(), ignored);
    }

    std::string Caption(const ProgressWindow& window) const { return window.GetWindowText(); }

    HWND Child(const ProgressWindow& window, int id) const { return ::GetDlgItem(window.GetSafeHwnd(), id); }

    Application m_application;
};

TEST_F(ProgressWindowTest, CaptionCarriesThePercentageOnceItChanges)
{
    ProgressWindow progress(nullptr, "Progress", false);
    ASSERT_TRUE(progress.IsWindow());
    progress.SetRange(0, 1500, 1);

    struct Step {
        std::int32_t position;
        std::int32_t previous;
        const char* caption;
    };
    const Step steps[] = {
        {10, 0, "Progress"},
        {100, 10, "Progress [6%]"},
        {700, 100, "Progress [46%]"},
        {1500, 700, "Progress [100%]"},
        {3000, 1500, "Progress [200%]"},
    };
    for (const auto& [position, previous, caption] : steps) {
        EXPECT_EQ(progress.SetPos(position), previous) << "SetPos(" << position << ")";
        EXPECT_EQ(Caption(progress), caption) << "SetPos(" << position << ")";
    }
}

TEST_F(ProgressWindowTest, AnEmptyRangeNeverChangesTheCaption)
{
    ProgressWindow progress(nullptr, "Progress", true);
    progress.SetRange(5, 5, 1);
    progress.SetPos(100);
    EXPECT_EQ(Caption(progress), "Progress");
}

TEST_F(ProgressWindowTest, ShowsTextAboveABarWithTheCancelButtonHidden)
{
    ProgressWindow progress(nullptr, "Progress", false);
    const HWND window = progress.GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_TRUE(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(::GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU) << "no close box";

    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 410);

    const auto childRect = [&](int id) {
        RECT rect{};
        ::GetWindowRect(Child(progress, id), &rect);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    const RECT text = childRect(11);
    const RECT bar = childRect(12);
    const RECT button = childRect(10);
    EXPECT_EQ(text.left, 10);
    EXPECT_EQ(text.top, 10);
    EXPECT_EQ(text.right, 400);
    EXPECT_EQ(bar.left, 10);
    EXPECT_GT(bar.top, text.bottom);
    EXPECT_EQ(bar.right, button.left - 10);
    EXPECT_EQ(button.right, 400);
    EXPECT_EQ(client.bottom, button.bottom + 10);
    EXPECT_FALSE(::IsWindowVisible(Child(progress, 10)));

    progress.SetText(std::string(600, 'x'));
    char shown[1024] = {};
    EXPECT_EQ(::GetWindowTextA(Child(progress, 11), shown, sizeof shown), 511);
}

TEST_F(ProgressWindowTest, EscapeWhilePumpingCancelsForGood)
{
    ProgressWindow progress(nullptr, "Progress", false);
    progress.SetRange(0, 1500, 1);

    ::PostMessageA(progress.GetSafeHwnd(), WM_CHAR, VK_ESCAPE, 0);
    progress.PumpMessages(true);
    EXPECT_FALSE(::IsWindowVisible(progress.GetSafeHwnd())) << "Escape hides the window";
    MSG left;
    EXPECT_FALSE(::PeekMessageA(&left, progress.GetSafeHwnd(), WM_CHAR, WM_CHAR, PM_NOREMOVE))
        << "the Escape character itself is still dispatched";

    // Once cancelled nothing more is dispatched, but a position shows the window again.
    ::PostMessageA(progress.GetSafeHwnd(), WM_NULL, 0, 0);
    progress.PumpMessages(true);
    EXPECT_TRUE(::PeekMessageA(&left, progress.GetSafeHwnd(), WM_NULL, WM_NULL, PM_REMOVE));
    progress.SetPos(100);
    EXPECT_TRUE(::IsWindowVisible(progress.GetSafeHwnd()));
}

TEST_F(ProgressWindowTest, EscapeIsIgnoredUnlessAskedFor)
{
    ProgressWindow progress(nullptr, "Progress", false);
    ::PostMessageA(progress.GetSafeHwnd(), WM_CHAR, VK_ESCAPE, 0);
    progress.PumpMessages(false);
    EXPECT_TRUE(::IsWindowVisible(progress.GetSafeHwnd()));
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

TEST_F(ProgressWindowTest, RemembersWhereItStoodWhenTheCornerIsOnScreen)
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        int x, y;
        bool kept;
    };
    const Case cases[] = {
        {screenWidth - 1, 0, true},
        {100, screenHeight - 1, true},
        {screenWidth, 0, false},
        {0, screenHeight, false},
        {-1, 100, false},
        {100, -1, false},
    };
    for (const auto& [x, y, kept] : cases) {
        m_application.WriteProfileInt("Settings", "X", x);
        m_application.WriteProfileInt("Settings", "Y", y);
        ProgressWindow progress(nullptr, "Progress", false);
        const RECT placed = progress.GetWindowRect();
        const int width = placed.right - placed.left;
        if (kept) {
            EXPECT_EQ(placed.left, x) << x << ", " << y;
            EXPECT_EQ(placed.top, y) << x << ", " << y;
        } else {
            EXPECT_NEAR(placed.left, (screenWidth - width) / 2, 1) << "centred for " << x << ", " << y;
        }
    }
}

TEST_F(ProgressWindowTest, WritesItsPositionWhenDestroyedEvenWhileHidden)
{
    EXPECT_EQ(m_application.GetProfileInt("Settings", "X", -1), -1);
    {
        ProgressWindow progress(nullptr, "Progress", false);
        ::SetWindowPos(progress.GetSafeHwnd(), nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        progress.Hide();
    }
    EXPECT_EQ(m_application.GetProfileInt("Settings", "X", -1), 123);
    EXPECT_EQ(m_application.GetProfileInt("Settings", "Y", -1), 45);
}

}  // namespace
}  // namespace kestrane
