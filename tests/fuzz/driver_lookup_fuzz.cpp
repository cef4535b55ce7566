// Fuzzes the driver lookup: SOUNDCFG.INI as any text, and a registry tree built by a script of any device,
// instance and class keys with "Driver", "DriverDesc" and "Config" values of any type and size, keys that
// refuse to open, and any PCI devices. Every lookup must keep its buffers, close every key it opened and
// write nothing but a one-byte "Speakers".
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "driver/driver_config.h"
#include "fakes/fake_pci.h"
#include "fakes/fake_profile.h"
#include "fuzz_input.h"
#include "fuzz_registry.h"

namespace {

using zv::fuzz::FuzzInput;
using Bytes = std::vector<uint8_t>;

constexpr zv::RegKey kHklm = zv::kHkeyLocalMachine;
const std::string kEnumPci = "Enum\\PCI";
const std::string kChipType = "SOFTWARE\\Zolvane\\ChipType";
const std::string kClassPrefix = "System\\CurrentControlSet\\Services\\Class\\";

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

// The profile API's reading of an INI file, as far as the lookup can tell: sections in brackets, keys
// before the first "=", blanks around both cut off, the first of two equal keys winning.
void LoadIni(const std::string& text, zv::test::FakeProfile& profile) {
    profile.AddFile(zv::kSoundCfgFile);
    std::string section;
    std::set<std::string> seen;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        line = line.c_str();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            section = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = Trim(line.substr(0, equals));
        std::string id = section + '\n' + key;
        for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!seen.insert(id).second) continue;
        profile.Set(zv::kSoundCfgFile, section, key, Trim(line.substr(equals + 1)));
    }
}

// Builds the registry tree and the PCI bus from the script, keeping the texts that make good names.
class World {
public:
    World(FuzzInput& in, zv::fuzz::ScribblingRegistry& registry, zv::test::FakePci& pci)
        : in_(in), registry_(registry), pci_(pci) {}

    // The INI's ids and description come first, even when empty, so a script can name them by number.
    void AddToPool(const std::string& text, bool evenEmpty = false) {
        if ((evenEmpty || !text.empty()) && pool_.size() < 64) pool_.push_back(text);
    }
    // A text from the pool, maybe with something around it, or a new one.
    std::string Text() {
        const uint8_t choice = in_.U8();
        if (choice < 0xC0 && !pool_.empty()) {
            std::string text = pool_[choice % pool_.size()];
            const uint8_t around = in_.U8();
            if (around & 1) text = in_.Text(16) + text;
            if (around & 2) text += in_.Text(16);
            return text;
        }
        return in_.Text(300);
    }
    // Key names hold no terminator; a backslash in one makes a deeper key, as it would in a path.
    std::string Name() {
        std::string name = Text();
        name.erase(std::remove(name.begin(), name.end(), '\0'), name.end());
        AddToPool(name);
        return name;
    }
    std::string ValueName(const std::vector<const char*>& names) {
        const uint8_t choice = in_.U8();
        if (choice < 0xF0) return names[choice % names.size()];
        return Name();
    }
    uint32_t Type() {
        const uint8_t choice = in_.U8();
        return choice < 0xF0 ? choice % 5 : in_.U32();
    }
    Bytes Data() {
        switch (in_.U8() % 4) {
            case 0: return in_.Bytes(600);
            case 1: {  // a text with its terminator
                std::string text = Text();
                Bytes bytes(text.begin(), text.end());
                bytes.push_back(0);
                return bytes;
            }
            case 2: {  // a text without one
                std::string text = Text();
                return Bytes(text.begin(), text.end());
            }
            default: return in_.Take(in_.U8() % 9);
        }
    }
    const std::string* Pick(const std::vector<std::string>& keys) {
        if (keys.empty()) {
            in_.U8();
            return nullptr;
        }
        return &keys[in_.U8() % keys.size()];
    }

