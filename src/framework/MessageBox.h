// MessageBox: the program's message boxes, captioned "Kestrane".
#pragma once

#include <windows.h>

#include <string>

namespace kestrane {

// Owned by the application's main window while that window exists; returns the answer (IDOK,
// IDYES, IDNO, IDCANCEL).
int MessageBox(const std::string& text, UINT style);

}  // namespace kestrane
