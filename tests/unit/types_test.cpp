#include <gtest/gtest.h>

#include "platform/types.h"

namespace zv {
namespace {

TEST(GuidTest, ComparesEveryByte) {
    Guid a{0x7CA99CA0, 0xCD07, 0x11D0, {0xA6, 0xC0, 0x00, 0xA0, 0xC9, 0x24, 0x86, 0x33}};
    Guid b = a;
    EXPECT_TRUE(a == b);
    b.data4[7] ^= 1;
    EXPECT_TRUE(a != b);
}

}  // namespace
}  // namespace zv
