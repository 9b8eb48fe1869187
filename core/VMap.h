/// \file
/// VMap, the library's hash map, and VMapKeyTraits, how its keys hash.

/// \class VMap
/// The library's chained hash map from keys of type K (an integer, an enumeration or VUnicodeString) to
/// values of type V (default-constructible and copy-assignable). The bucket table is made at the first
/// insertion with the bucket count given at construction and never grows: there is no rehashing.
///
/// \code{.cpp}
/// VMap<VUnicodeString, int> widths(50);     // 50 buckets
/// widths.Set(L"Name", 120);
/// widths[L"Size"] += 10;                   // added as 0 first, then 10
/// int width = 0;
/// if (widths.Lookup(L"Name", width)) ...   // 120
/// widths.ForEach([](const VUnicodeString& key, int& value) { ... });
/// \endcode
///
/// Keys compare with operator== (case-sensitively for strings). Each entry is a separate allocation; when
/// memory runs out an insertion throws std::bad_alloc. A map is not safe for use by two threads at once.
///
/// \tparam K The key type; VMapKeyTraits<K> hashes it.
/// \tparam V The value type.
#pragma once

#include <type_traits>

#include "core/PardalinApi.h"
#include "core/VArray.h"
#include "core/VUnicodeString.h"

/// How a VMap key hashes: integer and enumeration keys by their value, VUnicodeString keys (the
/// specialisation) by the sum of their UTF-16 code units, so the hash does not depend on the order of the
/// characters. Other key types do not compile.
///
/// \code{.cpp}
/// unsigned int bucket = VMapKeyTraits<VUnicodeString>::Hash(L"ab") % bucketCount; // 0x61 + 0x62
/// \endcode
///
/// \tparam K The key type.
template <class K> struct VMapKeyTraits
{
    static_assert(std::is_integral<K>::value || std::is_enum<K>::value,
                  "VMap keys are integers or VUnicodeString");
    /// The key's value, converted to unsigned int.
    static unsigned int Hash(const K& key) { return static_cast<unsigned int>(key); }
};

/// How a VUnicodeString key hashes: by the sum of its UTF-16 code units.
template <> struct VMapKeyTraits<VUnicodeString>
{
    /// The sum of the key's UTF-16 code units, wrapping around on overflow.
    static unsigned int Hash(const VUnicodeString& key)
    {
        unsigned int sum = 0;
        const wchar_t* text = key.GetString();
        for (int i = 0, length = key.GetLength(); i < length; ++i)
            sum += static_cast<unsigned int>(text[i]);
        return sum;
    }
};

template <class K, class V> class VMap
{
public:
    /// One key and its value, a link in its bucket's chain. A new entry goes to the front of its chain.
    struct Entry
    {
        K key;       ///< The key, as it was first inserted.
        V value;     ///< The value stored for the key.
        Entry* next; ///< The next entry of the same bucket; null at the chain's end.
    };

    // Construction

    /// An empty map that will hash into `bucketCount` buckets (1 when the count is 0 or negative). No table
    /// is made until the first insertion.
    explicit VMap(int bucketCount = 25);
    /// Takes the other map's bucket count, then its entries bucket by bucket and along each chain, each as
    /// Set would.
    VMap(const VMap& other);
    /// Replaces the entries by the other map's, taken as the copy constructor takes them; keeps this map's
    /// bucket count.
    VMap& operator=(const VMap& other);
    /// Frees every entry and the bucket table.
    ~VMap();

    // Operations

    /// Stores `value` for `key`, adding the key when it is absent.
    void Set(const K& key, const V& value);
    /// The value stored for `key`; an absent key is added first with a value-initialised value. The
    /// reference stays valid until the key is removed.
    V& operator[](const K& key);
    /// Copies the value stored for `key` into `value` and returns true; false (and `value` unchanged) when
    /// the key is absent.
    bool Lookup(const K& key, V& value) const;
    /// Whether `key` is in the map.
    bool IsPresent(const K& key) const;
    /// Whether the map has no entries.
    bool IsEmpty() const;
    /// The number of entries.
    int GetCount() const;
    /// The key as stored in the map, the one equal to `key`. An absent key throws VArray<Entry*>::OutOfRange.
    const K& GetKey(const K& key) const;
    /// Removes the entry of `key`; false when the key is absent.
    bool RemoveKey(const K& key);
    /// Frees every entry and the bucket table; the next insertion makes the table again.
    void RemoveAll();

    // Walking the table

    /// The bucket count given at construction (1 for a count below 1), whether or not the table exists.
    int GetBucketCount() const;
    /// The head of a bucket's chain, null for an empty bucket. Before the first insertion (and after
    /// RemoveAll), or for an index outside 0 ... GetBucketCount() - 1, it throws VArray<Entry*>::OutOfRange.
    Entry* GetBucket(int index);
    /// The head of a bucket's chain in a const map, as GetBucket above.
    const Entry* GetBucket(int index) const;

    /// Calls visit(key, value) for every entry in bucket order and along each chain, the key as a const
    /// reference and the value by reference, so the visitor may change the value. The visitor must not add
    /// or remove entries.
    template <class F> void ForEach(F&& visit)
    {
        for (int i = 0; i < m_buckets.GetCount(); ++i)
        {
            for (Entry* entry = m_buckets[i]; entry; entry = entry->next)
                visit(static_cast<const K&>(entry->key), entry->value);
        }
    }
    /// Calls visit(key, value) for every entry of a const map, in the same order, both as const references.
    template <class F> void ForEach(F&& visit) const
    {
        for (int i = 0; i < m_buckets.GetCount(); ++i)
        {
            for (const Entry* entry = m_buckets[i]; entry; entry = entry->next)
                visit(entry->key, entry->value);
        }
    }

private:
    int BucketOf(const K& key) const;
    Entry* FindEntry(const K& key) const;
    // The new entry goes to the front of its chain.
    Entry* CreateEntry(const K& key);
    void CopyEntries(const VMap& other);

    VArray<Entry*> m_buckets;
    int m_nCount;
    int m_nBucketCount;
};

