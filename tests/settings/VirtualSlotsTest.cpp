// Hosts built against the framework's headers call the settings store and the recent file list through their
// virtual tables: the slots must come in the framework's order.
#include "settings/VRecentFileList.h"
#include "settings/VSettingsStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
// The slot a pointer to a virtual member designates. Under the Itanium C++ ABI such a pointer holds one plus
// the slot's byte offset in the virtual table.
template <class F> std::ptrdiff_t Slot(F member)
{
    std::ptrdiff_t raw = 0;
    static_assert(sizeof(member) >= sizeof(raw), "a member pointer starts with its function part");
    std::memcpy(&raw, &member, sizeof(raw));
    EXPECT_EQ(1, raw % static_cast<std::ptrdiff_t>(sizeof(void*))) << "not a virtual member";
    return (raw - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

template <class C, class R, class... A> auto Member(R (C::*member)(A...))
{
    return member;
}

// The slots of the members, in the order given.
template <class... F> std::vector<std::ptrdiff_t> Slots(F... members)
{
    return {Slot(members)...};
}

TEST(SettingsVirtualSlots, SettingsStoreSlotsFollowCObjectsInTheFrameworksOrder)
{
    using S = CSettingsStore;
    using P = LPCTSTR;
    const std::vector<std::ptrdiff_t> slots =
        Slots(&CObject::Serialize, &CObject::AssertValid, &CObject::Dump, &S::CreateKey, &S::Open, &S::Close,
              &S::DeleteValue, &S::DeleteKey, Member<S, BOOL, P, CObject*>(&S::Write),
              Member<S, BOOL, P, CObject&>(&S::Write), Member<S, BOOL, P, BYTE*, UINT>(&S::Write),
              Member<S, BOOL, P, const CRect&>(&S::Write), Member<S, BOOL, P, P>(&S::Write),
              Member<S, BOOL, P, DWORD>(&S::Write), Member<S, BOOL, P, int>(&S::Write),
              Member<S, BOOL, P, CObject*&>(&S::Read), Member<S, BOOL, P, CObject&>(&S::Read),
              Member<S, BOOL, P, BYTE**, UINT*>(&S::Read), Member<S, BOOL, P, CRect&>(&S::Read),
              Member<S, BOOL, P, CString&>(&S::Read), Member<S, BOOL, P, DWORD&>(&S::Read),
              Member<S, BOOL, P, int&>(&S::Read));
    EXPECT_EQ(0, Slot(&CObject::GetRuntimeClass));
    // The destructor's entries lie between GetRuntimeClass and Serialize.
    EXPECT_LT(1, slots[0]);
    for (size_t i = 1; i < slots.size(); ++i)
        EXPECT_EQ(slots[i - 1] + 1, slots[i]) << "operation " << i << " out of order";
    // The settings store adds no virtual of its own.
    EXPECT_EQ(slots.back(), Slot(Member<VSettingsStore, BOOL, P, int&>(&VSettingsStore::Read)));
}

TEST(SettingsVirtualSlots, RecentFileListSlotsComeInTheFrameworksOrder)
{
    using L = CRecentFileList;
    const std::vector<std::ptrdiff_t> slots =
        Slots(&L::Remove, &L::Add, &L::GetDisplayName, &L::UpdateMenu, &L::ReadList, &L::WriteList);
    for (std::ptrdiff_t i = 0; i < std::ptrdiff_t(slots.size()); ++i)
        EXPECT_EQ(i, slots[i]);
    EXPECT_TRUE(Slot(&VRecentFileList::ReadList) == 4 && Slot(&VRecentFileList::WriteList) == 5);
}
} // namespace
