/// \class VArray
/// The library's growable array of elements of type T, which must be default-constructible and
/// copy-assignable. Its fields and growth rule are part of the binary interface.
///
/// \code{.cpp}
/// VArray<int> sizes;
/// sizes.Add(640);
/// sizes.InsertAt(0, 0, 3);   // three zeros in front: 0, 0, 0, 640
/// sizes.RemoveAt(1, 2);      // 0, 640
/// int last = sizes[sizes.GetCount() - 1];
/// \endcode
///
/// Storage holds default-constructed elements up to the capacity; elements are copied in by assignment.
/// Growing at least doubles the capacity. An index outside the elements throws
/// OutOfRange by value. When storage cannot be had an operation throws std::bad_alloc and the array keeps
/// its elements. An array is not safe for use by two threads at once.
///
/// \tparam T The element type.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <new>

template <class T> class VArray
{
public:
    /// Thrown by value when an element is addressed outside 0 ... count - 1, or an insertion or removal
    /// names a range outside the array.
    class OutOfRange
    {
    };

    // Construction

    /// An empty array; storage for `capacity` elements is made (default-constructed) at once.
    explicit VArray(int capacity = 0)
        : m_nCapacity(0), m_nCount(0), m_pData(nullptr), m_nGrowFactor(2), m_nGrowIncrement(0)
    {
        if (capacity > 0)
            Reallocate(capacity);
    }

    /// A copy of the elements, with storage for the other array's capacity and its growth rule.
    VArray(const VArray& other)
        : m_nCapacity(0), m_nCount(0), m_pData(nullptr), m_nGrowFactor(other.m_nGrowFactor),
          m_nGrowIncrement(other.m_nGrowIncrement)
    {
        CopyFrom(other);
    }

    /// Replaces the elements by copies of the other array's, with storage for its capacity; the growth
    /// rule stays this array's.
    VArray& operator=(const VArray& other)
    {
        if (this != &other)
        {
            RemoveAll();
            CopyFrom(other);
        }
        return *this;
    }

    /// Destroys every element of the storage.
    ~VArray() { delete[] m_pData; }

    // Attributes

    /// The number of elements.
    int GetCount() const { return m_nCount; }
    /// The number of elements the storage holds before it must grow.
    int GetCapacity() const { return m_nCapacity; }
    /// Whether the array has no elements.
    bool IsEmpty() const { return m_nCount == 0; }
    /// The storage, GetCount() elements in order; null while there is none. Invalid after the array grows
    /// or is cleared.
    T* GetData() { return m_pData; }
    /// The storage of a const array, as GetData above.
    const T* GetData() const { return m_pData; }

    /// The element at `index`, 0 to GetCount() - 1; any other index throws OutOfRange. The reference is
    /// invalid once the array grows.
    T& operator[](int index)
    {
        CheckIndex(index);
        return m_pData[index];
    }
    /// The element at `index` of a const array, with the same range and OutOfRange.
    const T& operator[](int index) const
    {
        CheckIndex(index);
        return m_pData[index];
    }
    /// The element at `index`, as operator[] (OutOfRange outside 0 to GetCount() - 1).
    T& GetAt(int index) { return (*this)[index]; }
    /// The element at `index` of a const array, as operator[].
    const T& GetAt(int index) const { return (*this)[index]; }

    // Operations

    /// Appends a copy of `value` (which may be an element of this array) and returns the new element's
    /// index. A full array grows to room for twice the new count.
    int Add(const T& value)
    {
        const T copy(value); // `value` may be an element of this array, which growing would destroy
        const std::int64_t needed = static_cast<std::int64_t>(m_nCount) + 1;
        if (needed > m_nCapacity)
            Reallocate(
                Limit(static_cast<std::int64_t>(m_nGrowFactor) * std::max<std::int64_t>(m_nCapacity, needed) +
                          m_nGrowIncrement,
                      needed));
        m_pData[m_nCount] = copy;
        return m_nCount++;
    }

    /// Inserts `count` copies of `value` before `index` (0 ... GetCount(); GetCount() appends). An index
    /// outside that or a negative count throws OutOfRange; a count of 0 does nothing. Storage that is too
    /// small grows to twice its capacity, or to what is needed when that is more.
    void InsertAt(int index, const T& value, int count = 1)
    {
        if (index < 0 || index > m_nCount || count < 0)
            throw OutOfRange();
        if (count == 0)
            return;
        const T copy(value);
        const std::int64_t needed = static_cast<std::int64_t>(m_nCount) + count;
        if (needed > m_nCapacity)
            Reallocate(
                Limit(std::max<std::int64_t>(needed, static_cast<std::int64_t>(m_nGrowFactor) * m_nCapacity +
                                                         m_nGrowIncrement),
                      needed));
        for (int i = m_nCount - 1; i >= index; --i)
            m_pData[i + count] = m_pData[i];
        for (int i = index; i < index + count; ++i)
            m_pData[i] = copy;
        m_nCount += count;
    }

    /// Removes `count` elements from `index`, moving the later ones down; the range must lie inside the
    /// array, else OutOfRange. The capacity stays and the vacated slots are reset to T().
    void RemoveAt(int index, int count = 1)
    {
        if (index < 0 || count < 0 || count > m_nCount - index)
            throw OutOfRange();
        for (int i = index; i + count < m_nCount; ++i)
            m_pData[i] = m_pData[i + count];
        // Vacated slots let go of what they held (a string's buffer, for one).
        for (int i = m_nCount - count; i < m_nCount; ++i)
            m_pData[i] = T();
        m_nCount -= count;
    }

    /// Removes every element and releases the storage; the capacity becomes 0.
    void RemoveAll()
    {
        delete[] m_pData;
        m_pData = nullptr;
        m_nCapacity = 0;
        m_nCount = 0;
    }

private:
    void CheckIndex(int index) const
    {
        if (index < 0 || index >= m_nCount)
            throw OutOfRange();
    }

    static int Limit(std::int64_t wanted, std::int64_t needed)
    {
        if (needed > INT_MAX)
            throw std::bad_alloc();
        return static_cast<int>(wanted > INT_MAX ? INT_MAX : wanted);
    }

    // New storage is constructed, the elements copied over by assignment and the old storage destroyed.
    void Reallocate(int capacity)
    {
        std::unique_ptr<T[]> fresh(new T[capacity]);
        for (int i = 0; i < m_nCount; ++i)
            fresh[i] = m_pData[i];
        delete[] m_pData;
        m_pData = fresh.release();
        m_nCapacity = capacity;
    }

    void CopyFrom(const VArray& other)
    {
        if (other.m_nCapacity > 0)
        {
            std::unique_ptr<T[]> fresh(new T[other.m_nCapacity]);
            for (int i = 0; i < other.m_nCount; ++i)
                fresh[i] = other.m_pData[i];
            m_pData = fresh.release();
        }
        m_nCapacity = other.m_nCapacity;
        m_nCount = other.m_nCount;
    }

    std::int32_t m_nCapacity;
    std::int32_t m_nCount;
    T* m_pData;
    std::int32_t m_nGrowFactor;
    std::int32_t m_nGrowIncrement;
};
