// What the store reliability test and its writer program agree on: the key they write, the two payloads the
// writer alternates between, and the values that every complete file holds besides the payload.
//
//     std::vector<BYTE> expected = storewriter::Payload(storewriter::NewSet);
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace storewriter
{
const wchar_t KeyName[] = L"Reliability";
const wchar_t PayloadName[] = L"Payload";
// Large enough that a write of the file takes a while and spends it in every one of its steps.
const size_t PayloadSize = 128 * 1024;

enum Set : BYTE
{
    OldSet = 0x01,
    NewSet = 0x02,
};

// Every byte depends on the set and its position, so any mix of the two sets, a cut or a shift shows.
inline std::vector<BYTE> Payload(Set set)
{
    std::vector<BYTE> bytes(PayloadSize);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<BYTE>((i * 131 + (i >> 8) * 7 + set * 0x5B) & 0xFF);
    bytes[0] = set;
    return bytes;
}

// The values that the test writes once, before any writer runs, and that every kill must leave alone.
inline std::wstring FixedName(int index)
{
    return L"fixed " + std::to_wstring(index) + (index % 3 == 0 ? L" =[x]\r\n" : L"");
}
const int FixedCount = 40;
} // namespace storewriter
