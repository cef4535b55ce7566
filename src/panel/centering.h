// Where the control panel goes so that it sits in the middle of the desktop, its size unchanged.
#pragma once

#include <cstdint>

namespace zv {

struct ScreenRect {
    int32_t left, top, right, bottom;
};

struct ScreenPoint {
    int32_t x, y;
};

// Signed and truncating toward zero, as the dialog has always placed itself, also on desktops that
// start at negative coordinates.
ScreenPoint CenteredOrigin(const ScreenRect& dialog, const ScreenRect& desktop);

}  // namespace zv
