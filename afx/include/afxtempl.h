// Collection templates: CArray and CTypedPtrArray.
#pragma once

#include "afx.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>

// A growable array. An index outside the array throws CInvalidArgException (MFC asserts in debug builds
// and is undefined afterwards), so a bad index never reaches memory.
template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    CArray() noexcept;
    ~CArray() override;

    INT_PTR GetSize() const noexcept { return m_nSize; }
    INT_PTR GetCount() const noexcept { return m_nSize; }
    BOOL IsEmpty() const noexcept { return m_nSize == 0; }
    INT_PTR GetUpperBound() const noexcept { return m_nSize - 1; }
    // New elements are value-initialised (zero for numbers and pointers). nGrowBy, when not -1, sets how
    // many elements each reallocation adds at least; 0 lets the array choose from its size.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);

    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[CheckedIndex(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[CheckedIndex(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[CheckedIndex(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

    const TYPE* GetData() const noexcept { return m_pData; }
    TYPE* GetData() noexcept { return m_pData; }

    // Grows the array when nIndex lies beyond its end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    // Returns the index of the new element.
    INT_PTR Add(ARG_TYPE newElement);
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    // Inserts nCount copies at nIndex, growing the array when nIndex lies beyond its end.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    INT_PTR CheckedIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
        {
            AfxThrowInvalidArgException();
        }
        return nIndex;
    }
    static TYPE* AllocateElements(INT_PTR nCount);
    // Moves the first nCount elements of pFrom into the raw memory at pTo and destroys them in pFrom.
    static void Relocate(TYPE* pTo, TYPE* pFrom, INT_PTR nCount);
    static void Destroy(TYPE* pFirst, INT_PTR nCount);
};

template <class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>::CArray() noexcept : m_pData(nullptr), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0)
{
}

template <class TYPE, class ARG_TYPE> CArray<TYPE, ARG_TYPE>::~CArray()
{
    Destroy(m_pData, m_nSize);
    ::operator delete(m_pData);
}

template <class TYPE, class ARG_TYPE> TYPE* CArray<TYPE, ARG_TYPE>::AllocateElements(INT_PTR nCount)
{
    if (nCount < 0 || static_cast<size_t>(nCount) > SIZE_MAX / sizeof(TYPE))
    {
        AfxThrowMemoryException();
    }
    void* p = ::operator new(static_cast<size_t>(nCount) * sizeof(TYPE), std::nothrow);
    if (p == nullptr)
    {
        AfxThrowMemoryException();
    }
    return static_cast<TYPE*>(p);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Relocate(TYPE* pTo, TYPE* pFrom, INT_PTR nCount)
{
    if constexpr (std::is_trivially_copyable_v<TYPE>)
    {
        if (nCount > 0)
        {
            std::memcpy(static_cast<void*>(pTo), static_cast<const void*>(pFrom),
                        static_cast<size_t>(nCount) * sizeof(TYPE));
        }
    }
    else
    {
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            ::new (static_cast<void*>(pTo + i)) TYPE(std::move(pFrom[i]));
        }
        Destroy(pFrom, nCount);
    }
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Destroy(TYPE* pFirst, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        pFirst[i].~TYPE();
    }
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
    {
        AfxThrowInvalidArgException();
    }
    if (nGrowBy >= 0)
    {
        m_nGrowBy = nGrowBy;
    }

    if (nNewSize == 0)
    {
        Destroy(m_pData, m_nSize);
        ::operator delete(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }

    if (nNewSize > m_nMaxSize)
    {
        INT_PTR nGrow = m_nGrowBy;
        if (nGrow == 0)
        {
            // Grow in proportion to the size, within limits, so that adding one element at a time stays
            // linear without wasting much on large arrays.
            nGrow = std::min<INT_PTR>(1024, std::max<INT_PTR>(4, m_nSize / 8));
        }
        INT_PTR nNewMax =
            m_pData == nullptr ? std::max(nNewSize, m_nGrowBy) : std::max(nNewSize, m_nMaxSize + nGrow);
        TYPE* pNewData = AllocateElements(nNewMax);
        Relocate(pNewData, m_pData, m_nSize);
        ::operator delete(m_pData);
        m_pData = pNewData;
        m_nMaxSize = nNewMax;
    }

    if (nNewSize > m_nSize)
    {
        for (INT_PTR i = m_nSize; i < nNewSize; ++i)
        {
            ::new (static_cast<void*>(m_pData + i)) TYPE();
        }
    }
    else
    {
        Destroy(m_pData + nNewSize, m_nSize - nNewSize);
    }
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
    {
        return;
    }
    TYPE* pNewData = nullptr;
    if (m_nSize != 0)
    {
        pNewData = AllocateElements(m_nSize);
        Relocate(pNewData, m_pData, m_nSize);
    }
    ::operator delete(m_pData);
    m_pData = pNewData;
    m_nMaxSize = m_nSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
    {
        AfxThrowInvalidArgException();
    }
    if (nIndex >= m_nSize)
    {
        // The element may live in this array and move when it grows.
        TYPE value(newElement);
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(value);
        return;
    }
    m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE> INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE> INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    if (this == &src)
    {
        AfxThrowInvalidArgException();
    }
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + src.m_nSize, -1);
    std::copy(src.m_pData, src.m_pData + src.m_nSize, m_pData + nOldSize);
    return nOldSize;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this != &src)
    {
        SetSize(src.m_nSize, -1);
        std::copy(src.m_pData, src.m_pData + src.m_nSize, m_pData);
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
    {
        AfxThrowInvalidArgException();
    }
    TYPE value(newElement); // may be an element of this array
    INT_PTR nOldSize = m_nSize;
    if (nIndex >= nOldSize)
    {
        SetSize(nIndex + nCount, -1);
    }
    else
    {
        SetSize(nOldSize + nCount, -1);
        std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
    }
    std::fill(m_pData + nIndex, m_pData + nIndex + nCount, value);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    if (pNewArray == nullptr || nStartIndex < 0)
    {
        AfxThrowInvalidArgException();
    }
    if (pNewArray->m_nSize == 0)
    {
        return;
    }
    if (pNewArray == this)
    {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    InsertAt(nStartIndex, pNewArray->m_pData[0], pNewArray->m_nSize);
    std::copy(pNewArray->m_pData, pNewArray->m_pData + pNewArray->m_nSize, m_pData + nStartIndex);
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex)
    {
        AfxThrowInvalidArgException();
    }
    std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
    Destroy(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}

// A type-safe front for CPtrArray or CObArray holding pointers of one type.
template <class BASE_CLASS, class TYPE> class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray)
    {
        BASE_CLASS::InsertAt(nStartIndex, pNewArray);
    }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
};
