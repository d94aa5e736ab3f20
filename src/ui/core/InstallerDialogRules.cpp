#include "ui/core/InstallerDialogRules.h"

namespace kestrane {
namespace {

// The window ends 7 pixels beyond the picture (its frame, in the dialog's classic look).
constexpr int kWindowMargin = 7;
constexpr int kInset = 4;
constexpr int kFieldTop = 22;
constexpr int kFrameWidthLoss = 15;
constexpr int kEditWidthLoss = 16;

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
    const auto scaled = [&](int pixels) { return ScaleForDpi(pixels, input.dpi); };
    const Extent background = input.background
                                  ? Extent{scaled(input.background->width), scaled(input.background->height)}
                                  : Extent{input.window.width, input.window.height};
    const int margin = scaled(kWindowMargin);
    const int frameHeight = scaled(kControlFrameHeight);
    const int inset = scaled(kInset);
    const int fieldTop = scaled(kFieldTop);
    InstallerDialogLayout layout;
    layout.picture = {0, 0, background.width, background.height};

    const int right = input.clientLeft + background.width + margin;
    const int bottom = input.clientTop + background.height + margin;
    layout.window = {input.window.x, input.window.y, right - input.window.x, bottom - input.window.y};

    const int frameTop = (layout.window.Bottom() - input.clientTop) - scaled(kControlFrameHeight + kWindowMargin);
    layout.frame = {inset, frameTop, layout.window.width - scaled(kFrameWidthLoss), frameHeight};
    layout.edit = {layout.frame.x + inset, frameTop + fieldTop,
                   layout.frame.Right() - input.browseButton.width - scaled(kEditWidthLoss), input.editHeight};
    layout.browse = {layout.edit.Right() + inset, frameTop + fieldTop, input.browseButton.width,
                     input.browseButton.height};
    layout.install = {layout.frame.x + inset, layout.frame.Bottom() - input.installButton.height - inset,
                      input.installButton.width, input.installButton.height};
    layout.exit = {layout.frame.Right() - input.exitButton.width - inset,
                   layout.frame.Bottom() - input.exitButton.height - inset, input.exitButton.width,
                   input.exitButton.height};
    return layout;
}

Placement MinimisedIconPlacement(Extent client, Extent icon)
{
    return {(client.width - icon.width + 1) / 2, (client.height - icon.height + 1) / 2, icon.width, icon.height};
}

bool IsAboutCommand(std::uintptr_t command)
{
    return (command & 0xFFF0u) == kAboutCommand;
}

}  // namespace kestrane
