#include "common/InstallerContract.h"

#include "common/Text.h"

namespace kestrane {

std::string BitmapNotFoundText(std::string_view backBitmap)
{
    return "Error: file not found: " + std::string(backBitmap);
}

std::string InvalidBitmapText(std::string_view backBitmap)
{
    return "Error: invalid bitmap file: " + std::string(backBitmap);
}

std::string CampaignLibraryPath(std::string_view gameDirectory, std::string_view installDir)
{
    return InCampaignDirectory(std::string(gameDirectory) + std::string(installDir), kCampaignLibrary);
}

}  // namespace kestrane
