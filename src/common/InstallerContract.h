// What the installer and kestrane-check agree on: the names a package and a campaign directory
// hold, and the texts the installer stops with at start. The checker quotes the installer, so
// both read them from here.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

// The package's description, in the package directory.
inline constexpr const char* kPackageDescriptionFile = "install.ini";

// Where the package keeps the campaign's own files, relative to the package directory, and
// that folder's own name as authors see it.
inline constexpr const char* kCampaignFilesFolder = ".\\Kestrane Files";
inline constexpr std::string_view kCampaignFilesName = std::string_view(kCampaignFilesFolder).substr(2);

// A patch archive of the campaign's own arrives beside the game's files, and the uninstall
// removes it with them.
inline constexpr std::string_view kPatchArchive = "war3patch.mpq";

// The rewritten game library in the campaign directory: its presence marks the campaign installed.
inline constexpr std::string_view kCampaignLibrary = "game.dll";

// The installer's texts when install.ini cannot be opened or holds nothing.
inline constexpr const char* kDescriptionNotOpenedText = "Error: unable to open install.ini!";
inline constexpr const char* kDescriptionEmptyText = "Error: install.ini is empty!";

// The installer's texts when the background bitmap `backBitmap` is not there (or names a
// network path) and when it is there but cannot be shown.
std::string BitmapNotFoundText(std::string_view backBitmap);
std::string InvalidBitmapText(std::string_view backBitmap);

// The campaign library below `gameDirectory`, which is either empty (a path relative to the
// package directory) or ends in "\" or ":".
std::string CampaignLibraryPath(std::string_view gameDirectory, std::string_view installDir);

}  // namespace kestrane
