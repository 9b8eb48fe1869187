// The text reader's UTF-8 decoder. A run is decoded in two passes: Utf8Measure finds how many UTF-16 units
// the bytes give and where decoding must stop, Utf8Decode then writes exactly those units.
//
// Sequences are read by their lead byte's length (0x00-0xBF: 1, 0xC0-0xDF: 2, 0xE0-0xEF: 3, 0xF0-0xFF: 4);
// a stray continuation byte stands for the code point of the same value, and overlong forms and surrogate
// code points pass. A sequence that does not fit in the bytes ends the run without error (its remainder is
// still to be read); a lead byte 0xF8-0xFF, a bad continuation byte or a value above 0x10FFFF is invalid.
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{

struct Utf8Run
{
    int units;     // UTF-16 units the accepted bytes give
    int bytesUsed; // bytes before the end of the run
    bool invalid;  // the run ended at an invalid sequence
};

Utf8Run Utf8Measure(const BYTE* bytes, int count);
// Decodes `count` bytes that Utf8Measure accepted into `out`, which has room for the units it reported.
void Utf8Decode(const BYTE* bytes, int count, wchar_t* out);

} // namespace pardalin::detail
