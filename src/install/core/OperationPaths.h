// The game and campaign directories one run of the main button works on, and the check that
// keeps that run inside the game directory.
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace kestrane {

struct OperationPaths {
    std::string gameDirectory;      // always ends in "\"
    std::string campaignDirectory;  // the game directory followed directly by INSTALLDIR
};

// `gameDirField` is the game directory as the field shows it; a "\" is added unless it already
// ends in one (a real "\", not the second byte of a character), so an empty field gives "\".
OperationPaths MakeOperationPaths(std::string_view gameDirField, std::string_view installDir,
                                  const LeadByteRule& rule = AnsiLeadByteRule());

// Whether the full path `candidate` names a directory strictly below the full path `directory`.
// Both are as Windows resolved them; letter case does not count, trailing separators do not count.
bool IsStrictlyBelow(std::string_view directory, std::string_view candidate,
                     const LeadByteRule& rule = AnsiLeadByteRule());

// Shown, with the error icon, when INSTALLDIR would put the campaign at or above the game directory.
std::string UnsafeInstallDirText(std::string_view installDir);

}  // namespace kestrane
