// Placing a window's frame on a screen's work area.
#pragma once

namespace vorpel {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// `frame` moved fully into `area`, cut to the area's size where larger (a fixed-size window is
// then only moved, its top-left corner, with the title bar, inside the area).
ScreenRect PlaceOnto(ScreenRect frame, const ScreenRect& area);

} // namespace vorpel
