#include "certificates/detail/DerEncoder.h"

#include <cstdint>

namespace pardalin::detail
{
namespace
{
// Base-128 digits, most significant first, every one but the last with its top bit set.
void AppendBase128(DerBytes& out, std::uint64_t value)
{
    BYTE digits[10];
    int count = 0;
    do
    {
        digits[count++] = static_cast<BYTE>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<BYTE>(digits[--count] | 0x80));
    out.push_back(digits[0]);
}

bool ParseArc(const char*& text, std::uint64_t& arc)
{
    if (*text < '0' || *text > '9')
        return false;
    arc = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
    {
        const unsigned digit = static_cast<unsigned>(*text - '0');
        if (arc > (UINT64_MAX - digit) / 10)
            return false;
        arc = arc * 10 + digit;
    }
    return *text == '\0' || *text == '.';
}
} // namespace

void AppendTlv(DerBytes& out, BYTE tag, const BYTE* content, std::size_t length)
{
    out.push_back(tag);
    if (length < 0x80)
    {
        out.push_back(static_cast<BYTE>(length));
    }
    else
    {
        BYTE octets[sizeof(std::size_t)];
        int count = 0;
        for (std::size_t rest = length; rest != 0; rest >>= 8)
            octets[count++] = static_cast<BYTE>(rest & 0xFF);
        out.push_back(static_cast<BYTE>(0x80 | count));
        while (count > 0)
            out.push_back(octets[--count]);
    }
    out.insert(out.end(), content, content + length);
}

void AppendTlv(DerBytes& out, BYTE tag, const DerBytes& content)
{
    AppendTlv(out, tag, content.data(), content.size());
}

bool EncodeObjectIdentifier(const char* dotted, DerBytes& content)
{
    content.clear();
    if (!dotted)
        return false;
    const char* text = dotted;
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    if (!ParseArc(text, first) || *text++ != '.' || !ParseArc(text, second))
        return false;
    if (first > 2 || (first < 2 && second > 39) || second > UINT64_MAX - 80)
        return false;
    DerBytes encoded;
    AppendBase128(encoded, first * 40 + second);
    while (*text == '.')
    {
        ++text;
        std::uint64_t arc = 0;
        if (!ParseArc(text, arc))
            return false;
        AppendBase128(encoded, arc);
    }
    if (*text != '\0')
        return false;
    content.swap(encoded);
    return true;
}

void AppendUnsignedInteger(DerBytes& out, const BYTE* bytes, std::size_t length)
{
    while (length > 1 && bytes[0] == 0)
        ++bytes, --length;
    DerBytes content;
    if (length == 0 || (bytes[0] & 0x80))
        content.push_back(0);
    content.insert(content.end(), bytes, bytes + length);
    AppendTlv(out, der::kInteger, content);
}

bool AppendObjectIdentifier(DerBytes& out, const char* dotted)
{
    DerBytes content;
    if (!EncodeObjectIdentifier(dotted, content))
        return false;
    AppendTlv(out, der::kObjectIdentifier, content);
    return true;
}

bool EncodeSubjectPublicKeyInfo(const CERT_PUBLIC_KEY_INFO& key, DerBytes& out)
{
    DerBytes oid;
    if (!EncodeObjectIdentifier(key.Algorithm.pszObjId, oid))
        return false;
    DerBytes algorithm;
    AppendTlv(algorithm, der::kObjectIdentifier, oid);
    algorithm.insert(algorithm.end(), key.Algorithm.Parameters.pbData,
                     key.Algorithm.Parameters.pbData + key.Algorithm.Parameters.cbData);

    DerBytes bits;
    bits.push_back(static_cast<BYTE>(key.PublicKey.cUnusedBits));
    bits.insert(bits.end(), key.PublicKey.pbData, key.PublicKey.pbData + key.PublicKey.cbData);

    DerBytes content;
    AppendTlv(content, der::kSequence, algorithm);
    AppendTlv(content, der::kBitString, bits);
    out.clear();
    AppendTlv(out, der::kSequence, content);
    return true;
}

bool EncodeRequestInfo(const CERT_NAME_BLOB& subject, const CERT_PUBLIC_KEY_INFO& key, DerBytes& out)
{
    DerBytes publicKey;
    if (!EncodeSubjectPublicKeyInfo(key, publicKey))
        return false;
    static const BYTE version[] = {0};
    DerBytes content;
    AppendTlv(content, der::kInteger, version, sizeof version);
    content.insert(content.end(), subject.pbData, subject.pbData + subject.cbData);
    content.insert(content.end(), publicKey.begin(), publicKey.end());
    AppendTlv(content, der::kContextConstructed0, nullptr, 0);
    out.clear();
    AppendTlv(out, der::kSequence, content);
    return true;
}
} // namespace pardalin::detail
