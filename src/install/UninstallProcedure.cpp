#include "install/UninstallProcedure.h"

#include "common/Text.h"
#include "framework/File.h"
#include "framework/FileError.h"
#include "framework/WaitOutHold.h"
#include "install/DirectoryContents.h"

#include <windows.h>

#include <array>

namespace kestrane {
namespace {

constexpr std::array kInstalledFiles = {
    "war3patch.mpq", "war3.exe", "Warcraft III.exe", "Storm.dll", "Mss32.dll", "ijl15.dll", "game.dll",
};

void RemoveEverything(const std::string& campaignDirectory, const AskUser& ask)
{
    if (RemoveDirectoryAfter(campaignDirectory, DeleteDirectoryContents(campaignDirectory)))
        return;
    ask(Quoted(campaignDirectory) +
            " was not removed.\nCheck if the directory still exists and if you have the access rights to be able "
            "to remove its content.",
        MB_ICONERROR);
}

// Most packages bring no "war3patch.mpq", and a second uninstall finds the files already gone:
// a file that is not there counts as removed. Anything else that stops a deletion stops the list.
void RemoveIfPresent(const std::string& path)
{
    try {
        File::Remove(path);
    } catch (const FileError& error) {
        if (error.Code() != ERROR_FILE_NOT_FOUND)
            throw;
    }
}

void RemoveInstalledFiles(const std::string& campaignDirectory, OperationState& state, const AskUser& ask)
{
    try {
        for (const char* name : kInstalledFiles)
            RemoveIfPresent(InCampaignDirectory(campaignDirectory, name));
        const auto removeDirectory = [&] { return ::RemoveDirectoryA(campaignDirectory.c_str()) != FALSE; };
        if (!WaitOutHold(removeDirectory, campaignDirectory, HeldTarget::Folder)) {
            ask(Quoted(campaignDirectory) +
                    " was not removed because a few files were added there since install.\n"
                    "These may be saved games and campaign progress records.\n"
                    "You can remove that directory safely by yourself if you don't need these files anymore.",
                MB_ICONINFORMATION);
        }
    } catch (const FileError&) {
        state.Fail("Error: an error occured while uninstalling!\n"
                   "Try to remove manually (if it exists) the following directory:\n" +
                   campaignDirectory +
                   "\n"
                   "If you can't find it then don't worry, it's already uninstalled.");
    }
}

}  // namespace

void UninstallCampaign(const std::string& campaignDirectory, OperationState& state, const AskUser& ask,
                       const CheckAgain& checkAgain)
{
    state.resultText = "Uninstallation done sucessfully!\n(Don't forget to remove the shortcuts yourself!)";
    const std::string question = "Are you sure you want to remove all the files of " + Quoted(campaignDirectory) + " ?";
    const int answer = ask(question, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES || answer == IDNO) {
        if (std::optional<std::string> refusal = checkAgain()) {
            state.Fail(std::move(*refusal));
            return;
        }
    }
    switch (answer) {
    case IDYES:
        RemoveEverything(campaignDirectory, ask);
        break;
    case IDNO:
        RemoveInstalledFiles(campaignDirectory, state, ask);
        break;
    default:
        state.resultText = "Campaign NOT uninstallated!";
        state.labelStays = true;
        break;
    }
}

}  // namespace kestrane
