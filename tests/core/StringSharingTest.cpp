// Buffer sharing, copy-on-write and sensitivity of the two string types, through the DLL's interface.
#include <gtest/gtest.h>

#include "core/VString.h"
#include "core/VUnicodeString.h"

#include <functional>
#include <thread>
#include <utility>
#include <vector>

namespace
{

struct Writer
{
    const char* name;
    std::function<void(VUnicodeString&)> write;
    const wchar_t* expected; // the written copy's text, starting from "hello"
};

const Writer kWriters[] = {
    {"Append", [](VUnicodeString& s) { s.Append(L" world"); }, L"hello world"},
    {"AppendChar", [](VUnicodeString& s) { s += L'!'; }, L"hello!"},
    {"SetAt", [](VUnicodeString& s) { s.SetAt(0, L'j'); }, L"jello"},
    {"Delete", [](VUnicodeString& s) { s.Delete(1); }, L"hllo"},
    {"MakeUpper", [](VUnicodeString& s) { s.MakeUpper(); }, L"HELLO"},
    {"AssignText", [](VUnicodeString& s) { s = L"bye"; }, L"bye"},
    {"Format", [](VUnicodeString& s) { s.Format(L"%1!d!", 42); }, L"42"},
    {"Empty", [](VUnicodeString& s) { s.Empty(); }, L""},
    {"MakeSensitive", [](VUnicodeString& s) { s.MakeSensitive(); }, L"hello"},
    {"Buffer",
     [](VUnicodeString& s)
     {
         s.GetBuffer(5)[4] = L'p';
         s.ReleaseBuffer();
     },
     L"hellp"},
};

} // namespace

TEST(CoreString, CopiesShareOneBufferUntilOneWrites)
{
    for (const Writer& writer : kWriters)
    {
        SCOPED_TRACE(writer.name);
        const VUnicodeString original(L"hello");
        VUnicodeString copy(original);
        EXPECT_EQ(copy.GetString(), original.GetString());

        writer.write(copy);
        EXPECT_STREQ(writer.expected, copy.GetString());
        EXPECT_STREQ(L"hello", original.GetString());
        EXPECT_EQ(5, original.GetLength());
        EXPECT_FALSE(original.IsSensitive());
    }
}

TEST(CoreString, AssignmentSharesAndMoveTransfersTheBuffer)
{
    VUnicodeString a(L"alpha");
    VUnicodeString b;
    b = a;
    EXPECT_EQ(a.GetString(), b.GetString());

    const wchar_t* buffer = a.GetString();
    VUnicodeString moved(std::move(a));
    EXPECT_EQ(buffer, moved.GetString());
    EXPECT_TRUE(a.IsEmpty());

    VUnicodeString target(L"old");
    target = std::move(moved);
    EXPECT_EQ(buffer, target.GetString());
    EXPECT_STREQ(L"alpha", b.GetString());
}

TEST(CoreString, SoleOwnerWritesInPlaceWithinCapacity)
{
    VUnicodeString s(L"abc");
    wchar_t* buffer = s.GetBuffer(16);
    s.ReleaseBuffer(3);
    s.Append(L"defg");
    s.SetAt(0, L'A');
    s.Delete(1);
    EXPECT_EQ(buffer, s.GetString());
    EXPECT_STREQ(L"Acdefg", s.GetString());

    // Beyond the capacity the text moves to a larger buffer and survives the move.
    s.Append(L"0123456789ABCDEFGHIJ");
    EXPECT_NE(buffer, s.GetString());
    EXPECT_STREQ(L"Acdefg0123456789ABCDEFGHIJ", s.GetString());
}

