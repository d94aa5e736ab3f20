// CentreOver: where a window goes when it is centred over another one.
#pragma once

#include "common/Geometry.h"

namespace kestrane {

// The top-left corner that centres `window` over `over`, then moves it back inside `area` (the
// work area of its monitor); a window larger than the area keeps its top-left corner inside it.
Placement CentreOver(Extent window, Placement over, Placement area);

}  // namespace kestrane
