#include "Scale.h"

#include "Driver.h"
#include "framework/DeviceContext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace kestrane::e2e {
namespace {

// The progress window's children.
constexpr int kProgressCancelId = 10;
constexpr int kProgressTextId = 11;
constexpr int kProgressBarId = 12;

std::string Edges(const RECT& r)
{
    std::ostringstream edges;
    edges << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
    return edges.str();
}

}  // namespace

int TestBedDpi()
{
    const char* dpi = std::getenv("KESTRANE_TEST_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

void ExpectInside(const NamedRect& outer, std::initializer_list<NamedRect> controls)
{
    for (const auto& [name, rect] : controls) {
        EXPECT_TRUE(rect.left >= outer.second.left && rect.top >= outer.second.top &&
                    rect.right <= outer.second.right && rect.bottom <= outer.second.bottom)
            << name << " " << Edges(rect) << " sticks out of " << outer.first << " " << Edges(outer.second);
    }
}

void ExpectInsideAndApart(const NamedRect& outer, std::initializer_list<NamedRect> controls)
{
    ExpectInside(outer, controls);
    for (auto control = controls.begin(); control != controls.end(); ++control) {
        for (auto other = std::next(control); other != controls.end(); ++other) {
            RECT common{};
            EXPECT_FALSE(::IntersectRect(&common, &control->second, &other->second))
                << control->first << " " << Edges(control->second) << " overlaps " << other->first << " "
                << Edges(other->second);
        }
    }
}

void ExpectProgressWindowLaidOut(HWND progress)
{
    EXPECT_EQ(ScreenDpi(), TestBedDpi()) << "the prefix's LogPixels";
    RECT client{};
    ::GetClientRect(progress, &client);
    EXPECT_EQ(client.right, AtTestBedScale(410));
    const int margin = AtTestBedScale(10);
    ExpectInsideAndApart(
        {"the client area less its margin", {margin, margin, client.right - margin, client.bottom - margin}},
        {{"the text line", ControlRect(progress, kProgressTextId)},
         {"the bar", ControlRect(progress, kProgressBarId)},
         {"the Cancel button", ControlRect(progress, kProgressCancelId)}});
}

COLORREF WaitForPixel(HWND window, POINT clientPoint, COLORREF expected)
{
    ::ClientToScreen(window, &clientPoint);
    const WindowDc screen(nullptr);
    return test::WaitForValue([&] { return ::GetPixel(screen.Get(), clientPoint.x, clientPoint.y); }, expected, 5s);
}

}  // namespace kestrane::e2e
