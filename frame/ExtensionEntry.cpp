// The DLL's entry. The library is an extension of the host's framework: its resources and run-time classes
// join the application's chains, so dialogs, strings and messages are found through the host's module state.
#ifndef PARDALIN_STATIC

#include "frame/detail/LibraryModule.h"

#include <afxdllx.h>

namespace
{
AFX_EXTENSION_MODULE g_extensionModule = {};
} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        TRACE(L"Pardalin.DLL Initializing!\n");
        if (!AfxInitExtensionModule(g_extensionModule, instance))
            return FALSE;
        // Owned by the framework from here on.
        new CDynLinkLibrary(g_extensionModule);
        pardalin::detail::SetLibraryModule(instance);
    }
    else if (reason == DLL_PROCESS_DETACH)
    {
        TRACE(L"Pardalin.DLL Terminating!\n");
        AfxTermExtensionModule(g_extensionModule, FALSE);
    }
    return TRUE;
}

#endif
