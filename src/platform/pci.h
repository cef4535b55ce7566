// The PCI bus as the driver lookup needs it: the location of the first device with a vendor and device id
// (the PCI BIOS service FIND_PCI_DEVICE with index 0).
#pragma once

#include <cstdint>

namespace zv {

class PciBus {
public:
    virtual ~PciBus() = default;
    // False when no such device is present. deviceFunction holds the device number in bits 3 to 7 and
    // the function number in bits 0 to 2.
    virtual bool FindFirstDevice(uint16_t vendorId, uint16_t deviceId, uint8_t* bus, uint8_t* deviceFunction) = 0;
};

}  // namespace zv
