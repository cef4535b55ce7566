#include "pages/general/speaker_option.h"

#include "driver/helper_library.h"
#include "res/resource.h"

namespace zv {

namespace {

uint8_t LowByte(int32_t value) { return static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFFu); }

}  // namespace

bool SpeakerButtons::Enabled(int id) const {
    switch (id) {
        case IDC_SPEAKERS_STEREO_X2:
            return stereoX2Enabled;
        case IDC_SPEAKERS_4:
            return fourEnabled;
        case IDC_SPEAKERS_6:
            return sixEnabled;
        default:
            return true;
    }
}

HResult ApplySpeakerConfig(uint32_t n, WindowHandle owner, Registry& registry, SoundSystem& sound,
                           DebugOutput& debug) {
    uint32_t config = kDsSpeakerStereo;
    if (n == 4 || n == 6) {
        config = kDsSpeakerQuad;
    } else if (n == 1) {
        config = kDsSpeakerHeadphone;
    }

    // Recorded first, so the stored configuration does not depend on DirectSound being there to take it.
    RegKey q3d = kRegNone;
    if (registry.CreateKey(kHkeyLocalMachine, kQ3DClassKey, &q3d) == kRegOk) {
        const uint8_t bytes[4] = {static_cast<uint8_t>(config), static_cast<uint8_t>(config >> 8),
                                  static_cast<uint8_t>(config >> 16), static_cast<uint8_t>(config >> 24)};
        registry.SetValue(q3d, kSpeakerConfigValue, kRegBinary, bytes, sizeof bytes);
        registry.CloseKey(q3d);
    }

    SoundObject* object = nullptr;
    HResult hr = sound.Create(nullptr, &object);
    if (Failed(hr) || !object) {
        debug.Write("DirectSoundCreate error");
        return Failed(hr) ? hr : kFail;
    }
    hr = object->SetCooperativeLevel(owner, kDsSclNormal);
    if (Failed(hr)) {
        debug.Write("SetCooperativeLevel error");
        object->Release();
        return hr;
    }
    hr = object->SetSpeakerConfig(config);
    object->Release();
    return Failed(hr) ? hr : kOk;
}

SpeakerOption::SpeakerOption(Registry& registry, DriverConfig& driver, LibraryLoader& libraries,
                             SoundSystem& sound, DebugOutput& debug)
    : registry_(registry), driver_(driver), libraries_(libraries), sound_(sound), debug_(debug) {}

void SpeakerOption::ReadDescription(char (&description)[kDriverDescSizeGeneral]) {
    driver_.ReadSoundCfg(kCfgDescription, kCfgDriverDesc, "", description, sizeof description);
}

bool SpeakerOption::ReadSpeakers(const char* description) {
    // Without a description no driver is identified: any driver would match it.
    if (description[0] == '\0') return false;
    uint8_t low = LowByte(speakerType);
    if (!driver_.AccessSpeakerSettings(kReadSpeakers, &low, description)) return false;
    speakerType = static_cast<int32_t>((static_cast<uint32_t>(speakerType) & ~0xFFu) | low);
    return true;
}

void SpeakerOption::LoadSettings() {
    char description[kDriverDescSizeGeneral];
    ReadDescription(description);
    ReadSpeakers(description);
    ShownSpeakerType = speakerType;
}

SpeakerButtons SpeakerOption::ShowSettings() {
    char description[kDriverDescSizeGeneral];
    ReadDescription(description);
    if (ReadSpeakers(description)) AppliedSpeakerType = speakerType;

    // Without a driver the current arrangement stands in for the largest one.
    uint8_t max = LowByte(speakerType);
    if (description[0] != '\0') driver_.AccessSpeakerSettings(kReadCapabilities, &max, description);

    SpeakerButtons buttons;
    buttons.stereoX2Enabled = driver_.StereoX2Supported() != 0;
    if (max == 2) {
        buttons.fourEnabled = false;
        buttons.sixEnabled = false;
    } else if (max == 4) {
        buttons.sixEnabled = false;
    }

    // A stored "Stereo X 2" stays checked even where it is not offered, so the user sees what the driver has.
    const int32_t applied = AppliedSpeakerType;
    if (applied == kSpeakersSix && max == 6) {
        buttons.checkedId = IDC_SPEAKERS_6;
    } else if (applied == kSpeakersFour && max > 2) {
        buttons.checkedId = IDC_SPEAKERS_4;
    } else if (applied == kSpeakersStereoX2 && max > 2) {
        buttons.checkedId = IDC_SPEAKERS_STEREO_X2;
    } else {
        buttons.checkedId = IDC_SPEAKERS_2;
    }

    ShownSpeakerType = speakerType;
    return buttons;
}

void SpeakerOption::ReadControls(const SpeakerChecks& checks) {
    if (checks.two) {
        speakerType = kSpeakersTwo;
    } else if (checks.stereoX2) {
        speakerType = kSpeakersStereoX2;
    } else if (checks.four) {
        speakerType = kSpeakersFour;
    } else if (checks.six) {
        speakerType = kSpeakersSix;
    } else {
        speakerType = kSpeakersTwo;
    }
}

void SpeakerOption::ApplySettings(WindowHandle owner) {
    const uint8_t t = LowByte(speakerType);
    if (t == AppliedSpeakerType) return;

    char description[kDriverDescSizeGeneral];
    ReadDescription(description);
    // An empty description would match whichever driver the lookup finds first.
    if (description[0] != '\0') {
        uint8_t value = t;
        driver_.AccessSpeakerSettings(kWriteSpeakers, &value, description);
    }

    LibraryHandle library = libraries_.Load(kHelperLibraryName);
    if (!library) return;
    if (auto call = reinterpret_cast<Dll32CallFn>(libraries_.Find(library, kDll32CallExport))) {
        switch (t) {
            case kSpeakersHeadphone:
                ApplySpeakerConfig(1, owner, registry_, sound_, debug_);
                break;
            case kSpeakersTwo:
            case kSpeakersStereoX2:
                ApplySpeakerConfig(2, owner, registry_, sound_, debug_);
                break;
            case kSpeakersFour:
                ApplySpeakerConfig(4, owner, registry_, sound_, debug_);
                break;
            case kSpeakersSix:
                ApplySpeakerConfig(6, owner, registry_, sound_, debug_);
                break;
            default:
                break;
        }
        call(kCmdSpeakersChanged);
    }
    libraries_.Free(library);
}

}  // namespace zv
