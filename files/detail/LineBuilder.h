// Gathers a line of text in place in the caller's string. Runs are copied into the string's own buffer, which
// grows geometrically, so a line gathered from thousands of blocks costs linear time; a short line left in
// the string by the previous read lends its buffer to the next one.
#pragma once

#include "core/VUnicodeString.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace pardalin::detail
{

class LineBuilder
{
public:
    explicit LineBuilder(VUnicodeString& line) : m_line(line), m_text(nullptr), m_length(0), m_capacity(0)
    {
        const int previous = line.GetLength();
        if (previous > ReuseLimit)
        {
            // A huge buffer is not kept alive for the short lines that usually follow.
            line.Empty();
        }
        else if (previous > 0)
        {
            m_text = line.GetBuffer(0);
            m_capacity = previous;
        }
    }

    LineBuilder(const LineBuilder&) = delete;
    LineBuilder& operator=(const LineBuilder&) = delete;

    ~LineBuilder() { Finish(); }

    void Append(const wchar_t* run, int count)
    {
        if (count > m_capacity - m_length)
        {
            Grow(count);
        }
        std::memcpy(m_text + m_length, run, static_cast<size_t>(count) * sizeof(wchar_t));
        m_length += count;
    }

    int GetLength() const { return m_length; }

    // Gives the string its final length; nothing may be appended afterwards.
    void Finish()
    {
        if (m_text != nullptr)
        {
            m_line.ReleaseBuffer(m_length);
            m_text = nullptr;
        }
    }

private:
    static constexpr int ReuseLimit = 16384;
    static constexpr int MinCapacity = 128;
    // The most characters a VUnicodeString holds.
    static constexpr int MaxCapacity = 0x7FFFFFFF / static_cast<int>(sizeof(wchar_t)) - 1;

    void Grow(int count)
    {
        if (count > MaxCapacity - m_length)
        {
            throw std::bad_alloc();
        }
        const int needed = m_length + count;
        const int doubled = m_length > MaxCapacity / 2 ? MaxCapacity : m_length * 2;
        const int wanted = std::max({needed, doubled, MinCapacity});
        if (m_text != nullptr)
        {
            // The string copies only the characters it knows of when it moves to a larger buffer.
            m_line.ReleaseBuffer(m_length);
        }
        m_text = m_line.GetBuffer(wanted);
        m_capacity = wanted;
    }

    VUnicodeString& m_line;
    wchar_t* m_text;
    int m_length;
    int m_capacity;
};

} // namespace pardalin::detail
