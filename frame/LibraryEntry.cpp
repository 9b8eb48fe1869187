#include "frame/Pardalin.h"
#include "frame/detail/HostServices.h"

#include <afx.h>

namespace
{
HINSTANCE g_libraryModule = nullptr;
VHostnameResolverFactory g_resolverFactory = nullptr;
VProfileStoreFactoryFunction g_profileStoreFactory = nullptr;
} // namespace

void PardalinInit(IHostnameResolver* (*resolverFactory)(), VProfileStoreFactory* (*profileStoreFactory)())
{
    g_resolverFactory = resolverFactory;
    g_profileStoreFactory = profileStoreFactory;
}

HINSTANCE GetPardalinDll()
{
    return g_libraryModule;
}

VHostnameResolverFactory pardalin::detail::ResolverFactory()
{
    return g_resolverFactory;
}

VProfileStoreFactoryFunction pardalin::detail::ProfileStoreFactory()
{
    return g_profileStoreFactory;
}

#ifndef PARDALIN_STATIC
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        TRACE(L"Pardalin.DLL Initializing!\n");
        g_libraryModule = instance;
    }
    else if (reason == DLL_PROCESS_DETACH)
    {
        TRACE(L"Pardalin.DLL Terminating!\n");
    }
    return TRUE;
}
#endif
