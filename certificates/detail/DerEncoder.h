// DerEncoder: the few DER structures the library writes itself, for platforms whose certificate encoder
// lacks them. Only encoding lives here; hashing and signing stay with CryptoAPI.
//
//     pardalin::detail::DerBytes info;
//     if (pardalin::detail::EncodeRequestInfo(subject, publicKey, info))
//         CryptSignCertificate(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING, info.data(), ...);
#pragma once

#include "core/PardalinApi.h"

#include <wincrypt.h>

#include <cstddef>
#include <vector>

namespace pardalin::detail
{
using DerBytes = std::vector<BYTE>;

namespace der
{
constexpr BYTE kInteger = 0x02;
constexpr BYTE kBitString = 0x03;
constexpr BYTE kOctetString = 0x04;
constexpr BYTE kNull = 0x05;
constexpr BYTE kObjectIdentifier = 0x06;
constexpr BYTE kSequence = 0x30;
constexpr BYTE kSet = 0x31;
// [0], constructed: the attributes of a certification request, the content of a PKCS#7 or PKCS#12 wrapper.
constexpr BYTE kContextConstructed0 = 0xA0;
} // namespace der

// Appends tag, definite length (short or long form) and content.
void AppendTlv(DerBytes& out, BYTE tag, const BYTE* content, std::size_t length);
void AppendTlv(DerBytes& out, BYTE tag, const DerBytes& content);

// The content octets of an object identifier given in dotted form ("1.2.840.113549.1.1.1"). False for a
// text that is no identifier: fewer than two arcs, an empty or non-digit arc, a first arc above 2, a second
// arc above 39 under the first two roots, or an arc beyond 64 bits; `content` is then empty.
bool EncodeObjectIdentifier(const char* dotted, DerBytes& content);

// An INTEGER of the unsigned big-endian number `bytes`: redundant leading zeros dropped, a zero put in front
// of a top bit that would read as a sign.
void AppendUnsignedInteger(DerBytes& out, const BYTE* bytes, std::size_t length);

// An OBJECT IDENTIFIER; false (nothing appended) for a text that is no identifier.
bool AppendObjectIdentifier(DerBytes& out, const char* dotted);

// SubjectPublicKeyInfo: the algorithm (its parameters copied as they are, left out when empty) and the key's
// bit string.
bool EncodeSubjectPublicKeyInfo(const CERT_PUBLIC_KEY_INFO& key, DerBytes& out);

// CertificationRequestInfo, version 1 (0), with the subject (already DER), the public key and no
// attributes: the bytes a certification request signs.
bool EncodeRequestInfo(const CERT_NAME_BLOB& subject, const CERT_PUBLIC_KEY_INFO& key, DerBytes& out);
} // namespace pardalin::detail
