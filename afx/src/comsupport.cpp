// The conversions of the compiler's COM support classes (_bstr_t and _variant_t from <comutil.h>) between
// narrow text and BSTR: the system's headers declare them and leave their code to a support library, which
// this toolchain does not ship. Narrow text is in the ANSI code page; a failed allocation throws _com_error.
#include <comdef.h>

namespace _com_util
{
__declspec(dllexport) BSTR WINAPI ConvertStringToBSTR(const char* pSrc)
{
    if (pSrc == nullptr)
        return nullptr;
    const int nLength = ::MultiByteToWideChar(CP_ACP, 0, pSrc, -1, nullptr, 0);
    BSTR bstr = nLength > 0 ? ::SysAllocStringLen(nullptr, static_cast<UINT>(nLength - 1)) : nullptr;
    if (bstr == nullptr)
        _com_issue_error(E_OUTOFMEMORY);
    ::MultiByteToWideChar(CP_ACP, 0, pSrc, -1, bstr, nLength);
    return bstr;
}

__declspec(dllexport) char* WINAPI ConvertBSTRToString(BSTR pSrc)
{
    if (pSrc == nullptr)
        return nullptr;
    const int nWide = static_cast<int>(::SysStringLen(pSrc)) + 1;
    const int nLength = ::WideCharToMultiByte(CP_ACP, 0, pSrc, nWide, nullptr, 0, nullptr, nullptr);
    char* psz = nLength > 0 ? new (std::nothrow) char[static_cast<size_t>(nLength)] : nullptr;
    if (psz == nullptr)
        _com_issue_error(E_OUTOFMEMORY);
    ::WideCharToMultiByte(CP_ACP, 0, pSrc, nWide, psz, nLength, nullptr, nullptr);
    return psz;
}
} // namespace _com_util
