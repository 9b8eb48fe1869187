// Collections: nothing in the library uses them, so each template has one smoke test of the operations that
// move elements around.
#include "AfxTestSupport.h"

#include <afxcoll.h>
#include <afxtempl.h>

#include <gtest/gtest.h>

TEST(AfxArray, ArrayGrowsInsertsRemovesAndChecksItsRange)
{
    CArray<CString> array;
    for (int i = 0; i < 40; ++i)
    {
        array.Add(CString(static_cast<wchar_t>(L'a' + i % 26), i + 1));
    }
    array.InsertAt(1, L"new", 2);
    array.RemoveAt(0);
    ASSERT_EQ(41, array.GetSize());
    EXPECT_EQ(CString(L"new"), array[0]);
    EXPECT_EQ(CString(L"new"), array[1]);
    EXPECT_EQ(CString(L"bb"), array[2]); // strings survive moves inside the array
    EXPECT_EQ(CString(L'n', 40), array[40]);
    array.SetSize(3);
    EXPECT_EQ(3, array.GetSize());
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.GetAt(3); }));
    EXPECT_EQ(3, array.GetSize());
}

TEST(AfxArray, FrameworkArraysAreSerialisableObjects)
{
    CStringArray strings;
    strings.Add(L"x");
    CStringArray copy;
    copy.Append(strings);
    copy.Append(strings);
    EXPECT_EQ(2, copy.GetSize());
    EXPECT_TRUE(copy.IsKindOf(RUNTIME_CLASS(CObject)));
    CDWordArray words;
    words.SetSize(2);
    EXPECT_EQ(0u, words[1]); // grown elements are zeroed
}

TEST(AfxArray, TypedPointerArrayGivesBackItsType)
{
    CTypedPtrArray<CObArray, CStringArray*> arrays;
    CStringArray one;
    arrays.Add(&one);
    EXPECT_EQ(&one, arrays[0]);
}
