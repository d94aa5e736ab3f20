// Extent and Placement: sizes and positions in pixels, as the layout arithmetic passes them, and
// the scaling of a pixel figure to a screen's dpi.
#pragma once

namespace kestrane {

// The dpi at which every pixel figure of the layouts is what its name says.
inline constexpr int kDesignDpi = 96;

// `pixels` at `dpi`: multiplied by dpi / 96 and rounded to the nearest pixel, halves away from zero.
constexpr int ScaleForDpi(int pixels, int dpi)
{
    const long long scaled = static_cast<long long>(pixels) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kDesignDpi / 2) / kDesignDpi
                                        : (scaled - kDesignDpi / 2) / kDesignDpi);
}

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
