// VPropertyPageStateMap: copies own their states. How the pages register, restore and write through their
// states is driven by the property tree dialog's tests.
#include "dialogs/VPropertyPageStateMap.h"

#include <gtest/gtest.h>

namespace
{
VPropertyPageState* StateOf(const VPropertyPageStateMap& map, const wchar_t* lpszName)
{
    VPropertyPageState* pState = nullptr;
    return map.Lookup(VUnicodeString(lpszName), pState) ? pState : nullptr;
}

TEST(PageStateMap, CopiesHoldTheirOwnStates)
{
    VPropertyPageStateMap original;
    EXPECT_EQ(original.GetBucketCount(), 25);
    original.Set(VUnicodeString(L"Connection"), new VPropertyPageState{false, true});
    {
        VPropertyPageStateMap copy(original), assigned;
        assigned.Set(VUnicodeString(L"Transfer"), new VPropertyPageState{true, true});
        assigned = original;
        assigned = assigned;
        for (VPropertyPageStateMap* pMap : {&copy, &assigned})
        {
            EXPECT_EQ(pMap->GetCount(), 1);
            VPropertyPageState* pState = StateOf(*pMap, L"Connection");
            ASSERT_TRUE(pState != nullptr && pState != StateOf(original, L"Connection"));
            EXPECT_TRUE(!pState->m_bExpanded && pState->m_bSelected);
            pState->m_bSelected = false;
        }
    }
    ASSERT_NE(StateOf(original, L"Connection"), nullptr);
    EXPECT_TRUE(StateOf(original, L"Connection")->m_bSelected);
    for (const wchar_t* lpszMissing : {L"connection", L"Connection~", L""})
    {
        VPropertyPageState* pState = StateOf(original, L"Connection");
        EXPECT_FALSE(original.Lookup(VUnicodeString(lpszMissing), pState));
        EXPECT_EQ(pState, StateOf(original, L"Connection")); // left as it was
    }
}
} // namespace
