// The demo host. Run by `make demo`, it walks through what the library offers a host and prints what it saw;
// with --out <folder> it also leaves its files there.
#include "core/VMap.h"
#include "core/VRect.h"
#include "core/VString.h"
#include "core/VUnicodeString.h"
#include "frame/Pardalin.h"
#include "frame/VReportMessageParams.h"
#include "net/VMfcThread.h"

#include <afxwin.h>

#include <cstdio>

namespace
{
int g_failures = 0;

void Check(bool ok, const char* what)
{
    std::printf("  [%s] %s\n", ok ? " ok " : "FAIL", what);
    if (!ok)
        ++g_failures;
}

void ShowStrings()
{
    std::printf("Strings\n");
    VUnicodeString greeting(L"Hello from the library");
    VUnicodeString copy = greeting;
    Check(copy.GetString() == greeting.GetString(), "a copy shares its buffer");
    copy += L"!";
    Check(copy.GetString() != greeting.GetString() && greeting.GetLength() == 22, "writing gives the copy its own");

    VUnicodeString secret(L"p4ssw0rd", Str::Sensitive);
    VUnicodeString note(L"note: ");
    note += secret;
    Check(note.IsSensitive(), "appending a sensitive string makes the result sensitive");

    VUnicodeString formatted;
    formatted.Format(L"%1 has %2!d! items", L"The basket", 3);
    std::printf("  formatted: %ls\n", formatted.GetString());
    Check(formatted == CString(L"The basket has 3 items"), "message-style formatting");

    unsigned int port = 0;
    Check(VUnicodeString(L"8080  ").ToUIntStrict(port) && port == 8080, "strict conversion accepts 8080");
    Check(!VUnicodeString(L"-5").ToUIntStrict(port), "strict unsigned conversion refuses -5");
}

void ShowMapAndRect()
{
    std::printf("Maps and rectangles\n");
    VMap<VUnicodeString, int> counts;
    counts[L"ab"] = 1;
    counts[L"ba"] = 2;
    counts[L"AB"] = 3;
    Check(counts.GetCount() == 3, "ab, ba and AB are three keys");
    int value = 0;
    Check(counts.Lookup(L"ba", value) && value == 2, "lookup finds ba");

    VRect window(10, 20, 300, 400);
    const VUnicodeString text = window.ToString();
    std::printf("  rectangle as text: %ls\n", text.GetString());
    const VRect back(text);
    Check(back.Left() == 10 && back.Top() == 20 && back.Right() == 300 && back.Bottom() == 400,
          "the text form reads back");
}

unsigned int Worker(void* argument)
{
    return *static_cast<unsigned int*>(argument) * 2;
}

void ShowThreadAndMessages()
{
    std::printf("Threads and messages\n");
    unsigned int input = 21;
    VMfcThread thread;
    Check(thread.Create(&Worker, &input, 0, 0, nullptr) && thread.Wait(INFINITE), "a worker thread ran");
    DWORD exitCode = 0;
    GetExitCodeThread(thread.GetHandle(), &exitCode);
    Check(exitCode == 42, "its procedure's result is the exit code");

    VReportMessageParams params(0xE133000C);
    params.AddInsert(L"C:\\no\\such\\folder");
    std::printf("  message 0xE133000C: %ls\n", params.GetSingleLineText());
    Check(GetPardalinDll() != nullptr, "the library knows its own module");
}
} // namespace

int main()
{
    std::printf("Pardalin67U demo host\n");
    ShowStrings();
    ShowMapAndRect();
    ShowThreadAndMessages();
    std::printf("%s\n", g_failures ? "Some checks failed." : "All checks passed.");
    return g_failures ? 1 : 0;
}
