// The main dialog's arithmetic and decisions: its layout around the background, the minimised
// icon's place and the About command.
#pragma once

#include "common/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

inline constexpr std::string_view kInstallLabel = "Install";
inline constexpr std::string_view kUninstallLabel = "Uninstall";

// The main button's label for `installed` (0 or 1).
std::string_view MainButtonLabel(int installed);

// The main window's title: the campaign's name followed by " Installation", or the dialog
// template's own caption "Kestrane" when the package names no campaign.
std::string MainWindowTitle(std::string_view campaignName);

// The height of the strip along the picture's bottom edge that holds the field and the buttons.
inline constexpr int kControlFrameHeight = 80;

struct InstallerDialogLayoutInput {
    int dpi = kDesignDpi;  // the window's
    Placement window;      // the dialog's outer rectangle as the template made it, screen pixels
    int clientLeft = 0;    // the client area's top-left corner, screen pixels
    int clientTop = 0;
    std::optional<Extent> background;  // none when there is no bitmap to show
    int editHeight = 0;                // the game directory field keeps its height
    Extent browseButton;               // the three buttons keep their sizes
    Extent installButton;
    Extent exitButton;
};

// Screen pixels for the window; client pixels for the controls.
struct InstallerDialogLayout {
    Placement picture;
    Placement window;
    Placement frame;
    Placement edit;
    Placement browse;
    Placement install;
    Placement exit;
    bool operator==(const InstallerDialogLayout&) const = default;
};

// The picture fills the client area from its origin at the background's size scaled to the dpi
// (without a bitmap, at the window's own size, which the system has already scaled); the window
// grows or shrinks around it, and an 80-pixel frame along the picture's bottom edge holds the
// field, the browse button and the two buttons. Every pixel figure is scaled to the dpi. Nothing
// enforces a minimum: a picture lower than the frame puts the frame's top above the client area.
InstallerDialogLayout LayOutInstallerDialog(const InstallerDialogLayoutInput& input);

// Where a minimised window draws its icon: centred, the halves truncated toward zero.
Placement MinimisedIconPlacement(Extent client, Extent icon);

// The system menu's About item; system commands of our own stay below 0xF000.
inline constexpr unsigned kAboutCommand = 0x0010;
// The About item's command and the 15 commands that share its upper bits, read from the low 16
// bits of the command.
bool IsAboutCommand(std::uintptr_t command);

}  // namespace kestrane
