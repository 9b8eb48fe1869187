// The diagnostic macros as a debug build of a host sees them, whatever this test program is built as.
#undef NDEBUG
#include <afx.h>

#include <gtest/gtest.h>

#include <string>

static_assert(AFX_DIAGNOSTICS, "this file checks the diagnostic forms of the macros");

namespace
{
// Collects what the calling thread writes with OutputDebugString. The system delivers it as a
// continuable exception that a vectored handler sees before any debugger logic.
class DebugOutputCapture
{
public:
    DebugOutputCapture() : m_hHandler(AddVectoredExceptionHandler(1, &Handler))
    {
        s_text.clear();
        s_threadId = GetCurrentThreadId();
    }
    ~DebugOutputCapture()
    {
        RemoveVectoredExceptionHandler(m_hHandler);
        s_threadId = 0;
    }
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    bool Installed() const { return m_hHandler != nullptr; }
    const std::string& Text() const { return s_text; }

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* pInfo)
    {
        const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
        if (GetCurrentThreadId() != s_threadId || pRecord->NumberParameters < 2)
        {
            return EXCEPTION_CONTINUE_SEARCH;
        }
        if (pRecord->ExceptionCode == DBG_PRINTEXCEPTION_C)
        {
            s_text += reinterpret_cast<const char*>(pRecord->ExceptionInformation[1]);
            return EXCEPTION_CONTINUE_EXECUTION;
        }
        if (pRecord->ExceptionCode == 0x4001000A) // DBG_PRINTEXCEPTION_WIDE_C
        {
            s_text +=
                CStringA(reinterpret_cast<const wchar_t*>(pRecord->ExceptionInformation[1])).GetString();
            return EXCEPTION_CONTINUE_EXECUTION;
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    PVOID m_hHandler;
    static std::string s_text;
    static DWORD s_threadId;
};
std::string DebugOutputCapture::s_text;
DWORD DebugOutputCapture::s_threadId;

class CChecked : public CObject
{
public:
    void AssertValid() const override { ++m_nChecks; }
    mutable int m_nChecks = 0;
};
} // namespace

TEST(AfxDiagnostics, TraceWritesFormattedTextToTheDebugOutput)
{
    DebugOutputCapture capture;
    ASSERT_TRUE(capture.Installed());
    CString name(L"world");
    TRACE(L"hello %s %d\n", name, 5);
    TRACE("narrow %s\n", "text");
    TRACE0("plain\n");
    TRACE2("%d+%d\n", 1, 2);
    EXPECT_EQ("hello world 5\nnarrow text\nplain\n1+2\n", capture.Text());
}

// The library itself only traces; the assertion macros have one test.
TEST(AfxDiagnostics, AFailedAssertionIsReportedWithItsPlaceAndExecutionContinues)
{
    DebugOutputCapture capture;
    int evaluated = 0;
    CChecked object;
    ASSERT(++evaluated == 1);
    ASSERT_VALID(&object);
    EXPECT_EQ(1, object.m_nChecks);
    EXPECT_EQ("", capture.Text());
    ASSERT(++evaluated == 5);
    EXPECT_EQ(2, evaluated);
    EXPECT_NE(std::string::npos, capture.Text().find("DiagnosticsTests.cpp(")) << capture.Text();
    EXPECT_NE(std::string::npos, capture.Text().find("Assertion failed")) << capture.Text();

    VERIFY(++evaluated == 3);
    EXPECT_EQ(3, evaluated);
    const CObject* pNothing = nullptr;
    const size_t nBefore = capture.Text().size();
    ASSERT_VALID(pNothing);
    EXPECT_NE(std::string::npos, capture.Text().find("Assertion failed", nBefore));
}
