// The INI profile store against processes that die while writing and processes that write at the same time.
// The writers are HostkitStoreWriter.exe (tests/hostkit_modules), started beside this program.
#include "core/VUnicodeString.h"
#include "harness/ScratchFolder.h"
#include "hostkit/IniProfileStore.h"
#include "hostkit/detail/ProfileFile.h"
#include "hostkit/detail/ProfileText.h"
#include "hostkit_modules/StoreWriterProtocol.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
// Longest any single step may take on a loaded machine before the test calls it hung.
const DWORD StepLimit = 60000;

class StoreReliability : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        writer = self;
        writer = writer.substr(0, writer.find_last_of(L'\\') + 1) + L"HostkitStoreWriter.exe";
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(writer.c_str()))
            << "the writer program is built";
    }

    std::unique_ptr<IProfileKeyBackend> OpenKey()
    {
        VIniProfileStoreFactory stores(folder.c_str());
        std::unique_ptr<IProfileStoreBackend> store(stores.CreateStore());
        std::unique_ptr<IProfileKeyBackend> root(store->OpenRootKey(false));
        return std::unique_ptr<IProfileKeyBackend>(root->OpenSubKey(storewriter::KeyName, 0));
    }

    // Under heavy load Wine now and then fails to create a process at all (ERROR_INTERNAL_ERROR), before
    // any of the writer's code runs. Such a start is made again and counted; the writer's own failures are
    // never retried.
    PROCESS_INFORMATION StartWriter(const std::wstring& arguments)
    {
        PROCESS_INFORMATION process = {};
        for (int attempt = 0; attempt < 3; ++attempt)
        {
            std::wstring commandLine = L"\"" + writer + L"\" " + arguments;
            STARTUPINFOW startup = {};
            startup.cb = sizeof(startup);
            if (CreateProcessW(writer.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process))
                return process;
            ++failedStarts;
            std::printf("starting the writer failed with error %lu\n", GetLastError());
        }
        ADD_FAILURE() << "the writer could not be started";
        return process;
    }

    std::wstring EventName(const wchar_t* what) const
    {
        return L"Local\\PardalinStoreTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + what;
    }

    testkit::TempFolder scratch;
    const std::wstring folder = scratch.Get();
    std::wstring writer;
    int failedStarts = 0;
};

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}
} // namespace

