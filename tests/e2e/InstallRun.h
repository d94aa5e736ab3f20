// InstallRun: a registered stand-in game beside a package, the program started there, and the
// checks the install and uninstall runs share.
#pragma once

#include "Driver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kestrane::e2e {

inline constexpr const char* kGameFiles[] = {"Warcraft III.exe", "war3.exe", "Storm.dll", "Mss32.dll", "ijl15.dll"};

std::string ReadBytes(const std::string& path);  // "<missing>" when there is no such file
inline bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
// The stand-in game.dll as the install must rewrite it, by the plain reference loop.
std::string Rewritten(std::string bytes);
using test::Snapshot;
// The refusal of an INSTALLDIR that, once cleaned, is no folder inside the game directory or
// names one that Windows reads two ways.
std::string UnsafeInstallDirText(const std::string& cleaned);

class InstallRun : public ::testing::Test {
protected:
    InstallRun() : m_game(m_root / "Warcraft III"), m_registered(m_game)
    {
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

    std::string Campaign(const std::string& installDir = "Orc Saga") const { return m_game + "\\" + installDir; }
    std::string Label() const { return ControlText(m_dialog, kInstallButtonId); }

    // Writes install.ini and starts the program, which shows its main dialog.
    void Start(const std::string& installDir = "Orc Saga", const std::string& campaignName = "Orc Saga")
    {
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
        Click(m_dialog, kInstallButtonId);
        MessageBoxView box = m_program->WaitForMessageBox();
        if (box.text != "Create desktop shortcut?\n")
            return box;
        EXPECT_EQ(box.style, MB_YESNO | MB_ICONQUESTION) << box.iconName << " icon";
        box.Answer(shortcut);
        return m_program->WaitForMessageBox();
    }

    // Clicks the main button and answers the uninstall question (0: closes it); returns the next box.
    MessageBoxView Uninstall(int answer)
    {
        Click(m_dialog, kInstallButtonId);
        const MessageBoxView question = m_program->WaitForMessageBox();
        std::string expected = "Are you sure you want to remove all the files of \"";
        expected += Campaign() + "\" ?";
        EXPECT_EQ(question.text, expected);
        EXPECT_EQ(question.style, MB_YESNOCANCEL | MB_ICONQUESTION) << question.iconName << " icon";
        if (answer != 0) {
            question.Answer(answer);
        } else {
            ::PostMessageA(question.window, WM_CLOSE, 0, 0);
            WaitFor("the closed question to go", [&] { return !::IsWindow(question.window); });
        }
        return m_program->WaitForMessageBox();
    }

    // Dismisses the box and waits for the main button to take clicks again.
    void Dismiss(const MessageBoxView& box)
    {
        box.Answer(IDOK);
        WaitFor("the main button to be enabled",
                [&] { return ::IsWindowEnabled(Control(m_dialog, kInstallButtonId)) != FALSE; });
    }

    ScratchDirectory m_root{"game"};
    std::string m_game;
    InstallPathScope m_registered;
    PackageDirectory m_package;
    std::optional<Program> m_program;
    HWND m_dialog = nullptr;
};

}  // namespace kestrane::e2e
