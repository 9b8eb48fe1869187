// Shared vocabulary of the library's string types: sensitivity and base-10 number conversion.
#pragma once

#include "core/PardalinApi.h"
#include "resources/HostMessageIds.h"

namespace Str
{

// Marks a string whose contents must not linger in memory once the string is gone.
enum SensitiveState
{
    NotSensitive = 0,
    Sensitive = 1
};

// The structured exception raised (continuable, without arguments) when a string is indexed out of range.
constexpr unsigned long IndexException = MSG_HOST_STRING_INDEX;

// Base-10 conversions. They fail for a null text, a text without a digit and a value out of range; the
// unsigned forms also fail when a minus sign stands in the number. The strict forms accept nothing but
// white space after the number. The value read is stored even when the conversion fails.
PARDALIN_API bool ToInt(const wchar_t* text, int& value);
PARDALIN_API bool ToIntStrict(const wchar_t* text, int& value);
PARDALIN_API bool ToUInt(const wchar_t* text, unsigned int& value);
PARDALIN_API bool ToUIntStrict(const wchar_t* text, unsigned int& value);

PARDALIN_API bool ToInt(const char* text, int& value);
PARDALIN_API bool ToIntStrict(const char* text, int& value);
PARDALIN_API bool ToUInt(const char* text, unsigned int& value);
PARDALIN_API bool ToUIntStrict(const char* text, unsigned int& value);

} // namespace Str
