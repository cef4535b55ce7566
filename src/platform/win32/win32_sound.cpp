#include <windows.h>

#include <mmsystem.h>
#include <dsound.h>

#include <new>

#include "platform/win32/win32_sound.h"

#include "platform/win32/kept_library.h"

namespace zv {
namespace {

// IID_IKsPropertySet, spelled here so the program needs no GUID library.
const GUID kIidKsPropertySet = {0x31EFAC30, 0x515C, 0x11D0, {0xA9, 0xAA, 0x00, 0xAA, 0x00, 0x61, 0xBE, 0x93}};

const GUID& ToGuid(const Guid& g) { return reinterpret_cast<const GUID&>(g); }

// Hands out a COM object in its wrapper. Without memory for the wrapper the object is released again
// and the call fails, as the system's own calls do.
template <class Wrapper, class Com, class Out>
HResult Wrap(Com* com, HRESULT hr, Out** out) {
    *out = new (std::nothrow) Wrapper(com);
    if (*out) return hr;
    com->Release();
    return E_OUTOFMEMORY;
}

class PropertySetWrapper final : public SoundPropertySet {
public:
    explicit PropertySetWrapper(IKsPropertySet* com) : com_(com) {}
    uint32_t Release() override {
        ULONG left = com_->Release();
        delete this;
        return left;
    }
    HResult QuerySupport(const Guid& set, uint32_t id, uint32_t* support) override {
        ULONG flags = 0;
        HRESULT hr = com_->QuerySupport(ToGuid(set), id, &flags);
        *support = flags;
        return hr;
    }
    HResult Get(const Guid& set, uint32_t id, void* data, uint32_t size, uint32_t* returned) override {
        ULONG got = 0;
        HRESULT hr = com_->Get(ToGuid(set), id, nullptr, 0, data, size, &got);
        if (returned) *returned = got;
        return hr;
    }
    HResult Set(const Guid& set, uint32_t id, const void* instance, uint32_t instanceSize, const void* data,
                uint32_t size) override {
        return com_->Set(ToGuid(set), id, const_cast<void*>(instance), instanceSize, const_cast<void*>(data), size);
    }

private:
    IKsPropertySet* com_;
};

class BufferWrapper final : public SoundBuffer {
public:
    explicit BufferWrapper(IDirectSoundBuffer* com) : com_(com) {}
    uint32_t Release() override {
        ULONG left = com_->Release();
        delete this;
        return left;
    }
    HResult QueryPropertySet(SoundPropertySet** out) override {
        *out = nullptr;
        void* com = nullptr;
        HRESULT hr = com_->QueryInterface(kIidKsPropertySet, &com);
        if (FAILED(hr)) return hr;
        return Wrap<PropertySetWrapper>(static_cast<IKsPropertySet*>(com), hr, out);
    }

private:
    IDirectSoundBuffer* com_;
};

class DirectSoundWrapper final : public SoundObject {
public:
    explicit DirectSoundWrapper(IDirectSound* com) : com_(com) {}
    uint32_t Release() override {
        ULONG left = com_->Release();
        delete this;
        return left;
    }
    HResult SetCooperativeLevel(WindowHandle window, uint32_t level) override {
        return com_->SetCooperativeLevel(static_cast<HWND>(window), level);
    }
    HResult CreateBuffer(const SoundBufferDesc& desc, SoundBuffer** out) override {
        *out = nullptr;
        WAVEFORMATEX format = {};
        format.wFormatTag = desc.formatTag;
        format.nChannels = desc.channels;
        format.nSamplesPerSec = desc.samplesPerSec;
        format.nAvgBytesPerSec = desc.avgBytesPerSec;
        format.nBlockAlign = desc.blockAlign;
        format.wBitsPerSample = desc.bitsPerSample;
        // The DirectX 5 layout: drivers of that generation know no 3D algorithm field.
        DSBUFFERDESC1 dx5 = {};
        dx5.dwSize = sizeof(DSBUFFERDESC1);
        dx5.dwFlags = desc.flags;
        dx5.dwBufferBytes = desc.bufferBytes;
        dx5.lpwfxFormat = &format;
        IDirectSoundBuffer* buffer = nullptr;
        HRESULT hr = com_->CreateSoundBuffer(reinterpret_cast<const DSBUFFERDESC*>(&dx5), &buffer, nullptr);
        if (FAILED(hr)) return hr;
        return Wrap<BufferWrapper>(buffer, hr, out);
    }
    HResult SetSpeakerConfig(uint32_t config) override { return com_->SetSpeakerConfig(config); }

private:
    IDirectSound* com_;
};

struct EnumContext {
    SoundSystem::EnumCallback callback;
    void* context;
};

BOOL CALLBACK EnumThunk(GUID* guid, const char*, const char*, void* param) {
    auto* ctx = static_cast<EnumContext*>(param);
    return ctx->callback(reinterpret_cast<const Guid*>(guid), ctx->context) ? TRUE : FALSE;
}

#if !defined(_WIN64)
static_assert(sizeof(DSBUFFERDESC1) == 20, "the DirectX 5 buffer description is 20 bytes");
#endif

// DirectSound's two entry points, kept once found (a machine without DirectX has no dsound.dll), as a
// static import would have kept them: every DirectSound object handed out points into the library, and
// its own worker threads may still run in it after the last object is released.
struct DirectSoundLibrary {
    HRESULT(WINAPI* enumerate)(LPDSENUMCALLBACKA, void*) = nullptr;
    HRESULT(WINAPI* create)(const GUID*, IDirectSound**, IUnknown*) = nullptr;
};

const DirectSoundLibrary* LoadDirectSound() {
    static DirectSoundLibrary library;
    static bool kept = false;
    if (!kept)
        kept = LoadKeptLibrary("dsound.dll", [](HMODULE module) {
            return FindExport(module, "DirectSoundEnumerateA", library.enumerate) &&
                   FindExport(module, "DirectSoundCreate", library.create);
        });
    return kept ? &library : nullptr;
}

}  // namespace

HResult Win32SoundSystem::Enumerate(EnumCallback callback, void* context) {
    const DirectSoundLibrary* library = LoadDirectSound();
    if (!library) return DSERR_NODRIVER;
    EnumContext ctx{callback, context};
    return library->enumerate(reinterpret_cast<LPDSENUMCALLBACKA>(EnumThunk), &ctx);
}

HResult Win32SoundSystem::Create(const Guid* device, SoundObject** out) {
    *out = nullptr;
    const DirectSoundLibrary* library = LoadDirectSound();
    if (!library) return DSERR_NODRIVER;
    IDirectSound* ds = nullptr;
    HRESULT hr = library->create(reinterpret_cast<const GUID*>(device), &ds, nullptr);
    if (FAILED(hr)) return hr;
    return Wrap<DirectSoundWrapper>(ds, hr, out);
}

}  // namespace zv
