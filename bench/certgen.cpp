// Making a certificate with a 2048-bit key, its request and its PFX file through the library, against openssl
// making a self-signed certificate with a new 2048-bit key (req -x509 -newkey rsa:2048 -nodes) and exporting
// it with the key as PKCS#12. A Windows program cannot wait for a Linux one, so the openssl side is timed by
// the benchmark script, best of its runs, and handed over in PARDALIN_BENCH_OPENSSL_CERTGEN (seconds). The
// ratio is openssl's time over ours; ours is the best of several runs too. Key generation draws random
// primes, so single runs vary widely on both sides.
#include "certificates/VCapiCertificateName.h"
#include "certificates/VCertificate.h"
#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{
using bench::Now;

constexpr int kRuns = 15;
constexpr DWORD kKeyBits = 2048;

// One certificate made, saved as certgen.pfx and certgen.csr, and released; negative when it failed.
double MakeOne(const CERT_NAME_BLOB* name, const FILETIME& notAfter)
{
    const double start = Now();
    VReportMessageParams err;
    VCertificate* certificate =
        VCertificate::Create(name, &notAfter, VCertificate::MakeRequest, kKeyBits, err);
    const bool saved = certificate && certificate->Save(L"certgen.pfx", err);
    if (certificate)
        certificate->Release();
    const double elapsed = Now() - start;
    if (!saved)
        std::printf("certgen: not made, error 0x%08lx\n", err.GetMessageId());
    return saved ? elapsed : -1;
}
} // namespace

int main()
{
    char figure[64] = {};
    const double openssl =
        GetEnvironmentVariableA("PARDALIN_BENCH_OPENSSL_CERTGEN", figure, sizeof figure) > 0
            ? std::strtod(figure, nullptr)
            : 0;
    if (openssl <= 0)
    {
        std::printf(
            "certgen: no openssl time in PARDALIN_BENCH_OPENSSL_CERTGEN (scripts/run-bench.sh sets it)\n");
        return 1;
    }

    // The subject as the openssl side gives it.
    VCapiCertificateName name;
    name.SetField(VCapiCertificateName::CommonName, L"bench.example.com");
    name.SetField(VCapiCertificateName::Organization, L"Example Org");
    name.SetField(VCapiCertificateName::Country, L"US");
    const CERT_NAME_BLOB* encoded = name.Encode();
    FILETIME notAfter;
    GetSystemTimeAsFileTime(&notAfter);
    notAfter.dwHighDateTime += 73426; // a year
    double ours = 1e30;
    for (int run = 0; run < kRuns; ++run)
    {
        const double elapsed = MakeOne(encoded, notAfter);
        if (elapsed < 0)
            return 1;
        ours = std::min(ours, elapsed);
    }
    std::printf("certgen: 2048-bit certificate, request and PFX: ours %.3f s, openssl %.3f s (best of %d)\n",
                ours, openssl, kRuns);
    std::printf("BENCH name=certgen ratio=%.3f target=1\n", openssl / ours);
    return 0;
}
