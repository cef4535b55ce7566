#include "platform/types.h"

#include <cstring>

namespace zv {

bool operator==(const Guid& a, const Guid& b) { return std::memcmp(&a, &b, sizeof(Guid)) == 0; }

}  // namespace zv
