#include "files/detail/CreateFileHook.h"

#include <utility>

namespace pardalin::detail
{
// Null while the library calls the platform directly.
static CreateFileHook g_hook = nullptr;

CreateFileHook SetCreateFileHook(CreateFileHook hook)
{
    return std::exchange(g_hook, hook);
}

HANDLE CreateFileThroughHook(const wchar_t* path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                             DWORD disposition, DWORD flags, HANDLE templateFile)
{
    return (g_hook ? g_hook : &CreateFileW)(path, access, share, security, disposition, flags, templateFile);
}
} // namespace pardalin::detail
