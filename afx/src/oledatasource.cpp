// OLE start-up, COleException and COleDataSource (include/afxole.h).
#include "afxole.h"

#include <shlobj.h>

#include <atomic>
#include <new>
#include <vector>

namespace afximpl
{
namespace
{
// The source this process last put on the clipboard; it still owns it while OLE says so.
std::atomic<COleDataSource*> g_pClipboardSource{nullptr};

// A copy of a held medium for a caller, who releases it (ReleaseStgMedium).
HRESULT CopyMedium(CLIPFORMAT cfFormat, const STGMEDIUM& from, STGMEDIUM* to)
{
    *to = STGMEDIUM();
    switch (from.tymed)
    {
    case TYMED_HGLOBAL:
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
        to->hGlobal = static_cast<HGLOBAL>(::OleDuplicateData(from.hGlobal, cfFormat, 0));
        if (!to->hGlobal)
            return E_OUTOFMEMORY;
        break;
    case TYMED_ISTREAM:
        to->pstm = from.pstm;
        to->pstm->AddRef();
        break;
    case TYMED_ISTORAGE:
        to->pstg = from.pstg;
        to->pstg->AddRef();
        break;
    default:
        return DV_E_TYMED;
    }
    to->tymed = from.tymed;
    return S_OK;
}
} // namespace
} // namespace afximpl

using afximpl::g_pClipboardSource;

/////////////////////////////////////////////////////////////////////////////
// Start-up

BOOL AFXAPI AfxOleInit()
{
    return SUCCEEDED(::OleInitialize(nullptr));
}

void AFXAPI AfxOleTerm(BOOL bJustRevoke)
{
    COleDataSource::FlushClipboard();
    if (!bJustRevoke)
        ::OleUninitialize();
}

/////////////////////////////////////////////////////////////////////////////
// COleException

IMPLEMENT_DYNAMIC(COleException, CException)

COleException::COleException(SCODE sc) : m_sc(sc) {}

COleException::~COleException() = default;

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    const DWORD dwLength =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         static_cast<DWORD>(m_sc), 0, lpszError, nMaxError, nullptr);
    if (dwLength == 0)
    {
        lpszError[0] = 0;
        return FALSE;
    }
    return TRUE;
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    COleException* e = new (std::nothrow) COleException(sc);
    if (!e)
        AfxThrowMemoryException();
    throw e;
}

/////////////////////////////////////////////////////////////////////////////
// COleDataSource

struct COleDataSource::Cache
{
    struct Entry
    {
        FORMATETC formatEtc;
        STGMEDIUM stgMedium;
    };
    std::vector<Entry> entries;

    ~Cache() { Clear(); }

    void Clear()
    {
        for (Entry& entry : entries)
            ::ReleaseStgMedium(&entry.stgMedium);
        entries.clear();
    }

    const Entry* Lookup(const FORMATETC& wanted) const
    {
        for (const Entry& entry : entries)
        {
            if (entry.formatEtc.cfFormat == wanted.cfFormat && entry.formatEtc.dwAspect == wanted.dwAspect &&
                (entry.formatEtc.tymed & wanted.tymed) != 0)
                return &entry;
        }
        return nullptr;
    }
};

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource() : m_dwRef(1), m_pCache(new Cache)
{
    m_xDataObject.m_pOuter = this;
}

COleDataSource::~COleDataSource()
{
    COleDataSource* pExpected = this;
    g_pClipboardSource.compare_exchange_strong(pExpected, nullptr);
    delete m_pCache;
}

DWORD COleDataSource::InternalAddRef()
{
    return static_cast<DWORD>(::InterlockedIncrement(&m_dwRef));
}

