// Serialisation: CMemFile (a CFile in a growable memory block) and CArchive (typed values, strings and
// object graphs over a CFile, in MFC's binary format). Included at the end of afx.h.
//
//     CMemFile file;                              // grows 1024 bytes at a time
//     {
//         CArchive ar(&file, CArchive::store);
//         ar << nCount << strName << pShape;      // pShape: a CObject of a DECLARE_SERIAL class
//     }                                           // the archive flushes into the file when it ends
//     file.SeekToBegin();
//     CArchive ar(&file, CArchive::load);
//     ar >> nCount >> strName >> pShape;          // throws CArchiveException on bad or short data
#pragma once

#ifndef AFX_UMBRELLA_AFX_H
#error This header is part of <afx.h>; include that instead.
#endif

namespace afximpl
{
struct ArchiveMaps;
}

/////////////////////////////////////////////////////////////////////////////
// CMemFile: a file in memory. The block comes from the C runtime (malloc/realloc/free), so a buffer taken
// with Detach is freed with free() and a buffer attached with growth must come from malloc.

class AFX_API CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    // Construction. An empty file that allocates on the first write, growing nGrowBytes at a time.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A file over the caller's buffer (see Attach); the buffer is never freed by the CMemFile.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // With nGrowBytes 0 the buffer's contents are the file (length nBufferSize) and a write past its end
    // throws CMemoryException; otherwise the file starts empty and grows the buffer with realloc.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller (who frees it with free(); null when nothing was ever written) and
    // leaves the file empty. Take GetLength first: the length goes with the buffer.
    BYTE* Detach();

    // Attributes
    ULONGLONG GetLength() const override;
    ULONGLONG GetPosition() const override;
    // The length and a zero time; the name stays empty.
    BOOL GetStatus(CFileStatus& rStatus) const;

    // Operations. Read past the end gives fewer bytes; Seek may go past the end (the gap is filled when a
    // write reaches beyond it) but not before the start (CFileException badSeek).
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    // A memory file cannot be duplicated or locked: CNotSupportedException.
    CFile* Duplicate() const override;
    void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;

protected:
    // Overridables: how the block is allocated, copied and grown. GrowFile throws CMemoryException when
    // the file may not grow or memory runs out.
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete; // the block is the file's own and is freed with it
};

/////////////////////////////////////////////////////////////////////////////
// CArchive: a buffered, one-direction stream over a CFile. Values are stored little-endian at their
// natural size (int, UINT and LONG as 32 bits, bool as one byte); strings carry a length prefix and, for
// wide strings, a marker, so narrow and wide strings load into either kind of CString. Objects are
// written once: a repeated pointer is stored as a back reference and loads as the same object.

