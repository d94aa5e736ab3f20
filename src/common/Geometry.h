// Extent and Placement: sizes and positions in pixels, as the layout arithmetic passes them.
#pragma once

namespace kestrane {

struct Extent {
    int width = 0;
    int height = 0;
    bool operator==(const Extent&) const = default;
};

// A rectangle by its top-left corner and size, the way windows are moved and sized.
struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool operator==(const Placement&) const = default;
};

}  // namespace kestrane
