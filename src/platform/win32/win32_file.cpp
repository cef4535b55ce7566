#include <windows.h>

#include "platform/win32/win32_file.h"

namespace zv {
namespace {

class Win32File final : public File {
public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    ~Win32File() override { CloseHandle(handle_); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    uint32_t Read(void* buffer, uint32_t size) override {
        DWORD read = 0;
        return ReadFile(handle_, buffer, size, &read, nullptr) ? read : 0;
    }
    bool Write(const void* data, uint32_t size) override {
        DWORD written = 0;
        return WriteFile(handle_, data, size, &written, nullptr) && written == size;
    }
    bool Seek(uint32_t offset) override {
        return SetFilePointer(handle_, static_cast<LONG>(offset), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
    }

private:
    HANDLE handle_;
};

std::unique_ptr<File> Wrap(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32File>(handle);
}

}  // namespace

std::unique_ptr<File> Win32FileSystem::OpenForReading(const char* path) {
    return Wrap(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
}

std::unique_ptr<File> Win32FileSystem::Create(const char* path) {
    return Wrap(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Win32FileSystem::Delete(const char* path) { return DeleteFileA(path) != FALSE; }

}  // namespace zv
