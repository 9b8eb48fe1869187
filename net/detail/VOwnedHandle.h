// Owns one kernel handle. Closing it never disturbs the caller's last-error value, so a failing operation can
// release its handles on the way out and still report why it failed.
#pragma once

#include "core/PardalinApi.h"

class VOwnedHandle
{
public:
    VOwnedHandle() : handle(INVALID_HANDLE_VALUE) {}
    explicit VOwnedHandle(HANDLE owned) : handle(owned) {}
    ~VOwnedHandle() { Close(); }

    VOwnedHandle(const VOwnedHandle&) = delete;
    VOwnedHandle& operator=(const VOwnedHandle&) = delete;
    VOwnedHandle(VOwnedHandle&& other) noexcept : handle(other.Detach()) {}
    VOwnedHandle& operator=(VOwnedHandle&& other) noexcept
    {
        if (this != &other)
        {
            Close();
            handle = other.Detach();
        }
        return *this;
    }

    HANDLE Get() const { return handle; }
    bool IsValid() const { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

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
    HANDLE handle;
};
