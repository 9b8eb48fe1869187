// VMap: bucket placement seen through the chains, the fixed table, removal and copies.
#include <gtest/gtest.h>

#include "core/VMap.h"

#include <climits>
#include <string>
#include <vector>

namespace
{
using Chains = std::vector<std::vector<std::wstring>>;

std::wstring Render(const VUnicodeString& key)
{
    return key.GetString();
}
template <class K> std::wstring Render(const K& key)
{
    return std::to_wstring(key);
}

// The keys of every non-empty chain, in bucket order and along each chain.
template <class K, class V> Chains ChainsOf(const VMap<K, V>& map)
{
    Chains chains;
    for (int i = 0; i < map.GetBucketCount() && !map.IsEmpty(); ++i)
    {
        std::vector<std::wstring> chain;
        for (const typename VMap<K, V>::Entry* entry = map.GetBucket(i); entry; entry = entry->next)
            chain.push_back(Render(entry->key));
        if (!chain.empty())
            chains.push_back(chain);
    }
    return chains;
}

template <class K, class V> using OutOfRange = typename VArray<typename VMap<K, V>::Entry*>::OutOfRange;
using IntOutOfRange = OutOfRange<int, int>;
using TextOutOfRange = OutOfRange<VUnicodeString, VUnicodeString>;
using KeyOutOfRange = OutOfRange<VUnicodeString, int>;

TEST(CoreMap, KeysHashByCodeUnitSumOrIntegerValueAndChainNewestFirst)
{
    VMap<VUnicodeString, int> texts;
    for (const auto& [key, value] : {std::pair{L"ab", 1}, std::pair{L"ba", 2}, std::pair{L"AB", 3}})
        texts.Set(VUnicodeString(key), value);
    const Chains chains = ChainsOf(texts);
    ASSERT_EQ(2u, chains.size());
    EXPECT_EQ((std::vector<std::wstring>{L"ba", L"ab"}), chains[0].size() == 2 ? chains[0] : chains[1]);
    // Case matters: AB is its own key, and no lookup mixes up the three.
    int value = 0;
    for (const auto& [key, expected] : {std::pair{L"ab", 1}, std::pair{L"ba", 2}, std::pair{L"AB", 3}})
        EXPECT_TRUE(texts.Lookup(VUnicodeString(key), value) && value == expected) << key;
    EXPECT_FALSE(texts.IsPresent(VUnicodeString(L"Ab")));
    const VUnicodeString probe(L"ba");
    EXPECT_TRUE(&texts.GetKey(probe) != &probe && texts.GetKey(probe) == L"ba");
    EXPECT_THROW(texts.GetKey(VUnicodeString(L"Ab")), KeyOutOfRange);

    // Integer keys: the bucket is the value mod the bucket count, computed unsigned.
    VMap<int, int> numbers(7);
    for (int key : {1, 8, 15, -1, INT_MIN})
        numbers.Set(key, key);
    EXPECT_EQ((Chains{{L"15", L"8", L"1"}, {L"-2147483648"}, {L"-1"}}), ChainsOf(numbers));
}

TEST(CoreMap, TableIsMadeAtTheFirstInsertionAndNeverGrows)
{
    VMap<int, int> map(7);
    EXPECT_THROW(map.GetBucket(0), IntOutOfRange);
    for (int key = 0; key < 700; ++key)
        map.Set(key, key * 2);
    EXPECT_EQ(700, map.GetCount());
    EXPECT_THROW(map.GetBucket(7), IntOutOfRange);
    for (const auto& chain : ChainsOf(map))
        EXPECT_EQ(100u, chain.size());
    int value = -1;
    for (int key = 0; key < 700; ++key)
        ASSERT_TRUE(map.Lookup(key, value) && value == key * 2) << key;
}

TEST(CoreMap, RemovalUnlinksAnywhereAndRemoveAllMakesTheTableAgainLater)
{
    VMap<int, int> map(5);
    EXPECT_FALSE(map.RemoveKey(3)); // before the table exists
    for (int key : {2, 7, 12, 17})
        map.Set(key, key);
    EXPECT_FALSE(map.RemoveKey(22));
    EXPECT_TRUE(map.RemoveKey(12)); // middle
    EXPECT_EQ((Chains{{L"17", L"7", L"2"}}), ChainsOf(map));
    EXPECT_TRUE(map.RemoveKey(17) && map.RemoveKey(2)); // head, tail
    EXPECT_FALSE(map.RemoveKey(2));
    EXPECT_EQ((Chains{{L"7"}}), ChainsOf(map));
    EXPECT_EQ(1, map.GetCount());

    VMap<VUnicodeString, VUnicodeString> texts(3);
    texts.Set(VUnicodeString(L"k"), VUnicodeString(L"v"));
    texts.RemoveAll();
    EXPECT_TRUE(texts.IsEmpty());
    EXPECT_THROW(texts.GetBucket(0), TextOutOfRange);
    EXPECT_FALSE(texts.RemoveKey(VUnicodeString(L"k")));
    // Indexing adds a missing key once, with a default value.
    texts[VUnicodeString(L"again")] += L"yes";
    texts[VUnicodeString(L"again")] += L"!";
    EXPECT_THROW(texts.GetBucket(3), TextOutOfRange);
    EXPECT_EQ(1, texts.GetCount());
    EXPECT_STREQ(L"yes!", texts[VUnicodeString(L"again")].GetString());
}

TEST(CoreMap, CopiesTakeEveryEntryChainByChainAndForEachWalksTheSameWay)
{
    VMap<int, int> source(5);
    for (int key : {1, 6, 11, 3})
        source.Set(key, key * 10);
    // Copying re-inserts each chain front to back, so a copied chain comes out reversed.
    VMap<int, int> copy(source);
    EXPECT_EQ((Chains{{L"11", L"6", L"1"}, {L"3"}}), ChainsOf(source));
    EXPECT_EQ((Chains{{L"1", L"6", L"11"}, {L"3"}}), ChainsOf(copy));
    copy.Set(1, -1);
    int value = 0;
    EXPECT_TRUE(copy.Lookup(1, value) && value == -1 && copy.GetCount() == 4);
    EXPECT_TRUE(source.Lookup(1, value) && value == 10);

    // Assignment keeps the target's own table size and drops what the target held.
    VMap<int, int> assigned(2);
    assigned.Set(99, 0);
    assigned = source;
    assigned = assigned;
    EXPECT_EQ((Chains{{L"6"}, {L"3", L"1", L"11"}}), ChainsOf(assigned));

    std::vector<int> order;
    int sum = 0;
    source.ForEach([&order](const int& key, int& stored) { order.push_back(key), stored = 1; });
    static_cast<const VMap<int, int>&>(source).ForEach([&sum](const int&, const int& stored)
                                                       { sum += stored; });
    EXPECT_EQ((std::vector<int>{11, 6, 1, 3}), order);
    EXPECT_EQ(4, sum);
}
} // namespace
