// The application object of every test program, as a host has one: constructed before main, completed by
// AfxWinInit before the tests run.
//
// Message boxes: every AfxMessageBox of the program goes through the application's DoMessageBox. A test
// that expects one installs a hook, which receives the prompt, the box type and the help id and returns the
// button the "user" pressed; the hook is removed when the test ends. Without a hook the real box is shown.
//
// Help: an ID_HELP command that no window handles (a dialog's Help button) reaches the application, as in a
// host, and goes to the help hook, which a HelpCommandRecorder installs while it lives.
#pragma once

#include <afxwin.h>

#include <functional>
#include <mutex>
#include <vector>

class CTestApp : public CWinApp
{
public:
    typedef std::function<int(const CString& strPrompt, UINT nType, UINT nIDPrompt)> MessageBoxHook;

    // The program's test application.
    static CTestApp& Get();

    // Boxes shown from now on go to hook instead of the screen (from any thread).
    void SetMessageBoxHook(MessageBoxHook hook);
    void ClearMessageBoxHook();

    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

protected:
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    // ID_HELP commands go to hook; without one they do nothing. Set only by a HelpCommandRecorder, so the
    // hook ends with the test that made it.
    friend class HelpCommandRecorder;
    void SetHelpHook(std::function<void()> hook);

    std::mutex m_hookLock;
    MessageBoxHook m_hook;
    std::function<void()> m_helpHook;
};

// One intercepted message box.
struct InterceptedMessageBox
{
    CString strPrompt;
    UINT nType;
    UINT nIDPrompt;
};

// Records the message boxes shown while it lives and answers each with the given button.
class MessageBoxRecorder
{
public:
    explicit MessageBoxRecorder(int nAnswer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // A copy, safe while boxes are still being shown from other threads.
    std::vector<InterceptedMessageBox> Boxes() const;

private:
    mutable std::mutex m_lock;
    std::vector<InterceptedMessageBox> m_boxes;
};

// Counts the ID_HELP commands that reach the application while it lives.
class HelpCommandRecorder
{
public:
    HelpCommandRecorder();
    ~HelpCommandRecorder();
    HelpCommandRecorder(const HelpCommandRecorder&) = delete;
    HelpCommandRecorder& operator=(const HelpCommandRecorder&) = delete;

    int Count() const { return m_nCount; }

private:
    int m_nCount = 0;
};
