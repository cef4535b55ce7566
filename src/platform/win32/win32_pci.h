// The PCI bus on Windows: the first device with a vendor and device id, found through SetupAPI's list of
// PCI devices and their bus addresses. setupapi.dll is loaded by name at the first lookup and kept; where it
// cannot be loaded, no device is found.
#pragma once

#include "platform/pci.h"

namespace zv {

class Win32PciBus : public PciBus {
public:
    bool FindFirstDevice(uint16_t vendorId, uint16_t deviceId, uint8_t* bus, uint8_t* deviceFunction) override;
};

}  // namespace zv
