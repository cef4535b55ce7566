// The multimedia mixer API as the portable code uses it: the mixer calls the program makes, with the Win32
// flags, result codes and structure layouts, so the Win32 adapter passes everything straight through.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace zv {

// An HMIXER (or HMIXEROBJ); 0 is no handle.
using MixerHandle = uintptr_t;

// Result codes (MMRESULT).
constexpr uint32_t kMmSysErrNoError = 0;
constexpr uint32_t kMmSysErrError = 1;
constexpr uint32_t kMmSysErrBadDeviceId = 2;
constexpr uint32_t kMmSysErrAllocated = 4;
constexpr uint32_t kMmSysErrInvalHandle = 5;
constexpr uint32_t kMmSysErrNoDriver = 6;
constexpr uint32_t kMmSysErrNoMem = 7;
constexpr uint32_t kMmSysErrNotSupported = 8;
constexpr uint32_t kMmSysErrInvalFlag = 10;
constexpr uint32_t kMmSysErrInvalParam = 11;
constexpr uint32_t kMixerErrInvalLine = 1024;     // MIXERR_INVALLINE
constexpr uint32_t kMixerErrInvalControl = 1025;  // MIXERR_INVALCONTROL
constexpr uint32_t kMixerErrInvalValue = 1026;    // MIXERR_INVALVALUE

// Window messages the device posts to the window given to mixerOpen.
constexpr uint32_t kMmMixmLineChange = 0x3D0;     // MM_MIXM_LINE_CHANGE
constexpr uint32_t kMmMixmControlChange = 0x3D1;  // MM_MIXM_CONTROL_CHANGE

// mixerOpen.
constexpr uint32_t kCallbackWindow = 0x00010000;  // CALLBACK_WINDOW

// What a handle argument names (MIXER_OBJECTF_*), or'ed into the flags of the calls that take one.
constexpr uint32_t kMixerObjectMixer = 0x00000000;   // a device index, or an open handle
constexpr uint32_t kMixerObjectHMixer = 0x80000000;  // MIXER_OBJECTF_HMIXER
constexpr uint32_t kMixerObjectTypeMask = 0xF0000000;

// mixerGetLineInfoA queries (MIXER_GETLINEINFOF_*).
constexpr uint32_t kMixerGetLineInfoDestination = 0;
constexpr uint32_t kMixerGetLineInfoSource = 1;
constexpr uint32_t kMixerGetLineInfoQueryMask = 0x0000000F;

// mixerGetLineControlsA queries (MIXER_GETLINECONTROLSF_*).
constexpr uint32_t kMixerGetLineControlsAll = 0;
constexpr uint32_t kMixerGetLineControlsQueryMask = 0x0000000F;

// mixerGetControlDetailsA and mixerSetControlDetails (MIXER_GETCONTROLDETAILSF_*, MIXER_SETCONTROLDETAILSF_*).
constexpr uint32_t kMixerGetControlDetailsValue = 0;
constexpr uint32_t kMixerGetControlDetailsListText = 1;
constexpr uint32_t kMixerSetControlDetailsValue = 0;
constexpr uint32_t kMixerControlDetailsQueryMask = 0x0000000F;

// Line flags (MIXERLINE_LINEF_*).
constexpr uint32_t kMixerLineActive = 0x00000001;
constexpr uint32_t kMixerLineSource = 0x80000000;

// Component types (MIXERLINE_COMPONENTTYPE_*).
constexpr uint32_t kMixerDstSpeakers = 4;
constexpr uint32_t kMixerDstWaveIn = 7;
constexpr uint32_t kMixerSrcMicrophone = 0x1003;
constexpr uint32_t kMixerSrcSynthesizer = 0x1004;
constexpr uint32_t kMixerSrcCompactDisc = 0x1005;
constexpr uint32_t kMixerSrcWaveOut = 0x1008;
constexpr uint32_t kMixerSrcAnalog = 0x100A;

// Line target types (MIXERLINE_TARGETTYPE_*).
constexpr uint32_t kMixerTargetUndefined = 0;
constexpr uint32_t kMixerTargetWaveOut = 1;
constexpr uint32_t kMixerTargetWaveIn = 2;

// Control flags (MIXERCONTROL_CONTROLF_*).
constexpr uint32_t kMixerControlUniform = 0x00000001;
constexpr uint32_t kMixerControlMultiple = 0x00000002;

// Control types (MIXERCONTROL_CONTROLTYPE_*).
constexpr uint32_t kMixerControlFader = 0x50030000;
constexpr uint32_t kMixerControlVolume = 0x50030001;
constexpr uint32_t kMixerControlBass = 0x50030002;
constexpr uint32_t kMixerControlMute = 0x20010002;
constexpr uint32_t kMixerControlMux = 0x70010001;

constexpr uint32_t kMaxProductNameChars = 32;   // MAXPNAMELEN
constexpr uint32_t kMixerShortNameChars = 16;   // MIXER_SHORT_NAME_CHARS
constexpr uint32_t kMixerLongNameChars = 64;    // MIXER_LONG_NAME_CHARS

