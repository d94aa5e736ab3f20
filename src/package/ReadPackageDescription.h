// ReadPackageDescription: reads install.ini from the package directory.
#pragma once

#include "package/core/PackageDescription.h"

#include <string>

namespace kestrane {

struct PackageReadResult {
    PackageDescription values;
    bool error = false;
    std::string errorText = "Error: Check the install.ini file.";
};

// Reads "install.ini" from the current directory, which is the package directory for the
// whole run.
PackageReadResult ReadPackageDescription();

}  // namespace kestrane
