// Argument passing for the printf-style members of CStringT and for TRACE.
#pragma once

#include <type_traits>

template <typename BaseType> class CStringT;

namespace afxdetail
{
// Code written for MFC passes CString objects straight to Format ("%s", str): MFC's compiler copies the one
// pointer the object holds into the argument list. GCC passes such a class by hidden reference instead, so
// every CStringT argument is turned into its character pointer before it reaches the variable argument list.
template <typename T> inline auto FormatArg(const T& value)
{
    if constexpr (std::is_base_of_v<CStringT<wchar_t>, T> || std::is_base_of_v<CStringT<char>, T>)
    {
        return value.GetString();
    }
    else
    {
        return value;
    }
}
} // namespace afxdetail
