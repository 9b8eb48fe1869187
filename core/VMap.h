// VMap<K, V>: the library's chained hash map. The bucket table is made at the first insertion with the
// bucket count given at construction and never grows: there is no rehashing.
#pragma once

#include <type_traits>

#include "core/PardalinApi.h"
#include "core/VArray.h"
#include "core/VUnicodeString.h"

// How a key hashes: integer keys by their value, VUnicodeString keys by the sum of their UTF-16 code units
// (so the hash does not depend on the order of the characters).
template <class K> struct VMapKeyTraits
{
    static_assert(std::is_integral<K>::value || std::is_enum<K>::value,
                  "VMap keys are integers or VUnicodeString");
    static unsigned int Hash(const K& key) { return static_cast<unsigned int>(key); }
};

template <> struct VMapKeyTraits<VUnicodeString>
{
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
    struct Entry
    {
        K key;
        V value;
        Entry* next; // the next entry of the same bucket
    };

    explicit VMap(int bucketCount = 25);
    // Copies take the entries bucket by bucket and along each chain, each as Set would.
    VMap(const VMap& other);
    // Keeps this map's bucket count.
    VMap& operator=(const VMap& other);
    ~VMap();

    void Set(const K& key, const V& value);
    // The value stored for `key`; an absent key is added first with a value-initialised value.
    V& operator[](const K& key);
    bool Lookup(const K& key, V& value) const;
    bool IsPresent(const K& key) const;
    bool IsEmpty() const;
    int GetCount() const;
    // The key as stored in the map. An absent key throws VArray<Entry*>::OutOfRange.
    const K& GetKey(const K& key) const;
    bool RemoveKey(const K& key);
    // Frees every entry and the bucket table; the next insertion makes the table again.
    void RemoveAll();

    // Walking the table: GetBucket gives the head of a bucket's chain; before the first insertion, or for
    // an index outside the bucket count, it throws VArray<Entry*>::OutOfRange.
    int GetBucketCount() const;
    Entry* GetBucket(int index);
    const Entry* GetBucket(int index) const;

    // Calls visit(key, value) for every entry in bucket order and along each chain. The visitor must not
    // add or remove entries.
    template <class F> void ForEach(F&& visit)
    {
        for (int i = 0; i < m_buckets.GetCount(); ++i)
        {
            for (Entry* entry = m_buckets[i]; entry; entry = entry->next)
                visit(static_cast<const K&>(entry->key), entry->value);
        }
    }
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
