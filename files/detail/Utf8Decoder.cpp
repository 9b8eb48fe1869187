#include "files/detail/Utf8Decoder.h"

#include <emmintrin.h>

namespace pardalin::detail
{
namespace
{
// How many of the next sixteen bytes are ASCII before the first that is not (16 when all are). ASCII is by
// far the most common case, so it is recognised sixteen bytes at a time.
int AsciiPrefix(const BYTE* bytes)
{
    const int highBits = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes)));
    return highBits == 0 ? 16 : __builtin_ctz(static_cast<unsigned>(highBits));
}

// Widens sixteen ASCII bytes to sixteen UTF-16 units.
void WidenSixteen(const BYTE* bytes, wchar_t* out)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i narrow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(narrow, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(narrow, zero));
}

int SequenceLength(BYTE lead)
{
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The code point of a complete sequence of `length` bytes, or -1 when it is invalid.
long CodePoint(const BYTE* sequence, int length)
{
    if (length == 1)
    {
        return sequence[0];
    }
    // The bit below the length marker must be clear; only a four-byte lead can have it set (0xF8-0xFF).
    if (length == 4 && (sequence[0] & 0x08) != 0)
    {
        return -1;
    }
    static const BYTE payloadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    long value = sequence[0] & payloadMask[length];
    for (int k = 1; k < length; ++k)
    {
        if ((sequence[k] & 0xC0) != 0x80)
        {
            return -1;
        }
        value = (value << 6) | (sequence[k] & 0x3F);
    }
    return value < 0x110000 ? value : -1;
}
} // namespace

Utf8Run Utf8Measure(const BYTE* bytes, int count)
{
    Utf8Run run = {0, 0, false};
    int i = 0;
    while (i < count)
    {
        if (count - i >= 16)
        {
            const int ascii = AsciiPrefix(bytes + i);
            i += ascii;
            run.units += ascii;
            if (ascii == 16)
            {
                continue;
            }
        }
        const BYTE lead = bytes[i];
        if (lead < 0xC0)
        {
            ++i;
            ++run.units;
            continue;
        }
        const int length = SequenceLength(lead);
        if (count - i < length)
        {
            break;
        }
        const long value = CodePoint(bytes + i, length);
        if (value < 0)
        {
            run.invalid = true;
            break;
        }
        run.units += value >= 0x10000 ? 2 : 1;
        i += length;
    }
    run.bytesUsed = i;
    return run;
}

void Utf8Decode(const BYTE* bytes, int count, wchar_t* out)
{
    int i = 0;
    while (i < count)
    {
        if (count - i >= 16)
        {
            const int ascii = AsciiPrefix(bytes + i);
            if (ascii == 16)
            {
                WidenSixteen(bytes + i, out);
                out += 16;
                i += 16;
                continue;
            }
            for (int k = 0; k < ascii; ++k)
            {
                *out++ = bytes[i++];
            }
        }
        const BYTE lead = bytes[i];
        if (lead < 0xC0)
        {
            *out++ = lead;
            ++i;
            continue;
        }
        const int length = SequenceLength(lead);
        const long value = CodePoint(bytes + i, length);
        if (value >= 0x10000)
        {
            *out++ = static_cast<wchar_t>(0xD800 | (((value - 0x10000) >> 10) & 0x3FF));
            *out++ = static_cast<wchar_t>(0xDC00 | (value & 0x3FF));
        }
        else
        {
            *out++ = static_cast<wchar_t>(value);
        }
        i += length;
    }
}

} // namespace pardalin::detail
