// Loading and initialisation: the library's module, the services the host hands over, and the scoped switch
// of the current resource module.
#pragma once

#include "core/PardalinApi.h"

class IHostnameResolver;
class VProfileStoreFactory;

typedef IHostnameResolver* (*VHostnameResolverFactory)();
typedef VProfileStoreFactory* (*VProfileStoreFactoryFunction)();

// Called once by the host at start-up, before any socket, settings-store or profile-store facility is used.
// A second call replaces the first pair.
PARDALIN_API void PardalinInit(IHostnameResolver* (*resolverFactory)(),
                               VProfileStoreFactory* (*profileStoreFactory)());

// The library's own module, as recorded while it loaded; null before that.
PARDALIN_API HINSTANCE GetPardalinDll();

// The host application's name as the framework holds it; the default caption of the library's message boxes.
PARDALIN_API const wchar_t* VGetAppName();

// Makes a module the framework's current resource module for the life of the guard; the module that was
// current before comes back however the scope is left. Guards nest and must end in reverse order, on the
// thread that made them.
class PARDALIN_API VModuleResourceHandle
{
public:
    explicit VModuleResourceHandle(HINSTANCE module);
    ~VModuleResourceHandle();
    VModuleResourceHandle(const VModuleResourceHandle&) = delete;
    VModuleResourceHandle& operator=(const VModuleResourceHandle& other);

private:
    HINSTANCE m_hSavedResourceHandle;
};
