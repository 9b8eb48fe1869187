#include "AfxTestSupport.h"

#include <afxcoll.h>
#include <afxtempl.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
template <class A> std::vector<int> Contents(const A& array)
{
    std::vector<int> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
    {
        values.push_back(static_cast<int>(array[i]));
    }
    return values;
}

std::vector<std::wstring> Strings(const CArray<CString>& array)
{
    std::vector<std::wstring> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
    {
        values.emplace_back(array[i].GetString());
    }
    return values;
}
} // namespace

TEST(AfxArray, AddGrowsAndKeepsEveryElement)
{
    CArray<int, int> array;
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(-1, array.GetUpperBound());
    for (int i = 0; i < 5000; ++i)
    {
        ASSERT_EQ(i, array.Add(i * 3));
    }
    EXPECT_EQ(5000, array.GetSize());
    EXPECT_EQ(5000, array.GetCount());
    EXPECT_EQ(4999, array.GetUpperBound());
    for (int i = 0; i < 5000; ++i)
    {
        ASSERT_EQ(i * 3, array[i]);
    }
    EXPECT_EQ(array.GetData()[1234], array.GetAt(1234));
}

TEST(AfxArray, SetSizeGrowsWithZeroedElementsAndShrinks)
{
    CArray<int, int> array;
    array.SetSize(10, 32);
    EXPECT_EQ(std::vector<int>(10, 0), Contents(array));
    array[5] = 7;
    array[9] = 9;
    array.SetSize(3);
    EXPECT_EQ(3, array.GetSize());
    // Regrowing inside the memory already held must not bring the old values back.
    array.SetSize(10);
    EXPECT_EQ(0, array[5]);
    EXPECT_EQ(0, array[9]);
    array.SetAtGrow(12, 1);
    EXPECT_EQ(13, array.GetSize());
    EXPECT_EQ(0, array[11]);
    array.FreeExtra();
    EXPECT_EQ(1, array[12]);
    array.RemoveAll();
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(nullptr, array.GetData());
}

TEST(AfxArray, InsertAtShiftsOrGrows)
{
    CDWordArray array;
    for (DWORD v : {1u, 2u, 3u})
    {
        array.Add(v);
    }
    array.InsertAt(1, 9);
    EXPECT_EQ((std::vector<int>{1, 9, 2, 3}), Contents(array));
    array.InsertAt(0, 7, 2);
    EXPECT_EQ((std::vector<int>{7, 7, 1, 9, 2, 3}), Contents(array));
    array.InsertAt(6, 4); // at the end
    EXPECT_EQ((std::vector<int>{7, 7, 1, 9, 2, 3, 4}), Contents(array));
    array.InsertAt(9, 5); // beyond the end: the gap is zero
    EXPECT_EQ((std::vector<int>{7, 7, 1, 9, 2, 3, 4, 0, 0, 5}), Contents(array));

    CDWordArray other;
    other.Add(100);
    other.Add(200);
    array.InsertAt(2, &other);
    EXPECT_EQ((std::vector<int>{7, 7, 100, 200, 1, 9, 2, 3, 4, 0, 0, 5}), Contents(array));
    array.InsertAt(0, &array); // inserting the array into itself doubles it
    EXPECT_EQ(24, array.GetSize());
    EXPECT_EQ(5, static_cast<int>(array[11]));
    EXPECT_EQ(7, static_cast<int>(array[12]));
}

TEST(AfxArray, RemoveAtClosesTheGap)
{
    CUIntArray array;
    for (UINT v = 0; v < 8; ++v)
    {
        array.Add(v);
    }
    array.RemoveAt(2);
    EXPECT_EQ((std::vector<int>{0, 1, 3, 4, 5, 6, 7}), Contents(array));
    array.RemoveAt(3, 3);
    EXPECT_EQ((std::vector<int>{0, 1, 3, 7}), Contents(array));
    array.RemoveAt(3);
    array.RemoveAt(0, 0);
    EXPECT_EQ((std::vector<int>{0, 1, 3}), Contents(array));
}

