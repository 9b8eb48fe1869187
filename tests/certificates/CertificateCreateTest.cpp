// VCertificate: the key container's life, the key the certificate is bound to, the request, failed
// generations, the saved files read back by the platform; and the request's PEM text. What the certificate
// holds is read by openssl (certificates_modules).
#include "CertificateTestSupport.h"
#include "harness/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using certtest::MakeCertificate;

namespace
{
constexpr wchar_t kContainer[] = L"QorTmpKeyContainer";
constexpr wchar_t kProvider[] = L"Microsoft RSA SChannel Cryptographic Provider";

class Certificate : public testing::Test
{
protected:
    // A container left by an earlier process must not decide whether this test creates one.
    void SetUp() override
    {
        HCRYPTPROV provider = 0;
        CryptAcquireContextW(&provider, kContainer, kProvider, PROV_RSA_SCHANNEL, CRYPT_DELETEKEYSET);
    }
};

// Whether the temporary container exists (opened, never created, by this check); `key` receives the public
// key of its key-exchange pair.
bool OpenContainer(std::vector<BYTE>* key = nullptr)
{
    HCRYPTPROV provider = 0;
    if (!CryptAcquireContextW(&provider, kContainer, kProvider, PROV_RSA_SCHANNEL, CRYPT_SILENT))
        return false;
    DWORD size = 0;
    if (key && CryptExportPublicKeyInfo(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING, nullptr, &size))
    {
        std::vector<BYTE> info(size);
        auto* exported = reinterpret_cast<CERT_PUBLIC_KEY_INFO*>(info.data());
        CryptExportPublicKeyInfo(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING, exported, &size);
        key->assign(exported->PublicKey.pbData, exported->PublicKey.pbData + exported->PublicKey.cbData);
    }
    CryptReleaseContext(provider, 0);
    return true;
}
std::vector<BYTE> KeyOf(const VCertificate* certificate)
{
    const CRYPT_BIT_BLOB& key = certificate->GetCertificate()->pCertInfo->SubjectPublicKeyInfo.PublicKey;
    return std::vector<BYTE>(key.pbData, key.pbData + key.cbData);
}
} // namespace

TEST_F(Certificate, BoundToItsKeyWhichLivesUntilTheCertificateGoes)
{
    for (DWORD flags : {0u, 1u, 4u, 5u})
    {
        VReportMessageParams err(5);
        VCertificate* certificate = MakeCertificate(flags, 1024, err);
        ASSERT_NE(certificate, nullptr) << err.GetMessageId();
        std::vector<BYTE> key;
        EXPECT_TRUE(OpenContainer(&key));
        EXPECT_EQ(key, KeyOf(certificate));
        // Read back from the certificate's key-provider property.
        const VCapiPfxStore& store = certificate->GetStore().GetPfxStore();
        EXPECT_EQ(store.GetContainerName(), kContainer);
        EXPECT_EQ(store.GetProviderName(), kProvider);
        EXPECT_EQ(store.GetProviderType(), static_cast<DWORD>(PROV_RSA_SCHANNEL));
        // The request exists only when asked for.
        EXPECT_EQ(certificate->GetRequest() != nullptr, (flags & VCertificate::MakeRequest) != 0);
        EXPECT_EQ(certificate->GetRequestLength() != 0, (flags & VCertificate::MakeRequest) != 0);
        certificate->Release();
        EXPECT_FALSE(OpenContainer()) << "releasing the certificate deletes its container";
    }
}