TEST(CoreString, EmptyStringsShareTwoProcessWideBuffers)
{
    const VUnicodeString a;
    const VUnicodeString b(L"");
    const VUnicodeString c(static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(a.GetString(), b.GetString());
    EXPECT_EQ(a.GetString(), c.GetString());

    const VUnicodeString s1(Str::Sensitive);
    const VUnicodeString s2(L"", Str::Sensitive);
    EXPECT_EQ(s1.GetString(), s2.GetString());
    EXPECT_NE(a.GetString(), s1.GetString());
    EXPECT_TRUE(s1.IsSensitive());
    EXPECT_FALSE(a.IsSensitive());

    // Strings that become empty return to the shared buffer of their kind.
    VUnicodeString text(L"text");
    text.Empty();
    EXPECT_EQ(a.GetString(), text.GetString());
    VUnicodeString secret(L"secret", Str::Sensitive);
    secret = L"";
    EXPECT_EQ(s1.GetString(), secret.GetString());
    EXPECT_EQ(a.GetString(), VUnicodeString(L"xyz").Mid(3).GetString());

    // Writing into a string that holds a shared empty buffer never touches the shared one.
    VUnicodeString grown;
    grown += L'x';
    EXPECT_STREQ(L"", a.GetString());
    EXPECT_STREQ(L"x", grown.GetString());

    const VString n1;
    const VString n2("");
    const VString ns(Str::Sensitive);
    EXPECT_EQ(n1.GetString(), n2.GetString());
    EXPECT_NE(n1.GetString(), ns.GetString());
}

TEST(CoreString, SensitiveStringStaysSensitiveWhateverItIsGiven)
{
    const VUnicodeString ordinary(L"plain");
    VUnicodeString secret(L"secret", Str::Sensitive);

    secret = ordinary;
    EXPECT_TRUE(secret.IsSensitive());
    EXPECT_FALSE(ordinary.IsSensitive());
    EXPECT_NE(ordinary.GetString(), secret.GetString());
    EXPECT_STREQ(L"plain", secret.GetString());

    secret = L"other";
    EXPECT_TRUE(secret.IsSensitive());
    secret = VUnicodeString(L"moved");
    EXPECT_TRUE(secret.IsSensitive());
    EXPECT_STREQ(L"moved", secret.GetString());
    secret.Empty();
    EXPECT_TRUE(secret.IsSensitive());
    secret.Append(ordinary);
    EXPECT_TRUE(secret.IsSensitive());
    EXPECT_FALSE(ordinary.IsSensitive());
    secret.Format(L"%1!d!", 7);
    EXPECT_TRUE(secret.IsSensitive());

    // A moved-from sensitive string stays sensitive for whatever it holds next.
    VUnicodeString target(std::move(secret));
    EXPECT_TRUE(target.IsSensitive());
    secret = L"again";
    EXPECT_TRUE(secret.IsSensitive());
}

TEST(CoreString, SensitivitySpreadsToTargetsAndDerivedStrings)
{
    const VUnicodeString secret(L"pw", Str::Sensitive);

    VUnicodeString assigned(L"x");
    assigned = secret;
    EXPECT_TRUE(assigned.IsSensitive());
    EXPECT_EQ(secret.GetString(), assigned.GetString());

    VUnicodeString appended(L"user:");
    appended.Append(secret);
    EXPECT_TRUE(appended.IsSensitive());
    EXPECT_STREQ(L"user:pw", appended.GetString());

    VUnicodeString emptyTarget;
    emptyTarget += VUnicodeString(Str::Sensitive);
    EXPECT_TRUE(emptyTarget.IsSensitive());

    EXPECT_TRUE((L"a" + secret).IsSensitive());
    EXPECT_TRUE((secret + L"a").IsSensitive());
    EXPECT_TRUE((VUnicodeString(L"a") + secret).IsSensitive());
    EXPECT_TRUE(secret.Left(1).IsSensitive());
    EXPECT_TRUE(secret.Right(1).IsSensitive());
    EXPECT_TRUE(secret.Mid(1).IsSensitive());
    EXPECT_TRUE(VString(secret).IsSensitive());
    EXPECT_TRUE(VUnicodeString(VString("n", Str::Sensitive)).IsSensitive());

    // Marking one copy leaves the other copies as they were.
    const VUnicodeString plain(L"plain");
    VUnicodeString marked(plain);
    marked.MakeSensitive();
    EXPECT_TRUE(marked.IsSensitive());
    EXPECT_FALSE(plain.IsSensitive());
    EXPECT_STREQ(L"plain", marked.GetString());
}

TEST(CoreString, NarrowStringFollowsTheSameRules)
{
    const VString original("narrow");
    VString copy(original);
    EXPECT_EQ(original.GetString(), copy.GetString());
    copy.SetAt(0, 'N');
    EXPECT_STREQ("narrow", original.GetString());
    EXPECT_STREQ("Narrow", copy.GetString());

    VString secret("s", Str::Sensitive);
    secret = original;
    EXPECT_TRUE(secret.IsSensitive());
    EXPECT_FALSE(original.IsSensitive());

    VString target("t");
    target.Append(VString("x", Str::Sensitive));
    EXPECT_TRUE(target.IsSensitive());
    EXPECT_STREQ("tx", target.GetString());
}

TEST(CoreString, CopiesOnTwoThreadsWriteIndependently)
{
    const VUnicodeString original(L"base");
    std::vector<VUnicodeString> results(2);
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t)
    {
        threads.emplace_back(
            [&original, &results, t]
            {
                VUnicodeString copy(original);
                const wchar_t mark = t == 0 ? L'a' : L'b';
                for (int i = 0; i < 2000; ++i)
                {
                    VUnicodeString snapshot(copy); // shares, forcing the next write to copy again
                    copy += mark;
                    copy.SetAt(0, mark);
                }
                results[t] = copy;
            });
    }
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_STREQ(L"base", original.GetString());
    for (int t = 0; t < 2; ++t)
    {
        const wchar_t mark = t == 0 ? L'a' : L'b';
        ASSERT_EQ(2004, results[t].GetLength());
        EXPECT_EQ(mark, results[t][0]);
        EXPECT_STREQ(L"ase", results[t].Mid(1, 3).GetString());
        EXPECT_EQ(-1, results[t].Mid(4).Find(mark == L'a' ? L'b' : L'a'));
    }
}

TEST(CoreString, ReferenceCountSurvivesConcurrentCopies)
{
    VUnicodeString shared(L"shared text");
    wchar_t* buffer = shared.GetBuffer(0);
    shared.ReleaseBuffer();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back(
            [&shared]
            {
                for (int i = 0; i < 20000; ++i)
                {
                    VUnicodeString a(shared);
                    VUnicodeString b;
                    b = a;
                }
            });
    }
    for (std::thread& thread : threads)
        thread.join();

    // Back to the only holder: a write happens in place, so no copy kept a stray reference.
    EXPECT_EQ(buffer, shared.GetBuffer(0));
    shared.ReleaseBuffer();
    EXPECT_STREQ(L"shared text", shared.GetString());
}
