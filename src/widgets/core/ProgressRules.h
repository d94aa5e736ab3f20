// The progress window's arithmetic: percentage and caption, layout, and the stored-position check.
#pragma once

#include "common/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrane {

// The share of the range that `position` stands for, truncated toward zero; 0 for an empty or
// inverted range. Positions outside the range are not clamped: twice the range reads 200.
std::int32_t ProgressPercent(std::int32_t position, std::int32_t lower, std::int32_t upper);

// "Progress [46%]".
std::string ProgressCaption(std::string_view title, std::int32_t percent);

struct ProgressLayout {
    Placement text;
    Placement bar;
    Placement button;
    int clientWidth = 0;
    int clientHeight = 0;
    bool operator==(const ProgressLayout&) const = default;
};

struct ProgressLayoutInput {
    int dpi = kDesignDpi;  // the window's: every figure here but the measured ones is scaled to it
    int width = 390;       // of the text line
    int textHeight = 0;    // measured height of the text lines
    int cancelWidth = 0;   // measured extent of the Cancel label
    int cancelHeight = 0;
    int edgeWidth = 2;  // the system's 3-D edge
    int edgeHeight = 2;
};

// Text on top, the bar below it, the (hidden) Cancel button to the bar's right; a margin of 10
// pixels all round. The width and the margin are scaled to the dpi, the measured sizes are not.
ProgressLayout LayOutProgress(const ProgressLayoutInput& input);

// Only the stored top-left corner is checked: a window that starts on the screen may reach
// beyond its right or bottom edge.
bool IsOnScreen(int x, int y, int screenWidth, int screenHeight);

}  // namespace kestrane
