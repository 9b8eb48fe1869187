// VReportMessageParams: where its texts come from, inserts, the single-line form, copies and reference
// counts; and the message table the library carries.
#include "frame/Pardalin.h"
#include "frame/VReportMessageParams.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>
#include "HostMessages.h"
#include "PardalinMessages.h"

namespace
{
std::wstring Text(const IReportMessageParams& params)
{
    const wchar_t* text = params.GetText();
    return text ? text : L"<null>";
}

std::wstring SystemText(DWORD id, HMODULE module = nullptr)
{
    wchar_t* text = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                        (module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM);
    const DWORD length = FormatMessageW(flags, module, id, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result(text ? text : L"", length);
    LocalFree(text);
    return result;
}

// Another implementation of the interface, which Assign must refuse.
struct ForeignParams : IReportMessageParams
{
    unsigned long AddRef() override { return 1; }
    unsigned long Release() override { return 1; }
    void Reset(DWORD) override {}
    IReportMessageParams* Assign(const IReportMessageParams*) override { return nullptr; }
    DWORD GetMessageId() const override { return MSG_FOLDER_NOT_VALID; }
    void SetMessageId(DWORD) override {}
    int GetTag() const override { return 0; }
    void SetTag(int) override {}
    unsigned __int64 GetContext() const override { return 9; }
    void SetContext(unsigned __int64) override {}
    void AddInsert(const wchar_t*) override {}
    void AddInsert(const char*) override {}
    void AddFormattedInsert(const wchar_t*, DWORD) override {}
    HMODULE GetMessageModule() const override { return nullptr; }
    const wchar_t* GetText() const override { return L"foreign"; }
    const wchar_t* GetSingleLineText() const override { return L"foreign"; }
    DWORD GetTextLength() const override { return 7; }
    const wchar_t* const* GetInserts() const override { return nullptr; }
    const wchar_t* const* GetArguments() const override { return nullptr; }
    int GetInsertCount() const override { return 0; }
};
} // namespace

TEST(FrameReportMessage, TextsComeFromTheLibraryTheHostOrTheSystemWithWhatInsertsThereAre)
{
    wchar_t library[MAX_PATH];
    const DWORD libraryLength = GetModuleFileNameW(GetPardalinDll(), library, MAX_PATH);
    const struct
    {
        DWORD id;
        std::vector<const wchar_t*> inserts;
        std::wstring expected;
    } rows[] = {
        // An application id never consults the system table, whatever its code.
        {MSG_CERTIFICATE_FILE_EXISTS,
         {},
         L"The certificate file already exists.  Do you want to overwrite it?\r\n"},
        // The host's own facility is found in the executable's table.
        {MSG_HOST_NOT_RESOLVED,
         {L"nowhere.example"},
         L"The host name 'nowhere.example' could not be resolved.\r\n"},
        {MSG_HOST_INFORMATION, {}, L"Test host information.\r\n"},
        {ERROR_ACCESS_DENIED, {}, SystemText(ERROR_ACCESS_DENIED)},
        {ERROR_FILE_NOT_FOUND, {}, SystemText(ERROR_FILE_NOT_FOUND)},
        {WSAECONNREFUSED, {}, SystemText(WSAECONNREFUSED)},
        // Missing inserts stay unexpanded.
        {MSG_FOLDER_ACCESS_DENIED,
         {},
         L"Access to the following folder is denied:\r\n\r\n'%1'\r\n\r\nPlease choose another folder.\r\n"},
        {MSG_MARGINS_TOO_SMALL, {L"1", L"2"}, L"Margins define too small an area: %1, %2, %3, %4\r\n"},
        {MSG_MARGINS_TOO_SMALL,
         {L"1", L"2", L"3", L"4"},
         L"Margins define too small an area: 1, 2, 3, 4\r\n"},
        // The id just below the library's first one is in its facility, yet in no table.
        {MSG_HELP_COMMON_NAME - 1,
         {},
         L"Could not retrieve the error text for error code 0x61330001.\r\nStatus codes from FormatMessage "
         L"were " +
             std::wstring(library, libraryLength) + L":317 and 317."}};
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.id);
        ASSERT_FALSE(row.expected.empty());
        VReportMessageParams params(row.id);
        for (const wchar_t* insert : row.inserts)
            params.AddInsert(insert);
        EXPECT_EQ(row.expected, Text(params));
        EXPECT_EQ(row.expected.size(), params.GetTextLength());
    }

    // Wine's NTDLL carries no message table, so there an NT status absent from the system table ends in the
    // fallback text; on Windows the NTDLL text is what comes back.
    const std::wstring system = SystemText(0xC0000022);
    const std::wstring ntdll = SystemText(0xC0000022, GetModuleHandleW(L"NTDLL.DLL"));
    const std::wstring expected = !system.empty() ? system
                                  : !ntdll.empty()
                                      ? ntdll
                                      : L"Could not retrieve the error text for error code 0xc0000022.\r\n";
    EXPECT_EQ(0u, Text(VReportMessageParams(0xC0000022)).find(expected));
}

