#include "framework/Application.h"
#include "framework/MessageMap.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kestrane {
namespace {

constexpr UINT kSevenId = 7;
constexpr UINT kThrow = WM_APP;
constexpr UINT kCount = WM_APP + 1;
constexpr UINT kCommandLike = WM_APP + 2;

// Each handler notes its name; the test compares the notes and the answers.
class MapWindow : public Window {
public:
    std::vector<std::string> calls;
    bool handleTextLength = false;
    bool throwOnCreate = false;
    int counted = 0;

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        static constexpr MessageMapEntry<MapWindow> kMessageMap[] = {
            {WM_CREATE, 0, 0, &MapWindow::OnCreate},
            {WM_COMMAND, kSevenId, BN_CLICKED, &MapWindow::OnSevenClicked},
            {WM_COMMAND, kSevenId, EN_CHANGE, &MapWindow::OnSevenChanged},
            {WM_COMMAND, kSevenId, BN_CLICKED, &MapWindow::OnSevenClickedAgain},
            {WM_ERASEBKGND, 0, 0, &MapWindow::OnEraseBackground},
            {WM_GETTEXTLENGTH, 0, 0, &MapWindow::OnTextLength},
            {kCommandLike, 0, 0, &MapWindow::OnCommandLike},
            {WM_QUERYDRAGICON, 0, 0, &MapWindow::OnQueryDragIcon},
            {kThrow, 0, 0, &MapWindow::OnThrow},
            {kCount, 0, 0, &MapWindow::OnCount},
        };
        if (auto result = WalkMessageMap(*this, kMessageMap, message, wParam))
            return result;
        return Window::HandleMessage(message, wParam, lParam);
    }

private:
    void OnCreate()
    {
        if (throwOnCreate)
            throw std::runtime_error("thrown at WM_CREATE");
    }
    void OnSevenClicked() { calls.push_back("clicked"); }
    void OnSevenChanged() { calls.push_back("changed"); }
    void OnSevenClickedAgain() { calls.push_back("clicked again"); }
    LRESULT OnEraseBackground(HDC dc)
    {
        calls.push_back(dc == reinterpret_cast<HDC>(0x1234) ? "erase with the dc" : "erase with another dc");
        return 77;
    }
    bool OnTextLength()
    {
        calls.push_back("text length");
        return handleTextLength;
    }
    bool OnCommandLike(UINT command)
    {
        calls.push_back("command " + std::to_string(command));
        return true;
    }
    HICON OnQueryDragIcon() { return reinterpret_cast<HICON>(0x4321); }
    void OnThrow() { throw std::runtime_error("thrown by a handler"); }
    void OnCount() { ++counted; }
};

class WindowTest : public ::testing::Test {
protected:
    bool Create(MapWindow& window)
    {
        const std::string className = Window::RegisterWindowClass(0, nullptr, nullptr, nullptr);
        return window.CreateEx(0, className, "Map test", WS_POPUP, RECT{0, 0, 200, 100}, nullptr, 0);
    }

    Application m_application;
};

TEST_F(WindowTest, TheMessageMapRunsTheFirstEntryThatMatchesMessageIdAndCode)
{
    MapWindow window;
    ASSERT_TRUE(Create(window));
    struct Case {
        UINT message;
        WPARAM wParam;
        bool handleTextLength;
        LRESULT expectedAnswer;
        std::vector<std::string> expectedCalls;
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(kSevenId, BN_CLICKED), false, 0, {"clicked"}},
        {WM_COMMAND, MAKEWPARAM(kSevenId, EN_CHANGE), false, 0, {"changed"}},
        {WM_COMMAND, MAKEWPARAM(kSevenId, EN_KILLFOCUS), false, 0, {}},
        {WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), false, 0, {}},
        {WM_ERASEBKGND, 0x1234, false, 77, {"erase with the dc"}},
        // Declined: DefWindowProc answers with the length of "Map test".
        {WM_GETTEXTLENGTH, 0, false, 8, {"text length"}},
        {WM_GETTEXTLENGTH, 0, true, 0, {"text length"}},
        {kCommandLike, 0x10010, false, 0, {"command 65552"}},
        {WM_QUERYDRAGICON, 0, false, 0x4321, {}},
    };
    for (const auto& [message, wParam, handleTextLength, expectedAnswer, expectedCalls] : cases) {
        window.calls.clear();
        window.handleTextLength = handleTextLength;
        const LRESULT answer = window.SendMessage(message, wParam, 0);
        EXPECT_EQ(answer, expectedAnswer) << "message 0x" << std::hex << message << " wParam 0x" << wParam;
        EXPECT_EQ(window.calls, expectedCalls) << "message 0x" << std::hex << message << " wParam 0x" << wParam;
    }
}

