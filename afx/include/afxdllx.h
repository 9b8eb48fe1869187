// The start-up of an extension DLL. Include it in exactly one source file of the DLL (the one with DllMain)
// and never in an executable: it sets the application's run-time classes aside until the DLL calls
// AfxInitExtensionModule (see afxdll_.h).
#pragma once

#include "afxwin.h"

namespace
{
struct AfxExtensionDllStartup
{
    AfxExtensionDllStartup() { AfxExtensionModulePreamble(); }
};

// Priority 101 runs before every static constructor of the DLL at the default priority, which is where
// IMPLEMENT_DYNAMIC registers its classes.
__attribute__((init_priority(101))) const AfxExtensionDllStartup afxExtensionDllStartup;
} // namespace
