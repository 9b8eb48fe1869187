// The current resource module and the search of the resource chain.
#include "afxwin.h"
#include "afximpl.h"

#include <cstring>

namespace
{
class DynLinkListLock
{
public:
    DynLinkListLock() { AfxLockGlobals(CRIT_DYNLINKLIST); }
    ~DynLinkListLock() { AfxUnlockGlobals(CRIT_DYNLINKLIST); }
    DynLinkListLock(const DynLinkListLock&) = delete;
    DynLinkListLock& operator=(const DynLinkListLock&) = delete;
};

// The first module of the chain for which has(module) holds, in the framework's order: the current
// resource module (unless the state is a system one), the non-system libraries from the newest, then the
// system ones. Null when none has it.
template <typename Has> HINSTANCE SearchChain(Has has)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    HINSTANCE hCurrent = AfxGetResourceHandle();
    if (!pState->m_bSystem && has(hCurrent))
    {
        return hCurrent;
    }
    DynLinkListLock lock;
    const CTypedSimpleList<CDynLinkLibrary*>& libraries = pState->m_libraryList;
    for (CDynLinkLibrary* pDLL = libraries.GetHead(); pDLL != nullptr; pDLL = libraries.GetNext(pDLL))
    {
        if (!pDLL->m_bSystem && pDLL->m_hResource != nullptr && has(pDLL->m_hResource))
        {
            return pDLL->m_hResource;
        }
    }
    if (pState->m_bSystem && has(hCurrent))
    {
        return hCurrent;
    }
    for (CDynLinkLibrary* pDLL = libraries.GetHead(); pDLL != nullptr; pDLL = libraries.GetNext(pDLL))
    {
        if (pDLL->m_bSystem && pDLL->m_hResource != nullptr && has(pDLL->m_hResource))
        {
            return pDLL->m_hResource;
        }
    }
    return nullptr;
}

// A string-table block holds 16 strings, each a character count followed by that many characters. The
// block's size comes from the module and is trusted no further than that.
const WCHAR* StringInBlock(const WCHAR* pBlock, size_t nBlockLength, UINT nIndex, int* pnLength)
{
    size_t nPos = 0;
    for (UINT i = 0; i < nIndex && nPos < nBlockLength; ++i)
    {
        nPos += 1 + static_cast<size_t>(pBlock[nPos]);
    }
    if (nPos >= nBlockLength)
    {
        return nullptr;
    }
    size_t nLength = pBlock[nPos];
    if (nLength == 0 || nLength > nBlockLength - nPos - 1)
    {
        return nullptr;
    }
    *pnLength = static_cast<int>(nLength);
    return pBlock + nPos + 1;
}
} // namespace

const WCHAR* afximpl::FindStringImage(HINSTANCE hInstance, UINT nID, int* pnLength)
{
    *pnLength = 0;
    if (nID > 0xFFFF)
    {
        return nullptr;
    }
    HRSRC hBlock = FindResourceW(hInstance, MAKEINTRESOURCEW((nID >> 4) + 1), RT_STRING);
    if (hBlock == nullptr)
    {
        return nullptr;
    }
    HGLOBAL hData = LoadResource(hInstance, hBlock);
    DWORD dwSize = SizeofResource(hInstance, hBlock);
    const auto* pBlock = static_cast<const WCHAR*>(hData != nullptr ? LockResource(hData) : nullptr);
    if (pBlock == nullptr)
    {
        return nullptr;
    }
    return StringInBlock(pBlock, dwSize / sizeof(WCHAR), nID & 0x0F, pnLength);
}

HINSTANCE afximpl::FindStringResourceInstance(UINT nID)
{
    return SearchChain(
        [nID](HINSTANCE hModule)
        {
            int nLength = 0;
            return FindStringImage(hModule, nID, &nLength) != nullptr;
        });
}

/////////////////////////////////////////////////////////////////////////////

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    HINSTANCE hResource = AfxGetModuleState()->m_hCurrentResourceHandle;
    return hResource != nullptr ? hResource : GetModuleHandleW(nullptr);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    ASSERT(hInstResource != nullptr);
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hFound =
        SearchChain([=](HINSTANCE hModule) { return FindResourceW(hModule, lpszName, lpszType) != nullptr; });
    return hFound != nullptr ? hFound : AfxGetResourceHandle();
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    return afximpl::FindStringResourceInstance(nID);
}

int AFXAPI AfxLoadString(UINT nIDS, LPTSTR lpszBuf, UINT nMaxBuf)
{
    if (lpszBuf == nullptr || nMaxBuf == 0)
    {
        return 0;
    }
    lpszBuf[0] = 0;
    HINSTANCE hModule = afximpl::FindStringResourceInstance(nIDS);
    int nLength = 0;
    const WCHAR* pText = hModule != nullptr ? afximpl::FindStringImage(hModule, nIDS, &nLength) : nullptr;
    if (pText == nullptr)
    {
        return 0;
    }
    int nCopied = nLength < static_cast<int>(nMaxBuf - 1) ? nLength : static_cast<int>(nMaxBuf - 1);
    memcpy(lpszBuf, pText, static_cast<size_t>(nCopied) * sizeof(WCHAR));
    lpszBuf[nCopied] = 0;
    return nCopied;
}
