// VArray: growth rule, range checks, element lifetime.
#include <gtest/gtest.h>

#include "core/VArray.h"
#include "core/VStringArray.h"

#include <vector>

namespace
{
std::vector<int> Capacities(VArray<int>& array, int adds)
{
    std::vector<int> seen{array.GetCapacity()};
    for (int i = 0; i < adds; ++i)
        if (array.Add(1), array.GetCapacity() != seen.back())
            seen.push_back(array.GetCapacity());
    return seen;
}

TEST(CoreArray, GrowsToTwiceTheLargerOfCapacityAndNeed)
{
    VArray<int> fromEmpty, fromThree(3);
    EXPECT_EQ(nullptr, fromEmpty.GetData());
    EXPECT_EQ((std::vector<int>{0, 2, 6, 14, 30}), Capacities(fromEmpty, 20));
    EXPECT_EQ((std::vector<int>{3, 8, 18}), Capacities(fromThree, 10));

    // Inserting grows to the need or to twice the capacity, whichever is more.
    VArray<int> a;
    a.InsertAt(0, 7, 5);
    EXPECT_EQ(5, a.GetCapacity());
    a.InsertAt(2, 9);
    EXPECT_EQ(10, a.GetCapacity());
    a.InsertAt(6, 4, 20);
    a.InsertAt(0, 1, 0);
    EXPECT_EQ(26, a.GetCapacity());
    ASSERT_EQ(26, a.GetCount());
    EXPECT_EQ((std::vector<int>{7, 7, 9, 7, 7, 7, 4}), std::vector<int>(a.GetData(), a.GetData() + 7));
    EXPECT_EQ(4, a[25]);
    a.RemoveAll();
    EXPECT_TRUE(a.GetCapacity() == 0 && a.GetData() == nullptr);
}

TEST(CoreArray, OutOfRangeAccessThrowsAndChangesNothing)
{
    VArray<int> a;
    EXPECT_THROW(a[0], VArray<int>::OutOfRange);
    a.Add(1);
    a.Add(2);
    EXPECT_THROW(static_cast<const VArray<int>&>(a)[2], VArray<int>::OutOfRange);
    EXPECT_THROW(a[-1], VArray<int>::OutOfRange);
    EXPECT_THROW(a.GetAt(2), VArray<int>::OutOfRange);
    EXPECT_THROW(a.InsertAt(3, 0), VArray<int>::OutOfRange);
    EXPECT_THROW(a.InsertAt(-1, 0), VArray<int>::OutOfRange);
    EXPECT_THROW(a.InsertAt(0, 0, -1), VArray<int>::OutOfRange);
    EXPECT_THROW(a.RemoveAt(1, 2), VArray<int>::OutOfRange);
    EXPECT_EQ((std::vector<int>{1, 2}), std::vector<int>(a.GetData(), a.GetData() + a.GetCount()));
}

std::wstring Joined(const VStringArray& a)
{
    std::wstring text;
    for (int i = 0; i < a.GetCount(); ++i)
        text += (i ? L"," : L"") + std::wstring(a[i].GetString());
    return text;
}

TEST(CoreArray, StringElementsSurviveGrowthRemovalAndCopies)
{
    VStringArray a;
    a.Add(VUnicodeString(L"zero"));
    a.Add(VUnicodeString(L"one"));
    // The element added is the array's own, and adding it makes the storage move.
    a.Add(a[0]);
    a.Add(a[1]);
    a.InsertAt(1, a[3], 3);
    EXPECT_EQ(L"zero,one,one,one,one,zero,one", Joined(a));
    a.RemoveAt(1, 4);
    EXPECT_EQ(L"zero,zero,one", Joined(a));
    EXPECT_TRUE(a.GetData()[3].IsEmpty()); // vacated slots no longer hold their strings

    VStringArray b(a), c;
    b[0] = L"changed";
    b.Add(VUnicodeString(L"y"));
    c = b;
    c = c;
    EXPECT_EQ(L"zero,zero,one", Joined(a));
    EXPECT_EQ(L"changed,zero,one,y", Joined(c));
}
} // namespace
