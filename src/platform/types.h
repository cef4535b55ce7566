// Plain types shared by the portable code and the Win32 shell: handles, GUIDs and COM result codes,
// spelled without <windows.h> so that the decisions build and test natively as well.
#pragma once

#include <cstdint>

namespace zv {

#if defined(_WIN32)
#define ZV_STDCALL __stdcall
#else
#define ZV_STDCALL
#endif

// A window as the portable code sees it: an opaque handle that only the shell interprets.
using WindowHandle = void*;

// Same layout as the Win32 GUID.
struct Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};
static_assert(sizeof(Guid) == 16, "Guid must match the Win32 layout");

bool operator==(const Guid& a, const Guid& b);
inline bool operator!=(const Guid& a, const Guid& b) { return !(a == b); }

// COM result codes, as 32-bit signed values.
using HResult = int32_t;
constexpr HResult kOk = 0;
constexpr HResult kNotImplemented = static_cast<HResult>(0x80004001u);  // E_NOTIMPL
constexpr HResult kNoInterface = static_cast<HResult>(0x80004002u);     // E_NOINTERFACE
constexpr HResult kFail = static_cast<HResult>(0x80004005u);            // E_FAIL
constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000Eu);     // E_OUTOFMEMORY
inline bool Failed(HResult hr) { return hr < 0; }

}  // namespace zv
