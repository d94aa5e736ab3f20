// LoadBackgroundBitmap: turns a campaign's background .bmp file into a bitmap for the screen.
#pragma once

#include "framework/UniqueHandle.h"

#include <optional>
#include <string>

namespace kestrane {

// Empty when the file cannot be read or is not a bitmap whose headers its data can back up.
// Otherwise the bitmap, whose owner holds no handle when the system could not create it: the
// caller then lays out without a background rather than refusing to start.
std::optional<UniqueBitmap> LoadBackgroundBitmap(const std::string& fileName);

}  // namespace kestrane
