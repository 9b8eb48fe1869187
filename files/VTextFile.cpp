#include "files/VTextFile.h"

#include "files/detail/LineBuilder.h"
#include "files/detail/Utf8Decoder.h"

#include <emmintrin.h>

#include <cstring>
#include <new>

class VTextFile::Line : public pardalin::detail::LineBuilder
{
public:
    using LineBuilder::LineBuilder;
};

namespace
{
// The longest UTF-8 sequence: a refill is needed only when fewer bytes than this are left.
constexpr DWORD LongestSequence = 4;

struct ByteOrderMark
{
    BYTE bytes[3];
    DWORD length;
    VTextFile::TextEncoding encoding;
};

const ByteOrderMark ByteOrderMarks[] = {
    {{0xEF, 0xBB, 0xBF}, 3, VTextFile::Utf8},
    {{0xFF, 0xFE, 0x00}, 2, VTextFile::Utf16LE},
    {{0xFE, 0xFF, 0x00}, 2, VTextFile::Utf16BE},
};

// The first CR or LF in [p, end), or end. Lines are mostly long runs without either, so eight units are
// compared at a time.
const wchar_t* FindLineBreak(const wchar_t* p, const wchar_t* end)
{
    const __m128i cr = _mm_set1_epi16(L'\r');
    const __m128i lf = _mm_set1_epi16(L'\n');
    while (end - p >= 8)
    {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int found =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(units, cr), _mm_cmpeq_epi16(units, lf)));
        if (found != 0)
        {
            return p + __builtin_ctz(static_cast<unsigned>(found)) / 2;
        }
        p += 8;
    }
    while (p < end && *p != L'\r' && *p != L'\n')
    {
        ++p;
    }
    return p;
}

// Big-endian units to the machine's order, eight at a time.
void SwapBytes(const wchar_t* in, int units, wchar_t* out)
{
    int i = 0;
    for (; i + 8 <= units; i += 8)
    {
        const __m128i big = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_or_si128(_mm_slli_epi16(big, 8), _mm_srli_epi16(big, 8)));
    }
    for (; i < units; ++i)
    {
        out[i] = static_cast<wchar_t>((in[i] << 8) | (in[i] >> 8));
    }
}
} // namespace

VTextFile::VTextFile()
    : m_encoding(Undetected), m_bLockWhileReading(false), m_nBufferFileOffset(0), m_nFilled(0),
      m_nConsumed(0), m_bPendingCR(false), m_bGotText(false), m_nDecodedPos(0)
{
}

bool VTextFile::Open(const wchar_t* path, DWORD desiredAccess, DWORD creationDisposition)
{
    m_encoding = Undetected;
    m_nBufferFileOffset = 0;
    m_nFilled = 0;
    m_nConsumed = 0;
    m_bPendingCR = false;
    m_bGotText = false;
    m_decoded.Empty();
    m_nDecodedPos = 0;
    return VFile::Open(path, desiredAccess, creationDisposition);
}

bool VTextFile::Refill()
{
    bool detected = false;
    for (;;)
    {
        if (m_nFilled >= m_nConsumed + LongestSequence)
        {
            return true;
        }
        m_nBufferFileOffset += m_nConsumed;
        const DWORD tail = m_nFilled - m_nConsumed;
        std::memmove(Bytes(), Bytes() + m_nConsumed, tail);
        m_nFilled = tail;
        m_nConsumed = 0;

        const unsigned __int64 offset = m_nBufferFileOffset + m_nFilled;
        const DWORD wanted = BufferSize - m_nFilled;
        if (m_bLockWhileReading)
        {
            Lock(offset, wanted, false);
        }
        DWORD got = 0;
        const bool read = Read(Bytes() + m_nFilled, wanted, offset, &got);
        if (m_bLockWhileReading)
        {
            const DWORD readError = GetLastError();
            Unlock(offset, wanted);
            SetLastError(readError);
        }
        if (!read)
        {
            return m_bGotText;
        }
        m_nFilled += got;

        if (m_encoding == Undetected)
        {
            DetectEncoding();
            detected = true;
            continue;
        }
        if (got > 0 || (detected && m_nFilled > m_nConsumed))
        {
            return true;
        }
        SetLastError(ERROR_HANDLE_EOF);
        return m_bGotText;
    }
}

void VTextFile::DetectEncoding()
{
    m_encoding = Ansi;
    const DWORD available = m_nFilled - m_nConsumed;
    for (const ByteOrderMark& mark : ByteOrderMarks)
    {
        if (available >= mark.length && std::memcmp(Bytes() + m_nConsumed, mark.bytes, mark.length) == 0)
        {
            m_nConsumed += mark.length;
            m_encoding = mark.encoding;
            return;
        }
    }
}

