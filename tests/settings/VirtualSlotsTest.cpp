// Hosts built against the framework's headers call the settings store and the recent file list through their
// virtual tables: the slots must come in the framework's order.
#include "settings/VRecentFileList.h"
#include "settings/VSettingsStore.h"

#include <gtest/gtest.h>

#include <cstring>

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

TEST(SettingsVirtualSlots, SettingsStoreSlotsFollowCObjectsInTheFrameworksOrder)
{
    using S = CSettingsStore;
    const std::ptrdiff_t slots[] = {
        Slot(&CObject::Serialize),
        Slot(&CObject::AssertValid),
        Slot(&CObject::Dump),
        Slot(&S::CreateKey),
        Slot(&S::Open),
        Slot(&S::Close),
        Slot(&S::DeleteValue),
        Slot(&S::DeleteKey),
        Slot(Member<S, BOOL, LPCTSTR, CObject*>(&S::Write)),
        Slot(Member<S, BOOL, LPCTSTR, CObject&>(&S::Write)),
        Slot(Member<S, BOOL, LPCTSTR, BYTE*, UINT>(&S::Write)),
        Slot(Member<S, BOOL, LPCTSTR, const CRect&>(&S::Write)),
        Slot(Member<S, BOOL, LPCTSTR, LPCTSTR>(&S::Write)),
        Slot(Member<S, BOOL, LPCTSTR, DWORD>(&S::Write)),
        Slot(Member<S, BOOL, LPCTSTR, int>(&S::Write)),
        Slot(Member<S, BOOL, LPCTSTR, CObject*&>(&S::Read)),
        Slot(Member<S, BOOL, LPCTSTR, CObject&>(&S::Read)),
        Slot(Member<S, BOOL, LPCTSTR, BYTE**, UINT*>(&S::Read)),
        Slot(Member<S, BOOL, LPCTSTR, CRect&>(&S::Read)),
        Slot(Member<S, BOOL, LPCTSTR, CString&>(&S::Read)),
        Slot(Member<S, BOOL, LPCTSTR, DWORD&>(&S::Read)),
        Slot(Member<S, BOOL, LPCTSTR, int&>(&S::Read)),
    };
    EXPECT_EQ(0, Slot(&CObject::GetRuntimeClass));
    // The destructor's entries lie between GetRuntimeClass and Serialize.
    EXPECT_LT(1, slots[0]);
    for (size_t i = 1; i < std::size(slots); ++i)
        EXPECT_EQ(slots[i - 1] + 1, slots[i]) << "operation " << i << " out of order";
    // The settings store adds no virtual of its own.
    EXPECT_EQ(slots[std::size(slots) - 1],
              Slot(Member<VSettingsStore, BOOL, LPCTSTR, int&>(&VSettingsStore::Read)));
}

TEST(SettingsVirtualSlots, RecentFileListSlotsComeInTheFrameworksOrder)
{
    using L = CRecentFileList;
    const std::ptrdiff_t slots[] = {Slot(&L::Remove),     Slot(&L::Add),      Slot(&L::GetDisplayName),
                                    Slot(&L::UpdateMenu), Slot(&L::ReadList), Slot(&L::WriteList)};
    for (std::ptrdiff_t i = 0; i < std::ptrdiff_t(std::size(slots)); ++i)
        EXPECT_EQ(i, slots[i]);
    EXPECT_TRUE(Slot(&VRecentFileList::ReadList) == 4 && Slot(&VRecentFileList::WriteList) == 5);
}
} // namespace