    void Build() {
        for (int step = 0; step < 96; ++step) {
            const uint8_t op = in_.U8();
            if (op == 0) return;
            switch (op % 9) {
                case 0: {
                    devices_.push_back(kEnumPci + "\\" + Name());
                    registry_.AddKey(kHklm, devices_.back());
                    break;
                }
                case 1: {
                    if (const std::string* device = Pick(devices_)) {
                        instances_.push_back(*device + "\\" + Name());
                        registry_.AddKey(kHklm, instances_.back());
                    }
                    break;
                }
                case 2: {
                    const std::string* instance = Pick(instances_);
                    std::string name = ValueName({"Driver"});
                    uint32_t type = Type();
                    Bytes data = Data();
                    if (instance) {
                        AddToPool(std::string(data.begin(), data.end()).c_str());
                        registry_.SetRaw(kHklm, *instance, name, type, data);
                    }
                    break;
                }
                case 3: {
                    classes_.push_back(kClassPrefix + Name());
                    registry_.AddKey(kHklm, classes_.back());
                    break;
                }
                case 4: {
                    const std::string* cls = Pick(classes_);
                    std::string name = ValueName({"DriverDesc"});
                    uint32_t type = Type();
                    Bytes data = Data();
                    if (cls) registry_.SetRaw(kHklm, *cls, name, type, data);
                    break;
                }
                case 5: {
                    const std::string* cls = Pick(classes_);
                    std::string name = ValueName({"Speakers", "MaxSpeakers", "StereoX2", "ManufactureID"});
                    uint32_t type = Type();
                    Bytes data = Data();
                    if (cls) registry_.SetRaw(kHklm, *cls + "\\Config", name, type, data);
                    break;
                }
                case 6: {
                    std::string name = ValueName({"device"});
                    uint32_t type = Type();
                    Bytes data = Data();
                    registry_.SetRaw(kHklm, kChipType, name, type, data);
                    break;
                }
                case 7: {
                    std::vector<std::string> all = {kEnumPci, kChipType};
                    for (const auto* list : {&devices_, &instances_, &classes_})
                        all.insert(all.end(), list->begin(), list->end());
                    for (const std::string& cls : classes_) all.push_back(cls + "\\Config");
                    registry_.DenyOpen(kHklm, *Pick(all));
                    break;
                }
                default: {
                    uint16_t vendor = in_.U16();
                    uint16_t device = in_.U16();
                    uint8_t bus = in_.U8();
                    uint8_t slot = in_.U8();
                    pci_.AddDevice(vendor, device, bus, slot & 31, slot >> 5);
                    break;
                }
            }
        }
    }

private:
    FuzzInput& in_;
    zv::fuzz::ScribblingRegistry& registry_;
    zv::test::FakePci& pci_;
    std::vector<std::string> pool_;
    std::vector<std::string> devices_;
    std::vector<std::string> instances_;
    std::vector<std::string> classes_;
};

// The driver's "Config" key as the lookup finds it now, or empty.
std::string ConfigPath(zv::DriverConfig& config) {
    char driverKey[128];
    if (!config.FindDriverKey(driverKey)) return "";
    return kClassPrefix + driverKey + "\\Config";
}

