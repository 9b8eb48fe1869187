#include "frame/Pardalin.h"
#include "frame/detail/HostServices.h"
#include "frame/detail/LibraryModule.h"

#include <afxwin.h>

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

void pardalin::detail::SetLibraryModule(HINSTANCE module)
{
    g_libraryModule = module;
}

const wchar_t* VGetAppName()
{
    return AfxGetAppName();
}

VModuleResourceHandle::VModuleResourceHandle(HINSTANCE module)
    : m_hSavedResourceHandle(AfxGetResourceHandle())
{
    AfxSetResourceHandle(module);
}

VModuleResourceHandle::~VModuleResourceHandle()
{
    AfxSetResourceHandle(m_hSavedResourceHandle);
}

VModuleResourceHandle& VModuleResourceHandle::operator=(const VModuleResourceHandle& other)
{
    m_hSavedResourceHandle = other.m_hSavedResourceHandle;
    return *this;
}

VHostnameResolverFactory pardalin::detail::ResolverFactory()
{
    return g_resolverFactory;
}

VProfileStoreFactoryFunction pardalin::detail::ProfileStoreFactory()
{
    return g_profileStoreFactory;
}
