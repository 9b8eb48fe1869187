// Buffer sharing, copy-on-write and sensitivity of both string classes, through the DLL's interface.
#include "StringTest.h"

#include <functional>
#include <thread>
#include <utility>
#include <vector>

template <class S> class CoreStringSharing : public StringTest<S>
{
};
TYPED_TEST_SUITE(CoreStringSharing, BothStrings);

TYPED_TEST(CoreStringSharing, CopiesShareOneBufferUntilOneWrites)
{
    using F = TestFixture;
    using S = TypeParam;
    struct Writer
    {
        const char* name;
        std::function<void(S&)> write;
        const char* expected; // the written copy's text, starting from "hello"
    };
    const Writer writers[] = {{"Append", [](S& s) { s.Append(F::Of(" world").c_str()); }, "hello world"},
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
    for (const Writer& writer : writers)
    {
        SCOPED_TRACE(writer.name);
        const S original = F::Make("hello");
        S copy(original);
        EXPECT_EQ(copy.GetString(), original.GetString());
        writer.write(copy);
        EXPECT_EQ(writer.expected, Ascii(copy));
        EXPECT_EQ("hello", Ascii(original));
        EXPECT_FALSE(original.IsSensitive());
    }
}

TYPED_TEST(CoreStringSharing, AssignmentSharesMoveTransfersAndTheSoleOwnerWritesInPlace)
{
    using F = TestFixture;
    TypeParam a = F::Make("alpha");
    TypeParam b;
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
    // Beyond the capacity the text moves to a larger buffer and survives the move.
    s.Append(F::Of("0123456789ABCDEFGHIJ").c_str());
    EXPECT_NE(reserved, s.GetString());
    EXPECT_EQ("Acdefg0123456789ABCDEFGHIJ", Ascii(s));
}

TYPED_TEST(CoreStringSharing, EmptyStringsShareOneBufferPerSensitivity)
{
    using F = TestFixture;
    using S = TypeParam;
    const S plain;
    const S secret(Str::Sensitive);
    EXPECT_NE(plain.GetString(), secret.GetString());
    EXPECT_TRUE(secret.IsSensitive());
    EXPECT_FALSE(plain.IsSensitive());

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

    // Writing into a string that holds a shared empty buffer never touches the shared one.
    S grown;
    grown += 'x';
    EXPECT_EQ("", Ascii(plain));
    EXPECT_EQ("x", Ascii(grown));
}

TYPED_TEST(CoreStringSharing, SensitiveStringStaysSensitiveWhateverItIsGiven)
{
    using F = TestFixture;
    using S = TypeParam;
    const S ordinary = F::Make("plain");
    S secret = F::Make("secret", Str::Sensitive);
    secret = ordinary;
    EXPECT_TRUE(secret.IsSensitive());
    EXPECT_FALSE(ordinary.IsSensitive());
    EXPECT_NE(ordinary.GetString(), secret.GetString());
    EXPECT_EQ("plain", Ascii(secret));

    const std::pair<const char*, std::function<void(S&)>> steps[] = {
        {"text", [](S& s) { s = F::Of("other").c_str(); }},
        {"moved", [](S& s) { s = F::Make("moved"); }},
        {"empty", [](S& s) { s.Empty(); }},
        {"append", [&ordinary](S& s) { s.Append(ordinary); }},
        {"format", [](S& s) { s.Format(F::Of("%1!d!").c_str(), 7); }}};
    for (const auto& [name, step] : steps)
    {
        SCOPED_TRACE(name);
        step(secret);
        EXPECT_TRUE(secret.IsSensitive());
    }
    // A moved-from sensitive string stays sensitive for whatever it holds next.
    S target(std::move(secret));
    EXPECT_TRUE(target.IsSensitive());
    secret = F::Of("again").c_str();
    EXPECT_TRUE(secret.IsSensitive());
}

TYPED_TEST(CoreStringSharing, SensitivitySpreadsToTargetsAndDerivedStrings)
{
    using F = TestFixture;
    using S = TypeParam;
    const S secret = F::Make("pw", Str::Sensitive);
    S assigned = F::Make("x");
    assigned = secret;
    EXPECT_EQ(secret.GetString(), assigned.GetString());
    S appended = F::Make("user:");
    appended.Append(secret);
    EXPECT_EQ("user:pw", Ascii(appended));
    S emptyTarget;
    emptyTarget += S(Str::Sensitive);

    const S derived[] = {assigned,
                         appended,
                         emptyTarget,
                         F::Of("a").c_str() + secret,
                         secret + F::Of("a").c_str(),
                         F::Make("a") + secret,
                         secret + 'a',
                         secret.Left(1),
                         secret.Right(1),
                         secret.Mid(1),
                         S(typename S::Twin(secret))};
    for (const S& s : derived)
        EXPECT_TRUE(s.IsSensitive()) << Ascii(s);

    // Marking one copy leaves the other copies as they were.
    const S plain = F::Make("plain");
    S marked(plain);
    marked.MakeSensitive();
    EXPECT_TRUE(marked.IsSensitive());
    EXPECT_FALSE(plain.IsSensitive());
    EXPECT_EQ("plain", Ascii(marked));
}

TYPED_TEST(CoreStringSharing, CopiesOnSeveralThreadsKeepCountsAndTextsApart)
{
    using F = TestFixture;
    using S = TypeParam;
    const S original = F::Make("base");
    S shared = F::Make("shared text");
    const auto* sharedBuffer = shared.GetBuffer(0);
    shared.ReleaseBuffer();
    std::vector<S> results(2);
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t)
    {
        threads.emplace_back(
            [&, t]
            {
                S copy(original);
                const char mark = t == 0 ? 'a' : 'b';
                for (int i = 0; i < 2000; ++i)
                {
                    S snapshot(copy); // shares, forcing the next write to copy again
                    copy += mark;
                    copy.SetAt(0, mark);
                    S other;
                    other = S(shared);
                }
                results[t] = copy;
            });
    }
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ("base", Ascii(original));
    EXPECT_EQ("a" + std::string("ase") + std::string(2000, 'a'), Ascii(results[0]));
    EXPECT_EQ("b" + std::string("ase") + std::string(2000, 'b'), Ascii(results[1]));
    // Back to the only holder: a write happens in place, so no copy kept a stray reference.
    EXPECT_EQ(sharedBuffer, shared.GetBuffer(0));
    shared.ReleaseBuffer();
}