// Defined outside the class so that an exported instantiation carries every member.

/// \cond INTERNAL

template <class K, class V>
VMap<K, V>::VMap(int bucketCount) : m_nCount(0), m_nBucketCount(bucketCount > 0 ? bucketCount : 1)
{
}

template <class K, class V>
VMap<K, V>::VMap(const VMap& other) : m_nCount(0), m_nBucketCount(other.m_nBucketCount)
{
    CopyEntries(other);
}

template <class K, class V> VMap<K, V>& VMap<K, V>::operator=(const VMap& other)
{
    if (this != &other)
    {
        RemoveAll();
        CopyEntries(other);
    }
    return *this;
}

template <class K, class V> VMap<K, V>::~VMap()
{
    RemoveAll();
}

template <class K, class V> void VMap<K, V>::Set(const K& key, const V& value)
{
    Entry* entry = FindEntry(key);
    if (!entry)
        entry = CreateEntry(key);
    entry->value = value;
}

template <class K, class V> V& VMap<K, V>::operator[](const K& key)
{
    Entry* entry = FindEntry(key);
    if (!entry)
        entry = CreateEntry(key);
    return entry->value;
}

template <class K, class V> bool VMap<K, V>::Lookup(const K& key, V& value) const
{
    const Entry* entry = FindEntry(key);
    if (!entry)
        return false;
    value = entry->value;
    return true;
}

template <class K, class V> bool VMap<K, V>::IsPresent(const K& key) const
{
    return FindEntry(key) != nullptr;
}

template <class K, class V> bool VMap<K, V>::IsEmpty() const
{
    return m_nCount == 0;
}

template <class K, class V> int VMap<K, V>::GetCount() const
{
    return m_nCount;
}

template <class K, class V> const K& VMap<K, V>::GetKey(const K& key) const
{
    const Entry* entry = FindEntry(key);
    if (!entry)
        throw typename VArray<Entry*>::OutOfRange();
    return entry->key;
}

template <class K, class V> bool VMap<K, V>::RemoveKey(const K& key)
{
    if (m_buckets.IsEmpty())
        return false;
    for (Entry** link = &m_buckets[BucketOf(key)]; *link; link = &(*link)->next)
    {
        if ((*link)->key == key)
        {
            Entry* entry = *link;
            *link = entry->next;
            delete entry;
            --m_nCount;
            return true;
        }
    }
    return false;
}

template <class K, class V> void VMap<K, V>::RemoveAll()
{
    for (int i = 0; i < m_buckets.GetCount(); ++i)
    {
        for (Entry* entry = m_buckets[i]; entry;)
        {
            Entry* next = entry->next;
            delete entry;
            entry = next;
        }
    }
    m_buckets.RemoveAll();
    m_nCount = 0;
}

template <class K, class V> int VMap<K, V>::GetBucketCount() const
{
    return m_nBucketCount;
}

template <class K, class V> typename VMap<K, V>::Entry* VMap<K, V>::GetBucket(int index)
{
    return m_buckets[index];
}

template <class K, class V> const typename VMap<K, V>::Entry* VMap<K, V>::GetBucket(int index) const
{
    return m_buckets[index];
}

template <class K, class V> int VMap<K, V>::BucketOf(const K& key) const
{
    return static_cast<int>(VMapKeyTraits<K>::Hash(key) % static_cast<unsigned int>(m_nBucketCount));
}

template <class K, class V> typename VMap<K, V>::Entry* VMap<K, V>::FindEntry(const K& key) const
{
    if (m_buckets.IsEmpty())
        return nullptr;
    for (Entry* entry = m_buckets[BucketOf(key)]; entry; entry = entry->next)
    {
        if (entry->key == key)
            return entry;
    }
    return nullptr;
}

template <class K, class V> typename VMap<K, V>::Entry* VMap<K, V>::CreateEntry(const K& key)
{
    if (m_buckets.IsEmpty())
        m_buckets.InsertAt(0, static_cast<Entry*>(nullptr), m_nBucketCount);
    Entry*& head = m_buckets[BucketOf(key)];
    head = new Entry{key, V(), head};
    ++m_nCount;
    return head;
}

template <class K, class V> void VMap<K, V>::CopyEntries(const VMap& other)
{
    for (int i = 0; i < other.m_buckets.GetCount(); ++i)
    {
        for (const Entry* entry = other.m_buckets[i]; entry; entry = entry->next)
            Set(entry->key, entry->value);
    }
}
/// \endcond
