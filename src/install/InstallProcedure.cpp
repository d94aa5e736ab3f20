#include "install/InstallProcedure.h"

#include "common/InstallerContract.h"
#include "framework/Probes.h"
#include "install/core/ShortcutValues.h"
#include "install/DesktopShortcut.h"
#include "install/DirectoryContents.h"
#include "install/WriteCampaignGameDll.h"

#include <windows.h>

namespace kestrane {
namespace {

struct GameFile {
    const char* name;
    int position;
    const char* copyError;
};

// The messages spell two of the names in lower case; players have seen them so for years.
constexpr GameFile kGameFiles[] = {
    {"Warcraft III.exe", 100, "Error: an error occured while copying \"Warcraft III.exe\" campaign file!"},
    {"war3.exe", 200, "Error: an error occured while copying \"war3.exe\" campaign file!"},
    {"Storm.dll", 300, "Error: an error occured while copying \"storm.dll\" campaign file!"},
    {"Mss32.dll", 400, "Error: an error occured while copying \"mss32.dll\" campaign file!"},
    {"ijl15.dll", 500, "Error: an error occured while copying \"ijl15.dll\" campaign file!"},
};

}  // namespace

void InstallCampaign(const OperationPaths& paths, const std::string& campaignName, const std::string& icon,
                     const std::function<void(int)>& setPosition, const std::function<void()>& copied,
                     OperationState& state, const AskUser& ask)
{
    state.resultText = "Installation done sucessfully!";

    // Only the last level is made; a missing parent shows up as the copies failing.
    if (!DirectoryExists(paths.campaignDirectory))
        ::CreateDirectoryA(paths.campaignDirectory.c_str(), nullptr);

    for (const GameFile& file : kGameFiles) {
        if (!PlaceFileIn(paths.gameDirectory + file.name, paths.campaignDirectory, file.name))
            state.Fail(file.copyError);
        setPosition(file.position);
    }

    WriteCampaignGameDll(paths.gameDirectory, paths.campaignDirectory, setPosition, state);
    CopyDirectoryContents(kCampaignFilesFolder, paths.campaignDirectory, [&state](const std::string& relativePath) {
        state.Fail("Error: an error occured while copying \"" + relativePath + "\" campaign file!");
    });
    setPosition(kInstallProgressEnd);
    copied();

    if (!campaignName.empty() && ask("Create desktop shortcut?\n", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        const ShortcutValues shortcut = MakeShortcutValues(paths.campaignDirectory, campaignName, icon);
        CreateDesktopShortcut(shortcut.target, shortcut.linkName, shortcut.workingDirectory, shortcut.description,
                              shortcut.iconLocation, shortcut.folder);
    }
}

}  // namespace kestrane
