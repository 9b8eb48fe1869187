#include "harness/TestApp.h"

namespace
{
class Lock
{
public:
    explicit Lock(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
    ~Lock() { LeaveCriticalSection(&m_section); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};
} // namespace

CTestApp::CTestApp()
{
    InitializeCriticalSection(&m_hookLock);
}

CTestApp::~CTestApp()
{
    DeleteCriticalSection(&m_hookLock);
}

CTestApp& CTestApp::Get()
{
    return static_cast<CTestApp&>(*AfxGetApp());
}

void CTestApp::SetMessageBoxHook(MessageBoxHook hook)
{
    Lock lock(m_hookLock);
    m_hook = std::move(hook);
}

void CTestApp::ClearMessageBoxHook()
{
    SetMessageBoxHook(nullptr);
}

int CTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    MessageBoxHook hook;
    {
        Lock lock(m_hookLock);
        hook = m_hook;
    }
    if (!hook)
    {
        return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
    }
    return hook(CString(lpszPrompt), nType, nIDPrompt);
}

MessageBoxRecorder::MessageBoxRecorder(int nAnswer)
{
    InitializeCriticalSection(&m_lock);
    CTestApp::Get().SetMessageBoxHook(
        [this, nAnswer](const CString& strPrompt, UINT nType, UINT nIDPrompt)
        {
            Lock lock(m_lock);
            m_boxes.push_back({strPrompt, nType, nIDPrompt});
            return nAnswer;
        });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    CTestApp::Get().ClearMessageBoxHook();
    DeleteCriticalSection(&m_lock);
}

std::vector<InterceptedMessageBox> MessageBoxRecorder::Boxes() const
{
    Lock lock(m_lock);
    return m_boxes;
}
