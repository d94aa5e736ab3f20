// The screen's scale in the end-to-end runs, and checks of a laid-out window seen from outside.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>
#include <utility>

namespace kestrane::e2e {

// The dpi the run's Wine prefix was made with (KESTRANE_TEST_DPI); 96 when the run names none.
int TestBedDpi();
// `pixels` at the test bed's dpi; exact for the scales the runs use.
inline int AtTestBedScale(int pixels)
{
    return pixels * TestBedDpi() / 96;
}

// Every one of `controls` (client rectangles) lies inside `outer`; and, for the second, no two overlap.
using NamedRect = std::pair<std::string_view, RECT>;
void ExpectInside(const NamedRect& outer, std::initializer_list<NamedRect> controls);
void ExpectInsideAndApart(const NamedRect& outer, std::initializer_list<NamedRect> controls);

// The progress window at the test bed's scale: its client area is 410 pixels wide scaled, and the
// text line, the bar and the hidden Cancel button keep a scaled margin of 10 inside it, apart.
void ExpectProgressWindowLaidOut(HWND progress);

// The colour the screen shows at a client point of the window, once it is painted as `expected`;
// the last colour seen when it never is.
COLORREF WaitForPixel(HWND window, POINT clientPoint, COLORREF expected);

}  // namespace kestrane::e2e
