#include "frame/Pardalin.h"
#include "frame/detail/HostServices.h"

#include <gtest/gtest.h>

namespace
{
IHostnameResolver* FirstResolver()
{
    return nullptr;
}
IHostnameResolver* SecondResolver()
{
    return nullptr;
}
VProfileStoreFactory* FirstStore()
{
    return nullptr;
}
VProfileStoreFactory* SecondStore()
{
    return nullptr;
}
} // namespace

TEST(InternalHostServices, TheSecondInitReplacesTheFirst)
{
    PardalinInit(&FirstResolver, &FirstStore);
    EXPECT_EQ(&FirstResolver, pardalin::detail::ResolverFactory());
    EXPECT_EQ(&FirstStore, pardalin::detail::ProfileStoreFactory());
    PardalinInit(&SecondResolver, &SecondStore);
    EXPECT_EQ(&SecondResolver, pardalin::detail::ResolverFactory());
    EXPECT_EQ(&SecondStore, pardalin::detail::ProfileStoreFactory());
}
