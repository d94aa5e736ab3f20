#include "framework/Application.h"
#include "framework/MessageMap.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kestrane {
namespace {

constexpr UINT kSevenId = 7;
constexpr UINT kCount = WM_APP;
constexpr UINT kCommandLike = WM_APP + 1;

// One handler of each kind; those whose answers do not show that they ran note it.
class MapWindow : public Window {
public:
    std::string notes;
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
            // Never reached: the first entry that matches wins.
            {WM_COMMAND, kSevenId, BN_CLICKED, &MapWindow::OnSevenChanged},
            {WM_ERASEBKGND, 0, 0, &MapWindow::OnEraseBackground},
            {WM_GETTEXTLENGTH, 0, 0, &MapWindow::OnTextLength},
            {kCommandLike, 0, 0, &MapWindow::OnCommandLike},
            {WM_QUERYDRAGICON, 0, 0, &MapWindow::OnQueryDragIcon},
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
    void OnSevenClicked() { notes += "clicked "; }
    void OnSevenChanged() { notes += "changed "; }
    LRESULT OnEraseBackground(HDC dc) { return reinterpret_cast<LRESULT>(dc) + 1; }
    bool OnTextLength() { return handleTextLength; }
    bool OnCommandLike(UINT command)
    {
        notes += std::to_string(command);
        return true;
    }
    HICON OnQueryDragIcon() { return reinterpret_cast<HICON>(0x4321); }
    // The second one throws, so that one pump hands the error out between two that dispatch.
    void OnCount()
    {
        if (++counted == 2)
            throw std::runtime_error("thrown by a handler");
    }
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
        LRESULT answer;
        const char* notes;
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(kSevenId, BN_CLICKED), false, 0, "clicked "},
        {WM_COMMAND, MAKEWPARAM(kSevenId, EN_CHANGE), false, 0, "changed "},
        {WM_COMMAND, MAKEWPARAM(kSevenId, EN_KILLFOCUS), false, 0, ""},
        {WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), false, 0, ""},
        {WM_ERASEBKGND, 0x1234, false, 0x1235, ""},
        // Declined: DefWindowProc answers with the length of "Map test".
        {WM_GETTEXTLENGTH, 0, false, 8, ""},
        {WM_GETTEXTLENGTH, 0, true, 0, ""},
        {kCommandLike, 0x10010, false, 0, "65552"},
        {WM_QUERYDRAGICON, 0, false, 0x4321, ""},
    };
    for (const auto& [message, wParam, handleTextLength, answer, notes] : cases) {
        window.notes.clear();
        window.handleTextLength = handleTextLength;
        EXPECT_EQ(window.SendMessage(message, wParam, 0), answer) << std::hex << message << ", " << wParam;
        EXPECT_EQ(window.notes, notes) << std::hex << message << ", " << wParam;
    }
}

// The end-to-end runs prove that a wrapper leaves a dialog's controls alone.
TEST_F(WindowTest, PumpMessageDispatchesOneMessageAtATimeAndHandsOutAHandlersException)
{
    MapWindow throwing;
    throwing.throwOnCreate = true;
    EXPECT_THROW(Create(throwing), std::runtime_error);

    MapWindow window;
    ASSERT_TRUE(Create(window));
    // Windows of a new thread get a few messages of their own first.
    MSG pending;
    while (::PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&pending);
    for (int i = 0; i < 3; ++i)
        ::PostMessageA(window.GetSafeHwnd(), kCount, 0, 0);
    ::PostQuitMessage(5);

    EXPECT_TRUE(m_application.PumpMessage());
    EXPECT_EQ(window.counted, 1);
    EXPECT_THROW(m_application.PumpMessage(), std::runtime_error);
    EXPECT_TRUE(m_application.PumpMessage()) << "the error is handed out once";
    EXPECT_EQ(window.counted, 3);
    EXPECT_FALSE(m_application.PumpMessage()) << "WM_QUIT";
    EXPECT_EQ(m_application.ExitInstance(), 5) << "the quit code is the exit code";
}

}  // namespace
}  // namespace kestrane
