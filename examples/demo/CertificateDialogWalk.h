// Tools > Create Certificate: the library's dialog, opened for a certificate with its request in the demo's
// output folder. In the scripted run the dialog fills itself in as a user types, waits to be pictured and
// presses Generate; the files it made are then checked.
//
//     CertificateDialogWalk walk;
//     walk.log = [this](const std::wstring& line) { Log(line); };
//     RunCreateCertificate(this, outFolder, walk);
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>

// What the walk reports to and asks of the demo's main window. Without requestScreenshot the dialog is
// left to the user.
struct CertificateDialogWalk
{
    std::function<void(const std::wstring& line)> log;
    std::function<void(bool bPassed, const wchar_t* what)> check;
    std::function<void(const wchar_t* name)> requestScreenshot;
    std::function<bool(const wchar_t* name)> captured;
};

// Runs the dialog modally on parent, its path folder\demo-dialog.pfx.
void RunCreateCertificate(CWnd* parent, const std::wstring& folder, const CertificateDialogWalk& walk);