const zv::test::FakeRegistry::Value* Stored(zv::test::FakeRegistry& registry, const std::string& config,
                                             const char* name) {
    return config.empty() ? nullptr : registry.Find(kHklm, config, name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    zv::fuzz::ScribblingRegistry registry;
    zv::test::FakeProfile profile;
    zv::test::FakePci pci;
    World world(in, registry, pci);

    const uint8_t flags = in.U8();
    const std::string ini = in.Text(4096);
    if ((flags & 1) == 0) LoadIni(ini, profile);
    if (flags & 2) pci.SetServiceFails(true);
    if (flags & 4) registry.AddKey(kHklm, kEnumPci);
    for (const char* key : {zv::kCfgHardwareId, zv::kCfgTamarindId}) {
        char id[zv::kHardwareIdSize];
        profile.GetString(zv::kCfgWin95, key, "", id, sizeof id, zv::kSoundCfgFile);
        world.AddToPool(id, true);
    }
    char description[zv::kDriverDescSizeGeneral];
    profile.GetString(zv::kCfgDescription, zv::kCfgDriverDesc, "", description, sizeof description,
                      zv::kSoundCfgFile);
    world.AddToPool(description, true);
    world.Build();

    zv::DriverConfig config(registry, profile, pci);
    for (int step = 0; step < 16 && !in.Empty(); ++step) {
        const int writesBefore = registry.Writes();
        switch (in.U8() % 6) {
            case 0: {
                char driverKey[128];
                std::memset(driverKey, 'x', sizeof driverKey);
                if (config.FindDriverKey(driverKey)) ZV_FUZZ_CHECK(std::strlen(driverKey) < sizeof driverKey);
                else ZV_FUZZ_CHECK(driverKey[0] == '\0');
                break;
            }
            case 1: {
                const std::string id = world.Text();
                // Exactly the documented 32 bytes, on the heap so any byte past them shows.
                std::unique_ptr<char[]> pattern(new char[32]);
                std::memset(pattern.get(), 'x', 32);
                const bool made = config.MakeInstancePattern(id.c_str(), pattern.get());
                const size_t length = strnlen(pattern.get(), 32);
                ZV_FUZZ_CHECK(length < 32);
                if (made) {
                    ZV_FUZZ_CHECK(std::strncmp(pattern.get(), "DEV_", 4) == 0);
                    ZV_FUZZ_CHECK(length >= 8 && std::strcmp(pattern.get() + length - 8, "&FUNC_00") == 0);
                } else {
                    ZV_FUZZ_CHECK(length == 0);
                }
                break;
            }
            case 2: {
                const uint16_t vendor = in.U16();
                const uint16_t device = in.U16();
                const uint16_t number = config.FindPciDeviceNumber(vendor, device);
                ZV_FUZZ_CHECK(number <= 31 || number == 0xFFFF);
                break;
            }
            case 3: {
                const uint8_t opChoice = in.U8();
                const int operation = opChoice < 0xF0 ? int(opChoice % 6) - 1 : static_cast<int>(in.U32());
                const std::string desc = in.Bool() ? std::string(description) : world.Text();
                const uint8_t given = in.U8();
                const std::string path = ConfigPath(config);
                const auto* speakersBefore = Stored(registry, path, "Speakers");
                const bool hadOneByte = speakersBefore && speakersBefore->data.size() == 1;
                const uint8_t storedByte = hadOneByte ? speakersBefore->data[0] : 0;
                const uint8_t stereoBefore = config.StereoX2Supported();

                uint8_t value = given;
                const bool ok = config.AccessSpeakerSettings(operation, &value, desc.c_str());
                const auto* speakers = Stored(registry, path, "Speakers");
                if (!ok) {
                    ZV_FUZZ_CHECK(value == given);
                    ZV_FUZZ_CHECK(registry.Writes() == writesBefore);
                    ZV_FUZZ_CHECK(config.StereoX2Supported() == stereoBefore);
                    break;
                }
                ZV_FUZZ_CHECK(!path.empty());
                ZV_FUZZ_CHECK(operation == zv::kWriteSpeakers || operation == zv::kReadSpeakers ||
                              operation == zv::kReadCapabilities);
                // A driver found through an empty description may be any device's: it is never written.
                const bool named = desc.c_str()[0] != '\0';
                if (operation == zv::kWriteSpeakers) {
                    ZV_FUZZ_CHECK(named);
                    ZV_FUZZ_CHECK(registry.Writes() == writesBefore + 1);
                    ZV_FUZZ_CHECK(speakers && speakers->type == zv::kRegBinary && speakers->data == Bytes{given});
                } else if (operation == zv::kReadSpeakers) {
                    if (hadOneByte) {
                        ZV_FUZZ_CHECK(value == storedByte);
                        ZV_FUZZ_CHECK(registry.Writes() == writesBefore);
                    } else if (named) {
                        ZV_FUZZ_CHECK(value == 2);
                        ZV_FUZZ_CHECK(speakers && speakers->type == zv::kRegBinary && speakers->data == Bytes{0});
                    } else {
                        ZV_FUZZ_CHECK(value == 2);
                        ZV_FUZZ_CHECK(registry.Writes() == writesBefore);
                    }
                } else {
                    ZV_FUZZ_CHECK(registry.Writes() == writesBefore);
                    const auto* maximum = Stored(registry, path, "MaxSpeakers");
                    const auto* stereo = Stored(registry, path, "StereoX2");
                    ZV_FUZZ_CHECK(value == (maximum && maximum->data.size() == 1 ? maximum->data[0] : 2));
                    ZV_FUZZ_CHECK(config.StereoX2Supported() ==
                                  (stereo && stereo->data.size() == 1 ? stereo->data[0] : 0));
                }
                break;
            }
            case 4: {
                const std::string desc = in.Bool() ? std::string(description, strnlen(description, 59)) : world.Text();
                const std::string path = ConfigPath(config);
                const uint16_t id = config.ReadManufactureId(desc.c_str());
                if (id != 0) {
                    const auto* stored = Stored(registry, path, "ManufactureID");
                    ZV_FUZZ_CHECK(stored && stored->data.size() == 2 &&
                                  id == uint16_t(stored->data[0] | stored->data[1] << 8));
                }
                ZV_FUZZ_CHECK(registry.Writes() == writesBefore);
                break;
            }
            default: {
                const std::string section = world.Text();
                const std::string key = world.Text();
                const uint32_t bufferSize = in.Count(300);
                if (bufferSize > 4096) break;
                std::unique_ptr<char[]> buffer(new char[bufferSize ? bufferSize : 1]);
                const uint32_t copied =
                    config.ReadSoundCfg(section.c_str(), key.c_str(), "", bufferSize ? buffer.get() : nullptr, bufferSize);
                if (bufferSize > 0) {
                    ZV_FUZZ_CHECK(copied < bufferSize);
                    ZV_FUZZ_CHECK(std::strlen(buffer.get()) == copied);
                }
                break;
            }
        }
        ZV_FUZZ_CHECK(registry.OpenHandles() == 0);
    }
    return 0;
}
