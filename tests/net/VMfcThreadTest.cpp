#include "net/VMfcThread.h"
#include "resources/HostMessageIds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>
#include <process.h>
#include <stdexcept>
#include <string>

namespace
{
struct Signal
{
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Signal()
    {
        CloseHandle(started);
        CloseHandle(release);
    }
};

unsigned int SignalAndWait(void* argument)
{
    auto* signal = static_cast<Signal*>(argument);
    SetEvent(signal->started);
    WaitForSingleObject(signal->release, INFINITE);
    return 0x1234;
}

unsigned int ReturnArgument(void* argument)
{
    return static_cast<unsigned int>(reinterpret_cast<UINT_PTR>(argument));
}

DWORD ExitCodeOf(HANDLE thread)
{
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    return code;
}

// Whether the handle is still open; the thread object closes its thread's handle when it is deleted.
bool IsOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}
} // namespace

TEST(NetThread, StartsAtOnceAndMayOutliveItsLastCopy)
{
    Signal signal;
    auto* thread = new VMfcThread;
    ASSERT_TRUE(thread->Create(&SignalAndWait, &signal, 0, 0, nullptr));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(signal.started, 10000));
    EXPECT_EQ(GetThreadId(thread->GetHandle()), thread->GetId());
    EXPECT_FALSE(thread->Wait(0)) << "the procedure has not returned yet";
    const HANDLE handle = thread->GetHandle();
    // A handle of our own, to wait on once the thread object (and with it its handle) may be gone.
    HANDLE running = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &running, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    EXPECT_EQ(0u, thread->Release());
    EXPECT_TRUE(IsOpen(handle)) << "the running thread keeps its thread object";
    SetEvent(signal.release);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(running, 10000));
    EXPECT_EQ(0x1234u, ExitCodeOf(running)) << "the procedure's result";
    EXPECT_FALSE(IsOpen(handle)) << "and deletes it as it ends";
    CloseHandle(running);
}

TEST(NetThread, SuspendedStartWaitsForResumeAndTheObjectThatStartedItMayGoFirst)
{
    alignas(VMfcThread) unsigned char storage[sizeof(VMfcThread)];
    auto* original = new (storage) VMfcThread;
    ASSERT_TRUE(original->Create(&ReturnArgument, reinterpret_cast<void*>(77), CREATE_SUSPENDED, 0, nullptr));
    VMfcThread copy(*original);
    EXPECT_FALSE(copy.Wait(0)) << "a suspended thread has not run";
    original->~VMfcThread();
    // Anything that still reads the gone object finds a procedure that says so.
    const auto poison = reinterpret_cast<std::uintptr_t>(+[](void*) -> unsigned int { return 0xDEAD; });
    for (size_t offset = 0; offset + sizeof(poison) <= sizeof(storage); offset += sizeof(poison))
        std::memcpy(storage + offset, &poison, sizeof(poison));

    EXPECT_EQ(1u, copy.Resume()) << "the thread has been suspended since its creation";
    ASSERT_TRUE(copy.Wait(10000));
    EXPECT_EQ(77u, ExitCodeOf(copy.GetHandle()));
}