TEST_F(WindowTest, TheObjectFollowsItsWindowFromCreationToDestruction)
{
    HWND destroyedWithObject = nullptr;
    {
        MapWindow window;
        EXPECT_FALSE(window.DestroyWindow()) << "no window yet";
        ASSERT_TRUE(Create(window));
        EXPECT_TRUE(window.IsWindow());
        EXPECT_EQ(window.GetWindowText(), "Map test");
        EXPECT_TRUE(window.DestroyWindow());
        EXPECT_EQ(window.GetSafeHwnd(), nullptr);
        EXPECT_FALSE(window.DestroyWindow());

        ASSERT_TRUE(Create(window));
        destroyedWithObject = window.GetSafeHwnd();
    }
    EXPECT_FALSE(::IsWindow(destroyedWithObject)) << "the object's end destroys the window it created";

    // A wrapped window belongs to someone else.
    MapWindow owner;
    ASSERT_TRUE(Create(owner));
    {
        Window wrapper;
        wrapper.Attach(owner.GetSafeHwnd());
    }
    EXPECT_TRUE(owner.IsWindow());
}

TEST_F(WindowTest, AnExceptionOfAHandlerComesOutOfTheCallThatRanIt)
{
    MapWindow throwing;
    throwing.throwOnCreate = true;
    EXPECT_THROW(Create(throwing), std::runtime_error);

    MapWindow window;
    ASSERT_TRUE(Create(window));
    ::PostMessageA(window.GetSafeHwnd(), kThrow, 0, 0);
    try {
        while (m_application.PumpMessage()) {
        }
        ADD_FAILURE() << "PumpMessage ran into WM_QUIT";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "thrown by a handler");
    }
    EXPECT_NO_THROW(window.SendMessage(kCount, 0, 0)) << "the error is handed out once";
}

TEST_F(WindowTest, PumpMessageDispatchesOneMessageAtATimeUntilQuit)
{
    MapWindow window;
    ASSERT_TRUE(Create(window));
    // Windows of a new thread get a few messages of their own first.
    MSG pending;
    while (::PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&pending);

    ::PostMessageA(window.GetSafeHwnd(), kCount, 0, 0);
    ::PostMessageA(window.GetSafeHwnd(), kCount, 0, 0);
    ::PostQuitMessage(5);
    EXPECT_TRUE(m_application.PumpMessage());
    EXPECT_EQ(window.counted, 1);
    EXPECT_TRUE(m_application.PumpMessage());
    EXPECT_EQ(window.counted, 2);
    EXPECT_FALSE(m_application.PumpMessage()) << "WM_QUIT";
    EXPECT_EQ(m_application.ExitInstance(), 5) << "the quit code is the exit code";
}

TEST_F(WindowTest, RegisterWindowClassGivesOneClassPerSetOfTraits)
{
    const HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
    const std::string first = Window::RegisterWindowClass(CS_OWNDC, nullptr, face, nullptr);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(Window::RegisterWindowClass(CS_OWNDC, nullptr, face, nullptr), first);
    EXPECT_NE(Window::RegisterWindowClass(CS_HREDRAW, nullptr, face, nullptr), first);
    EXPECT_NE(Window::RegisterWindowClass(CS_OWNDC, nullptr, nullptr, nullptr), first);
}

}  // namespace
}  // namespace kestrane