class AFX_API CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2, // the destructor does not flush (the caller closes or aborts)
        bNoByteSwap = 4,      // accepted for compatibility; nothing is ever swapped
    };

    // Construction. nBufSize below 128 is raised to 128. lpBuf, when given, is the caller's buffer of
    // nBufSize bytes (at least 128; CInvalidArgException otherwise) and outlives the archive.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes (flushing a store archive) unless bNoFlushOnDelete was given; errors are swallowed.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // Attributes
    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    // TRUE when a load archive has no read-ahead bytes left in its buffer.
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }
    // The schema of the object being loaded, for a class with VERSIONABLE_SCHEMA; (UINT)-1 on the second
    // call for the same object.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // The file's path when the archive was made (empty for a memory file); named in exceptions.
    CString m_strFileName;

    // Operations: raw bytes. Read returns fewer bytes than asked at the end of the file. Read on a store
    // archive throws CArchiveException writeOnly, Write on a load archive readOnly.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // A store archive writes its buffer to the file and flushes the file; a load archive gives its
    // read-ahead back to the file, so the file's position is just after what was read.
    void Flush();
    // Flushes and detaches from the file (the file stays open).
    void Close();
    // Detaches without flushing and never throws.
    void Abort();

    // Text: characters without a terminator or length (WriteString adds no newline). ReadString stops
    // after "\n" or "\r\n" and drops it; the buffer version keeps at most nMax - 1 characters and returns
    // null at the end of the file, the CString version returns FALSE there.
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Objects and classes. WriteObject stores a null pointer, a back reference to an object already
    // stored, or the object's class (once per archive) followed by its Serialize output. ReadObject
    // reverses that, creating objects through their run-time class; pClassRefRequested, when given, is a
    // class the object must derive from (CArchiveException badClass otherwise). MapObject enters an
    // object that is not itself serialised (such as the owner of the graph) so references to it resolve.
    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void MapObject(const CObject* pOb);
    void WriteClass(const CRuntimeClass* pClassRef);
    // The class read; with pObTag given, null when the tag is an object reference (stored in *pObTag).
    // The schema goes to *pSchema, or to the object schema when pSchema is null.
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    // WriteClass when storing; ReadClass (checking the class) when loading.
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Element counts in MFC's compact form (a WORD, or 0xFFFF and a DWORD).
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Values. Loading past the end of the file throws CArchiveException endOfFile.
    CArchive& operator<<(BYTE by) { return StoreBytes(&by, sizeof by); }
    CArchive& operator<<(WORD w) { return StoreBytes(&w, sizeof w); }
    CArchive& operator<<(LONG l) { return StoreBytes(&l, sizeof l); }
    CArchive& operator<<(DWORD dw) { return StoreBytes(&dw, sizeof dw); }
    CArchive& operator<<(int i) { return StoreBytes(&i, sizeof i); }
    CArchive& operator<<(UINT u) { return StoreBytes(&u, sizeof u); }
    CArchive& operator<<(short w) { return StoreBytes(&w, sizeof w); }
    CArchive& operator<<(char ch) { return StoreBytes(&ch, sizeof ch); }
    CArchive& operator<<(wchar_t ch) { return StoreBytes(&ch, sizeof ch); }
    CArchive& operator<<(bool b) { return operator<<(static_cast<BYTE>(b ? 1 : 0)); }
    CArchive& operator<<(float f) { return StoreBytes(&f, sizeof f); }
    CArchive& operator<<(double d) { return StoreBytes(&d, sizeof d); }
    CArchive& operator<<(LONGLONG ll) { return StoreBytes(&ll, sizeof ll); }
    CArchive& operator<<(ULONGLONG ull) { return StoreBytes(&ull, sizeof ull); }
    // A bare character pointer would otherwise be stored as a bool; store a CString instead.
    CArchive& operator<<(const char*) = delete;
    CArchive& operator<<(const wchar_t*) = delete;

    CArchive& operator>>(BYTE& by) { return LoadBytes(&by, sizeof by); }
    CArchive& operator>>(WORD& w) { return LoadBytes(&w, sizeof w); }
    CArchive& operator>>(LONG& l) { return LoadBytes(&l, sizeof l); }
    CArchive& operator>>(DWORD& dw) { return LoadBytes(&dw, sizeof dw); }
    CArchive& operator>>(int& i) { return LoadBytes(&i, sizeof i); }
    CArchive& operator>>(UINT& u) { return LoadBytes(&u, sizeof u); }
    CArchive& operator>>(short& w) { return LoadBytes(&w, sizeof w); }
    CArchive& operator>>(char& ch) { return LoadBytes(&ch, sizeof ch); }
    CArchive& operator>>(wchar_t& ch) { return LoadBytes(&ch, sizeof ch); }
    CArchive& operator>>(bool& b);
    CArchive& operator>>(float& f) { return LoadBytes(&f, sizeof f); }
    CArchive& operator>>(double& d) { return LoadBytes(&d, sizeof d); }
    CArchive& operator>>(LONGLONG& ll) { return LoadBytes(&ll, sizeof ll); }
    CArchive& operator>>(ULONGLONG& ull) { return LoadBytes(&ull, sizeof ull); }

private:
    // The one path of every fixed-size value: mode check, then the bytes through the buffer.
    CArchive& StoreBytes(const void* p, UINT nBytes);
    CArchive& LoadBytes(void* p, UINT nBytes);
    // Moves the unread bytes to the front and reads from the file until at least nBytesNeeded are
    // buffered or the file ends; FALSE in that case.
    bool FillBuffer(UINT nBytesNeeded);
    void WriteBuffer();
    // The next character of a text line: 1 with the character, 0 at the end of the file, -1 at the end
    // of the line (after "\n", "\r\n" or a lone "\r", which are consumed).
    int NextLineChar(TCHAR& ch);
    afximpl::ArchiveMaps& Maps();
    [[noreturn]] void ThrowArchive(int cause) const;

    UINT m_nMode;
    BOOL m_bUserBuf;
    UINT m_nBufSize;
    CFile* m_pFile;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax; // end of the buffered bytes (load) or of the buffer (store)
    UINT m_nObjectSchema;
    afximpl::ArchiveMaps* m_pMaps; // class and object indexes, made on first use
};

// Strings: the length (with a marker before it for wide text) and the characters.
AFX_API CArchive& AFXAPI operator<<(CArchive& ar, const CStringW& str);
AFX_API CArchive& AFXAPI operator<<(CArchive& ar, const CStringA& str);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, CStringW& str);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, CStringA& str);

// Objects, through WriteObject and ReadObject. Classes declared with DECLARE_SERIAL add a typed load.
AFX_API CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);
