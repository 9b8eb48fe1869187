#include "frame/detail/Modules.h"

namespace pardalin::detail
{
namespace
{
const HMODULE g_hostExecutable = GetModuleHandleW(nullptr);
} // namespace

HMODULE HostExecutableModule()
{
    return g_hostExecutable;
}

HMODULE NtdllModule()
{
    static const HMODULE ntdll = GetModuleHandleW(L"NTDLL.DLL");
    return ntdll;
}
} // namespace pardalin::detail
