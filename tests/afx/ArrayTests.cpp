// Collections: nothing in the library uses them, so one smoke test covers the operations that move
// elements around.
#include "AfxTestSupport.h"

#include <afxcoll.h>
#include <afxtempl.h>

#include <gtest/gtest.h>

TEST(AfxArray, ArraysSmoke)
{
    CArray<CString> array;
    for (int i = 0; i < 40; ++i)
    {
        array.Add(CString(static_cast<wchar_t>(L'a' + i % 26), i + 1));
    }
    array.InsertAt(1, L"new", 2);
    array.RemoveAt(0);
    ASSERT_EQ(41, array.GetSize());
    EXPECT_EQ(CString(L"new"), array[1]);
    EXPECT_EQ(CString(L"bb"), array[2]); // strings survive moves inside the array
    EXPECT_EQ(CString(L'n', 40), array[40]);
    array.SetSize(3);
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { array.GetAt(3); }));
    EXPECT_EQ(3, array.GetSize());

    CStringArray strings;
    strings.Add(L"x");
    CStringArray copy;
    copy.Append(strings);
    copy.Append(strings);
    EXPECT_EQ(2, copy.GetSize());
    CDWordArray words;
    words.SetSize(2);
    EXPECT_EQ(0u, words[1]); // grown elements are zeroed
    CTypedPtrArray<CObArray, CStringArray*> arrays;
    arrays.Add(&strings);
    EXPECT_EQ(&strings, arrays[0]);
}
