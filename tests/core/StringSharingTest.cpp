// Buffer sharing, copy-on-write and sensitivity of both string classes, through the DLL's interface. The
// buffers' counts and wiping are tested from inside, in tests/internals.
#include "StringTest.h"

#include <functional>
#include <tuple>
#include <utility>

template <class S> using CoreStringSharing = StringTest<S>;

// Each of the strings, numbered from 0 in a failure, is sensitive.
template <class... S> void ExpectAllSensitive(const S&... strings)
{
    const bool sensitive[] = {strings.IsSensitive()...};
    for (std::size_t i = 0; i < sizeof...(strings); ++i)
        EXPECT_TRUE(sensitive[i]) << "string " << i;
}
TYPED_TEST_SUITE(CoreStringSharing, BothStrings);

TYPED_TEST(CoreStringSharing, CopiesShareOneBufferUntilOneWrites)
{
    using F = TestFixture;
    using S = TypeParam;
    // Each writer starts from a copy of "hello"; the text is what the copy holds afterwards.
    const std::tuple<const char*, std::function<void(S&)>, const char*> writers[] = {
        {"Append", [](S& s) { s.Append(F::Of(" world").c_str()); }, "hello world"},
        {"AppendChar", [](S& s) { s += '!'; }, "hello!"},
        {"SetAt", [](S& s) { s.SetAt(0, 'j'); }, "jello"},
        {"Delete", [](S& s) { s.Delete(1); }, "hllo"},
        {"MakeUpper", [](S& s) { s.MakeUpper(); }, "HELLO"},
        {"AssignText", [](S& s) { s = F::Of("bye").c_str(); }, "bye"},
        {"Format", [](S& s) { s.Format(F::Of("%1!d!").c_str(), 42); }, "42"},
        {"Empty", [](S& s) { s.Empty(); }, ""},
        {"MakeSensitive", [](S& s) { s.MakeSensitive(); }, "hello"},
        {"Buffer", [](S& s) { s.GetBuffer(5)[4] = 'p', s.ReleaseBuffer(); }, "hellp"},
        {"ReleaseBufferOnly", [](S& s) { s.ReleaseBuffer(2); }, "he"}};
    for (const auto& [name, write, expected] : writers)
    {
        SCOPED_TRACE(name);
        const S original = F::Make("hello");
        S copy(original);
        EXPECT_EQ(copy.GetString(), original.GetString());
        write(copy);
        EXPECT_EQ(expected, Ascii(copy));
        EXPECT_EQ("hello", Ascii(original));
        EXPECT_FALSE(original.IsSensitive());
    }
}

TYPED_TEST(CoreStringSharing, AssignmentSharesMoveTransfersAndTheSoleOwnerWritesInPlace)
{
    using F = TestFixture;
    TypeParam a = F::Make("alpha"), b;
    b = a;
    EXPECT_EQ(a.GetString(), b.GetString());
    const auto* buffer = a.GetString();
    TypeParam moved(std::move(a));
    EXPECT_EQ(buffer, moved.GetString());
    EXPECT_TRUE(a.IsEmpty());
    TypeParam target = F::Make("old");
    target = std::move(moved);
    EXPECT_EQ(buffer, target.GetString());
    EXPECT_EQ("alpha", Ascii(b));

    TypeParam s = F::Make("abc");
    auto* reserved = s.GetBuffer(16);
    s.ReleaseBuffer(3);
    s.Append(F::Of("defg").c_str());
    s.SetAt(0, 'A');
    s.Delete(1);
    EXPECT_EQ(reserved, s.GetString());
    EXPECT_EQ("Acdefg", Ascii(s));
}

TYPED_TEST(CoreStringSharing, EmptyStringsShareOneBufferPerSensitivity)
{
    using F = TestFixture;
    using S = TypeParam;
    const S plain, secret(Str::Sensitive);
    EXPECT_NE(plain.GetString(), secret.GetString());

    S text = F::Make("text");
    text.Empty();
    S password = F::Make("pw", Str::Sensitive);
    password = F::Of("").c_str();
    const std::pair<S, const S*> cases[] = {{F::Make(""), &plain},
                                            {S(static_cast<const typename F::Char*>(nullptr)), &plain},
                                            {F::Make("xyz").Mid(3), &plain},
                                            {text, &plain},
                                            {F::Make("", Str::Sensitive), &secret},
                                            {password, &secret}};
    for (const auto& [empty, shared] : cases)
        EXPECT_EQ(shared->GetString(), empty.GetString());
}

TYPED_TEST(CoreStringSharing, SensitivityStaysWithTheStringAndSpreadsToWhatIsMadeFromIt)
{
    using F = TestFixture;
    using S = TypeParam;
    const S ordinary = F::Make("plain");
    S target = F::Make("secret", Str::Sensitive);
    target = ordinary; // a sensitive target takes a copy, never the ordinary buffer
    EXPECT_NE(ordinary.GetString(), target.GetString());
    EXPECT_EQ("plain", Ascii(target));
    EXPECT_FALSE(ordinary.IsSensitive());
    const std::pair<const char*, std::function<void(S&)>> steps[] = {
        {"text", [](S& s) { s = F::Of("other").c_str(); }},
        {"moved", [](S& s) { s = F::Make("moved"); }},
        {"empty", [](S& s) { s.Empty(); }},
        {"append", [&ordinary](S& s) { s.Append(ordinary); }},
        {"format", [](S& s) { s.Format(F::Of("%1!d!").c_str(), 7); }}};
    for (const auto& [name, step] : steps)
    {
        SCOPED_TRACE(name);
        step(target);
        EXPECT_TRUE(target.IsSensitive());
    }
    // A moved-from sensitive string stays sensitive for whatever it holds next.
    const S moved(std::move(target));
    EXPECT_TRUE(moved.IsSensitive() && (target = F::Of("again").c_str()).IsSensitive());

    const S secret = F::Make("pw", Str::Sensitive);
    S assigned = F::Make("x");
    assigned = secret;
    EXPECT_EQ(secret.GetString(), assigned.GetString());
    S appended = F::Make("user:");
    appended.Append(secret);
    S emptyTarget;
    emptyTarget += S(Str::Sensitive);
    const auto a = F::Of("a");
    ExpectAllSensitive(assigned, appended, emptyTarget, a.c_str() + secret, secret + a.c_str(),
                       F::Make("a") + secret, secret + 'a', secret.Left(1), secret.Right(1), secret.Mid(1),
                       S(typename S::Twin(secret)));
}
