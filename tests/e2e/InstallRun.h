// InstallRun: a registered stand-in game beside a package, the program started there, and the
// checks the install and uninstall runs share.
#pragma once

#include "Driver.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace kestrane::e2e {

inline constexpr const char* kGameFiles[] = {"Warcraft III.exe", "war3.exe", "Storm.dll", "Mss32.dll", "ijl15.dll"};

std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
// The stand-in game.dll as the install must rewrite it, by the plain reference loop.
std::string Rewritten(std::string bytes);
// Every file below `directory` with its bytes, and every folder, by relative path.
std::map<std::string, std::string> Snapshot(const std::string& directory, const std::string& prefix = "");

class InstallRun : public ::testing::Test {
protected:
    InstallRun();
    ~InstallRun() override;

    std::string Campaign(const std::string& installDir = "Orc Saga") const { return m_game + "\\" + installDir; }

    // Writes install.ini and starts the program, which shows its main dialog.
    void Start(const std::string& installDir = "Orc Saga", const std::string& campaignName = "Orc Saga");
    void Exit();

    // Clicks the main button and answers the shortcut question, when one comes, with `shortcut`;
    // returns the box that ends the run.
    MessageBoxView Install(int shortcut = IDNO);
    // Clicks the main button and answers the uninstall question; returns the next box.
    MessageBoxView Uninstall(int answer);
    // Dismisses the box and waits for the main button to take clicks again.
    void Dismiss(const MessageBoxView& box);

    std::string Label() const { return ControlText(m_dialog, kInstallButtonId); }

    ScratchDirectory m_root{"game"};
    std::string m_game;
    InstallPathScope m_registered;
    PackageDirectory m_package;
    std::optional<Program> m_program;
    HWND m_dialog = nullptr;
};

}  // namespace kestrane::e2e
