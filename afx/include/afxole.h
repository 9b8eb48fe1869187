// OLE start-up and the OLE clipboard: AfxOleInit and AfxOleTerm, COleException, and COleDataSource, a data
// object that holds data in several formats and offers it on the clipboard.
//
//     BOOL CMyApp::InitInstance() { return AfxOleInit(); }
//     int CMyApp::ExitInstance() { AfxOleTerm(); return CWinApp::ExitInstance(); }
//
//     HGLOBAL hText = ...; // CF_UNICODETEXT, now the source's
//     COleDataSource* pSource = new COleDataSource;
//     pSource->CacheGlobalData(CF_UNICODETEXT, hText);
//     try
//     {
//         pSource->SetClipboard(); // the clipboard owns the source from here on
//     }
//     catch (COleException* e)
//     {
//         pSource->InternalRelease(); // still the creator's: deleted, with its data
//         e->Delete();
//     }
#pragma once

#include "afxwin.h"

#include <ole2.h>

// Initialises OLE on the calling thread (OleInitialize); TRUE when it is ready, also when it already was.
// The clipboard of COleDataSource needs it on the thread that calls SetClipboard.
AFX_API BOOL AFXAPI AfxOleInit();
// Leaves the data of a source that owns the clipboard there (rendered) and uninitialises OLE on the calling
// thread. Call once for each successful AfxOleInit, on the same thread. With bJustRevoke only the clipboard
// is flushed.
AFX_API void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);

// An OLE call failed; m_sc is its status code.
class AFX_API COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = E_UNEXPECTED);
    ~COleException() override;

    // The system's text for the status code.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    SCODE m_sc;
};

AFX_NORETURN AFX_API void AFXAPI AfxThrowOleException(SCODE sc);

// A reference-counted data object. Its creator holds the first reference; SetClipboard hands that reference
// to the clipboard, which releases it (deleting the source and its data) when other data replaces it. A
// source that never reaches the clipboard is ended with InternalRelease.
class AFX_API COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    // Construction
    COleDataSource();

    // Operations
    // Offers hGlobal, which the source owns from now on, in format cfFormat (TYMED_HGLOBAL unless
    // lpFormatEtc says otherwise). A format cached again replaces the data held for it.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // The same for any storage medium, which the source owns from now on (ReleaseStgMedium).
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // Frees every format held.
    void Empty();
    // Puts the source on the clipboard (OleSetClipboard); throws COleException when that fails (OLE not
    // initialised on the thread, the clipboard held open elsewhere), and the source stays the creator's.
    void SetClipboard();
    // Renders the data of the source that owns the clipboard, so that it stays there when the source goes.
    static void PASCAL FlushClipboard();
    // The source of this process that owns the clipboard, or null.
    static COleDataSource* PASCAL GetClipboardOwner();

    // The data object's reference count; the last release deletes the source.
    DWORD InternalAddRef();
    DWORD InternalRelease();

protected:
    // Deleted through InternalRelease.
    ~COleDataSource() override;

private:
    struct Cache; // the formats held, each with its medium

    // The IDataObject the clipboard sees; it lives inside the source and shares its reference count.
    class XDataObject : public IDataObject
    {
    public:
        STDMETHOD(QueryInterface)(REFIID iid, void** ppvObj) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(GetData)(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) override;
        STDMETHOD(GetDataHere)(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) override;
        STDMETHOD(QueryGetData)(LPFORMATETC lpFormatEtc) override;
        STDMETHOD(GetCanonicalFormatEtc)(LPFORMATETC lpFormatEtcIn, LPFORMATETC lpFormatEtcOut) override;
        STDMETHOD(SetData)(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium, BOOL bRelease) override;
        STDMETHOD(EnumFormatEtc)(DWORD dwDirection, LPENUMFORMATETC* ppEnumFormatEtc) override;
        STDMETHOD(DAdvise)
        (FORMATETC* pFormatEtc, DWORD advf, LPADVISESINK pAdvSink, DWORD* pdwConnection) override;
        STDMETHOD(DUnadvise)(DWORD dwConnection) override;
        STDMETHOD(EnumDAdvise)(LPENUMSTATDATA* ppEnumAdvise) override;

        COleDataSource* m_pOuter;
    };

    XDataObject m_xDataObject;
    LONG m_dwRef;
    Cache* m_pCache;
};
