// Loading certificates: PFX files written by the library, companion certificate files, damaged files, and
// paths into the system stores (which this Wine cannot search by subject attribute: only failures here).
#include "CertificateTestSupport.h"
#include "harness/ScratchFolder.h"
#include "resources/HostMessageIds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace
{
void WriteBytes(const std::wstring& path, const BYTE* data, size_t size)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(data), size);
}

std::wstring Text(DWORD id)
{
    return VReportMessageParams(id).GetSingleLineText();
}
} // namespace

TEST(CertificateLoad, FilesCompanionsDamageAndStorePaths)
{
    testkit::TempFolder folder;
    VReportMessageParams err;
    // Saved before the next generation replaces the container's key.
    VCertificate* made = certtest::MakeCertificate(0, 1024, err);
    ASSERT_TRUE(made && made->Save(folder.Path(L"host.pfx").c_str(), err)) << err.GetMessageId();
    VCertificate* other = certtest::MakeCertificate(0, 1024, err);
    ASSERT_NE(other, nullptr);
    const CERT_CONTEXT& own = *made->GetCertificate();
    const CERT_CONTEXT& companion = *other->GetCertificate();
    std::ifstream in(std::filesystem::path(folder.Path(L"host.pfx")), std::ios::binary);
    const std::string pfx((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto* bytes = reinterpret_cast<const BYTE*>(pfx.data());
    WriteBytes(folder.Path(L"half.pfx"), bytes, pfx.size() / 2);
    WriteBytes(folder.Path(L"empty.p12"), bytes, 0);
    WriteBytes(folder.Path(L"text.pfx"), reinterpret_cast<const BYTE*>("not a PFX at all"), 16);
    for (const wchar_t* name : {L"both.pfx", L"cer.P12", L"bad.pfx"})
        WriteBytes(folder.Path(name), bytes, pfx.size());
    WriteBytes(folder.Path(L"both.crt"), companion.pbCertEncoded, companion.cbCertEncoded);
    WriteBytes(folder.Path(L"both.cer"), own.pbCertEncoded, own.cbCertEncoded);
    WriteBytes(folder.Path(L"cer.cer"), companion.pbCertEncoded, companion.cbCertEncoded);
    WriteBytes(folder.Path(L"bad.crt"), reinterpret_cast<const BYTE*>("-----BEGIN"), 10);

    const struct
    {
        std::wstring path;
        const CERT_CONTEXT* loaded; // null: fails
        DWORD reason;               // 0: any
    } cases[] = {
        {folder.Path(L"host.pfx"), &own, 0},
        {folder.Path(L"both.pfx"), &companion, 0},
        {folder.Path(L"cer.P12"), &companion, 0},
        {folder.Path(L"bad.pfx"), nullptr, 0},
        {folder.Path(L"half.pfx"), nullptr, 0},
        {folder.Path(L"text.pfx"), nullptr, 0},
        {folder.Path(L"empty.p12"), nullptr, 0},
        {folder.Path(L"missing.pfx"), nullptr, ERROR_FILE_NOT_FOUND},
        // A store path in any case; a file path with two parts or four.
        {L"CaPi::My::nobody.example.com", nullptr, static_cast<DWORD>(CRYPT_E_NOT_FOUND)},
        {L"capi::My", nullptr, ERROR_FILE_NOT_FOUND},
        {L"capi::My::host.example.com::x", nullptr, 0},
    };
    for (const auto& c : cases)
    {
        VCertificate* certificate = new VCertificate;
        const bool loaded = certificate->Load(c.path.c_str(), err);
        EXPECT_EQ(loaded, c.loaded != nullptr) << c.path;
        EXPECT_EQ(err.GetMessageId(),
                  c.loaded ? MSG_HOST_CERTIFICATE_LOADED : MSG_HOST_CERTIFICATE_NOT_LOADED);
        ASSERT_EQ(err.GetInsertCount(), c.loaded ? 1 : 2) << c.path;
        EXPECT_EQ(err.GetInserts()[0], c.path);
        if (c.reason)
        {
            EXPECT_EQ(err.GetInserts()[1], Text(c.reason)) << c.path;
        }
        const VCapiCertificateStore& store = certificate->GetStore();
        PCCERT_CONTEXT result =
            certificate->GetCertificate() ? certificate->GetCertificate() : store.GetCertificate();
        if (c.loaded && result)
        {
            EXPECT_TRUE(CertCompareCertificate(X509_ASN_ENCODING, result->pCertInfo, c.loaded->pCertInfo))
                << c.path;
        }
        const VUnicodeString container = store.GetPfxStore().GetContainerName();
        // A loaded PFX's key: RSA, in a container of its own, which goes with the object.
        if (c.loaded && !certificate->GetCertificate())
        {
            EXPECT_EQ(store.GetPfxStore().GetKeyType(), static_cast<DWORD>(VCapiPfxStore::RsaKey));
            EXPECT_NE(container, L"QorTmpKeyContainer");
            DWORD size = 0;
            EXPECT_TRUE(
                CertGetCertificateContextProperty(result, CERT_KEY_PROV_INFO_PROP_ID, nullptr, &size));
        }
        const DWORD type = store.GetPfxStore().GetProviderType();
        const VUnicodeString provider = store.GetPfxStore().GetProviderName();
        certificate->Release();
        HCRYPTPROV handle = 0;
        EXPECT_FALSE(type && CryptAcquireContextW(&handle, container, provider, type, CRYPT_SILENT))
            << c.path;
        EXPECT_EQ(VCheckCertificatePath(c.path.c_str(), err), c.loaded != nullptr);
        if (!c.loaded)
        {
            EXPECT_EQ(err.GetMessageId(), MSG_HOST_CERTIFICATE_PATH_INVALID);
        }
    }
    made->Release();
    other->Release();
}
