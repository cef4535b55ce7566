#include <windows.h>

// The 32-bit program's stand-ins for four calls that the compiler's support library and the C runtime
// make, not the program: the semaphore behind their mutexes (libgcc), the module look-ups of the locale's
// code page and of the random-number source, and the lead-byte test of the multibyte conversions (msvcrt's
// extras). Windows 98's kernel32 does not implement the three wide-character calls (it answers them with
// an error at best), and no reference of its time lists the code-page lead-byte test. Defining their import
// slots here makes the linker take these instead of the system's, so the program imports none of them and
// the callers get what they asked for through calls that every Windows has. Linked into the shipped 32-bit
// zvctrl.exe only.

namespace {

// name in the system's ANSI code page; false when it does not fit.
bool ToAnsi(LPCWSTR name, char (&ansi)[MAX_PATH]) {
    return WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, MAX_PATH, nullptr, nullptr) != 0;
}

HANDLE WINAPI CreateSemaphoreAnsi(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
    char ansi[MAX_PATH];
    if (name && !ToAnsi(name, ansi)) return nullptr;
    return CreateSemaphoreA(security, initial, maximum, name ? ansi : nullptr);
}

HMODULE WINAPI GetModuleHandleAnsi(LPCWSTR name) {
    char ansi[MAX_PATH];
    if (name && !ToAnsi(name, ansi)) return nullptr;
    return GetModuleHandleA(name ? ansi : nullptr);
}

HMODULE WINAPI LoadLibraryAnsi(LPCWSTR name) {
    char ansi[MAX_PATH];
    if (!name || !ToAnsi(name, ansi)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryA(ansi);
}

// The lead-byte ranges of a code page, as GetCPInfo gives them: pairs of first and last byte, ended by a
// pair of zeros.
BOOL WINAPI IsLeadByteOfCodePage(UINT codePage, BYTE c) {
    CPINFO info;
    if (!GetCPInfo(codePage, &info)) return FALSE;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2) {
        if (c >= info.LeadByte[i] && c <= info.LeadByte[i + 1]) return TRUE;
    }
    return FALSE;
}

}  // namespace

// The import slots, under the names that the i386 import libraries give them.
extern "C" {
decltype(&CreateSemaphoreAnsi) zvCreateSemaphoreW __asm__("__imp__CreateSemaphoreW@16") = CreateSemaphoreAnsi;
decltype(&GetModuleHandleAnsi) zvGetModuleHandleW __asm__("__imp__GetModuleHandleW@4") = GetModuleHandleAnsi;
decltype(&LoadLibraryAnsi) zvLoadLibraryW __asm__("__imp__LoadLibraryW@4") = LoadLibraryAnsi;
decltype(&IsLeadByteOfCodePage) zvIsDBCSLeadByteEx __asm__("__imp__IsDBCSLeadByteEx@8") = IsLeadByteOfCodePage;
}