TEST(NetThread, CopiesShareTheThreadObjectUntilTheLastGoesAndCreateReplacesItUnlessItFails)
{
    auto* original = new VMfcThread;
    ASSERT_TRUE(original->Create(&ReturnArgument, reinterpret_cast<void*>(5), 0, 0, nullptr));
    ASSERT_TRUE(original->Wait(10000));
    const HANDLE handle = original->GetHandle();
    {
        VMfcThread copy(*original);
        EXPECT_EQ(2u, original->AddRef());
        EXPECT_EQ(2u, copy.AddRef()) << "a copy starts with its own count of 1";
        EXPECT_EQ(1u, copy.Release());
        EXPECT_EQ(1u, original->Release());
        EXPECT_EQ(0u, original->Release());
        EXPECT_TRUE(IsOpen(handle)) << "the copy keeps the thread object";

        VMfcThread assigned;
        ASSERT_TRUE(assigned.Create(&ReturnArgument, reinterpret_cast<void*>(6), 0, 0, nullptr));
        ASSERT_TRUE(assigned.Wait(10000));
        const HANDLE replaced = assigned.GetHandle();
        assigned = copy;
        EXPECT_FALSE(IsOpen(replaced)) << "assignment gives up the thread the target had";
        assigned = assigned;
        EXPECT_EQ(handle, assigned.GetHandle());
        EXPECT_EQ(5u, ExitCodeOf(assigned.GetHandle()));
        EXPECT_TRUE(assigned.Wait(0)) << "an ended thread stays signalled";
    }
    EXPECT_FALSE(IsOpen(handle)) << "the last copy deletes the thread object";

    // The system cannot read this descriptor, so it refuses to create the thread.
    SECURITY_ATTRIBUTES unreadable = {sizeof(SECURITY_ATTRIBUTES), reinterpret_cast<void*>(0x10), FALSE};
    VMfcThread thread;
    EXPECT_FALSE(thread.Create(&ReturnArgument, nullptr, 0, 0, &unreadable));
    EXPECT_TRUE(thread.GetHandle() == nullptr && !thread.Wait(0));
    ASSERT_TRUE(thread.Create(&ReturnArgument, reinterpret_cast<void*>(1), 0, 0, nullptr));
    ASSERT_TRUE(thread.Wait(10000));
    const HANDLE first = thread.GetHandle();
    EXPECT_FALSE(thread.Create(&ReturnArgument, nullptr, 0, 0, &unreadable));
    EXPECT_EQ(first, thread.GetHandle()) << "a failed Create keeps the thread the object had";
    ASSERT_TRUE(thread.Create(&ReturnArgument, reinterpret_cast<void*>(2), 0, 0, nullptr));
    EXPECT_FALSE(IsOpen(first)) << "the first thread object is deleted";
    ASSERT_TRUE(thread.Wait(10000));
    EXPECT_EQ(2u, ExitCodeOf(thread.GetHandle()));
}

// A language exception that escapes the procedure must surface as the library's structured exception
// 0xE104003B, non-continuable, carrying the original exception and context records. It ends the process,
// so it runs in a child copy of this program.
namespace
{
constexpr UINT kChildSawEscape = 0xB0;
constexpr wchar_t kChildVariable[] = L"PARDALIN_THREAD_ESCAPE_CHILD";

LONG CALLBACK WatchForEscape(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    if (record->ExceptionCode != MSG_HOST_ESCAPED_LANGUAGE_EXCEPTION)
        return EXCEPTION_CONTINUE_SEARCH;
    const auto* original = reinterpret_cast<const EXCEPTION_RECORD*>(record->ExceptionInformation[0]);
    const bool wellFormed = (record->ExceptionFlags & EXCEPTION_NONCONTINUABLE) &&
                            record->NumberParameters == 2 && original &&
                            original->ExceptionCode == 0x20474343 && record->ExceptionInformation[1] != 0;
    ExitProcess(wellFormed ? kChildSawEscape : kChildSawEscape + 1);
}

bool RunEscapeChildIfAsked()
{
    if (!GetEnvironmentVariableW(kChildVariable, nullptr, 0))
        return false;
    AddVectoredExceptionHandler(1, &WatchForEscape);
    VMfcThread thread;
    thread.Create([](void*) -> unsigned int { throw std::runtime_error("escapes the thread"); }, nullptr, 0,
                  0, nullptr);
    thread.Wait(INFINITE);
    ExitProcess(0);
}

const bool g_isEscapeChild = RunEscapeChildIfAsked();
} // namespace

TEST(NetThread, EscapingLanguageExceptionBecomesTheLibrarysException)
{
    ASSERT_FALSE(g_isEscapeChild);
    wchar_t self[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameW(nullptr, self, MAX_PATH));
    SetEnvironmentVariableW(kChildVariable, L"1");
    const std::wstring quoted = L"\"" + std::wstring(self) + L"\"";
    const intptr_t exitCode = _wspawnl(_P_WAIT, self, quoted.c_str(), L"--gtest_list_tests", nullptr);
    SetEnvironmentVariableW(kChildVariable, nullptr);
    EXPECT_EQ(kChildSawEscape, exitCode);
}
