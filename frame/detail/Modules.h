// Module handles the library looks things up in.
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{
// The process's main executable, recorded while the library loads: the last message table searched.
HMODULE HostExecutableModule();
// "NTDLL.DLL", looked up once; null when the process has none.
HMODULE NtdllModule();
} // namespace pardalin::detail
