// VArray: growth rule, range checks, element lifetime.
#include <gtest/gtest.h>

#include "core/VArray.h"
#include "core/VStringArray.h"

#include <vector>

namespace
{

template <class T> std::vector<int> CapacitiesWhileAdding(VArray<T>& array, int count, const T& value)
{
    std::vector<int> seen{array.GetCapacity()};
    for (int i = 0; i < count; ++i)
    {
        array.Add(value);
        if (array.GetCapacity() != seen.back())
            seen.push_back(array.GetCapacity());
    }
    return seen;
}

} // namespace

TEST(CoreArray, AddingDoublesTheLargerOfCapacityAndNeed)
{
    VArray<int> fromEmpty;
    EXPECT_EQ(nullptr, fromEmpty.GetData());
    EXPECT_EQ((std::vector<int>{0, 2, 6, 14, 30}), CapacitiesWhileAdding(fromEmpty, 20, 1));

    VArray<int> fromThree(3);
    EXPECT_EQ(0, fromThree.GetCount());
    EXPECT_NE(nullptr, fromThree.GetData());
    EXPECT_EQ((std::vector<int>{3, 8, 18}), CapacitiesWhileAdding(fromThree, 10, 1));
}

TEST(CoreArray, InsertingGrowsToTheNeedOrTwiceTheCapacity)
{
    VArray<int> a;
    a.InsertAt(0, 7, 5);
    EXPECT_EQ(5, a.GetCapacity());
    a.InsertAt(2, 9);
    EXPECT_EQ(10, a.GetCapacity());
    a.InsertAt(6, 4, 20);
    EXPECT_EQ(26, a.GetCapacity());
    a.InsertAt(0, 1, 0);

    ASSERT_EQ(26, a.GetCount());
    EXPECT_EQ(7, a[0]);
    EXPECT_EQ(7, a[1]);
    EXPECT_EQ(9, a[2]);
    EXPECT_EQ(7, a[5]);
    EXPECT_EQ(4, a[6]);
    EXPECT_EQ(4, a[25]);
}

TEST(CoreArray, OutOfRangeAccessThrows)
{
    VArray<int> a;
    EXPECT_THROW(a[0], VArray<int>::OutOfRange);
    a.Add(1);
    a.Add(2);
    const VArray<int>& constant = a;
    EXPECT_EQ(2, constant[1]);
    EXPECT_THROW(constant[2], VArray<int>::OutOfRange);
    EXPECT_THROW(a[-1], VArray<int>::OutOfRange);
    EXPECT_THROW(a.GetAt(2), VArray<int>::OutOfRange);
    EXPECT_THROW(a.InsertAt(3, 0), VArray<int>::OutOfRange);
    EXPECT_THROW(a.InsertAt(-1, 0), VArray<int>::OutOfRange);
    EXPECT_THROW(a.InsertAt(0, 0, -1), VArray<int>::OutOfRange);
    EXPECT_THROW(a.RemoveAt(1, 2), VArray<int>::OutOfRange);
    EXPECT_EQ(2, a.GetCount());
    EXPECT_EQ(1, a[0]);
    EXPECT_EQ(2, a[1]);
}

TEST(CoreArray, RemoveAllReleasesTheStorage)
{
    VArray<int> a(3);
    a.Add(1);
    a.RemoveAll();
    EXPECT_EQ(0, a.GetCount());
    EXPECT_EQ(0, a.GetCapacity());
    EXPECT_EQ(nullptr, a.GetData());
    EXPECT_TRUE(a.IsEmpty());
    a.Add(5);
    EXPECT_EQ(2, a.GetCapacity());
    EXPECT_EQ(5, a[0]);
}

TEST(CoreArray, StringElementsSurviveGrowthAndRemoval)
{
    VStringArray a;
    a.Add(VUnicodeString(L"zero"));
    a.Add(VUnicodeString(L"one"));
    // The element added is the array's own, and adding it makes the storage move.
    a.Add(a[0]);
    a.Add(a[1]);
    a.InsertAt(1, a[3], 3);
    ASSERT_EQ(7, a.GetCount());
    const wchar_t* expected[] = {L"zero", L"one", L"one", L"one", L"one", L"zero", L"one"};
    for (int i = 0; i < a.GetCount(); ++i)
        EXPECT_STREQ(expected[i], a[i].GetString()) << i;

    a.RemoveAt(1, 4);
    ASSERT_EQ(3, a.GetCount());
    EXPECT_STREQ(L"zero", a[0].GetString());
    EXPECT_STREQ(L"zero", a[1].GetString());
    EXPECT_STREQ(L"one", a[2].GetString());
    // Vacated slots no longer hold their strings.
    EXPECT_TRUE(a.GetData()[3].IsEmpty());
}

TEST(CoreArray, CopiesAreIndependent)
{
    VStringArray a(3);
    a.Add(VUnicodeString(L"x"));
    VStringArray b(a);
    EXPECT_EQ(3, b.GetCapacity());
    b[0] = L"changed";
    b.Add(VUnicodeString(L"y"));
    EXPECT_STREQ(L"x", a[0].GetString());
    EXPECT_EQ(1, a.GetCount());

    VStringArray c;
    c = b;
    c = c;
    ASSERT_EQ(2, c.GetCount());
    EXPECT_STREQ(L"changed", c[0].GetString());
    EXPECT_STREQ(L"y", c[1].GetString());
}
