#include "DemoChecks.h"

#include "core/VMap.h"
#include "core/VRect.h"
#include "core/VUnicodeString.h"
#include "files/VTextFile.h"
#include "frame/VReportMessageParams.h"
#include "net/VMfcThread.h"
#include "settings/ProfileRecord.h"
#include "settings/ProfileValues.h"

#include <afxwin.h>
#include "PardalinMessages.h"

namespace
{
class Checker
{
public:
    explicit Checker(const DemoLog& output) : log(output) {}
    void Check(bool ok, const std::wstring& what)
    {
        log((ok ? L"  [ ok ] " : L"  [FAIL] ") + what);
        failures += ok ? 0 : 1;
    }
    const DemoLog& log;
    int failures = 0;
};

unsigned int Doubler(void* argument)
{
    return *static_cast<unsigned int*>(argument) * 2;
}
} // namespace

int RunCoreChecks(const DemoLog& log)
{
    Checker checker(log);
    log(L"Strings");
    VUnicodeString greeting(L"Hello from the library");
    VUnicodeString copy = greeting;
    checker.Check(copy.GetString() == greeting.GetString(), L"a copy shares its buffer");
    copy += L"!";
    checker.Check(copy.GetString() != greeting.GetString(), L"writing gives the copy a buffer of its own");
    VUnicodeString note(L"note: ");
    note += VUnicodeString(L"p4ssw0rd", Str::Sensitive);
    checker.Check(note.IsSensitive(), L"appending a sensitive string makes the result sensitive");
    VUnicodeString formatted;
    formatted.Format(L"%1 has %2!d! items", L"The basket", 3);
    checker.Check(formatted == CString(L"The basket has 3 items"), L"formatted: " + std::wstring(formatted));

    log(L"Maps and rectangles");
    VMap<VUnicodeString, int> counts;
    counts[L"ab"] = 1;
    counts[L"ba"] = 2;
    counts[L"AB"] = 3;
    checker.Check(counts.GetCount() == 3, L"ab, ba and AB are three keys");
    const VRect window(10, 20, 300, 400);
    const VRect back(window.ToString());
    checker.Check(back.Left() == 10 && back.Bottom() == 400,
                  L"rectangle text " + std::wstring(window.ToString()));

    log(L"Threads and messages");
    unsigned int input = 21;
    VMfcThread thread;
    DWORD exitCode = 0;
    const bool ran = thread.Create(&Doubler, &input, 0, 0, nullptr) && thread.Wait(INFINITE) &&
                     GetExitCodeThread(thread.GetHandle(), &exitCode);
    checker.Check(ran && exitCode == 42, L"a worker thread returned 42");
    VReportMessageParams params(MSG_FOLDER_NOT_VALID);
    params.AddInsert(L"C:\\no\\such\\folder");
    checker.Check(params.GetSingleLineText() != nullptr,
                  L"message MSG_FOLDER_NOT_VALID: " + std::wstring(params.GetSingleLineText()));
    return checker.failures;
}

int RunSettingsChecks(const std::wstring& folder, const DemoLog& log)
{
    Checker checker(log);
    log(L"Settings");
    const std::wstring path = folder + L"\\demo-settings.txt";

    ProfileRecord none;
    ProfileInt windowCount;
    windowCount.init(none, L"WindowCount", 1);
    windowCount = 3;
    ProfileDouble zoom;
    zoom = 1.25;
    zoom.m_key = L"Zoom";
    ProfileString title;
    title.init(L"Title", L"Untitled");
    title = L"Quarterly report = final";
    ProfileLogfont font;
    font.init(none, L"Font", L"Courier New", 16);
    try
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString(L"[Demo]\n");
        windowCount.save(file);
        zoom.save(file);
        title.save(file);
        font.save(file);
        file.WriteString(L"\n");
    }
    catch (CException* error)
    {
        error->Delete();
        checker.Check(false, L"writing " + path);
        return checker.failures;
    }

    VTextFile reader;
    ProfileRecord record;
    const bool opened = reader.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING);
    checker.Check(opened && record.load(reader) == CString(L"Demo"), L"record [Demo] read from " + path);
    ProfileInt readCount;
    readCount.init(record, L"WindowCount", 1);
    ProfileDouble readZoom;
    readZoom.init(record, L"Zoom", 1.0);
    ProfileString readTitle;
    readTitle.init(record, L"Title", L"Untitled");
    ProfileLogfont readFont;
    readFont.init(record, L"Font", L"");
    checker.Check(static_cast<int>(readCount) == 3,
                  L"WindowCount = " + std::to_wstring(static_cast<int>(readCount)));
    checker.Check(static_cast<double>(readZoom) == 1.25,
                  L"Zoom = " + std::to_wstring(static_cast<double>(readZoom)));
    checker.Check(readTitle.m_value == L"Quarterly report = final",
                  L"Title = " + std::wstring(readTitle.m_value.GetString()));
    checker.Check(!(readFont != font.m_logfont), L"Font = " + std::wstring(readFont.m_logfont.lfFaceName) +
                                                     L", " + std::to_wstring(readFont.m_pointSize / 10) +
                                                     L" pt");

    ProfileInt launches;
    launches.init(L"Demo", L"Launches", 0);
    const int before = launches;
    launches = before + 1;
    launches.save(L"Demo");
    ProfileInt again;
    again.init(L"Demo", L"Launches", 0);
    checker.Check(static_cast<int>(again) == before + 1,
                  L"application profile: launch " + std::to_wstring(static_cast<int>(again)));
    return checker.failures;
}
