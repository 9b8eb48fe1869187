#include "harness/TestApp.h"

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_HELP, &CTestApp::OnHelp)
END_MESSAGE_MAP()

CTestApp& CTestApp::Get()
{
    return static_cast<CTestApp&>(*AfxGetApp());
}

void CTestApp::SetMessageBoxHook(MessageBoxHook hook)
{
    std::lock_guard<std::mutex> lock(m_hookLock);
    m_hook = std::move(hook);
}

void CTestApp::ClearMessageBoxHook()
{
    SetMessageBoxHook(nullptr);
}

void CTestApp::SetHelpHook(std::function<void()> hook)
{
    m_helpHook = std::move(hook);
}

void CTestApp::OnHelp()
{
    if (m_helpHook)
    {
        m_helpHook();
    }
}

int CTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    MessageBoxHook hook;
    {
        std::lock_guard<std::mutex> lock(m_hookLock);
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
    CTestApp::Get().SetMessageBoxHook(
        [this, nAnswer](const CString& strPrompt, UINT nType, UINT nIDPrompt)
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_boxes.push_back({strPrompt, nType, nIDPrompt});
            return nAnswer;
        });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    CTestApp::Get().ClearMessageBoxHook();
}

std::vector<InterceptedMessageBox> MessageBoxRecorder::Boxes() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_boxes;
}

HelpCommandRecorder::HelpCommandRecorder()
{
    CTestApp::Get().SetHelpHook([this] { ++m_nCount; });
}

HelpCommandRecorder::~HelpCommandRecorder()
{
    CTestApp::Get().SetHelpHook(nullptr);
}