TEST(AfxArray, OutOfRangeThrowsAndLeavesTheArrayAlone)
{
    CArray<int, int> array;
    array.Add(1);
    array.Add(2);
    const CArray<int, int>& constArray = array;
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.GetAt(2); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.GetAt(-1); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { constArray[2]; }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array[5] = 3; }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.ElementAt(2); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.SetAt(2, 3); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.SetAtGrow(-1, 3); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.RemoveAt(1, 2); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.RemoveAt(-1); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.RemoveAt(0, -1); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.InsertAt(-1, 5); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.InsertAt(0, 5, 0); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.SetSize(-1); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.Append(array); }));
    EXPECT_TRUE(
        ThrowsAfx<CInvalidArgException>([&] { array.InsertAt(0, static_cast<CArray<int, int>*>(nullptr)); }));
    EXPECT_EQ((std::vector<int>{1, 2}), Contents(array));
}

TEST(AfxArray, StringElementsSurviveMovesInsideTheArray)
{
    CArray<CString> array;
    for (int i = 0; i < 100; ++i)
    {
        CString s;
        s.Format(L"item %d", i);
        array.Add(s);
    }
    array.InsertAt(10, L"inserted", 3);
    array.RemoveAt(50, 20);
    EXPECT_EQ(83, array.GetSize());
    EXPECT_EQ(L"item 9", array[9]);
    EXPECT_EQ(L"inserted", array[12]);
    EXPECT_EQ(L"item 10", array[13]);
    EXPECT_EQ(L"item 46", array[49]);
    EXPECT_EQ(L"item 67", array[50]);
    EXPECT_EQ(L"item 99", array[82]);

    // An element of the array itself, added while the array has to move to grow.
    CArray<CString> small;
    small.Add(L"first");
    small.FreeExtra();
    for (int i = 0; i < 20; ++i)
    {
        small.Add(small[0]);
    }
    small.InsertAt(1, small[0], 5);
    for (INT_PTR i = 0; i < small.GetSize(); ++i)
    {
        ASSERT_EQ(L"first", small[i]) << i;
    }
}

TEST(AfxArray, CopyAndAppend)
{
    CStringArray source;
    source.Add(L"a");
    source.Add(CString(L"b"));
    CStringArray target;
    target.Add(L"old");
    target.Copy(source);
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b"}), Strings(target));
    EXPECT_EQ(2, target.Append(source));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"a", L"b"}), Strings(target));
    // The copies share their text with the source until one of them is written.
    EXPECT_EQ(source[0].GetString(), target[2].GetString());
    target[2] += L"!";
    EXPECT_EQ(L"a", source[0]);
    EXPECT_EQ(L"a!", target[2]);
}

TEST(AfxArray, FrameworkArraysHaveRunTimeClasses)
{
    CStringArray strings;
    CPtrArray pointers;
    CByteArray bytes;
    EXPECT_TRUE(strings.IsKindOf(RUNTIME_CLASS(CStringArray)));
    EXPECT_FALSE(strings.IsKindOf(RUNTIME_CLASS(CPtrArray)));
    EXPECT_TRUE(pointers.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_STREQ("CByteArray", bytes.GetRuntimeClass()->m_lpszClassName);
}

TEST(AfxArray, TypedPointerArrays)
{
    int a = 1;
    int b = 2;
    CTypedPtrArray<CPtrArray, int*> array;
    array.Add(&a);
    array.InsertAt(0, &b);
    int* first = array[0];
    EXPECT_EQ(&b, first);
    EXPECT_EQ(&a, array.GetAt(1));
    array.ElementAt(1) = &b;
    EXPECT_EQ(&b, array[1]);
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.GetAt(2); }));

    CStringArray strings;
    CObArray objects;
    CTypedPtrArray<CObArray, CStringArray*> typed;
    typed.Add(&strings);
    objects.Add(&strings);
    EXPECT_EQ(&strings, typed[0]);
    EXPECT_TRUE(objects[0]->IsKindOf(RUNTIME_CLASS(CStringArray)));
}
