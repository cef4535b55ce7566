#include "panel/help_table.h"

namespace zv {

namespace {
constexpr uint32_t Own(uint32_t id) { return 0x10000u + id; }
}  // namespace

// Most controls have a topic of their own, numbered from the control id; controls that share a meaning
// share a topic, and the tab strip has none.
const uint32_t kHelpTable[2 * kHelpPairs + 2] = {
    1025, Own(1025), 1033, Own(1033), 1034, Own(1034), 1035, Own(1035), 1037, Own(1037),
    1038, Own(1038), 1043, Own(1043), 1045, Own(1045), 1046, Own(1046), 1047, Own(1047),
    1048, Own(1048), 1049, Own(1049), 1050, Own(1050), 1052, Own(1052), 1053, Own(1053),
    1054, Own(1054), 1057, Own(1057), 1063, Own(1063), 1064, Own(1064), 1066, Own(1066),
    1067, Own(1067), 1068, Own(1068), 1069, Own(1069), 1070, Own(1070), 1071, Own(1071),
    1073, Own(1073), 1074, Own(1074), 1075, Own(1075), 1076, Own(1076), 1077, Own(1077),
    1062, 0xFFFFFFFFu,
    1055, 0x10417, 1056, 0x10418, 1059, 0x10421,
    1098, 0x10400, 1078, 0x10440, 1083, 0x10441, 1079, 0x10442, 1080, 0x10443, 1082, 0x10444, 1093, 0x10445,
    1113, 0x10446, 1114, 0x10446, 1115, 0x10446, 1116, 0x10446, 1117, 0x10446, 1118, 0x10446,
    1099, 0x10447, 1100, 0x10447, 1101, 0x10447, 1102, 0x10447, 1103, 0x10447, 1104, 0x10447,
    1120, 0x10448, 1121, 0x10448, 1122, 0x10448, 1123, 0x10448, 1124, 0x10448, 1125, 0x10448,
    1136, 0x10449, 1137, 0x10449, 1138, 0x10449, 1139, 0x10449,
    1132, 0x10450, 1133, 0x10450, 1134, 0x10450, 1135, 0x10450,
    1140, 0x10451, 1141, 0x10451, 1142, 0x10451, 1143, 0x10451,
    1151, 0x10454,
    0, 0,
};

uint32_t HelpTopicOf(uint32_t controlId) {
    for (int i = 0; kHelpTable[2 * i] != 0; ++i)
        if (kHelpTable[2 * i] == controlId) return kHelpTable[2 * i + 1];
    return 0;
}

}  // namespace zv
