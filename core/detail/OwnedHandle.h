// OwnedHandle: owns one kernel handle. Closing it never disturbs the caller's last-error value, so a failing
// operation can release its handles on the way out and still report why it failed.
//
//     pardalin::detail::OwnedHandle mapping(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
//     if (!mapping.IsValid())
//         return false; // GetLastError() still tells why
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{
class OwnedHandle
{
public:
    // Construction
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE owned) : handle(owned) {}
    ~OwnedHandle() { Close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle(other.Detach()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }

    // Attributes
    HANDLE Get() const { return handle; }
    bool IsValid() const { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

    // Operations
    void Reset(HANDLE owned)
    {
        Close();
        handle = owned;
    }
    HANDLE Detach()
    {
        HANDLE released = handle;
        handle = INVALID_HANDLE_VALUE;
        return released;
    }
    void Close()
    {
        if (IsValid())
        {
            const DWORD lastError = GetLastError();
            CloseHandle(handle);
            SetLastError(lastError);
        }
        handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle = INVALID_HANDLE_VALUE;
};
} // namespace pardalin::detail