TEST_F(Certificate, AFailedGenerationKeepsTheContainerAndTheNextOneWorks)
{
    VReportMessageParams err;
    EXPECT_EQ(VCertificate::Create(nullptr, nullptr, 4, 1024, err), nullptr);
    EXPECT_EQ(err.GetMessageId(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(OpenContainer()) << "a missing name fails before the container is made";
    // A key size the provider refuses: the container was made and stays; the next generation opens it.
    EXPECT_EQ(MakeCertificate(4, 8, err), nullptr);
    EXPECT_NE(err.GetMessageId(), 0u);
    EXPECT_TRUE(OpenContainer());
    VCertificate* next = MakeCertificate(4, 1024, err);
    ASSERT_NE(next, nullptr) << err.GetMessageId();
    std::vector<BYTE> key;
    EXPECT_TRUE(OpenContainer(&key));
    EXPECT_EQ(key, KeyOf(next));
    next->Release();
    EXPECT_FALSE(OpenContainer());
}

TEST_F(Certificate, ThePfxAndRequestFilesReadBackThroughThePlatform)
{
    testkit::TempFolder folder;
    VReportMessageParams err(5);
    VCertificate* certificate = MakeCertificate(4, 1024, err);
    ASSERT_NE(certificate, nullptr) << err.GetMessageId();
    ASSERT_TRUE(certificate->Save(folder.Path(L"host.P12").c_str(), err)) << err.GetMessageId();
    EXPECT_EQ(err.GetMessageId(), 0u);
    std::ifstream file(std::filesystem::path(folder.Path(L"host.P12")), std::ios::binary);
    std::vector<BYTE> pfx((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    CRYPT_DATA_BLOB blob{static_cast<DWORD>(pfx.size()), pfx.data()};
    HCERTSTORE store = PFXImportCertStore(&blob, nullptr, CRYPT_EXPORTABLE);
    if (!store)
        store = PFXImportCertStore(&blob, L"", CRYPT_EXPORTABLE);
    ASSERT_NE(store, nullptr) << GetLastError();
    PCCERT_CONTEXT imported = CertEnumCertificatesInStore(store, nullptr);
    ASSERT_NE(imported, nullptr);
    EXPECT_TRUE(CertCompareCertificate(X509_ASN_ENCODING, imported->pCertInfo,
                                       certificate->GetCertificate()->pCertInfo));
    DWORD size = 0;
    ASSERT_TRUE(CertGetCertificateContextProperty(imported, CERT_KEY_PROV_INFO_PROP_ID, nullptr, &size));
    std::vector<BYTE> property(size);
    CertGetCertificateContextProperty(imported, CERT_KEY_PROV_INFO_PROP_ID, property.data(), &size);
    const auto* key = reinterpret_cast<CRYPT_KEY_PROV_INFO*>(property.data());
    HCRYPTPROV deleted = 0; // the import's own container, which holds the key
    EXPECT_TRUE(CryptAcquireContextW(&deleted, key->pwszContainerName, key->pwszProvName, key->dwProvType,
                                     CRYPT_DELETEKEYSET));
    CertFreeCertificateContext(imported);
    CertCloseStore(store, 0);
    EXPECT_TRUE(testkit::Exists(folder.Path(L"host.csr")));
    certificate->Release();
}

TEST(CertificateRequestPem, LinesOf64CharactersHeaderAndFooter)
{
    const std::string header = "-----BEGIN NEW CERTIFICATE REQUEST-----\r\n";
    const std::string footer = "-----END NEW CERTIFICATE REQUEST-----\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"f", "Zg==\r\n"},
        {"fo", "Zm8=\r\n"},
        {"foobar", "Zm9vYmFy\r\n"},
        {"\xFF\xEF", "/+8=\r\n"},
        // 48 bytes fill one line exactly; one more starts another.
        {std::string(48, '\0'), std::string(64, 'A') + "\r\n"},
        {std::string(49, '\xFF'), std::string(64, '/') + "\r\n/w==\r\n"},
        {"", ""}}; // refused
    for (const auto& [der, base64] : cases)
    {
        VString pem;
        VReportMessageParams err(5);
        EXPECT_EQ(VCertificateRequestToPem(reinterpret_cast<const BYTE*>(der.data()),
                                           static_cast<DWORD>(der.size()), pem, err),
                  !der.empty());
        EXPECT_EQ(err.GetMessageId(), der.empty() ? static_cast<DWORD>(ERROR_INVALID_PARAMETER) : 0u);
        EXPECT_EQ(std::string(pem.GetString(), static_cast<size_t>(pem.GetLength())),
                  der.empty() ? "" : header + base64 + footer);
    }
}
