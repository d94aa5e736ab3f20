#include "framework/Application.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace kestrane {
namespace {

constexpr int kTemplateId = 200;
constexpr int kEditId = 300;
constexpr UINT kCheck = WM_APP;

// A dialog whose test decides what happens once it is up: `atInit` runs at the end of
// OnInitDialog, `atCheck` when the message kCheck that init posted comes round.
class TestDialog : public Dialog {
public:
    TestDialog() : Dialog(kTemplateId, nullptr) {}

    std::string m_text;
    int m_changes = 0;
    std::function<void(TestDialog&)> atInit;
    std::function<void(TestDialog&)> atCheck;

protected:
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        if (atInit)
            atInit(*this);
        ::PostMessageA(m_hwnd, kCheck, 0, 0);
        return true;
    }

    void DoDataExchange(bool toControls) override { ExchangeText(toControls, kEditId, m_text); }

    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        static constexpr MessageMapEntry<TestDialog> kMessageMap[] = {
            {WM_COMMAND, kEditId, EN_CHANGE, &TestDialog::OnTextChange},
            {kCheck, 0, 0, &TestDialog::OnCheck},
        };
        if (auto result = WalkMessageMap(*this, kMessageMap, message, wParam))
            return result;
        return Dialog::HandleMessage(message, wParam, lParam);
    }

private:
    // As the main dialog does: read the field, then write it back.
    void OnTextChange()
    {
        ++m_changes;
        UpdateData(true);
        UpdateData(false);
    }

    void OnCheck()
    {
        if (atCheck)
            atCheck(*this);
        else
            EndDialog(IDOK);
    }
};

HWND Edit(const TestDialog& dialog)
{
    return ::GetDlgItem(dialog.GetSafeHwnd(), kEditId);
}

class DialogTest : public ::testing::Test {
protected:
    Application m_application;
};

TEST_F(DialogTest, WritingTheFieldsRaisesNoNotificationButTypingDoes)
{
    TestDialog dialog;
    dialog.m_text = "first";
    int changesAfterInit = -1;
    int changesAfterTyping = -1;
    int changesAfterWrite = -1;
    std::string typed;
    dialog.atInit = [&](TestDialog& self) {
        changesAfterInit = self.m_changes;
        for (const char c : std::string("abc"))
            ::SendMessageA(Edit(self), WM_CHAR, static_cast<WPARAM>(c), 0);
        changesAfterTyping = self.m_changes;
        typed = self.m_text;
        self.m_text = "second";
        self.UpdateData(false);
        changesAfterWrite = self.m_changes;
    };

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(changesAfterInit, 0) << "the initial write of \"first\" must not count as an edit";
    EXPECT_EQ(changesAfterTyping, 3);
    // Each character lands after the one before (the caret starts at the front after the first
    // write): writing the same text back on every change would put the caret home, giving "cba".
    EXPECT_EQ(typed, "abcfirst");
    EXPECT_EQ(changesAfterWrite, 3) << "writing \"second\" must not count as an edit";
}

TEST_F(DialogTest, CentresOnlyWhenInitKeptTheTopLeftCorner)
{
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    for (const bool moved : {false, true}) {
        TestDialog dialog;
        RECT placed{};
        if (moved)
            dialog.atInit = [](TestDialog& self) { self.SetWindowPos(nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER); };
        dialog.atCheck = [&](TestDialog& self) {
            placed = self.GetWindowRect();
            self.EndDialog(IDOK);
        };
        dialog.DoModal();

        const LONG width = placed.right - placed.left;
        const LONG height = placed.bottom - placed.top;
        const LONG expectedLeft = moved ? 10 : workArea.left + (workArea.right - workArea.left) / 2 - width / 2;
        const LONG expectedTop = moved ? 20 : workArea.top + (workArea.bottom - workArea.top) / 2 - height / 2;
        EXPECT_EQ(placed.left, expectedLeft) << (moved ? "moved by init" : "left where the template put it");
        EXPECT_EQ(placed.top, expectedTop) << (moved ? "moved by init" : "left where the template put it");
    }
}

TEST_F(DialogTest, OkEnterEscapeAndTheCloseBoxEndTheDialog)
{
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        INT_PTR expected;
    };
    const Case cases[] = {
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
            const HWND target = message == WM_KEYDOWN ? Edit(self) : self.GetSafeHwnd();
            ::PostMessageA(target, message, wParam, 0);
        };
        EXPECT_EQ(dialog.DoModal(), expected) << what;
    }
}

TEST_F(DialogTest, AnExceptionOfAHandlerEndsTheDialogAndLeavesDoModal)
{
    TestDialog dialog;
    dialog.atCheck = [](TestDialog&) { throw std::runtime_error("thrown by a handler"); };
    try {
        dialog.DoModal();
        ADD_FAILURE() << "DoModal returned";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "thrown by a handler");
    }
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the dialog window must be gone";
}

}  // namespace
}  // namespace kestrane
