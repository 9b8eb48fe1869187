#include "files/detail/CreateFileHook.h"

namespace pardalin::detail
{
namespace
{
CreateFileHook g_hook = nullptr;
} // namespace

CreateFileHook SetCreateFileHook(CreateFileHook hook)
{
    const CreateFileHook previous = g_hook;
    g_hook = hook;
    return previous;
}

HANDLE CreateFileThroughHook(const wchar_t* path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                             DWORD disposition, DWORD flags, HANDLE templateFile)
{
    return (g_hook ? g_hook : &CreateFileW)(path, access, share, security, disposition, flags, templateFile);
}
} // namespace pardalin::detail