TEST(FrameReportMessage, FirstRequestDecidesFullOrSingleLine)
{
    VReportMessageParams full(MSG_TOOLBAR_UPDATE_QUESTION);
    const std::wstring first = Text(full);
    EXPECT_NE(std::wstring::npos, first.find(L"\r\n"));
    EXPECT_EQ(first, std::wstring(full.GetSingleLineText()));

    VReportMessageParams single(MSG_TOOLBAR_UPDATE_QUESTION);
    const std::wstring line = single.GetSingleLineText();
    EXPECT_EQ(std::wstring::npos, line.find(L"\r\n")) << "the table's line ends are not copied";
    EXPECT_NE(std::wstring::npos, line.find(L"Would you like to update the toolbar and menu bar?"));
    EXPECT_EQ(line, Text(single)) << "the single-line text stays once made";
}

TEST(FrameReportMessage, InsertsFromAnsiAndFormattedValues)
{
    VReportMessageParams params(MSG_MARGINS_TOO_SMALL);
    params.AddInsert("ansi");
    params.AddFormattedInsert(L"%1!d!", 42);
    params.AddFormattedInsert(L"0x%1!08x!", 0x2a);
    params.AddInsert(static_cast<const wchar_t*>(L"wide"));
    ASSERT_EQ(4, params.GetInsertCount());
    EXPECT_STREQ(L"0x0000002a", params.GetArguments()[2]);
    EXPECT_EQ(L"Margins define too small an area: ansi, 42, 0x0000002a, wide\r\n", Text(params));

    // The ANSI insert goes through the ANSI code page, the whole string at once.
    const char high[] = "caf\xe9";
    wchar_t converted[8] = {};
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, high, -1, converted, 8);
    VReportMessageParams accented;
    accented.AddInsert(high);
    EXPECT_STREQ(converted, accented.GetInserts()[0]);
}

TEST(FrameReportMessage, CopyAssignAndAssignThroughTheInterface)
{
    VReportMessageParams source(MSG_FOLDER_NOT_VALID);
    source.AddInsert(L"C:\\folder");
    source.SetTag(7);
    source.SetContext(0x1122334455667788ull);
    const std::wstring sourceText = Text(source);

    VReportMessageParams copy(source);
    EXPECT_EQ(-1, copy.GetTag()) << "the tag is not copied";
    EXPECT_EQ(0x1122334455667788ull, copy.GetContext());
    EXPECT_EQ(0u, copy.GetTextLength()) << "the text is not copied";
    EXPECT_EQ(sourceText, Text(copy));
    EXPECT_NE(source.GetInserts()[0], copy.GetInserts()[0]) << "inserts are copies";

    VReportMessageParams target(MSG_CERTIFICATE_FILE_EXISTS);
    target.AddInsert(L"old");
    target.SetTag(3);
    (void)target.GetText();
    EXPECT_EQ(&target, target.Assign(&source));
    EXPECT_EQ(3, target.GetTag());
    EXPECT_EQ(sourceText, Text(target)) << "the old text was dropped";

    ForeignParams foreign;
    EXPECT_EQ(nullptr, target.Assign(&foreign));
    EXPECT_EQ(sourceText, Text(target));

    const wchar_t* before = target.GetText();
    target = target;
    EXPECT_EQ(before, target.GetText()) << "self-assignment keeps the text";
    EXPECT_EQ(1, target.GetInsertCount());
}

