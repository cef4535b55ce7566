// The General page's speaker output option without its window: which arrangements to offer and check,
// which one the checked button means, and what applying a new one writes to the driver and DirectSound.
#pragma once

#include <cstdint>

#include "driver/driver_config.h"
#include "platform/library.h"
#include "platform/registry.h"
#include "platform/sound.h"
#include "platform/types.h"

namespace zv {

// Speaker arrangement codes of the driver's "Speakers" value.
constexpr int32_t kSpeakersNotConfigured = 0;
constexpr int32_t kSpeakersHeadphone = 1;
constexpr int32_t kSpeakersTwo = 2;
constexpr int32_t kSpeakersStereoX2 = 3;
constexpr int32_t kSpeakersFour = 4;
constexpr int32_t kSpeakersNoneOfItsOwn = 5;
constexpr int32_t kSpeakersSix = 6;

constexpr const char kSpeakerConfigValue[] = "SpeakerConfig";

// The debugger output (OutputDebugStringA), where DirectSound failures of the option are reported.
class DebugOutput {
public:
    virtual ~DebugOutput() = default;
    virtual void Write(const char* text) = 0;
};

// What the page window shows: the buttons to disable ("2 Speakers" never is) and the one button to check
// once all four are unchecked.
struct SpeakerButtons {
    bool stereoX2Enabled = true;
    bool fourEnabled = true;
    bool sixEnabled = true;
    int checkedId = 0;

    bool Enabled(int id) const;
};

// The check states of the four radio buttons, as the page window holds them.
struct SpeakerChecks {
    bool two = false;
    bool stereoX2 = false;
    bool four = false;
    bool six = false;
};

// Sets the DirectSound speaker configuration for arrangement n on the default device and records it as
// "SpeakerConfig" first. owner is the thread's active window. Returns the failing DirectSound step's code, or 0.
HResult ApplySpeakerConfig(uint32_t n, WindowHandle owner, Registry& registry, SoundSystem& sound,
                           DebugOutput& debug);

// The speaker arrangement state of the General page, kept for the life of the program.
class SpeakerOption {
public:
    SpeakerOption(Registry& registry, DriverConfig& driver, LibraryLoader& libraries, SoundSystem& sound,
                  DebugOutput& debug);

    // Reads the driver's arrangement; ShownSpeakerType follows it.
    void LoadSettings();
    // Reads the arrangement and the driver's capabilities afresh and decides the buttons. The caller also
    // resets the speaker test, since ShownSpeakerType may have changed.
    SpeakerButtons ShowSettings();
    void ReadControls(const SpeakerChecks& checks);
    // Writes the choice when it differs from the one the driver held at the last showing.
    void ApplySettings(WindowHandle owner);

    // Reads from the driver replace only the low byte; the controls store whole codes.
    int32_t speakerType = kSpeakersTwo;
    // The arrangement the speaker pictures and the speaker test follow.
    int32_t ShownSpeakerType = 0;
    // The arrangement the driver held when the page was last shown.
    int32_t AppliedSpeakerType = 0;

private:
    void ReadDescription(char (&description)[kDriverDescSizeGeneral]);
    // Replaces the low byte of speakerType with the driver's "Speakers"; false when the driver is not found,
    // as it is without a description.
    bool ReadSpeakers(const char* description);

    Registry& registry_;
    DriverConfig& driver_;
    LibraryLoader& libraries_;
    SoundSystem& sound_;
    DebugOutput& debug_;
};

}  // namespace zv
