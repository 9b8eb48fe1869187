// CreateFileThroughHook: the call through which the files code opens and creates files and folders. White-box
// tests put a failing function in to reach the refusals (access denied) that the platform does not give a
// test running with every permission; the library calls CreateFileW otherwise.
//
//     const auto previous = pardalin::detail::SetCreateFileHook(&DenyEveryCreate);
//     ... // every open below fails as DenyEveryCreate says
//     pardalin::detail::SetCreateFileHook(previous);
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{
using CreateFileHook = HANDLE (*)(const wchar_t* path, DWORD access, DWORD share,
                                  SECURITY_ATTRIBUTES* security, DWORD disposition, DWORD flags,
                                  HANDLE templateFile);
// Returns the hook it replaces; null restores CreateFileW.
CreateFileHook SetCreateFileHook(CreateFileHook hook);
HANDLE CreateFileThroughHook(const wchar_t* path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                             DWORD disposition, DWORD flags, HANDLE templateFile);
} // namespace pardalin::detail
