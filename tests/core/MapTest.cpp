// VMap: bucket placement seen through the chains, the fixed table, removal and copies.
#include <gtest/gtest.h>

#include "core/VMap.h"
#include "dialogs/VPropertyPageStateMap.h"

#include <climits>
#include <string>
#include <vector>

namespace
{

// The keys of every chain, in bucket order and along each chain.
template <class K, class V, class Render>
std::vector<std::vector<std::wstring>> Chains(const VMap<K, V>& map, Render render)
{
    std::vector<std::vector<std::wstring>> chains;
    for (int i = 0; i < map.GetBucketCount(); ++i)
    {
        std::vector<std::wstring> chain;
        for (const typename VMap<K, V>::Entry* entry = map.GetBucket(i); entry; entry = entry->next)
            chain.push_back(render(entry->key));
        if (!chain.empty())
            chains.push_back(chain);
    }
    return chains;
}

using IntBucketsOutOfRange = VArray<VMap<int, int>::Entry*>::OutOfRange;
using TextBucketsOutOfRange = VArray<VMap<VUnicodeString, VUnicodeString>::Entry*>::OutOfRange;
using KeyOutOfRange = VArray<VMap<VUnicodeString, int>::Entry*>::OutOfRange;

std::wstring Text(const VUnicodeString& key)
{
    return key.GetString();
}

std::wstring Number(int key)
{
    return std::to_wstring(key);
}

} // namespace

TEST(CoreMap, KeysWithTheSameCodeUnitsShareAChainNewestFirst)
{
    VMap<VUnicodeString, int> map;
    map.Set(VUnicodeString(L"ab"), 1);
    map.Set(VUnicodeString(L"ba"), 2);
    map.Set(VUnicodeString(L"AB"), 3);

    const auto chains = Chains(map, Text);
    ASSERT_EQ(2u, chains.size());
    const auto& shared = chains[0].size() == 2 ? chains[0] : chains[1];
    EXPECT_EQ((std::vector<std::wstring>{L"ba", L"ab"}), shared);

    // Case matters: AB is its own key, and no lookup mixes up the three.
    int value = 0;
    EXPECT_TRUE(map.Lookup(VUnicodeString(L"ab"), value));
    EXPECT_EQ(1, value);
    EXPECT_TRUE(map.Lookup(VUnicodeString(L"ba"), value));
    EXPECT_EQ(2, value);
    EXPECT_TRUE(map.Lookup(VUnicodeString(L"AB"), value));
    EXPECT_EQ(3, value);
    EXPECT_FALSE(map.IsPresent(VUnicodeString(L"Ab")));
    EXPECT_EQ(3, map.GetCount());
}

TEST(CoreMap, TableIsMadeAtTheFirstInsertionAndNeverGrows)
{
    VMap<int, int> map(7);
    EXPECT_EQ(7, map.GetBucketCount());
    EXPECT_THROW(map.GetBucket(0), IntBucketsOutOfRange);

    for (int key = 0; key < 700; ++key)
        map.Set(key, key * 2);
    EXPECT_EQ(700, map.GetCount());
    EXPECT_EQ(7, map.GetBucketCount());
    EXPECT_THROW(map.GetBucket(7), IntBucketsOutOfRange);

    std::size_t total = 0;
    for (const auto& chain : Chains(map, Number))
    {
        EXPECT_EQ(100u, chain.size());
        total += chain.size();
    }
    EXPECT_EQ(700u, total);
    for (int key = 0; key < 700; ++key)
    {
        int value = -1;
        ASSERT_TRUE(map.Lookup(key, value)) << key;
        EXPECT_EQ(key * 2, value);
    }
}

TEST(CoreMap, IntegerKeysShareAChainByValueIncludingNegativeOnes)
{
    VMap<int, int> map(7);
    map.Set(1, 10);
    map.Set(8, 80);
    map.Set(15, 150);
    map.Set(-1, -10);
    map.Set(INT_MIN, 0);

    bool foundChain = false;
    for (const auto& chain : Chains(map, Number))
    {
        if (chain.size() == 3 && chain[2] == L"1")
        {
            EXPECT_EQ((std::vector<std::wstring>{L"15", L"8", L"1"}), chain);
            foundChain = true;
        }
    }
    EXPECT_TRUE(foundChain);

    int value = 0;
    EXPECT_TRUE(map.Lookup(-1, value));
    EXPECT_EQ(-10, value);
    EXPECT_TRUE(map.IsPresent(INT_MIN));
    EXPECT_TRUE(map.RemoveKey(-1));
    EXPECT_FALSE(map.IsPresent(-1));

    VMap<unsigned int, int> byUnsigned;
    byUnsigned.Set(0xFFFFFFFFu, 1);
    EXPECT_TRUE(byUnsigned.IsPresent(0xFFFFFFFFu));
}

TEST(CoreMap, RemoveKeyUnlinksFromAnyPlaceInTheChain)
{
    VMap<int, int> never;
    EXPECT_FALSE(never.RemoveKey(3));
    EXPECT_TRUE(never.IsEmpty());

    VMap<int, int> map(5);
    for (int key : {2, 7, 12, 17})
        map.Set(key, key);
    EXPECT_FALSE(map.RemoveKey(22));
    EXPECT_TRUE(map.RemoveKey(12)); // middle
    EXPECT_EQ((std::vector<std::vector<std::wstring>>{{L"17", L"7", L"2"}}), Chains(map, Number));
    EXPECT_TRUE(map.RemoveKey(17)); // head
    EXPECT_TRUE(map.RemoveKey(2));  // tail
    EXPECT_EQ((std::vector<std::vector<std::wstring>>{{L"7"}}), Chains(map, Number));
    EXPECT_FALSE(map.RemoveKey(2));
    EXPECT_EQ(1, map.GetCount());
}

