#include "panel/page_set.h"

namespace zv {

void PageList::UseThreePageSet() {
    pages[1] = pages[2];
    pages[2] = pages[3];
    count = 3;
}

}  // namespace zv
