// The context help table of the control panel: pairs of control id and help topic, ended by a pair of
// zeros, handed whole to WinHelp.
#pragma once

#include <cstdint>

namespace zv {

constexpr const char kHelpFile[] = "zvctrl.hlp";
constexpr int kHelpPairs = 72;

// kHelpPairs pairs and the terminating pair, laid out as WinHelp reads them.
extern const uint32_t kHelpTable[2 * kHelpPairs + 2];

// The topic of a control, or 0 when the table has none.
uint32_t HelpTopicOf(uint32_t controlId);

}  // namespace zv