// A writer killed at a random point inside a write leaves the store holding the old set or the new set,
// whole, with every other value untouched.
TEST_F(StoreReliability, KilledWritersLeaveOneWholeSet)
{
    const std::vector<BYTE> oldSet = storewriter::Payload(storewriter::OldSet);
    const std::vector<BYTE> newSet = storewriter::Payload(storewriter::NewSet);
    // The file as it must read after any kill: every other value as first written, and one of the two
    // payloads.
    using pardalin::detail::StoredValue;
    pardalin::detail::ProfileFileModel withOld;
    for (int i = 0; i < storewriter::FixedCount; ++i)
        withOld.Key({storewriter::KeyName})
            .Set(StoredValue::Dword(storewriter::FixedName(i), static_cast<DWORD>(i * 1000003)));
    withOld.Key({storewriter::KeyName, L"Sub [key]"})
        .Set(StoredValue::String(L"text", L" line one\r\nline two "));
    withOld.Key({storewriter::KeyName}).Set(StoredValue::Binary(storewriter::PayloadName, oldSet));
    pardalin::detail::ProfileFileModel withNew = withOld;
    withNew.Key({storewriter::KeyName}).Set(StoredValue::Binary(storewriter::PayloadName, newSet));
    const std::wstring file = folder + L"\\Reliability.ini";
    ASSERT_TRUE(pardalin::detail::ReplaceProfileFile(file, pardalin::detail::FormatProfileText(withOld)));
    const HANDLE writing = CreateEventW(nullptr, FALSE, FALSE, EventName(L"writing").c_str());
    // Waiting on an event that nobody sets is a wait of an exact, random length that is not a sleep.
    const HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(writing && never);

    std::mt19937 random(20261206);
    const int runs = 200;
    int oldCount = 0, newCount = 0, midFile = 0, failures = 0;
    // Starting a process takes longer than anything else here, so the next writers start while the current
    // one runs: each waits for an event of its own before it writes.
    struct Writer
    {
        PROCESS_INFORMATION process;
        HANDLE go;
    };
    // Writers not yet run when the test stops early are ended with it.
    struct Waiting : std::deque<Writer>
    {
        ~Waiting()
        {
            for (const Writer& writer : *this)
            {
                TerminateProcess(writer.process.hProcess, 9);
                CloseHandle(writer.process.hProcess);
                CloseHandle(writer.process.hThread);
                CloseHandle(writer.go);
            }
        }
    } waiting;
    int started = 0;
    const auto startNext = [&]
    {
        const std::wstring goName = EventName((L"go-" + std::to_wstring(started++)).c_str());
        const HANDLE go = CreateEventW(nullptr, TRUE, FALSE, goName.c_str());
        waiting.push_back({StartWriter(L"alternate " + Quoted(folder) + L" " + Quoted(goName) + L" " +
                                       Quoted(EventName(L"writing"))),
                           go});
    };
    for (int run = 0; run < runs; ++run)
    {
        while (waiting.size() < 4 && started < runs)
            startNext();
        const Writer next = waiting.front();
        waiting.pop_front();
        const PROCESS_INFORMATION process = next.process;
        ASSERT_NE(nullptr, process.hProcess) << "run " << run;
        ASSERT_NE(nullptr, next.go);
        // The writer may open its event only now, so the event lives until the writer has ended.
        SetEvent(next.go);
        // The writer signals as each write begins. The time between two signals is what one write takes on
        // this machine now, so the kill can be placed anywhere within the write that follows.
        const HANDLE started[] = {writing, process.hProcess};
        ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, started, FALSE, StepLimit))
            << "run " << run << ": the writer never started writing";
        const DWORD firstWrite = GetTickCount();
        ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, started, FALSE, StepLimit))
            << "run " << run << ": the writer's first write never ended";
        const DWORD writeTime = GetTickCount() - firstWrite;
        // A random point in the next write: a wait of whole milliseconds on an event that never fires, then
        // a spin for the part of a millisecond.
        WaitForSingleObject(never, std::uniform_int_distribution<DWORD>(0, writeTime + 1)(random));
        volatile std::uint32_t spin = 0;
        for (std::uint32_t n = std::uniform_int_distribution<std::uint32_t>(0, 1 << 18)(random); n > 0; --n)
            spin = spin + 1;
        ASSERT_TRUE(TerminateProcess(process.hProcess, 9));
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, StepLimit));
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        CloseHandle(next.go);
        midFile +=
            GetFileAttributesW(pardalin::detail::TemporaryPathOf(file).c_str()) != INVALID_FILE_ATTRIBUTES;

        // The whole file at once, where a value too many would show as well as one missing.
        std::string bytes;
        {
            pardalin::detail::ProfileFileLock lock(file);
            EXPECT_TRUE(pardalin::detail::ReadProfileFile(file, bytes));
        }
        const pardalin::detail::ProfileFileModel model = pardalin::detail::ParseProfileText(bytes);
        oldCount += model == withOld;
        newCount += model == withNew;
        if (!(model == withOld) && !(model == withNew))
        {
            ++failures;
            ADD_FAILURE() << "run " << run << ": the file holds neither whole set";
        }
    }
    CloseHandle(writing);
    CloseHandle(never);
    ASSERT_TRUE(waiting.empty());
    std::printf("store kills: %d runs, %d failures; %d left the old set, %d the new set, %d died with a "
                "temporary file written; %d process starts failed in Wine\n",
                runs, failures, oldCount, newCount, midFile, failedStarts);
    EXPECT_EQ(0, failures);
    EXPECT_GT(oldCount, 0) << "some kills land before a write's rename";
    EXPECT_GT(newCount, 0) << "some kills land after a write's rename";
    EXPECT_GT(midFile, 0) << "some kills land while the new file is being written";
}

// Two processes that write one key at the same time keep every value of both.
TEST_F(StoreReliability, TwoWritersKeepEveryValue)
{
    const int perWriter = 1000;
    const HANDLE go = CreateEventW(nullptr, TRUE, FALSE, EventName(L"go").c_str());
    ASSERT_NE(nullptr, go);
    const wchar_t* const prefixes[] = {L"first-", L"second-"};
    HANDLE writers[2] = {};
    for (int w = 0; w < 2; ++w)
    {
        const PROCESS_INFORMATION process =
            StartWriter(L"many " + Quoted(folder) + L" " + Quoted(EventName(L"go")) + L" " + prefixes[w] +
                        L" " + std::to_wstring(perWriter));
        ASSERT_NE(nullptr, process.hProcess);
        CloseHandle(process.hThread);
        writers[w] = process.hProcess;
    }
    SetEvent(go);
    const DWORD waited = WaitForMultipleObjects(2, writers, TRUE, 5 * StepLimit);
    for (HANDLE process : writers)
    {
        if (waited == WAIT_TIMEOUT)
            TerminateProcess(process, 9);
        DWORD code = 1;
        GetExitCodeProcess(process, &code);
        EXPECT_EQ(0u, code);
        CloseHandle(process);
    }
    CloseHandle(go);
    ASSERT_NE(WAIT_TIMEOUT, waited) << "the writers did not finish";

    const auto key = OpenKey();
    int found = 0;
    for (const wchar_t* prefix : prefixes)
        for (int n = 0; n < perWriter; ++n)
        {
            DWORD number = 0xfeed;
            found += key->ReadDword((prefix + std::to_wstring(n)).c_str(), &number) &&
                     number == static_cast<DWORD>(n);
        }
    EXPECT_EQ(2 * perWriter, found);
}