DWORD COleDataSource::InternalRelease()
{
    const LONG nLeft = ::InterlockedDecrement(&m_dwRef);
    if (nLeft == 0)
        delete this;
    return static_cast<DWORD>(nLeft);
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM medium = {};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    FORMATETC formatEtc = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (lpFormatEtc)
        formatEtc = *lpFormatEtc;
    CacheData(cfFormat, &medium, &formatEtc);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    Cache::Entry entry;
    entry.formatEtc = {cfFormat, nullptr, DVASPECT_CONTENT, -1, static_cast<DWORD>(lpStgMedium->tymed)};
    if (lpFormatEtc)
        entry.formatEtc = *lpFormatEtc;
    // Target devices are not kept: every format is offered for the screen.
    entry.formatEtc.cfFormat = cfFormat;
    entry.formatEtc.ptd = nullptr;
    entry.formatEtc.tymed = static_cast<DWORD>(lpStgMedium->tymed);
    entry.stgMedium = *lpStgMedium;
    for (Cache::Entry& held : m_pCache->entries)
    {
        if (held.formatEtc.cfFormat == cfFormat && held.formatEtc.dwAspect == entry.formatEtc.dwAspect)
        {
            ::ReleaseStgMedium(&held.stgMedium);
            held = entry;
            return;
        }
    }
    try
    {
        m_pCache->entries.push_back(entry);
    }
    catch (const std::bad_alloc&)
    {
        ::ReleaseStgMedium(&entry.stgMedium);
        AfxThrowMemoryException();
    }
}

void COleDataSource::Empty()
{
    m_pCache->Clear();
}

void COleDataSource::SetClipboard()
{
    const HRESULT hr = ::OleSetClipboard(&m_xDataObject);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    g_pClipboardSource = this;
    // The clipboard took a reference of its own; the creator's goes with it.
    InternalRelease();
}

void PASCAL COleDataSource::FlushClipboard()
{
    if (GetClipboardOwner())
        ::OleFlushClipboard();
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner()
{
    COleDataSource* pSource = g_pClipboardSource;
    if (pSource && ::OleIsCurrentClipboard(&pSource->m_xDataObject) == S_OK)
        return pSource;
    return nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// COleDataSource::XDataObject

STDMETHODIMP COleDataSource::XDataObject::QueryInterface(REFIID iid, void** ppvObj)
{
    if (!ppvObj)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject))
    {
        *ppvObj = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppvObj = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDataSource::XDataObject::AddRef()
{
    return m_pOuter->InternalAddRef();
}

STDMETHODIMP_(ULONG) COleDataSource::XDataObject::Release()
{
    return m_pOuter->InternalRelease();
}

STDMETHODIMP COleDataSource::XDataObject::GetData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    if (!lpFormatEtc || !lpStgMedium)
        return E_INVALIDARG;
    const Cache::Entry* pEntry = m_pOuter->m_pCache->Lookup(*lpFormatEtc);
    if (!pEntry)
        return DV_E_FORMATETC;
    return afximpl::CopyMedium(pEntry->formatEtc.cfFormat, pEntry->stgMedium, lpStgMedium);
}

STDMETHODIMP COleDataSource::XDataObject::GetDataHere(LPFORMATETC, LPSTGMEDIUM)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(LPFORMATETC lpFormatEtc)
{
    if (!lpFormatEtc)
        return E_INVALIDARG;
    return m_pOuter->m_pCache->Lookup(*lpFormatEtc) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(LPFORMATETC lpFormatEtcIn,
                                                                LPFORMATETC lpFormatEtcOut)
{
    if (!lpFormatEtcIn || !lpFormatEtcOut)
        return E_INVALIDARG;
    *lpFormatEtcOut = *lpFormatEtcIn;
    lpFormatEtcOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(LPFORMATETC, LPSTGMEDIUM, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, LPENUMFORMATETC* ppEnumFormatEtc)
{
    if (!ppEnumFormatEtc)
        return E_POINTER;
    *ppEnumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Cache::Entry& entry : m_pOuter->m_pCache->entries)
        formats.push_back(entry.formatEtc);
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppEnumFormatEtc);
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(FORMATETC*, DWORD, LPADVISESINK, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(LPENUMSTATDATA*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
