// InstallRun: a registered stand-in game beside a package, the program started there, and the
// checks the install and uninstall runs share.
#pragma once

#include "Driver.h"
#include "GameDllRewriteReference.h"

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>

namespace kestrane::e2e {

inline constexpr const char* kGameFiles[] = {"Warcraft III.exe", "war3.exe", "Storm.dll", "Mss32.dll", "ijl15.dll"};
inline constexpr const char* kDone = "Installation done sucessfully!";
inline constexpr const char* kUninstalled =
    "Uninstallation done sucessfully!\n(Don't forget to remove the shortcuts yourself!)";

using test::ReadTextFile;
inline bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
// The stand-in game.dll as the install must rewrite it, by the plain reference loop.
inline std::string Rewritten(std::string bytes)
{
    test::RewriteGameDllReference(std::as_writable_bytes(std::span(bytes.data(), bytes.size())));
    return bytes;
}
using test::Snapshot;
// The refusal of an INSTALLDIR that, once cleaned, is no folder inside the game directory or
// names one that Windows reads two ways.
inline std::string UnsafeInstallDirText(const std::string& cleaned)
{
    return "Error!\nThe campaign directory INSTALLDIR=\"" + cleaned +
           "\" of install.ini is not a folder inside your Warcraft III directory.\nINSTALLDIR must name a folder "
           "inside the Warcraft III directory; nothing was changed.";
}

// Names each case of a table after its `name`, for ctest to list.
inline constexpr auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

class InstallRun : public ::testing::Test {
public:
    // A folder outside the game's, for links that lead out of it. Outlives the game's folder, so
    // that links to it are removed while they still lead somewhere.
    static const test::TempFolder& Sentinel()
    {
        static const test::TempFolder sentinel("sentinel");
        return sentinel;
    }

    const test::TempFolder& Root() const { return m_root; }
    const std::string& Game() const { return m_game; }
    // The campaign directory of the last start.
    std::string Campaign() const { return m_game + "\\" + m_installDir; }
    std::string Label() const { return ControlText(m_dialog, IDC_INSTALL_BUTTON); }
    // The campaign directory as the install must leave it.
    test::Tree Installed() const
    {
        test::Tree installed = {{"game.dll", Rewritten(StandInGameDll())},
                                {"saga.ico", "icon"},
                                {"Maps", test::kDirectory},
                                {"Maps\\Chapter1.w3m", "chapter one"}};
        for (const char* name : kGameFiles)
            installed[name] = ReadTextFile(m_game + "\\" + name);
        return installed;
    }

protected:
    explicit InstallRun(const std::string& gameFolder = "Warcraft III")
        : m_game(m_root / gameFolder), m_registered(m_game)
    {
        // Made by its ANSI name first: the C++ library would read a name of the code page's own
        // characters as another.
        ::CreateDirectoryA(m_game.c_str(), nullptr);
        MakeStandInGameDirectory(m_game);
        m_package.WriteFile("back.bmp", MakeBitmapFile(320, 240));
        m_package.WriteFile("Kestrane Files\\Maps\\Chapter1.w3m", "chapter one");
        m_package.WriteFile("Kestrane Files\\saga.ico", "icon");
    }

    // A run left open ends as the player ends it, and must end cleanly.
    void TearDown() override
    {
        if (m_program && ::IsWindow(m_dialog))
            Exit();
    }

    // Writes install.ini and starts the program, which shows its main dialog.
    void Start(const std::string& installDir = "Orc Saga", const std::string& campaignName = "Orc Saga")
    {
        m_installDir = installDir;
        m_package.WriteInstallIni("CAMPAIGNNAME=" + campaignName + "\r\nICON=saga.ico\r\nBACKBITMAP=back.bmp\r\n" +
                                  "INSTALLDIR=" + installDir + "\r\n");
        m_program.emplace(m_package.Path());
        m_dialog = m_program->WaitForMainDialog();
    }

    void Exit()
    {
        Click(m_dialog, IDOK);
        EXPECT_EQ(m_program->WaitForExit(), 0u);
        m_program.reset();
    }

    // Clicks the main button and answers the shortcut question, when one comes, with `shortcut`;
    // returns the box that ends the run.
    MessageBoxView Install(int shortcut = IDNO)
    {
        Click(m_dialog, IDC_INSTALL_BUTTON);
        MessageBoxView box = m_program->WaitForMessageBox();
        if (box.text != "Create desktop shortcut?\n")
            return box;
        EXPECT_EQ(box.style, MB_YESNO | MB_ICONQUESTION) << box.iconName << " icon";
        box.Answer(shortcut);
        return m_program->WaitForMessageBox();
    }

    // Clicks the main button and checks the uninstall question that comes.
    MessageBoxView AskToUninstall()
    {
        Click(m_dialog, IDC_INSTALL_BUTTON);
        MessageBoxView question = m_program->WaitForMessageBox();
        std::string expected = "Are you sure you want to remove all the files of \"";
        expected += Campaign() + "\" ?";
        EXPECT_EQ(question.text, expected);
        EXPECT_EQ(question.style, MB_YESNOCANCEL | MB_ICONQUESTION) << question.iconName << " icon";
        return question;
    }
    // Answers the uninstall question (0: closes it); returns the next box.
    MessageBoxView Answer(const MessageBoxView& question, int answer)
    {
        if (answer != 0) {
            question.Answer(answer);
        } else {
            ::PostMessageA(question.window, WM_CLOSE, 0, 0);
            WaitFor("the closed question to go", [&] { return !::IsWindow(question.window); });
        }
        return m_program->WaitForMessageBox();
    }
    MessageBoxView Uninstall(int answer) { return Answer(AskToUninstall(), answer); }

    // Dismisses the box and waits for the main button to take clicks again.
    void Dismiss(const MessageBoxView& box)
    {
        box.Answer(IDOK);
        WaitFor("the main button to be enabled",
                [&] { return ::IsWindowEnabled(Control(m_dialog, IDC_INSTALL_BUTTON)) != FALSE; });
    }

    test::TempFolder m_root{"game"};
    std::string m_game;
    InstallPathScope m_registered;
    PackageDirectory m_package;
    std::string m_installDir;
    std::optional<Program> m_program;
    HWND m_dialog = nullptr;
};

}  // namespace kestrane::e2e
