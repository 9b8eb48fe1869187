#include "frame/detail/Modules.h"

namespace
{
const HMODULE g_hostExecutable = GetModuleHandleW(nullptr);
} // namespace

HMODULE pardalin::detail::HostExecutableModule()
{
    return g_hostExecutable;
}

HMODULE pardalin::detail::NtdllModule()
{
    static const HMODULE ntdll = GetModuleHandleW(L"NTDLL.DLL");
    return ntdll;
}
