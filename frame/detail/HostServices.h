// The two factories the host registered with PardalinInit.
#pragma once

#include "frame/Pardalin.h"

namespace pardalin::detail
{
VHostnameResolverFactory ResolverFactory();
VProfileStoreFactoryFunction ProfileStoreFactory();
} // namespace pardalin::detail
