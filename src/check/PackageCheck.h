// PackageCheck: what the installer will make of a package directory, and where it goes wrong.
#pragma once

#include "check/PackageFinding.h"
#include "common/Geometry.h"
#include "install/core/ShortcutValues.h"
#include "package/core/PackageDescription.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// The player's Warcraft III directory, which the checker cannot know, as the paths show it.
inline constexpr std::string_view kGameDirectoryStandIn = "<Warcraft III directory>";

// One key of install.ini as the installer reads it.
struct KeyReading {
    std::string_view key;
    std::string value;        // as extracted, before any cleaning
    std::optional<int> line;  // the line the value comes from; none when no line is read

    bool operator==(const KeyReading&) const = default;
};

// The main window as the background gives it, in the dialog's client pixels.
struct DialogView {
    Extent picture;
    Placement controls;  // the frame that holds the folder field and the buttons
    Extent picture150;   // the same at 150 % (144 dpi)
    Placement controls150;
};

struct PackageReport {
    std::string packageDirectory;  // as given
    bool descriptionRead = false;  // false when the installer stops before reading a key
    PackageDescription values;     // as the installer keeps them, INSTALLDIR cleaned
    std::vector<KeyReading> keys;  // the four keys, in the order the installer extracts them
    std::string windowTitle;
    std::optional<DialogView> dialog;        // when the background is a bitmap the installer shows
    std::string campaignDirectory;           // below kGameDirectoryStandIn, as the installer joins it
    std::optional<ShortcutValues> shortcut;  // when the install offers one
    std::vector<Finding> findings;
};

// The player's code page that install.ini's bytes are read in unless the author names another.
inline constexpr unsigned kDefaultCodePage = 1252;

// Reads the package in `packageDirectory` as the installer would on a Windows whose ANSI code
// page is `codePage`, and reports every pitfall.
PackageReport CheckPackage(const std::string& packageDirectory, unsigned codePage = kDefaultCodePage);

// 0 without findings, 1 with warnings only, 2 with errors.
int ExitStatus(const PackageReport& report);

}  // namespace kestrane
