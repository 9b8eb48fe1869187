// The deferred-procedure dispatcher and the notification window under it: procedures from other threads run
// on the dispatcher's thread in queue order, once each, and the window follows the thread that attaches it.
#include "net/IDeferredProcedure.h"
#include "net/VNotificationSink.h"

#include "harness/Pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using testpump::PumpUntil;
using testpump::PumpUntilSignalled;

namespace
{
// Each run appends its id and thread to the log; a procedure may queue a follow-up when it runs.
struct RunLog
{
    std::vector<int> ids;
    std::vector<DWORD> threads;
};

class CRecordingProcedure final : public IDeferredProcedure
{
public:
    CRecordingProcedure(RunLog& log, int id) : log(log), id(id) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    void Execute(ULONG_PTR context) override
    {
        EXPECT_EQ(static_cast<ULONG_PTR>(id * 10), context);
        EXPECT_GE(references.load(), 2) << "the dispatcher holds a reference while the procedure runs";
        log.ids.push_back(id);
        log.threads.push_back(::GetCurrentThreadId());
        if (followUp)
            followUpDispatcher->QueueProcedure(followUp, followUp->id * 10);
    }

    RunLog& log;
    const int id;
    std::atomic<int> references{1};
    CRecordingProcedure* followUp = nullptr;
    IDeferredProcedureDispatcher* followUpDispatcher = nullptr;
};

// Removes this thread's pending drain messages; dispatching them is left to the caller.
std::vector<MSG> TakeDrains()
{
    std::vector<MSG> drains;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_USER + 1, WM_USER + 1, PM_REMOVE))
        drains.push_back(msg);
    return drains;
}
} // namespace

TEST(Dispatcher, RunsWorkerQueuedProceduresOnItsThreadInOrderOnce)
{
    IDeferredProcedureDispatcher* dispatcher = CreateVMsgDeferredProcedureDispatcher();
    ASSERT_NE(nullptr, dispatcher);
    RunLog log;
    std::vector<std::unique_ptr<CRecordingProcedure>> procedures;
    std::vector<int> ids;
    for (int id = 1; id <= 50; ++id)
    {
        procedures.push_back(std::make_unique<CRecordingProcedure>(log, id));
        ids.push_back(id);
    }
    std::thread worker(
        [&]
        {
            for (auto& procedure : procedures)
                dispatcher->QueueProcedure(procedure.get(), procedure->id * 10);
        });
    worker.join();

    // Fifty procedures queued before this thread pumped: one drain message runs them all.
    std::vector<MSG> drains = TakeDrains();
    ASSERT_EQ(1u, drains.size());
    EXPECT_TRUE(log.ids.empty());
    ::DispatchMessageW(&drains[0]);
    EXPECT_EQ(ids, log.ids);
    EXPECT_EQ(std::vector<DWORD>(50, ::GetCurrentThreadId()), log.threads);
    for (auto& procedure : procedures)
        EXPECT_EQ(1, procedure->references.load()) << "procedure " << procedure->id << " kept a reference";

    // Queuing after a drain posts again; a procedure queued by a running one runs in the same drain.
    procedures[0]->followUp = procedures[1].get();
    procedures[0]->followUpDispatcher = dispatcher;
    dispatcher->QueueProcedure(procedures[0].get(), 10);
    drains = TakeDrains();
    ASSERT_EQ(1u, drains.size());
    ::DispatchMessageW(&drains[0]);
    ASSERT_EQ(52u, log.ids.size());
    EXPECT_EQ(2, log.ids[51]);
    EXPECT_EQ(0u, dispatcher->Release());
}

TEST(Dispatcher, LastReleaseOnAnotherThreadRunsWhatIsQueuedThere)
{
    IDeferredProcedureDispatcher* dispatcher = CreateVMsgDeferredProcedureDispatcher();
    RunLog log;
    CRecordingProcedure first(log, 1), second(log, 2);
    dispatcher->QueueProcedure(&first, 10);
    dispatcher->QueueProcedure(&second, 20);
    // The drain message is withdrawn so that only the destruction can run them.
    ASSERT_EQ(1u, TakeDrains().size());

    DWORD releasingThread = 0;
    const HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread releaser(
        [&]
        {
            releasingThread = ::GetCurrentThreadId();
            // Waits until this thread's window has been closed by the pump below.
            dispatcher->Release();
            ::SetEvent(done);
        });
    EXPECT_TRUE(PumpUntilSignalled(done));
    releaser.join();
    ::CloseHandle(done);
    EXPECT_EQ((std::vector<int>{1, 2}), log.ids);
    EXPECT_EQ((std::vector<DWORD>{releasingThread, releasingThread}), log.threads);
    EXPECT_TRUE(first.references == 1 && second.references == 1);
}

namespace
{
class CCountingSink : public VNotificationSink
{
public:
    LRESULT OnNotify(UINT message, WPARAM, LPARAM) override
    {
        lastMessage = message;
        thread = ::GetCurrentThreadId();
        return ++calls;
    }

    UINT lastMessage = 0;
    DWORD thread = 0;
    int calls = 0;
};
} // namespace

TEST(NotificationSink, WindowIsMessageOnlyAndFollowsTheAttachingThread)
{
    CCountingSink sink;
    ASSERT_TRUE(sink.Create());
    const HWND first = sink.GetNotificationWindow();
    // Sinks of other processes on the desktop are message-only windows of the same class: walk them all.
    HWND found = nullptr;
    do
        found = ::FindWindowExW(HWND_MESSAGE, found, L"Notification VNotificationSink", nullptr);
    while (found != nullptr && found != first);
    EXPECT_EQ(first, found) << "not a message-only window of the sink's class";
    ASSERT_TRUE(sink.AttachToCurrentThread());
    EXPECT_EQ(first, sink.GetNotificationWindow()) << "a second attach on one thread made a new window";

    // Attaching on a worker replaces the window; the worker waits until this thread has closed the old one.
    const HANDLE attached = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD workerId = 0;
    std::thread worker(
        [&]
        {
            workerId = ::GetCurrentThreadId();
            EXPECT_TRUE(sink.AttachToCurrentThread());
            ::SetEvent(attached);
            // Serves the notification below, then destroys the window on its own thread.
            PumpUntil([&] { return sink.calls == 1; });
            ::WaitForSingleObject(release, INFINITE);
            sink.Destroy();
        });
    ASSERT_TRUE(PumpUntilSignalled(attached));
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(workerId, sink.GetOwnerThreadId());
    ASSERT_TRUE(sink.PostNotification(WM_USER + 7));
    ::SetEvent(release);
    worker.join();
    EXPECT_TRUE(sink.calls == 1 && sink.lastMessage == WM_USER + 7 && sink.thread == workerId);
    EXPECT_EQ(nullptr, sink.GetNotificationWindow());
    EXPECT_FALSE(sink.PostNotification(WM_USER + 7));
    ::CloseHandle(attached);
    ::CloseHandle(release);
}
