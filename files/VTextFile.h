/// \class VTextFile
/// Reads a text file line by line. The encoding comes from a byte-order mark (UTF-8, UTF-16 little- or
/// big-endian) and is the ANSI code page without one; CR, LF and CR LF all end a line. The file is read in
/// 4096-byte blocks; UTF-16LE text is split into lines straight out of the block.
///
/// The owner opens the file for reading (Open with GENERIC_READ) and may ask for a shared lock on each block
/// while it is read. Invalid UTF-8 ends the readable text: the text before it is returned, nothing after it.
///
/// \code{.cpp}
/// VTextFile file;
/// file.SetShareRead();
/// if (!file.Open(path, GENERIC_READ, OPEN_EXISTING))
///     return false;
/// VUnicodeString line;
/// while (file.ReadLine(line))
///     Parse(line);
/// if (GetLastError() != ERROR_HANDLE_EOF)
///     ... the text could not be read to its end ...
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "files/VFile.h"

class PARDALIN_API VTextFile : public VFile
{
public:
    /// The encoding of the text being read.
    enum TextEncoding : DWORD
    {
        Undetected = 0, ///< Nothing read yet.
        Ansi = 1,       ///< No byte-order mark: the ANSI code page.
        Utf8 = 2,       ///< The UTF-8 mark EF BB BF.
        Utf16LE = 3,    ///< The UTF-16 mark FF FE.
        Utf16BE = 4,    ///< The UTF-16 mark FE FF.
    };

    /// The size of the read buffer.
    enum : DWORD
    {
        BufferSize = 4096, ///< The bytes read (and locked) at a time.
    };

    /// Closed, encoding Undetected, no locking while reading.
    VTextFile();

    /// Opening starts reading afresh: the encoding is detected again and nothing of a file read before
    /// (offsets, buffered bytes, a pending CR) carries over.
    bool Open(const wchar_t* path, DWORD desiredAccess, DWORD creationDisposition) override;

    /// The next line without its line end (possibly empty). False at the end of the text with nothing read;
    /// the last error then is ERROR_HANDLE_EOF, ERROR_NO_UNICODE_TRANSLATION for invalid UTF-8, the read's
    /// own error, or ERROR_NOT_ENOUGH_MEMORY when the line does not fit in memory.
    bool ReadLine(VUnicodeString& line);

    /// Whether each block is read under a shared lock of its range (waiting for writers' exclusive locks).
    void SetLockWhileReading(bool lock) { m_bLockWhileReading = lock; }
    /// Undetected until the first ReadLine.
    TextEncoding GetEncoding() const { return m_encoding; }

private:
    // The line being gathered, in the caller's string.
    class Line;

    BYTE* Bytes() { return reinterpret_cast<BYTE*>(m_buffer); }
    // Makes at least four unconsumed bytes available when the file has them; false when decoding cannot go
    // on (end of file or a read error) and the current pass gathered no text.
    bool Refill();
    void DetectEncoding();
    // One decoding pass of the current encoding; true when it ended a line. invalidText reports a UTF-8
    // sequence that cannot be decoded.
    bool DecodePass(Line& line, bool& invalidText);
    bool SplitDecoded(Line& line);
    // Moves text up to the next line end into `line`; true when a line end was seen.
    bool SplitLine(const wchar_t* text, int& position, int length, Line& line);
    void EmptyDecoded();

    // The raw bytes, stored as 16-bit units so that UTF-16 text can be read in place.
    wchar_t m_buffer[BufferSize / sizeof(wchar_t)];
    TextEncoding m_encoding;
    bool m_bLockWhileReading;
    unsigned __int64 m_nBufferFileOffset;
    DWORD m_nFilled;
    DWORD m_nConsumed;
    bool m_bPendingCR;
    bool m_bGotText;
    VUnicodeString m_decoded;
    int m_nDecodedPos;
};
