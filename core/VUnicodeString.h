/// \class VUnicodeString
/// The library's wide (UTF-16) string; VString is its narrow twin.
///
/// \code{.cpp}
/// VUnicodeString path(L"C:\\data");
/// path += L"\\report.txt";
/// VUnicodeString secret(L"pass", Str::Sensitive); // its buffer is zeroed when the last copy goes
/// if (path.Right(4) == L".txt") ...
/// \endcode
///
/// The members, the buffer and its rules are BasicString's (core/BasicString.h); characters are
/// wchar_t and lengths count characters.
#pragma once

#include "core/BasicString.h"

class PARDALIN_API VUnicodeString : public pardalin::detail::BasicString<wchar_t>
{
public:
    using BasicString::BasicString;
    using BasicString::operator=;
};
