// A PCI bus for the unit tests: the devices present, in bus order, and a count of the look-ups made, so a
// test can give the driver lookup any device number or none at all.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/pci.h"

namespace zv::test {

class FakePci : public PciBus {
public:
    struct Device {
        uint16_t vendorId;
        uint16_t deviceId;
        uint8_t bus;
        uint8_t deviceFunction;  // device number in bits 3 to 7, function in bits 0 to 2
    };

    void AddDevice(uint16_t vendorId, uint16_t deviceId, uint8_t bus, uint8_t device, uint8_t function = 0) {
        devices_.push_back(Device{vendorId, deviceId, bus, static_cast<uint8_t>((device << 3) | (function & 7))});
    }
    // The BIOS service itself failing, whatever is present.
    void SetServiceFails(bool fails) { serviceFails_ = fails; }

    int Calls() const { return calls_; }
    uint16_t LastVendorId() const { return lastVendorId_; }
    uint16_t LastDeviceId() const { return lastDeviceId_; }

    bool FindFirstDevice(uint16_t vendorId, uint16_t deviceId, uint8_t* bus, uint8_t* deviceFunction) override {
        ++calls_;
        lastVendorId_ = vendorId;
        lastDeviceId_ = deviceId;
        if (serviceFails_) return false;
        for (const Device& d : devices_) {
            if (d.vendorId == vendorId && d.deviceId == deviceId) {
                if (bus) *bus = d.bus;
                if (deviceFunction) *deviceFunction = d.deviceFunction;
                return true;
            }
        }
        return false;
    }

private:
    std::vector<Device> devices_;
    bool serviceFails_ = false;
    int calls_ = 0;
    uint16_t lastVendorId_ = 0;
    uint16_t lastDeviceId_ = 0;
};

}  // namespace zv::test
