// The library's lock: a critical section behind ISynchObject, so holders can share it by reference.
#pragma once

#include "net/ISynchObject.h"
#include "net/VUnknown.h"

namespace pardalin::detail
{
class VCriticalSection : public VUnknown<ISynchObject>
{
public:
    VCriticalSection() { InitializeCriticalSectionAndSpinCount(&section, 4000); }
    ~VCriticalSection() override { DeleteCriticalSection(&section); }
    VCriticalSection(const VCriticalSection&) = delete;
    VCriticalSection& operator=(const VCriticalSection&) = delete;

    void Lock() override { EnterCriticalSection(&section); }
    void Unlock() override { LeaveCriticalSection(&section); }

private:
    CRITICAL_SECTION section;
};
} // namespace pardalin::detail
