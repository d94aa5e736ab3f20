#include "framework/Application.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <tuple>

namespace kestrane {
namespace {

constexpr int kTemplateId = 200;
constexpr int kEditId = 300;
constexpr UINT kCheck = WM_APP;

// A dialog that places itself, where the end-to-end runs see one that does not centred, and
// runs `atCheck` once it is up.
class TestDialog : public Dialog {
public:
    TestDialog() : Dialog(kTemplateId, nullptr) {}

    std::function<void(TestDialog&)> atCheck;
    RECT placed{};

protected:
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        SetWindowPos(nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::PostMessageA(m_hwnd, kCheck, 0, 0);
        return true;
    }

    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        static constexpr MessageMapEntry<TestDialog> kMessageMap[] = {{kCheck, 0, 0, &TestDialog::OnCheck}};
        if (auto result = WalkMessageMap(*this, kMessageMap, message, wParam))
            return result;
        return Dialog::HandleMessage(message, wParam, lParam);
    }

private:
    void OnCheck()
    {
        placed = GetWindowRect();
        atCheck(*this);
    }
};

class DialogTest : public ::testing::Test {
protected:
    Application m_application;
};

TEST_F(DialogTest, StaysWhereInitPutItAndEndsOnOkEnterEscapeAndTheCloseBox)
{
    const std::tuple<const char*, UINT, WPARAM, INT_PTR> cases[] = {
        {"IDOK", WM_COMMAND, IDOK, IDOK},
        {"IDCANCEL", WM_COMMAND, IDCANCEL, IDCANCEL},
        {"the close box", WM_SYSCOMMAND, SC_CLOSE, IDCANCEL},
        {"Enter", WM_KEYDOWN, VK_RETURN, IDOK},
        {"Escape", WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
    };
    for (const auto& [what, message, wParam, expected] : cases) {
        TestDialog dialog;
        dialog.atCheck = [&](TestDialog& self) {
            // Keys go to the focused control, as the keyboard would send them.
            const HWND target = message == WM_KEYDOWN ? ::GetDlgItem(self.GetSafeHwnd(), kEditId) : self.GetSafeHwnd();
            ::PostMessageA(target, message, wParam, 0);
        };
        EXPECT_EQ(dialog.DoModal(), expected) << what;
        EXPECT_EQ(dialog.placed.left, 10) << what;
        EXPECT_EQ(dialog.placed.top, 20) << what;
    }
}

TEST_F(DialogTest, AnExceptionOfAHandlerEndsTheDialogAndLeavesDoModal)
{
    TestDialog dialog;
    dialog.atCheck = [](TestDialog&) { throw std::runtime_error("thrown by a handler"); };
    EXPECT_THROW(dialog.DoModal(), std::runtime_error);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the dialog window must be gone";
}

}  // namespace
}  // namespace kestrane
