// Deferred procedures queued from a worker thread and run on the main thread, against one PostMessage per
// procedure to a message-only window whose procedure does the same work. Both sides move the same number of
// calls in rounds of 5000 (below the 10,000 messages a thread's queue may hold on Windows); a round starts a
// worker that queues or posts while the main thread drains, and ends when the last call has run. The ratio is
// calls per second through the dispatcher over calls per second through posted messages; best of three runs
// of each, alternating.
#include "net/IDeferredProcedure.h"
#include "net/VUnknown.h"
#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace
{
using bench::Now;

constexpr unsigned Round = 5000;
constexpr unsigned Rounds = 10;
constexpr unsigned Calls = Round * Rounds;
constexpr int Runs = 3;
constexpr UINT RawMessage = WM_APP + 1;

// The work each call does, on the main thread: enough to be observed, small enough not to hide the cost of
// getting there.
struct Work
{
    void Do(ULONG_PTR value)
    {
        sum += value;
        ++done;
    }
    unsigned long long sum = 0;
    unsigned done = 0;
};

Work g_work;

class CountingProcedure : public VUnknown<IDeferredProcedure>
{
public:
    void Execute(ULONG_PTR context) override { g_work.Do(context); }
};

LRESULT CALLBACK RawWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RawMessage)
    {
        g_work.Do(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Dispatches the main thread's messages until `calls` calls have run.
void RunUntil(unsigned calls)
{
    MSG msg;
    while (g_work.done < calls && GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
}

template <class Queue> double TimeRounds(Queue queue)
{
    g_work = Work();
    const double start = Now();
    for (unsigned round = 0; round < Rounds; ++round)
    {
        std::thread worker(
            [&queue, round]
            {
                for (unsigned i = 0; i < Round; ++i)
                    queue(round * Round + i);
            });
        RunUntil((round + 1) * Round);
        worker.join();
    }
    return Now() - start;
}
} // namespace

int main()
{
    IDeferredProcedureDispatcher* dispatcher = CreateVMsgDeferredProcedureDispatcher();
    auto* procedure = new CountingProcedure;

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &RawWindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"BenchRawDispatch";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    if (dispatcher == nullptr || window == nullptr)
    {
        std::printf("dispatch: no dispatcher or no window\n");
        return 1;
    }

    const unsigned long long expected = static_cast<unsigned long long>(Calls) * (Calls - 1) / 2;
    double ours = 1e30;
    double raw = 1e30;
    bool correct = true;
    for (int run = 0; run < Runs; ++run)
    {
        ours = std::min(ours,
                        TimeRounds([&](ULONG_PTR value) { dispatcher->QueueProcedure(procedure, value); }));
        correct = correct && g_work.sum == expected && g_work.done == Calls;
        raw = std::min(raw, TimeRounds(
                                [&](ULONG_PTR value)
                                {
                                    // A full queue refuses the post; the worker tries again.
                                    while (!PostMessageW(window, RawMessage, value, 0))
                                        std::this_thread::yield();
                                }));
        correct = correct && g_work.sum == expected && g_work.done == Calls;
    }
    if (!correct)
    {
        std::printf("dispatch: a call was lost or ran twice\n");
        return 1;
    }

    const double oursRate = Calls / ours;
    const double rawRate = Calls / raw;
    std::printf("dispatch: %u calls from a worker; deferred procedures %.0f/s, posted messages %.0f/s\n",
                Calls, oursRate, rawRate);
    std::printf("BENCH name=dispatch ratio=%.3f target=3\n", oursRate / rawRate);

    DestroyWindow(window);
    dispatcher->Release();
    procedure->Release();
    return 0;
}
