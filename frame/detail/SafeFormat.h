// FormatMessageW with the library's rules for inserts: a message that refers to an insert it was not given,
// or whose inserts make the formatter fault, comes out with its placeholders unexpanded.
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{
// One call in the manner of FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY plus `flags`
// (source and width flags). `*text` receives a LocalAlloc'ed text, or null. Returns its length; 0 leaves the
// formatter's error as the last error, ERROR_INVALID_PARAMETER when the inserts could not be expanded and
// the unexpanded form failed as well.
DWORD FormatWithInserts(DWORD flags, const void* source, DWORD messageId, const wchar_t* const* inserts,
                        int insertCount, wchar_t** text);

// The highest insert number (%1 ... %99) that a message text refers to; 0 for none.
int HighestInsertReferenced(const wchar_t* text);
} // namespace pardalin::detail
