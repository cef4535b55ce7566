#include <windows.h>

// The card's DirectSound driver as the simulator provides it, loaded in place of the system's dsound.dll.
// Settings: "Devices" (how many devices are enumerated, default 1), "CardDevices" (bit i set when device i
// is the card's, default all), "FailBuffer" (hardware 3D buffers cannot be created) and "NoPropertySet"
// (buffers offer no IKsPropertySet). Every object is counted; the count still alive when the process
// ends is logged as "dsound live N", so tests can see that everything taken was released.

#include <mmsystem.h>
#include <dsound.h>

#include <cstdint>
#include <cstring>

#include "dll/sim_common.h"

namespace {

const GUID kIidKsPropertySet = {0x31EFAC30, 0x515C, 0x11D0, {0xA9, 0xAA, 0x00, 0xAA, 0x00, 0x61, 0xBE, 0x93}};
const GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID kIidDirectSound = {0x279AFA83, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const GUID kIidDirectSoundBuffer = {0x279AFA85, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
constexpr DWORD kSupportGetSet = 3;  // KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET

LONG liveObjects = 0;

GUID DeviceGuid(DWORD index) {
    return GUID{0x5A560930, 0x0000, 0x0000, {0x80, 0, 0, 0, 0, 0, 0, static_cast<BYTE>(index)}};
}

// The device a GUID names; the null GUID is the default device, device 0.
bool DeviceIndex(const GUID* guid, DWORD* index) {
    DWORD count = zvsim::Setting("Devices", 1);
    if (!guid) {
        *index = 0;
        return count > 0;
    }
    for (DWORD i = 0; i < count && i < 32; ++i) {
        GUID candidate = DeviceGuid(i);
        if (std::memcmp(&candidate, guid, sizeof(GUID)) == 0) {
            *index = i;
            return true;
        }
    }
    return false;
}

bool IsCardDevice(DWORD index) { return (zvsim::Setting("CardDevices", 0xFFFFFFFFu) >> index) & 1; }

void PropertyValueName(REFGUID set, ULONG id, char (&name)[48]) {
    wsprintfA(name, "%08lX-%lu", set.Data1, id);
}

// The driver's property store, kept in the simulator's registry key so that it outlives the process.
// What every object of the driver shares: a reference count, the count of live objects, and
// QueryInterface for IUnknown and the object's own interface.
template <class Interface>
class CountedObject : public Interface {
public:
    explicit CountedObject(const GUID& iid) : iid_(iid) { InterlockedIncrement(&liveObjects); }
    virtual ~CountedObject() { InterlockedDecrement(&liveObjects); }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid == kIidUnknown || iid == iid_) {
            AddRef();
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return QueryOther(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual HRESULT QueryOther(REFIID, void**) { return E_NOINTERFACE; }

private:
    const GUID& iid_;
    LONG refs_ = 1;
};

class PropertySet final : public CountedObject<IKsPropertySet> {
public:
    explicit PropertySet(bool card) : CountedObject(kIidKsPropertySet), card_(card) {}
    STDMETHODIMP Get(REFGUID set, ULONG id, LPVOID, ULONG, LPVOID data, ULONG size, ULONG* returned) override {
        char name[48];
        PropertyValueName(set, id, name);
        HKEY key;
        // A size query comes without a buffer.
        DWORD got = data ? size : 0;
        if (data) std::memset(data, 0, size);
        LONG rc = RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\ZVSim\\Properties", &key);
        if (rc == ERROR_SUCCESS) {
            rc = RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(data), &got);
            RegCloseKey(key);
        }
        if (rc != ERROR_SUCCESS) got = 0;
        if (returned) *returned = got;
        zvsim::Log("dsound PropertyGet %s size %lu", name, size);
        return card_ ? S_OK : E_NOTIMPL;
    }
    STDMETHODIMP Set(REFGUID set, ULONG id, LPVOID, ULONG instanceSize, LPVOID data, ULONG size) override {
        if (!card_) return E_NOTIMPL;
        char name[48];
        PropertyValueName(set, id, name);
        HKEY key;
        if (RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\ZVSim\\Properties", &key) == ERROR_SUCCESS) {
            RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
            RegCloseKey(key);
        }
        zvsim::Log("dsound PropertySet %s size %lu instance %lu", name, size, instanceSize);
        return S_OK;
    }
    STDMETHODIMP QuerySupport(REFGUID set, ULONG id, ULONG* support) override {
        // The card's driver answers every property of its sets; another vendor's driver knows none of them.
        *support = card_ ? kSupportGetSet : 0;
        zvsim::Log("dsound QuerySupport %08lX-%lu -> %lu", set.Data1, id, *support);
        return S_OK;
    }

private:
    bool card_;
};

class Buffer final : public CountedObject<IDirectSoundBuffer> {
public:
    explicit Buffer(bool card) : CountedObject(kIidDirectSoundBuffer), card_(card) {}
    ~Buffer() override { zvsim::Log("dsound buffer released"); }
    STDMETHODIMP GetCaps(LPDSBCAPS) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP GetCurrentPosition(LPDWORD, LPDWORD) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP GetVolume(LPLONG) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP GetPan(LPLONG) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP GetFrequency(LPDWORD) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP GetStatus(LPDWORD) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return DSERR_ALREADYINITIALIZED; }
    STDMETHODIMP Lock(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP Play(DWORD, DWORD, DWORD) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP SetCurrentPosition(DWORD) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP SetFormat(LPCWAVEFORMATEX) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP SetVolume(LONG) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP SetPan(LONG) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP SetFrequency(DWORD) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP Stop() override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP Restore() override { return DS_OK; }

protected:
    HRESULT QueryOther(REFIID iid, void** out) override {
        if (iid != kIidKsPropertySet || zvsim::Setting("NoPropertySet", 0)) return E_NOINTERFACE;
        *out = static_cast<IKsPropertySet*>(new PropertySet(card_));
        return S_OK;
    }

private:
    bool card_;
};

class DirectSound final : public CountedObject<IDirectSound> {
public:
    explicit DirectSound(DWORD device) : CountedObject(kIidDirectSound), device_(device) {}
    ~DirectSound() override { zvsim::Log("dsound DirectSound %lu released", device_); }
    STDMETHODIMP CreateSoundBuffer(LPCDSBUFFERDESC desc, LPLPDIRECTSOUNDBUFFER out, IUnknown*) override {
        *out = nullptr;
        if (!desc || (desc->dwSize != sizeof(DSBUFFERDESC1) && desc->dwSize != sizeof(DSBUFFERDESC)))
            return DSERR_INVALIDPARAM;
        bool card = IsCardDevice(device_);
        zvsim::Log("dsound CreateSoundBuffer device %lu size %lu flags 0x%lX bytes %lu", device_, desc->dwSize,
                   desc->dwFlags, desc->dwBufferBytes);
        if ((desc->dwFlags & DSBCAPS_LOCHARDWARE) && (!card || zvsim::Setting("FailBuffer", 0)))
            return DSERR_UNSUPPORTED;
        *out = new Buffer(card);
        return DS_OK;
    }
    STDMETHODIMP GetCaps(LPDSCAPS) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER, LPLPDIRECTSOUNDBUFFER) override { return DSERR_UNSUPPORTED; }
    STDMETHODIMP SetCooperativeLevel(HWND window, DWORD level) override {
        zvsim::Log("dsound SetCooperativeLevel device %lu window %p level %lu", device_, static_cast<void*>(window),
                   level);
        return DS_OK;
    }
    STDMETHODIMP Compact() override { return DS_OK; }
    STDMETHODIMP GetSpeakerConfig(LPDWORD config) override {
        *config = zvsim::Setting("SpeakerConfig", DSSPEAKER_STEREO);
        return DS_OK;
    }
    STDMETHODIMP SetSpeakerConfig(DWORD config) override {
        zvsim::SetSetting("SpeakerConfig", config);
        zvsim::Log("dsound SetSpeakerConfig %lu", config);
        return DS_OK;
    }
    STDMETHODIMP Initialize(LPCGUID) override { return DSERR_ALREADYINITIALIZED; }

private:
    DWORD device_;
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI DirectSoundEnumerateA(LPDSENUMCALLBACKA callback, LPVOID context) {
    zvsim::Log("dsound DirectSoundEnumerateA");
    if (!callback(nullptr, "Primary Sound Driver", "", context)) return DS_OK;
    DWORD count = zvsim::Setting("Devices", 1);
    for (DWORD i = 0; i < count && i < 32; ++i) {
        GUID guid = DeviceGuid(i);
        const char* description = IsCardDevice(i) ? "ZV930 PCI Audio" : "Other Audio Device";
        if (!callback(&guid, description, "zv930.vxd", context)) break;
    }
    return DS_OK;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DirectSoundCreate(LPCGUID device, LPDIRECTSOUND* out, LPUNKNOWN) {
    *out = nullptr;
    DWORD index = 0;
    if (!DeviceIndex(device, &index)) {
        zvsim::Log("dsound DirectSoundCreate no such device");
        return DSERR_NODRIVER;
    }
    zvsim::Log("dsound DirectSoundCreate device %lu", index);
    *out = new DirectSound(index);
    return DS_OK;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) zvsim::Log("dsound live %ld", liveObjects);
    return TRUE;
}
