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
