// ShellPath: the file-system paths of shell items and special folders, as long as they are.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace kestrane {

// The file-system path of `item` in wide text; empty when the item has none (a printer, the
// computer). The "A" functions would give at most MAX_PATH bytes: in a code page of two-byte
// characters, not even 130 characters.
std::wstring ShellItemPath(PCIDLIST_ABSOLUTE item);

// The same for the shell's special folder `folder` (a CSIDL).
std::wstring SpecialFolderPath(int folder);

}  // namespace kestrane