// The system declares its mixer structures byte-packed; on x64 that leaves the pointer-sized members
// unaligned, so these records are packed too. The 32-bit sizes below are the layouts Windows itself fixed.
#pragma pack(push, 1)

// MIXERCAPSA.
struct MixerCaps {
    uint16_t wMid;
    uint16_t wPid;
    uint32_t vDriverVersion;
    char szPname[kMaxProductNameChars];
    uint32_t fdwSupport;
    uint32_t cDestinations;
};
static_assert(sizeof(MixerCaps) == 48, "MixerCaps must match MIXERCAPSA");

// MIXERLINEA.
struct MixerLine {
    uint32_t cbStruct;
    uint32_t dwDestination;
    uint32_t dwSource;
    uint32_t dwLineID;
    uint32_t fdwLine;
    uintptr_t dwUser;
    uint32_t dwComponentType;
    uint32_t cChannels;
    uint32_t cConnections;
    uint32_t cControls;
    char szShortName[kMixerShortNameChars];
    char szName[kMixerLongNameChars];
    struct {
        uint32_t dwType;
        uint32_t dwDeviceID;
        uint16_t wMid;
        uint16_t wPid;
        uint32_t vDriverVersion;
        char szPname[kMaxProductNameChars];
    } Target;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MixerLine) == 168, "MixerLine must match MIXERLINEA");
#endif

// MIXERCONTROLA.
struct MixerControl {
    uint32_t cbStruct;
    uint32_t dwControlID;
    uint32_t dwControlType;
    uint32_t fdwControl;
    uint32_t cMultipleItems;
    char szShortName[kMixerShortNameChars];
    char szName[kMixerLongNameChars];
    // The unions of the original, spelled with the members the program and the card use.
    struct {
        uint32_t dwMinimum;
        uint32_t dwMaximum;
        uint32_t dwReserved[4];
    } Bounds;
    struct {
        uint32_t cSteps;
        uint32_t dwReserved[5];
    } Metrics;
};
static_assert(sizeof(MixerControl) == 148, "MixerControl must match MIXERCONTROLA");

// MIXERLINECONTROLSA.
struct MixerLineControls {
    uint32_t cbStruct;
    uint32_t dwLineID;
    uint32_t dwControlID;  // or dwControlType, by query
    uint32_t cControls;
    uint32_t cbmxctrl;
    MixerControl* pamxctrl;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MixerLineControls) == 24, "MixerLineControls must match MIXERLINECONTROLSA");
#endif

// MIXERCONTROLDETAILS. hwndOwner shares its place with cMultipleItems; the program only uses the latter.
struct MixerControlDetails {
    uint32_t cbStruct;
    uint32_t dwControlID;
    uint32_t cChannels;
    union {
        WindowHandle hwndOwner;
        uint32_t cMultipleItems;
    };
    uint32_t cbDetails;
    void* paDetails;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MixerControlDetails) == 24, "MixerControlDetails must match MIXERCONTROLDETAILS");
#endif

// MIXERCONTROLDETAILS_LISTTEXTA.
struct MixerListText {
    uint32_t dwParam1;
    uint32_t dwParam2;
    char szName[kMixerLongNameChars];
};
static_assert(sizeof(MixerListText) == 72, "MixerListText must match MIXERCONTROLDETAILS_LISTTEXTA");

#pragma pack(pop)

// Values of MIXERCONTROLDETAILS_UNSIGNED and MIXERCONTROLDETAILS_BOOLEAN are single 32-bit words.
constexpr uint32_t kMixerDetailValueSize = 4;

class Mixer {
public:
    virtual ~Mixer() = default;

    // mixerGetNumDevs.
    virtual uint32_t GetNumDevs() = 0;
    // mixerGetDevCapsA: copies at most capsSize bytes of the device's capabilities.
    virtual uint32_t GetDevCaps(uint32_t deviceId, MixerCaps* caps, uint32_t capsSize) = 0;
    // mixerOpen. With kCallbackWindow the device posts its change messages to window.
    virtual uint32_t Open(MixerHandle* mixer, uint32_t deviceId, WindowHandle window, uintptr_t instance,
                          uint32_t flags) = 0;
    // mixerClose.
    virtual uint32_t Close(MixerHandle mixer) = 0;
    // mixerGetID: the device index behind a handle.
    virtual uint32_t GetId(MixerHandle object, uint32_t* deviceId, uint32_t flags) = 0;
    // mixerGetLineInfoA.
    virtual uint32_t GetLineInfo(MixerHandle object, MixerLine* line, uint32_t flags) = 0;
    // mixerGetLineControlsA.
    virtual uint32_t GetLineControls(MixerHandle object, MixerLineControls* controls, uint32_t flags) = 0;
    // mixerGetControlDetailsA.
    virtual uint32_t GetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) = 0;
    // mixerSetControlDetails.
    virtual uint32_t SetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) = 0;
};

}  // namespace zv
