#include "widgets/core/ProgressRules.h"

#include <algorithm>
#include <limits>

namespace kestrane {

std::int32_t ProgressPercent(std::int32_t position, std::int32_t lower, std::int32_t upper)
{
    if (upper <= lower)
        return 0;
    // Wide enough that no position or range can overflow; the result is clamped back into range.
    const std::int64_t percent = std::int64_t{position} * 100 / (std::int64_t{upper} - lower);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(percent, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::string ProgressCaption(std::string_view title, std::int32_t percent)
{
    return std::string(title) + " [" + std::to_string(percent) + "%]";
}

ProgressLayout LayOutProgress(const ProgressLayoutInput& input)
{
    const int margin = ScaleForDpi(10, input.dpi);
    const int margins = ScaleForDpi(20, input.dpi);  // both sides, scaled as one figure
    ProgressLayout layout;
    layout.text = {margin, margin, ScaleForDpi(input.width, input.dpi), input.textHeight};

    const int buttonWidth = input.cancelWidth + 4 * input.edgeWidth;
    const int buttonHeight = input.cancelHeight + 3 * input.edgeHeight;
    layout.button = {layout.text.Right() - buttonWidth, layout.text.Bottom() + margin, buttonWidth, buttonHeight};

    // The bar stands level with the button's face, inside its edges.
    layout.bar = {layout.text.x, layout.button.y + input.edgeHeight, layout.button.x - margin - layout.text.x,
                  buttonHeight - 2 * input.edgeHeight};

    layout.clientWidth = layout.text.width + margins;
    layout.clientHeight = layout.button.Bottom() - layout.text.y + margins;
    return layout;
}

bool IsOnScreen(int x, int y, int screenWidth, int screenHeight)
{
    return x >= 0 && x < screenWidth && y >= 0 && y < screenHeight;
}

}  // namespace kestrane
