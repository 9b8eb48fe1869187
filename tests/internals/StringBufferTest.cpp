// White-box checks of the string buffers: the header layout and the wipe of sensitive buffers.
#include <gtest/gtest.h>

#include "core/VString.h"
#include "core/VUnicodeString.h"
#include "core/BasicString.h"
#include "core/detail/SehGuard.h"

#include <cstdint>
#include <algorithm>
#include <stdexcept>
#include <vector>

using pardalin::detail::StringHeader;

namespace
{

struct Wipe
{
    std::uintptr_t block;
    std::size_t size;
    bool allZero;
};

// Records the wipes made while it lives (the strings under test live on the test's own thread).
class WipeWatch
{
public:
    WipeWatch() : m_previous(pardalin::detail::SetWipeObserver(&Record)) { Wipes().clear(); }
    WipeWatch(const WipeWatch&) = delete;
    WipeWatch& operator=(const WipeWatch&) = delete;
    ~WipeWatch() { pardalin::detail::SetWipeObserver(m_previous); }

    static std::vector<Wipe>& Wipes()
    {
        static std::vector<Wipe> wipes;
        return wipes;
    }

private:
    static void Record(const void* block, std::size_t size)
    {
        const auto* bytes = static_cast<const unsigned char*>(block);
        Wipes().push_back({reinterpret_cast<std::uintptr_t>(block), size,
                           std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; })});
    }

    pardalin::detail::WipeObserver m_previous;
};

std::uintptr_t BlockOf(const void* chars)
{
    return reinterpret_cast<std::uintptr_t>(chars) - sizeof(StringHeader);
}

const StringHeader& HeaderOf(const VUnicodeString& s)
{
    return *pardalin::detail::HeaderOf(s.GetString());
}

} // namespace

TEST(InternalStringBuffer, HeaderCountsTheHoldersOfABufferTheSharedEmptyOneIncluded)
{
    const VUnicodeString wide(L"hello");
    const StringHeader& header = HeaderOf(wide);
    EXPECT_TRUE(header.length == 10 && header.data == wide.GetString() && header.sensitivity == 0);
    {
        const VUnicodeString copy(wide);
        EXPECT_EQ(2, header.references);
    }
    EXPECT_EQ(1, header.references);
    const VString narrow("hello", Str::Sensitive);
    EXPECT_EQ(1, pardalin::detail::HeaderOf(narrow.GetString())->sensitivity);
    const VUnicodeString empty;
    const LONG before = HeaderOf(empty).references;
    {
        const VUnicodeString another;
        EXPECT_EQ(before + 1, HeaderOf(empty).references);
    }
    EXPECT_EQ(before, HeaderOf(empty).references);
}

TEST(InternalStringBuffer, OnlyASensitiveBufferIsWipedAndOnlyWhenItsLastHolderGoes)
{
    WipeWatch watch;
    std::uintptr_t block = 0;
    {
        auto* first = new VUnicodeString(L"secret", Str::Sensitive);
        block = BlockOf(first->GetString());
        const VUnicodeString second(*first);
        VUnicodeString third;
        third = second;
        delete first;
        EXPECT_TRUE(watch.Wipes().empty());
    }
    const std::vector<Wipe> wipes = watch.Wipes();
    ASSERT_EQ(1u, wipes.size());
    EXPECT_EQ(block, wipes[0].block);
    EXPECT_EQ(sizeof(StringHeader) + 14, wipes[0].size);
    EXPECT_TRUE(wipes[0].allZero);

    // Ordinary buffers and the shared empty ones are never wiped: only the sensitive buffer that held "x".
    {
        VUnicodeString plain(L"plain");
        plain.Append(L" and more text");
        VString narrow("narrow");
        VUnicodeString emptySecret(Str::Sensitive);
        VUnicodeString emptied(L"x", Str::Sensitive);
        emptied.Empty();
    }
    EXPECT_EQ(2u, watch.Wipes().size());
}

TEST(InternalStringBuffer, EveryBufferASensitiveStringLeavesBehindIsWiped)
{
    WipeWatch watch;
    VUnicodeString secret(L"abc", Str::Sensitive);
    const std::uintptr_t first = BlockOf(secret.GetString());
    secret.Append(L"defghijklmnop"); // outgrows its buffer
    ASSERT_EQ(1u, watch.Wipes().size());
    EXPECT_EQ(first, watch.Wipes()[0].block);
    EXPECT_TRUE(watch.Wipes()[0].allZero);

    const std::uintptr_t second = BlockOf(secret.GetString());
    secret = VUnicodeString(L"replacement that is longer than before");
    ASSERT_EQ(2u, watch.Wipes().size());
    EXPECT_EQ(second, watch.Wipes()[1].block);

    // An ordinary string that takes in a sensitive one keeps its new buffer wiped too.
    VUnicodeString target(L"user");
    target.Append(secret);
    const std::size_t before = watch.Wipes().size();
    const std::uintptr_t targetBlock = BlockOf(target.GetString());
    target = L"";
    ASSERT_EQ(before + 1, watch.Wipes().size());
    EXPECT_EQ(targetBlock, watch.Wipes().back().block);
}

TEST(InternalSehGuard, ReportsStructuredExceptionsResumesAfterTheCallAndLetsCxxExceptionsThrough)
{
    using pardalin::detail::CallWithSehGuard;
    const auto fault = [](void*)
    {
        // Taken from a volatile so that the compiler cannot see the address it writes to.
        volatile std::uintptr_t nowhere = 8;
        *reinterpret_cast<volatile int*>(nowhere) = 1;
    };
    int state = 0;
    EXPECT_EQ(0u, CallWithSehGuard([](void* context) { *static_cast<int*>(context) = 3; }, &state));
    EXPECT_EQ(3, state);
    EXPECT_EQ(0xC0000005u, CallWithSehGuard(fault, nullptr));
    const auto raise = [](void* context)
    {
        *static_cast<int*>(context) = 1;
        RaiseException(0xE0001234, 0, 0, nullptr);
        *static_cast<int*>(context) = 2;
    };
    EXPECT_EQ(0xE0001234u, CallWithSehGuard(raise, &state));
    EXPECT_EQ(1, state);
    // Repeated faults unwind cleanly each time.
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(0xC0000005u, CallWithSehGuard(fault, nullptr));
    EXPECT_THROW(CallWithSehGuard([](void*) { throw std::runtime_error("passes through"); }, nullptr),
                 std::runtime_error);
}
