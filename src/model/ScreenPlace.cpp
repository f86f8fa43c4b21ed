// Placing a window's frame on a screen's work area.
#include "model/ScreenPlace.h"

#include <algorithm>

namespace vorpel {

ScreenRect PlaceOnto(ScreenRect frame, const ScreenRect& area) {
    frame.width = std::min(frame.width, area.width);
    frame.height = std::min(frame.height, area.height);
    frame.left = std::clamp(frame.left, area.left, area.left + area.width - frame.width);
    frame.top = std::clamp(frame.top, area.top, area.top + area.height - frame.height);
    return frame;
}

} // namespace vorpel