TEST(FrameReportMessage, NewObjectsDescribeSuccessUntilSetOrResetAndTheLastReleaseDestroysThem)
{
    VReportMessageParams fresh;
    EXPECT_EQ(0u, fresh.GetMessageId());
    EXPECT_EQ(-1, fresh.GetTag());
    EXPECT_EQ(GetPardalinDll(), fresh.GetMessageModule());

    static int destroyed;
    struct Counted : VReportMessageParams
    {
        ~Counted() override { ++destroyed; }
    };
    destroyed = 0;
    auto* params = new Counted;
    params->SetMessageId(MSG_FOLDER_NOT_VALID);
    params->AddInsert(L"x");
    params->SetTag(5);
    params->SetContext(77);
    const std::wstring invalid = Text(*params);
    params->SetMessageId(MSG_CERTIFICATE_FILE_EXISTS);
    EXPECT_EQ(invalid, Text(*params)) << "an id set after formatting does not drop the text";

    EXPECT_EQ(2u, params->AddRef());
    params->Reset(MSG_CERTIFICATE_FILE_EXISTS);
    EXPECT_EQ(5, params->GetTag());
    EXPECT_EQ(0u, params->GetContext());
    EXPECT_EQ(0, params->GetInsertCount());
    EXPECT_EQ(L"The certificate file already exists.  Do you want to overwrite it?\r\n", Text(*params));
    EXPECT_EQ(1u, params->Release()) << "Reset keeps the reference count";
    EXPECT_EQ(0, destroyed);
    EXPECT_EQ(0u, params->Release());
    EXPECT_EQ(1, destroyed);
}

// The library's message table as the DLL carries it: every id the generated header names has a text, with
// the line end the message compiler keeps.
TEST(FrameMessageTable, EveryGeneratedIdHasAText)
{
    const HMODULE library = GetModuleHandleW(L"Pardalin67U.dll");
    ASSERT_NE(nullptr, library);
    // Help texts of the certificate fields, page and toolbar messages, and the questions and errors of boxes.
    const DWORD help[] = {MSG_HELP_COMMON_NAME, MSG_HELP_ORGANIZATION, MSG_HELP_ORGANIZATIONAL_UNIT,
                          MSG_HELP_COUNTRY,     MSG_HELP_STATE,        MSG_HELP_LOCALITY,
                          MSG_HELP_EMAIL,       MSG_HELP_PATH,         MSG_HELP_EXPIRATION,
                          MSG_HELP_KEY_SIZE};
    const DWORD page[] = {MSG_MIN_LEFT_MARGIN,   MSG_MIN_RIGHT_MARGIN,       MSG_MIN_TOP_MARGIN,
                          MSG_MIN_BOTTOM_MARGIN, MSG_MARGINS_OFF_PAGE,       MSG_MARGINS_TOO_SMALL,
                          MSG_TOOLBAR_CHANGED,   MSG_TOOLBAR_UPDATE_QUESTION};
    const DWORD errors[] = {MSG_CERTIFICATE_FILE_EXISTS, MSG_UNEXPECTED_SOCKET_ERROR,
                            MSG_FOLDER_ACCESS_DENIED,    MSG_FOLDER_NOT_VALID,
                            MSG_ENTER_INTEGER_BETWEEN,   MSG_ENTER_POSITIVE_INTEGER};
    std::vector<DWORD> ids(std::begin(help), std::end(help));
    ids.insert(ids.end(), std::begin(page), std::end(page));
    ids.insert(ids.end(), std::begin(errors), std::end(errors));
    for (const DWORD id : ids)
    {
        const std::wstring text = SystemText(id, library);
        EXPECT_GT(text.size(), 2u) << std::hex << id;
        EXPECT_EQ(L"\r\n", text.substr(text.size() < 2 ? 0 : text.size() - 2)) << std::hex << id;
    }
}
