#include "ui/InstallerDialogRules.h"

namespace kestrane {
namespace {

// The window ends 7 pixels beyond the picture (its frame, in the dialog's classic look) and the
// strip under the field and buttons is 80 pixels high.
constexpr int kWindowMargin = 7;
constexpr int kFrameHeight = 80;
constexpr int kInset = 4;
constexpr int kFieldTop = 22;

}  // namespace

std::string_view MainButtonLabel(int installed)
{
    return installed == 1 ? kUninstallLabel : kInstallLabel;
}

std::string MainWindowTitle(std::string_view campaignName)
{
    return campaignName.empty() ? std::string("Kestrane") : std::string(campaignName) + " Installation";
}

InstallerDialogLayout LayOutInstallerDialog(const InstallerDialogLayoutInput& input)
{
    const Extent background = input.background.value_or(Extent{input.window.width, input.window.height});
    InstallerDialogLayout layout;
    layout.picture = {0, 0, background.width, background.height};

    const int right = input.clientLeft + background.width + kWindowMargin;
    const int bottom = input.clientTop + background.height + kWindowMargin;
    layout.window = {input.window.x, input.window.y, right - input.window.x, bottom - input.window.y};

    const int frameTop = (layout.window.Bottom() - input.clientTop) - (kFrameHeight + kWindowMargin);
    layout.frame = {kInset, frameTop, layout.window.width - 15, kFrameHeight};
    layout.edit = {layout.frame.x + kInset, frameTop + kFieldTop,
                   layout.frame.Right() - input.browseButton.width - 16, input.editHeight};
    layout.browse = {layout.edit.Right() + kInset, frameTop + kFieldTop, input.browseButton.width,
                     input.browseButton.height};
    layout.install = {layout.frame.x + kInset, layout.frame.Bottom() - input.installButton.height - kInset,
                      input.installButton.width, input.installButton.height};
    layout.exit = {layout.frame.Right() - input.exitButton.width - kInset,
                   layout.frame.Bottom() - input.exitButton.height - kInset, input.exitButton.width,
                   input.exitButton.height};
    return layout;
}

Placement MinimisedIconPlacement(Extent client, Extent icon)
{
    return {(client.width - icon.width + 1) / 2, (client.height - icon.height + 1) / 2, icon.width, icon.height};
}

bool IsAboutCommand(std::uintptr_t command)
{
    return (command & 0xFFF0u) == 0x0010u;
}

std::string CampaignLibraryPath(std::string_view gameDirectory, std::string_view installDir)
{
    std::string path(gameDirectory);
    path += installDir;
    path += "\\game.dll";
    return path;
}

}  // namespace kestrane
