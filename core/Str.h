/// \file
/// Shared vocabulary of the library's string types: sensitivity and base-10 number conversion.
///
/// \code{.cpp}
/// VUnicodeString password(L"", Str::Sensitive); // its buffer is zeroed when it goes
/// int port = 0;
/// bool ok = Str::ToIntStrict(L" 8080 ", port);  // true, 8080: only white space around the number
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "resources/HostMessageIds.h"

/// The string types' sensitivity and the base-10 conversions they use.
namespace Str
{

/// Marks a string whose contents must not linger in memory once the string is gone.
enum SensitiveState
{
    NotSensitive = 0, ///< An ordinary string; its buffer is freed as it is.
    Sensitive = 1     ///< The buffer is zeroed before it is freed, by the last string that holds it.
};

/// The structured exception raised (continuable, without arguments) when a string is indexed out of range.
/// A handler that continues execution gets a harmless result (the NUL, -1, or no change).
constexpr unsigned long IndexException = MSG_HOST_STRING_INDEX;

/// Base-10 conversions of a text's leading number (after optional white space and a sign), true on
/// success. They fail for a null text (leaving `value` unchanged), a text without a digit and a value out
/// of range; the unsigned forms also fail when a minus sign stands in the number. The strict forms (the
/// ...Strict names) also fail when anything but white space follows the number. Otherwise the value read
/// is stored even when the conversion fails: 0 without a digit, the nearest end of the range on overflow.
///@{
PARDALIN_API bool ToInt(const wchar_t* text, int& value);
PARDALIN_API bool ToIntStrict(const wchar_t* text, int& value);
PARDALIN_API bool ToUInt(const wchar_t* text, unsigned int& value);
PARDALIN_API bool ToUIntStrict(const wchar_t* text, unsigned int& value);

PARDALIN_API bool ToInt(const char* text, int& value);
PARDALIN_API bool ToIntStrict(const char* text, int& value);
PARDALIN_API bool ToUInt(const char* text, unsigned int& value);
PARDALIN_API bool ToUIntStrict(const char* text, unsigned int& value);
///@}

} // namespace Str
