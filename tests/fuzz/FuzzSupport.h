// What every fuzz harness shares: the round count, a fixed, platform-independent generator, so that a
// failing round reproduces from its number, the round loop and the mutations.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzz
{
// Rounds come from PARDALIN_FUZZ_ROUNDS; the fallback keeps the test suite quick.
inline unsigned long Rounds(unsigned long fallback)
{
    char value[32] = {};
    if (GetEnvironmentVariableA("PARDALIN_FUZZ_ROUNDS", value, sizeof(value)) > 0)
    {
        const unsigned long rounds = std::strtoul(value, nullptr, 10);
        if (rounds > 0)
            return rounds;
    }
    return fallback;
}

class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<std::uint32_t>(m_state >> 11);
    }
    // 0 to limit - 1.
    std::uint32_t Below(std::uint32_t limit) { return limit == 0 ? 0 : Next() % limit; }
    bool Chance(std::uint32_t percent) { return Below(100) < percent; }
    // One character of a string literal, its terminator excluded.
    template <size_t N> wchar_t Pick(const wchar_t (&alphabet)[N]) { return alphabet[Below(N - 1)]; }

private:
    std::uint64_t m_state;
};

// Runs body(random) for each round, naming the round in every failure, and stops after the first that fails.
template <class Body> void ForEachRound(std::uint64_t seed, unsigned long fallbackRounds, Body body)
{
    Random random(seed);
    const unsigned long rounds = Rounds(fallbackRounds);
    for (unsigned long round = 0; round < rounds && !::testing::Test::HasFailure(); ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        body(random);
    }
}

// Up to `longest` random bytes: one of `frequent` at `frequentPercent`, any byte at `anyPercent`, otherwise a
// lower-case letter.
template <size_t N>
std::string WeightedBytes(Random& random, std::uint32_t longest, const char (&frequent)[N],
                          std::uint32_t frequentPercent, std::uint32_t anyPercent)
{
    std::string bytes;
    for (std::uint32_t length = random.Below(longest); length > 0; --length)
    {
        const std::uint32_t pick = random.Below(100);
        bytes += pick < frequentPercent                ? frequent[random.Below(N)]
                 : pick < frequentPercent + anyPercent ? static_cast<char>(random.Below(256))
                                                       : static_cast<char>('a' + random.Below(26));
    }
    return bytes;
}

// Changes up to maxChanges bytes: bit flips, insertions and replacements by bytes that matter to the reader
// under test, and removals of up to maxRemoved bytes.
template <size_t N>
std::string Mutate(Random& random, std::string bytes, const char (&interesting)[N], std::uint32_t maxChanges,
                   std::uint32_t maxRemoved)
{
    for (std::uint32_t changes = 1 + random.Below(maxChanges); changes > 0; --changes)
    {
        const size_t at = random.Below(static_cast<std::uint32_t>(bytes.size() + 1));
        const char replacement = interesting[random.Below(N)];
        const std::uint32_t kind = random.Below(4);
        if (kind == 1)
            bytes.insert(at, 1, replacement);
        else if (at == bytes.size())
            continue;
        else if (kind == 0)
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << random.Below(8)));
        else if (kind == 2)
            bytes.erase(at, 1 + random.Below(maxRemoved));
        else
            bytes[at] = replacement;
    }
    return bytes;
}
} // namespace fuzz
