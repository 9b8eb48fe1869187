// A host built against the installed SDK: an application object on the MFC stand-in that uses the library's
// strings, message texts, certificate names and margin rules, and the host kit's buffer, then ends with the
// number of failed checks as its exit code. Each check prints a line on the standard output.
#include <afxwin.h>

#include "PardalinMessages.h"
#include "certificates/VCapiCertificateName.h"
#include "core/VUnicodeString.h"
#include "frame/VReportMessageParams.h"
#include "hostkit/CountedBuffer.h"
#include "printing/VValidateMarginsBase.h"

#include <cstdio>

namespace
{
// A printer whose measurements are given: a Letter page, printable 0.25 inch inside each edge.
class CLetterPrinter : public VValidateMarginsBase
{
    bool Initialize(VMarginData&, const LOGFONTW*) override { return true; }
    void calcMargins() override
    {
        pageWidth = 8.5;
        pageHeight = 11;
        minLeft = minTop = 0.25;
        printableRight = 8.25;
        printableBottom = 10.75;
    }
};

class CSdkHostApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        VUnicodeString name(L"sdk");
        name += L"-host";
        Check(name == CString(L"sdk-host"), "library strings append");

        VReportMessageParams params(MSG_HELP_COMMON_NAME);
        const wchar_t* text = params.GetSingleLineText();
        Check(text != nullptr && wcsncmp(text, L"Common Name is", 14) == 0,
              "the library's message table is read from its DLL");

        VCapiCertificateName subject;
        subject.SetField(VCapiCertificateName::CommonName, L"sdk-host.example.net");
        Check(subject.Encode() != nullptr, "a certificate subject encodes");

        CLetterPrinter printer;
        VMarginData margins = {0.2, 1, 1, 1};
        double minimum = 0;
        Check(printer.Create(margins, nullptr) && !printer.ValidateMargin(0, minimum) && minimum == 0.25,
              "a left margin of 0.2 inch is refused on a printer that starts at 0.25");

        auto* buffer = new VCountedBuffer("ping", 4);
        Check(buffer->GetLength() == 4, "the host kit's buffer holds what it was given");
        buffer->Release();
        return FALSE;
    }

    int ExitInstance() override
    {
        CWinApp::ExitInstance();
        std::printf("%d failed\n", m_nFailures);
        std::fflush(stdout);
        return m_nFailures;
    }

private:
    void Check(bool passed, const char* what)
    {
        std::printf("%s %s\n", passed ? "ok  " : "FAIL", what);
        m_nFailures += passed ? 0 : 1;
    }

    int m_nFailures = 0;
};

CSdkHostApp theApp;
} // namespace
