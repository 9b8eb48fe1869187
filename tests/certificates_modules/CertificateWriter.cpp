// Writes generated certificates (".cer", DER; ".pfx" with the key) and their requests (".csr", PEM) into a
// folder for checks by another implementation, with a line "<file stem> <flags> <key bits>" per certificate
// in "expected.txt".
//
//     CertificateWriter.exe <folder> <count>
//     CertificateWriter.exe load <file>...  (prints "<file> loaded" or "<file> failed <reason>" for each)
//
// <count> certificates with a 1024-bit key and the full subject, flags cycling through server and client
// usage with and without a request; then one with a 2048-bit key, one with a 1000-bit key (its primes are
// not whole bytes), one with a 10,000-character common name and one with characters outside every ANSI code
// page.
#include "certificates/CertificateTestSupport.h"

#include <cstdio>
#include <string>

namespace
{
bool WriteFile(const std::wstring& path, const void* data, size_t size)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    const bool written = file && fwrite(data, 1, size, file) == size;
    return file && fclose(file) == 0 && written;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && std::wstring(argv[1]) == L"load")
    {
        for (int i = 2; i < argc; ++i)
        {
            VReportMessageParams err;
            VCertificate* certificate = new VCertificate;
            const bool loaded = certificate->Load(argv[i], err);
            std::wprintf(L"%ls %ls %ls\n", argv[i], loaded ? L"loaded" : L"failed",
                         loaded ? L"" : err.GetInserts()[1]);
            certificate->Release();
        }
        return 0;
    }
    const std::wstring folder = argc == 3 ? argv[1] : L"";
    FILE* expected = _wfopen((folder + L"\\expected.txt").c_str(), L"wb");
    if (argc != 3 || !expected)
        return 2;
    const auto write =
        [&](const std::string& stem, DWORD flags, DWORD bits, const wchar_t* commonName, bool all)
    {
        VReportMessageParams err;
        VCertificate* certificate = certtest::MakeCertificate(flags, bits, err, commonName, all);
        const std::wstring base = folder + L"\\" + std::wstring(stem.begin(), stem.end());
        const bool ok = certificate && certificate->Save((base + L".pfx").c_str(), err) &&
                        WriteFile(base + L".cer", certificate->GetCertificate()->pbCertEncoded,
                                  certificate->GetCertificate()->cbCertEncoded);
        if (!ok)
            std::fprintf(stderr, "%s: not written, error 0x%08lx\n", stem.c_str(), err.GetMessageId());
        std::fprintf(expected, "%s %lu %lu\n", stem.c_str(), flags, bits);
        if (certificate)
            certificate->Release();
        return ok;
    };
    bool ok = true;
    for (int i = 0; ok && i < _wtoi(argv[2]); ++i)
        ok =
            write("cert" + std::to_string(i), (i % 2) | (i % 4 < 2 ? 4 : 0), 1024, L"host.example.com", true);
    ok = ok && write("key2048", 4, 2048, L"host.example.com", true) &&
         write("key1000", 4, 1000, L"host.example.com", true) &&
         write("long", 4, 1024, std::wstring(10000, L'w').c_str(), false) &&
         write("wide", 4, 1024, L"\u0416\u4E2D\u00E9", false);
    return std::fclose(expected) == 0 && ok ? 0 : 1;
}
