#include "framework/core/CentreOver.h"

namespace kestrane {
namespace {

int CentreAxis(int size, int overStart, int overSize, int areaStart, int areaSize)
{
    int start = overStart + overSize / 2 - size / 2;
    if (start + size > areaStart + areaSize)
        start = areaStart + areaSize - size;
    if (start < areaStart)
        start = areaStart;
    return start;
}

}  // namespace

Placement CentreOver(Extent window, Placement over, Placement area)
{
    return {CentreAxis(window.width, over.x, over.width, area.x, area.width),
            CentreAxis(window.height, over.y, over.height, area.y, area.height), window.width, window.height};
}

}  // namespace kestrane
