// Which pages the control panel shows, in tab order: all four, or three without the Effects page when
// the driver has no 3D effects.
#pragma once

#include <cstdint>

namespace zv {

class ControlPage;

struct PageList {
    ControlPage* pages[4];
    int32_t count;

    // Drops the Effects page (the second) and moves the mixer pages up; done once, before the dialog.
    void UseThreePageSet();
};

}  // namespace zv
