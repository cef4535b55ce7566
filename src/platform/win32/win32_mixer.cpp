#include <windows.h>

#include "platform/win32/win32_mixer.h"

#include <mmsystem.h>

#include <cstddef>

namespace zv {
namespace {

// The portable structures are passed to winmm as they are, so they must match the system's member for
// member.
#define ZV_SAME_FIELD(ours, theirs, field) \
    static_assert(offsetof(ours, field) == offsetof(theirs, field), #ours "::" #field " is out of place")

static_assert(sizeof(MixerHandle) == sizeof(HMIXER), "MixerHandle must hold an HMIXER");
static_assert(sizeof(WindowHandle) == sizeof(HWND), "WindowHandle must hold an HWND");

static_assert(sizeof(MixerCaps) == sizeof(MIXERCAPSA), "MixerCaps must match MIXERCAPSA");
ZV_SAME_FIELD(MixerCaps, MIXERCAPSA, wMid);
ZV_SAME_FIELD(MixerCaps, MIXERCAPSA, vDriverVersion);
ZV_SAME_FIELD(MixerCaps, MIXERCAPSA, szPname);
ZV_SAME_FIELD(MixerCaps, MIXERCAPSA, fdwSupport);
ZV_SAME_FIELD(MixerCaps, MIXERCAPSA, cDestinations);

static_assert(sizeof(MixerLine) == sizeof(MIXERLINEA), "MixerLine must match MIXERLINEA");
ZV_SAME_FIELD(MixerLine, MIXERLINEA, dwDestination);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, dwSource);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, dwLineID);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, fdwLine);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, dwUser);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, dwComponentType);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, cChannels);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, cConnections);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, cControls);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, szShortName);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, szName);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, Target.dwType);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, Target.dwDeviceID);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, Target.wMid);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, Target.vDriverVersion);
ZV_SAME_FIELD(MixerLine, MIXERLINEA, Target.szPname);

static_assert(sizeof(MixerControl) == sizeof(MIXERCONTROLA), "MixerControl must match MIXERCONTROLA");
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, dwControlID);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, dwControlType);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, fdwControl);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, cMultipleItems);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, szShortName);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, szName);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, Bounds);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, Bounds.dwMinimum);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, Bounds.dwMaximum);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, Metrics);
ZV_SAME_FIELD(MixerControl, MIXERCONTROLA, Metrics.cSteps);

static_assert(sizeof(MixerLineControls) == sizeof(MIXERLINECONTROLSA),
              "MixerLineControls must match MIXERLINECONTROLSA");
ZV_SAME_FIELD(MixerLineControls, MIXERLINECONTROLSA, dwLineID);
ZV_SAME_FIELD(MixerLineControls, MIXERLINECONTROLSA, dwControlID);
ZV_SAME_FIELD(MixerLineControls, MIXERLINECONTROLSA, cControls);
ZV_SAME_FIELD(MixerLineControls, MIXERLINECONTROLSA, cbmxctrl);
ZV_SAME_FIELD(MixerLineControls, MIXERLINECONTROLSA, pamxctrl);

static_assert(sizeof(MixerControlDetails) == sizeof(MIXERCONTROLDETAILS),
              "MixerControlDetails must match MIXERCONTROLDETAILS");
ZV_SAME_FIELD(MixerControlDetails, MIXERCONTROLDETAILS, dwControlID);
ZV_SAME_FIELD(MixerControlDetails, MIXERCONTROLDETAILS, cChannels);
ZV_SAME_FIELD(MixerControlDetails, MIXERCONTROLDETAILS, cMultipleItems);
ZV_SAME_FIELD(MixerControlDetails, MIXERCONTROLDETAILS, cbDetails);
ZV_SAME_FIELD(MixerControlDetails, MIXERCONTROLDETAILS, paDetails);

static_assert(sizeof(MixerListText) == sizeof(MIXERCONTROLDETAILS_LISTTEXTA),
              "MixerListText must match MIXERCONTROLDETAILS_LISTTEXTA");
