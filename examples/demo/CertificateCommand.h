// CertificateCommand: the demo's command-line mode, which makes a certificate, its request and its PFX file
// without any dialog and prints where the files went.
//
//     demo.exe --make-certificate C:\certs\host.pfx --cn host.example.com --country US --days 365 --request
//
//     if (IsCertificateCommand(count, arguments))
//         return RunCertificateCommand(count, arguments); // 0 made, 1 failed, 2 bad arguments
#pragma once

#include <afx.h>

#include <string>

// What the command line asks for.
struct CertificateArguments
{
    std::wstring pfxPath;
    // Indexed like the subject's fields: CN, O, OU, L, S, C, E.
    std::wstring fields[7];
    DWORD days = 365;
    DWORD keyBits = 2048;
    DWORD flags = 0;
    // --help: the rest is not read.
    bool help = false;
};

// Whether the arguments (the program's name first) ask for the certificate mode.
bool IsCertificateCommand(int count, const wchar_t* const* arguments);

// Reads the arguments (the program's name first). False with `problem` set to one line that names the
// offending argument.
bool ParseCertificateArguments(int count, const wchar_t* const* arguments, CertificateArguments& parsed,
                               std::wstring& problem);

// Parses, makes and saves the certificate. Paths and errors go to the standard output and error (the
// parent's console when the program has none); the result is the process's exit code: 0 when the files
// were written, 1 when the library failed, 2 for bad arguments (with the usage text).
int RunCertificateCommand(int count, const wchar_t* const* arguments);