TEST(CoreMap, RemoveAllDropsTheTableAndTheNextInsertionMakesItAgain)
{
    VMap<VUnicodeString, VUnicodeString> map(3);
    map.Set(VUnicodeString(L"k"), VUnicodeString(L"v"));
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(3, map.GetBucketCount());
    EXPECT_THROW(map.GetBucket(0), TextBucketsOutOfRange);
    EXPECT_FALSE(map.RemoveKey(VUnicodeString(L"k")));
    EXPECT_FALSE(map.IsPresent(VUnicodeString(L"k")));

    map[VUnicodeString(L"again")] = L"yes";
    EXPECT_EQ(1, map.GetCount());
    EXPECT_NO_THROW(map.GetBucket(2));
    EXPECT_THROW(map.GetBucket(3), TextBucketsOutOfRange);
    VUnicodeString value;
    EXPECT_TRUE(map.Lookup(VUnicodeString(L"again"), value));
    EXPECT_STREQ(L"yes", value.GetString());
}

TEST(CoreMap, IndexingAddsOnceAndGetKeyGivesTheStoredKey)
{
    VMap<VUnicodeString, int> map;
    int& slot = map[VUnicodeString(L"n")];
    EXPECT_EQ(0, slot);
    slot = 4;
    map[VUnicodeString(L"n")] += 1;
    EXPECT_EQ(1, map.GetCount());
    int value = 0;
    EXPECT_TRUE(map.Lookup(VUnicodeString(L"n"), value));
    EXPECT_EQ(5, value);

    const VUnicodeString probe(L"n");
    const VUnicodeString& stored = map.GetKey(probe);
    EXPECT_NE(&probe, &stored);
    EXPECT_TRUE(stored == L"n");
    EXPECT_THROW(map.GetKey(VUnicodeString(L"absent")), KeyOutOfRange);

    map.Set(VUnicodeString(L"n"), 9);
    EXPECT_EQ(1, map.GetCount());
    EXPECT_TRUE(map.Lookup(probe, value));
    EXPECT_EQ(9, value);
}

TEST(CoreMap, CopiesTakeEveryEntryChainByChain)
{
    VMap<int, int> source(5);
    for (int key : {1, 6, 11, 3})
        source.Set(key, key * 10);

    // Copying re-inserts each chain front to back, so a copied chain comes out reversed.
    VMap<int, int> copy(source);
    EXPECT_EQ(5, copy.GetBucketCount());
    EXPECT_EQ(4, copy.GetCount());
    EXPECT_EQ((std::vector<std::vector<std::wstring>>{{L"11", L"6", L"1"}, {L"3"}}), Chains(source, Number));
    EXPECT_EQ((std::vector<std::vector<std::wstring>>{{L"1", L"6", L"11"}, {L"3"}}), Chains(copy, Number));

    // Assignment keeps the target's own table size and drops what the target held.
    VMap<int, int> assigned(2);
    assigned.Set(99, 0);
    assigned = source;
    EXPECT_EQ(2, assigned.GetBucketCount());
    EXPECT_EQ(4, assigned.GetCount());
    EXPECT_FALSE(assigned.IsPresent(99));
    int value = 0;
    EXPECT_TRUE(assigned.Lookup(11, value));
    EXPECT_EQ(110, value);

    assigned = assigned;
    EXPECT_EQ(4, assigned.GetCount());

    copy.Set(1, -1);
    EXPECT_TRUE(source.Lookup(1, value));
    EXPECT_EQ(10, value);
}

TEST(CoreMap, ForEachVisitsInBucketAndChainOrder)
{
    VMap<int, int> map(4);
    for (int key : {0, 4, 1, 8})
        map.Set(key, 1);
    std::vector<int> order;
    map.ForEach(
        [&order](const int& key, int& value)
        {
            order.push_back(key);
            value = 2;
        });
    EXPECT_EQ((std::vector<int>{8, 4, 0, 1}), order);
    const VMap<int, int>& constant = map;
    int sum = 0;
    constant.ForEach([&sum](const int&, const int& value) { sum += value; });
    EXPECT_EQ(8, sum);
}

TEST(CoreMap, PageStateInstantiationWorksThroughTheLibrary)
{
    // The pointers stand for page states the map never dereferences.
    auto* first = reinterpret_cast<VPropertyPageState*>(0x1000);
    auto* second = reinterpret_cast<VPropertyPageState*>(0x2000);
    VMap<VUnicodeString, VPropertyPageState*> states;
    EXPECT_EQ(25, states.GetBucketCount());
    states.Set(VUnicodeString(L"General"), first);
    states[VUnicodeString(L"General~Advanced")] = second;

    VMap<VUnicodeString, VPropertyPageState*> copy(states);
    VPropertyPageState* found = nullptr;
    EXPECT_TRUE(copy.Lookup(VUnicodeString(L"General~Advanced"), found));
    EXPECT_EQ(second, found);
    EXPECT_EQ(nullptr, copy[VUnicodeString(L"Missing")]);
    EXPECT_EQ(3, copy.GetCount());
    EXPECT_TRUE(states.RemoveKey(VUnicodeString(L"General")));
    EXPECT_EQ(1, states.GetCount());
    EXPECT_TRUE(copy.IsPresent(VUnicodeString(L"General")));
}