ZV_SAME_FIELD(MixerListText, MIXERCONTROLDETAILS_LISTTEXTA, dwParam2);
ZV_SAME_FIELD(MixerListText, MIXERCONTROLDETAILS_LISTTEXTA, szName);
static_assert(kMixerDetailValueSize == sizeof(MIXERCONTROLDETAILS_UNSIGNED) &&
                  kMixerDetailValueSize == sizeof(MIXERCONTROLDETAILS_BOOLEAN),
              "value details are single words");

#undef ZV_SAME_FIELD

// The constants the portable code passes through unchanged.
static_assert(kMmMixmControlChange == MM_MIXM_CONTROL_CHANGE && kMmMixmLineChange == MM_MIXM_LINE_CHANGE, "");
static_assert(kCallbackWindow == CALLBACK_WINDOW && kMixerObjectHMixer == MIXER_OBJECTF_HMIXER, "");
static_assert(kMixerGetLineInfoSource == MIXER_GETLINEINFOF_SOURCE &&
                  kMixerGetLineInfoDestination == MIXER_GETLINEINFOF_DESTINATION, "");
static_assert(kMixerGetControlDetailsListText == MIXER_GETCONTROLDETAILSF_LISTTEXT, "");
static_assert(kMixerDstSpeakers == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS &&
                  kMixerDstWaveIn == MIXERLINE_COMPONENTTYPE_DST_WAVEIN &&
                  kMixerSrcWaveOut == MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT &&
                  kMixerSrcAnalog == MIXERLINE_COMPONENTTYPE_SRC_ANALOG,
              "");
static_assert(kMixerControlMux == MIXERCONTROL_CONTROLTYPE_MUX &&
                  kMixerControlUniform == MIXERCONTROL_CONTROLF_UNIFORM &&
                  kMixerControlMultiple == MIXERCONTROL_CONTROLF_MULTIPLE,
              "");

HMIXEROBJ Object(MixerHandle handle) { return reinterpret_cast<HMIXEROBJ>(handle); }

}  // namespace

void PostControlChange(WindowHandle window, MixerHandle handle, uint32_t controlId) {
    PostMessageA(static_cast<HWND>(window), MM_MIXM_CONTROL_CHANGE, static_cast<WPARAM>(handle),
                 static_cast<LPARAM>(controlId));
}

uint32_t Win32Mixer::GetNumDevs() { return mixerGetNumDevs(); }

uint32_t Win32Mixer::GetDevCaps(uint32_t deviceId, MixerCaps* caps, uint32_t capsSize) {
    return mixerGetDevCapsA(deviceId, reinterpret_cast<MIXERCAPSA*>(caps), capsSize);
}

uint32_t Win32Mixer::Open(MixerHandle* mixer, uint32_t deviceId, WindowHandle window, uintptr_t instance,
                          uint32_t flags) {
    HMIXER opened = nullptr;
    const MMRESULT result =
        mixerOpen(&opened, deviceId, reinterpret_cast<DWORD_PTR>(window), instance, flags);
    *mixer = reinterpret_cast<MixerHandle>(opened);
    return result;
}

uint32_t Win32Mixer::Close(MixerHandle mixer) { return mixerClose(reinterpret_cast<HMIXER>(mixer)); }

uint32_t Win32Mixer::GetId(MixerHandle object, uint32_t* deviceId, uint32_t flags) {
    UINT id = 0;
    const MMRESULT result = mixerGetID(Object(object), &id, flags);
    *deviceId = id;
    return result;
}

uint32_t Win32Mixer::GetLineInfo(MixerHandle object, MixerLine* line, uint32_t flags) {
    return mixerGetLineInfoA(Object(object), reinterpret_cast<MIXERLINEA*>(line), flags);
}

uint32_t Win32Mixer::GetLineControls(MixerHandle object, MixerLineControls* controls, uint32_t flags) {
    return mixerGetLineControlsA(Object(object), reinterpret_cast<MIXERLINECONTROLSA*>(controls), flags);
}

uint32_t Win32Mixer::GetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) {
    return mixerGetControlDetailsA(Object(object), reinterpret_cast<MIXERCONTROLDETAILS*>(details), flags);
}

uint32_t Win32Mixer::SetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) {
    return mixerSetControlDetails(Object(object), reinterpret_cast<MIXERCONTROLDETAILS*>(details), flags);
}

}  // namespace zv
