/// \class VString
/// The narrow (char) twin of VUnicodeString, with the same buffer and rules; lengths count bytes.
///
/// \code{.cpp}
/// VString line("GET ");
/// line.Append("/index.html");
/// VString ansi(VUnicodeString(L"Caf\u00e9")); // converts through the ANSI code page
/// \endcode
///
/// The members are BasicString's (core/BasicString.h), with C = char.
#pragma once

#include "core/BasicString.h"

class PARDALIN_API VString : public pardalin::detail::BasicString<char>
{
public:
    using BasicString::BasicString;
    using BasicString::operator=;
};