void VTextFile::EmptyDecoded()
{
    // Emptied through the buffer, so the next block is decoded into the same allocation.
    if (!m_decoded.IsEmpty())
    {
        m_decoded.GetBuffer(0);
        m_decoded.ReleaseBuffer(0);
    }
}

bool VTextFile::SplitLine(const wchar_t* text, int& position, int length, Line& line)
{
    if (m_bPendingCR && position < length)
    {
        m_bPendingCR = false;
        if (text[position] == L'\n')
        {
            ++position;
        }
    }
    const int start = position;
    const int stop = static_cast<int>(FindLineBreak(text + start, text + length) - text);
    if (stop > start)
    {
        line.Append(text + start, stop - start);
        m_bGotText = true;
    }
    if (stop == length)
    {
        position = length;
        return false;
    }
    m_bPendingCR = text[stop] == L'\r';
    position = stop + 1;
    return true;
}

bool VTextFile::SplitDecoded(Line& line)
{
    if (m_decoded.IsEmpty())
    {
        return false;
    }
    return SplitLine(m_decoded.GetString(), m_nDecodedPos, m_decoded.GetLength(), line);
}

bool VTextFile::DecodePass(Line& line, bool& invalidText)
{
    const int available = static_cast<int>(m_nFilled - m_nConsumed);
    switch (m_encoding)
    {
    case Ansi:
        if (m_decoded.IsEmpty() && available > 0)
        {
            const char* bytes = reinterpret_cast<const char*>(Bytes() + m_nConsumed);
            wchar_t* out = m_decoded.GetBuffer(BufferSize);
            int chars = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, bytes, available, out, BufferSize);
            if (chars == 0 && GetLastError() == ERROR_INVALID_FLAGS)
            {
                // A UTF-8 ANSI code page takes no composition flags.
                chars = MultiByteToWideChar(CP_ACP, 0, bytes, available, out, BufferSize);
            }
            m_decoded.ReleaseBuffer(chars > 0 ? chars : 0);
            m_nConsumed = m_nFilled;
            m_nDecodedPos = 0;
        }
        return SplitDecoded(line);

    case Utf8:
        if (m_decoded.IsEmpty() && available > 0)
        {
            const BYTE* bytes = Bytes() + m_nConsumed;
            const pardalin::detail::Utf8Run run = pardalin::detail::Utf8Measure(bytes, available);
            if (run.units > 0)
            {
                pardalin::detail::Utf8Decode(bytes, run.bytesUsed, m_decoded.GetBuffer(run.units));
                m_decoded.ReleaseBuffer(run.units);
            }
            m_nConsumed += static_cast<DWORD>(run.bytesUsed);
            m_nDecodedPos = 0;
            if (run.invalid)
            {
                invalidText = true;
                const bool lineEnd = SplitDecoded(line);
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return lineEnd;
            }
        }
        return SplitDecoded(line);

    case Utf16LE:
    {
        int position = static_cast<int>(m_nConsumed / 2);
        const int end = static_cast<int>(m_nFilled / 2);
        if (position >= end)
        {
            return false;
        }
        const bool lineEnd = SplitLine(m_buffer, position, end, line);
        m_nConsumed = static_cast<DWORD>(position) * 2;
        return lineEnd;
    }

    case Utf16BE:
        if (m_decoded.IsEmpty())
        {
            const int first = static_cast<int>(m_nConsumed / 2);
            const int units = static_cast<int>(m_nFilled / 2) - first;
            if (units > 0)
            {
                SwapBytes(m_buffer + first, units, m_decoded.GetBuffer(units));
                m_decoded.ReleaseBuffer(units);
            }
            m_nConsumed = (m_nFilled / 2) * 2;
            m_nDecodedPos = 0;
        }
        return SplitDecoded(line);

    case Undetected:
    default:
        return false;
    }
}

bool VTextFile::ReadLine(VUnicodeString& line)
{
    try
    {
        Line builder(line);
        bool gathered = false;
        for (;;)
        {
            m_bGotText = false;
            if (m_nDecodedPos >= m_decoded.GetLength())
            {
                EmptyDecoded();
                m_nDecodedPos = 0;
            }
            bool invalidText = false;
            if (DecodePass(builder, invalidText))
            {
                return true;
            }
            if (invalidText)
            {
                // The text ends at the bad sequence; what came before it is the last line.
                return builder.GetLength() > 0;
            }
            if (m_bGotText)
            {
                gathered = true;
            }
            if (!m_decoded.IsEmpty())
            {
                continue;
            }
            if (!Refill())
            {
                return gathered;
            }
        }
    }
    catch (const std::bad_alloc&)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
}
