#include "Driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <string>

namespace kestrane::e2e {
namespace {

using namespace std::string_literals;

constexpr const char* kInstallDir = "Kestrane E2E Campaign";
// The status line of the shell's folder browser.
constexpr int kBrowserStatusId = 0x3743;

// The program with a valid package, no registered game and the main dialog up.
class MainDialog : public ::testing::Test {
protected:
    MainDialog() : m_unregistered(std::nullopt)
    {
        m_package.WriteInstallIni("CAMPAIGNNAME=E2E\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR="s + kInstallDir + "\r\n");
        m_package.WriteFile("back.bmp", MakeBitmapFile(320, 240));
        m_program.emplace(m_package.Path());
        m_dialog = m_program->WaitForMainDialog();
    }

    void TearDown() override
    {
        Click(m_dialog, IDOK);
        EXPECT_EQ(m_program->WaitForExit(), 0u) << "Exit ends the program";
    }

    // The shell's folder browser that the "..." button opened.
    HWND WaitForFolderBrowser() const
    {
        return WaitFor("the folder browser", [&]() -> HWND {
            for (const HWND dialog : m_program->Windows("#32770")) {
                if (::FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr))
                    return dialog;
            }
            return nullptr;
        });
    }

    InstallPathScope m_unregistered;
    PackageDirectory m_package;
    std::optional<Program> m_program;
    HWND m_dialog = nullptr;
};

std::string WithoutTrailingSeparator(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

// The campaign's "game.dll" below a folder, for the length of a test.
class CampaignLibraryIn {
public:
    explicit CampaignLibraryIn(const std::string& folder)
        : m_directory(WithoutTrailingSeparator(folder) + "\\" + kInstallDir), m_library(m_directory + "\\game.dll")
    {
        ::CreateDirectoryA(m_directory.c_str(), nullptr);
        WriteBytes(m_library, StandInGameDll());
    }
    ~CampaignLibraryIn()
    {
        ::DeleteFileA(m_library.c_str());
        ::RemoveDirectoryA(m_directory.c_str());
    }
    CampaignLibraryIn(const CampaignLibraryIn&) = delete;
    CampaignLibraryIn& operator=(const CampaignLibraryIn&) = delete;

private:
    std::string m_directory;
    std::string m_library;
};

// Selects the browser's items below its root one after the other until the status line shows
// `folder` (with or without a trailing "\\"), and returns the status line then; empty when no
// item shows it. The selection's notifications run inside the sent message, so the status line
// is up to date when the message returns.
std::string SelectFolder(HWND browser, const std::string& folder)
{
    const HWND tree = ::FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
    const HWND status = Control(browser, kBrowserStatusId);
    const auto root = static_cast<LPARAM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (auto item = static_cast<LPARAM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, root)); item;
         item = static_cast<LPARAM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item))) {
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
        const std::string shown = WindowText(status);
        if (!shown.empty() && WithoutTrailingSeparator(shown) == WithoutTrailingSeparator(folder))
            return shown;
    }
    return {};
}

TEST_F(MainDialog, OpensTheAboutBoxForTheSystemMenusAboutCommands)
{
    for (const WPARAM command : {16, 31}) {
        ::PostMessageA(m_dialog, WM_SYSCOMMAND, command, 0);
        const HWND about = m_program->WaitForWindow("#32770", "About Kestrane");
        EXPECT_NE(::FindWindowExA(about, nullptr, "Static", "Kestrane Version 1.62"), nullptr) << "command " << command;
        Click(about, IDOK);
        WaitFor("the About box to close", [&] { return !::IsWindow(about); });
    }
}

TEST_F(MainDialog, TypingInTheFieldRelabelsTheMainButton)
{
    ScratchDirectory game("game");
    game.MakeDirectory(kInstallDir);
    game.WriteFile(kInstallDir + "\\game.dll"s, StandInGameDll());
    ScratchDirectory other("other");

    struct Case {
        std::string typed;
        const char* expectedLabel;
    };
    const Case cases[] = {
        {game.Path(), "Uninstall"},
        {game.Path() + "\\", "Uninstall"},
        {other.Path(), "Install"},
        {game.Path() + "\\" + kInstallDir, "Install"},
        {"", "Install"},
        {game.Path(), "Uninstall"},
    };
    const HWND edit = Control(m_dialog, kGameDirId);
    for (const auto& [typed, expectedLabel] : cases) {
        TypeIntoEdit(edit, typed);
        // The label is read once the field shows the last character: its change was handled.
        EXPECT_EQ(WaitForText(edit, typed), typed);
        EXPECT_EQ(ControlText(m_dialog, kInstallButtonId), expectedLabel) << "typed " << typed;
    }
}

TEST_F(MainDialog, BrowsingFillsTheFieldButLeavesTheLabel)
{
    // Cancel leaves the field as it was.
    Click(m_dialog, kBrowseButtonId);
    HWND browser = WaitForFolderBrowser();
    Click(browser, IDCANCEL);
    WaitFor("the folder browser to close", [&] { return !::IsWindow(browser); });
    EXPECT_EQ(ControlText(m_dialog, kGameDirId), "");

    // OK on the user's documents folder (which the browser offers below its root) puts its path
    // into the field, with a "\\" unless it ends in one, even where the campaign looks installed.
    Click(m_dialog, kBrowseButtonId);
    browser = WaitForFolderBrowser();
    const std::string folder = SelectFolder(browser, SpecialFolderPath(CSIDL_PERSONAL));
    ASSERT_FALSE(folder.empty()) << "no item below the browser's root showed " << SpecialFolderPath(CSIDL_PERSONAL);
    const std::string expectedField = folder.back() == '\\' ? folder : folder + "\\";
    const CampaignLibraryIn installedThere(folder);
    Click(browser, IDOK);
    const HWND edit = Control(m_dialog, kGameDirId);
    EXPECT_EQ(WaitForText(edit, expectedField), expectedField);
    EXPECT_EQ(ControlText(m_dialog, kInstallButtonId), "Install") << "browsing does not relabel";

    // Typing a character and taking it back relabels for the same text.
    ::PostMessageA(edit, EM_SETSEL, expectedField.size(), expectedField.size());
    ::PostMessageA(edit, WM_CHAR, 'x', 0);
    EXPECT_EQ(WaitForText(edit, expectedField + "x"), expectedField + "x");
    ::PostMessageA(edit, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(WaitForText(edit, expectedField), expectedField);
    EXPECT_EQ(ControlText(m_dialog, kInstallButtonId), "Uninstall");
}

}  // namespace
}  // namespace kestrane::e2e
