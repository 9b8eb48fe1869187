// VArray: growth rule, range checks, element lifetime.
#include <gtest/gtest.h>

#include "core/VArray.h"
#include "core/VStringArray.h"

#include <functional>
#include <utility>
#include <vector>

TEST(CoreArray, GrowsToTwiceTheLargerOfCapacityAndNeed)
{
    const auto capacities = [](VArray<int>& array, int adds)
    {
        std::vector<int> seen{array.GetCapacity()};
        for (int i = 0; i < adds; ++i)
        {
            array.Add(1);
            if (array.GetCapacity() != seen.back())
                seen.push_back(array.GetCapacity());
        }
        return seen;
    };
    VArray<int> fromEmpty;
    EXPECT_EQ(nullptr, fromEmpty.GetData());
    EXPECT_EQ((std::vector<int>{0, 2, 6, 14, 30}), capacities(fromEmpty, 20));
    VArray<int> fromThree(3);
    EXPECT_EQ(0, fromThree.GetCount());
    EXPECT_EQ((std::vector<int>{3, 8, 18}), capacities(fromThree, 10));

    // Inserting grows to the need or to twice the capacity, whichever is more.
    VArray<int> a;
    const std::pair<std::function<void()>, int> inserts[] = {{[&a] { a.InsertAt(0, 7, 5); }, 5},
                                                             {[&a] { a.InsertAt(2, 9); }, 10},
                                                             {[&a] { a.InsertAt(6, 4, 20); }, 26},
                                                             {[&a] { a.InsertAt(0, 1, 0); }, 26}};
    for (const auto& [insert, capacity] : inserts)
    {
        insert();
        EXPECT_EQ(capacity, a.GetCapacity());
    }
    ASSERT_EQ(26, a.GetCount());
    EXPECT_EQ((std::vector<int>{7, 7, 9, 7, 7, 7, 4}), std::vector<int>(a.GetData(), a.GetData() + 7));
    EXPECT_EQ(4, a[25]);

    a.RemoveAll();
    EXPECT_EQ(0, a.GetCapacity());
    EXPECT_EQ(nullptr, a.GetData());
    a.Add(5);
    EXPECT_EQ(2, a.GetCapacity());
}

TEST(CoreArray, OutOfRangeAccessThrowsAndChangesNothing)
{
    VArray<int> a;
    EXPECT_THROW(a[0], VArray<int>::OutOfRange);
    a.Add(1);
    a.Add(2);
    const VArray<int>& constant = a;
    EXPECT_THROW(constant[2], VArray<int>::OutOfRange);
    EXPECT_THROW(a[-1], VArray<int>::OutOfRange);
    EXPECT_THROW(a.GetAt(2), VArray<int>::OutOfRange);
    EXPECT_THROW(a.InsertAt(3, 0), VArray<int>::OutOfRange);
    EXPECT_THROW(a.InsertAt(-1, 0), VArray<int>::OutOfRange);
    EXPECT_THROW(a.InsertAt(0, 0, -1), VArray<int>::OutOfRange);
    EXPECT_THROW(a.RemoveAt(1, 2), VArray<int>::OutOfRange);
    EXPECT_EQ((std::vector<int>{1, 2}), std::vector<int>(a.GetData(), a.GetData() + a.GetCount()));
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
    const wchar_t* expected[] = {L"zero", L"one", L"one", L"one", L"one", L"zero", L"one"};
    ASSERT_EQ(7, a.GetCount());
    for (int i = 0; i < a.GetCount(); ++i)
        EXPECT_STREQ(expected[i], a[i].GetString()) << i;
    a.RemoveAt(1, 4);
    ASSERT_EQ(3, a.GetCount());
    EXPECT_STREQ(L"zero", a[1].GetString());
    EXPECT_STREQ(L"one", a[2].GetString());
    EXPECT_TRUE(a.GetData()[3].IsEmpty()); // vacated slots no longer hold their strings

    VStringArray b(a);
    b[0] = L"changed";
    b.Add(VUnicodeString(L"y"));
    EXPECT_STREQ(L"zero", a[0].GetString());
    EXPECT_EQ(3, a.GetCount());
    VStringArray c;
    c = b;
    c = c;
    ASSERT_EQ(4, c.GetCount());
    EXPECT_STREQ(L"changed", c[0].GetString());
    EXPECT_STREQ(L"y", c[3].GetString());
}
