// The mixer interface on the Windows multimedia mixer API: every call handed straight to winmm, since the
// portable structures are laid out like the system's.
#pragma once

#include "platform/mixer.h"

namespace zv {

class Win32Mixer : public Mixer {
public:
    uint32_t GetNumDevs() override;
    uint32_t GetDevCaps(uint32_t deviceId, MixerCaps* caps, uint32_t capsSize) override;
    uint32_t Open(MixerHandle* mixer, uint32_t deviceId, WindowHandle window, uintptr_t instance,
                  uint32_t flags) override;
    uint32_t Close(MixerHandle mixer) override;
    uint32_t GetId(MixerHandle object, uint32_t* deviceId, uint32_t flags) override;
    uint32_t GetLineInfo(MixerHandle object, MixerLine* line, uint32_t flags) override;
    uint32_t GetLineControls(MixerHandle object, MixerLineControls* controls, uint32_t flags) override;
    uint32_t GetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) override;
    uint32_t SetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) override;
};

// Tells window that a control of the device behind handle changed, with the message and arguments winmm
// posts to a CALLBACK_WINDOW opener; a mixer of our own (the simulated card's) reports changes through it.
void PostControlChange(WindowHandle window, MixerHandle handle, uint32_t controlId);

}  // namespace zv
