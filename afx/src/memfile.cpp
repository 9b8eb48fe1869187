// CMemFile: a CFile in a block of the C runtime's heap.
#include "afx.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(0)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
    {
        Free(m_lpBuffer);
    }
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (lpBuffer == nullptr && nBufferSize != 0)
    {
        AfxThrowInvalidArgException();
    }
    Close();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    // A fixed buffer is the file's contents; a growable one only lends its room.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    return lpBuffer;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

BOOL CMemFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus();
    rStatus.m_size = m_nFileSize;
    rStatus.m_attribute = normal;
    return TRUE;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
    {
        return 0;
    }
    if (lpBuf == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    const SIZE_T nRead = std::min<SIZE_T>(nCount, m_nFileSize - m_nPosition);
    Memcpy(static_cast<BYTE*>(lpBuf), m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return static_cast<UINT>(nRead);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
    {
        return;
    }
    if (lpBuf == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    if (m_nPosition > std::numeric_limits<SIZE_T>::max() - nCount)
    {
        AfxThrowFileException(CFileException::badSeek);
    }
    const SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
    {
        GrowFile(nEnd);
    }
    // A write after a seek past the end leaves no stale bytes between the old end and the new data.
    if (m_nPosition > m_nFileSize)
    {
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    }
    Memcpy(m_lpBuffer + m_nPosition, static_cast<const BYTE*>(lpBuf), nCount);
    m_nPosition = nEnd;
    m_nFileSize = std::max(m_nFileSize, nEnd);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base;
    switch (nFrom)
    {
    case begin:
        base = 0;
        break;
    case current:
        base = static_cast<LONGLONG>(m_nPosition);
        break;
    case end:
        base = static_cast<LONGLONG>(m_nFileSize);
        break;
    default:
        AfxThrowInvalidArgException();
    }
    const LONGLONG newPosition = base + lOff;
    if (newPosition < 0 || (lOff > 0 && newPosition < base))
    {
        AfxThrowFileException(CFileException::badSeek);
    }
    m_nPosition = static_cast<SIZE_T>(newPosition);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > std::numeric_limits<SIZE_T>::max())
    {
        AfxThrowMemoryException();
    }
    const SIZE_T nNewLen = static_cast<SIZE_T>(dwNewLen);
    if (nNewLen > m_nBufferSize)
    {
        GrowFile(nNewLen);
    }
    if (nNewLen > m_nFileSize)
    {
        std::memset(m_lpBuffer + m_nFileSize, 0, nNewLen - m_nFileSize);
    }
    m_nPosition = std::min(m_nPosition, nNewLen);
    m_nFileSize = nNewLen;
}

void CMemFile::Flush() {}

void CMemFile::Close()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
    {
        Free(m_lpBuffer);
    }
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
}

void CMemFile::Abort()
{
    Close();
}

CFile* CMemFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CMemFile::LockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

void CMemFile::UnlockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::memcpy(lpMemTarget, lpMemSource, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
    {
        return;
    }
    if (m_nGrowBytes == 0)
    {
        AfxThrowMemoryException();
    }
    // Whole steps of the growth size, so a run of small writes reallocates rarely.
    const SIZE_T nSteps = (dwNewLen - m_nBufferSize + m_nGrowBytes - 1) / m_nGrowBytes;
    if (nSteps > (std::numeric_limits<SIZE_T>::max() - m_nBufferSize) / m_nGrowBytes)
    {
        AfxThrowMemoryException();
    }
    const SIZE_T nNewBufferSize = m_nBufferSize + nSteps * m_nGrowBytes;
    BYTE* lpNew = m_lpBuffer == nullptr ? Alloc(nNewBufferSize) : Realloc(m_lpBuffer, nNewBufferSize);
    if (lpNew == nullptr)
    {
        AfxThrowMemoryException();
    }
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
}
