#include "panel/centering.h"

namespace zv {

ScreenPoint CenteredOrigin(const ScreenRect& dialog, const ScreenRect& desktop) {
    return {(dialog.left + desktop.left + desktop.right - dialog.right) / 2,
            (dialog.top + desktop.top + desktop.bottom - dialog.bottom) / 2};
}

}  // namespace zv
