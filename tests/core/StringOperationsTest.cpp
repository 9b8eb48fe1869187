// Everyday operations of both string classes and their index errors.
#include "IndexExceptionRecorder.h"
#include "StringTest.h"

#include <functional>
#include <utility>

template <class S> using CoreStringOps = StringTest<S>;
TYPED_TEST_SUITE(CoreStringOps, BothStrings);

TYPED_TEST(CoreStringOps, BuildsTextFromPartsIncludingItsOwnAndDeletesAnywhere)
{
    using F = TestFixture;
    using S = TypeParam;
    S s;
    s.Append(F::Of("ab").c_str()).Append(F::Make("cd")).Append('e');
    s += F::Of("fg").c_str();
    s.Append(F::Of("hijk").c_str(), 2);
    s.Append(static_cast<const typename F::Char*>(nullptr));
    EXPECT_EQ("abcdefghi", Ascii(s));

    S self = F::Make("abc");
    self.Append(self);
    EXPECT_EQ("abcabc", Ascii(self));
    S inside = F::Make("abc");
    inside.GetBuffer(32);
    inside.ReleaseBuffer();
    inside.Append(inside.GetString() + 1); // written in place: the source lies in the same buffer
    EXPECT_EQ("abcbc", Ascii(inside));
    S assigned = F::Make("abcdef");
    assigned = assigned.GetString() + 2; // the text lies in the buffer being assigned
    EXPECT_EQ("cdef", Ascii(assigned));

    S deleted = F::Make("Hello, World 9");
    deleted.Delete(5);
    deleted.Delete(0);
    deleted.Delete(deleted.GetLength() - 1);
    EXPECT_EQ("ello World ", Ascii(deleted));
}

TYPED_TEST(CoreStringOps, SearchesFromAStartAndBackwards)
{
    using F = TestFixture;
    const TypeParam s = F::Make("ello Worl");
    const std::pair<int, int> cases[] = {{1, s.Find(F::Of("llo").c_str())},
                                         {-1, s.Find(F::Of("llo").c_str(), 2)},
                                         {-1, s.Find(F::Of("World").c_str())},
                                         {3, s.Find(F::Of("").c_str(), 3)},
                                         {-1, s.Find(static_cast<const typename F::Char*>(nullptr))},
                                         {6, s.Find('o', 4)},
                                         {-1, s.Find('z')},
                                         {-1, s.Find('\0')},
                                         {8, s.ReverseFind('l')},
                                         {-1, s.ReverseFind('z')}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

TYPED_TEST(CoreStringOps, SubstringsAreClippedToTheString)
{
    using F = TestFixture;
    const TypeParam s = F::Make("abcdef");
    const std::pair<const char*, TypeParam> cases[] = {
        {"ab", s.Left(2)},       {"abcdef", s.Left(99)}, {"", s.Left(-1)},    {"ef", s.Right(2)},
        {"abcdef", s.Right(99)}, {"", s.Right(0)},       {"cd", s.Mid(2, 2)}, {"cdef", s.Mid(2)},
        {"ab", s.Mid(-3, 2)},    {"", s.Mid(10)},        {"ef", s.Mid(4, 50)}};
    for (const auto& [expected, part] : cases)
        EXPECT_EQ(expected, Ascii(part));
    EXPECT_EQ(s.GetString(), s.Mid(0).GetString()); // the whole string is shared, not copied
}

TYPED_TEST(CoreStringOps, ComparesCaseSensitivelyWithPrefixesFirst)
{
    using F = TestFixture;
    const TypeParam ab = F::Make("ab");
    const auto ab_ = F::Of("ab");
    EXPECT_TRUE(ab == ab_.c_str() && ab_.c_str() == ab && ab == F::Make("ab"));
    EXPECT_TRUE(ab != F::Of("AB").c_str() && ab != F::Of("abc").c_str() && F::Of("a").c_str() != ab);
    EXPECT_TRUE(ab < F::Make("abc") && F::Make("aa") < ab && TypeParam() < ab && ab <= ab);
    EXPECT_TRUE(F::Make("abc") > ab && F::Make("b") > ab && ab >= ab);
    // An embedded NUL ends neither text early: the lengths count.
    const TypeParam withNul(F::Of("ab\0c", 4).c_str(), 4);
    EXPECT_EQ(4, withNul.GetLength());
    EXPECT_TRUE(withNul != ab);
    const std::pair<int, int> cases[] = {
        {0, TypeParam().Compare(static_cast<const typename F::Char*>(nullptr))},
        {-1, ab.Compare(F::Of("abc").c_str())},
        {1, ab.Compare(F::Of("a").c_str())},
        {-1, ab.Compare(F::Make("b"))},
        {0, ab.CompareNoCase(F::Of("AB").c_str())},
        {-1, ab.CompareNoCase(F::Of("ABC").c_str())},
        {1, F::Make("abd").CompareNoCase(F::Make("ABC"))}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

TYPED_TEST(CoreStringOps, IndexErrorsRaiseTheStringExceptionAndChangeNothing)
{
    using F = TestFixture;
    using S = TypeParam;
    S s = F::Make("abc");
    const std::pair<const char*, std::function<void()>> misuses[] = {
        {"Delete(3)", [&s] { s.Delete(3); }},
        {"Delete(-1)", [&s] { s.Delete(-1); }},
        {"GetAt(4)", [&s] { EXPECT_EQ(0, s.GetAt(4)); }},
        {"[-1]", [&s] { EXPECT_EQ(0, s[-1]); }},
        {"Find(text, 4)", [&s] { EXPECT_EQ(-1, s.Find(F::Of("a").c_str(), 4)); }},
        {"Find(ch, -1)", [&s] { EXPECT_EQ(-1, s.Find('a', -1)); }},
        {"SetAt(3)", [&s] { s.SetAt(3, 'x'); }},
        {"GetBuffer(-1)", [&s] { s.GetBuffer(-1), s.ReleaseBuffer(); }},
        // More than the buffer holds: the length found in the buffer is kept.
        {"ReleaseBuffer(100)", [&s] { s.GetBuffer(4), s.ReleaseBuffer(100); }}};
    for (const auto& [name, misuse] : misuses)
    {
        SCOPED_TRACE(name);
        IndexExceptionRecorder recorder;
        misuse();
        EXPECT_EQ(1, recorder.Count());
        EXPECT_EQ(0, recorder.Irregular());
        EXPECT_EQ("abc", Ascii(s));
    }

    // The end of the string is a valid position.
    IndexExceptionRecorder recorder;
    EXPECT_EQ(s.GetString() + 3, &s[3]);
    EXPECT_EQ(-1, s.Find(F::Of("a").c_str(), 3) + s.Find('c', 3) + 1);
    EXPECT_EQ(0, recorder.Count());
}
