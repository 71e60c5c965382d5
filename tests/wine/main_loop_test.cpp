// The main loop, the exit watch and the worker wait, run on a thread of their own.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/main_loop.h"
#include "base/shared_state.h"
#include "base/worker_wait.h"

namespace {

constexpr UINT Marker = WM_APP + 1;
constexpr UINT Asked = WM_APP + 2;
std::vector<UINT> Seen; // messages the recording window received, in order

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUIT || message == WM_TIMER || message >= WM_APP)
        Seen.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateRecordingWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TallowfinLoopTest";
    RegisterClassA(&windowClass);
    return CreateWindowA("TallowfinLoopTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

template <typename Body> DWORD WINAPI RunBody(LPVOID param) {
    (*static_cast<Body*>(param))();
    return 0;
}

// Runs body on a fresh thread, whose message queue starts empty, and waits for it.
template <typename Body> void OnOwnThread(Body body) {
    HANDLE thread = CreateThread(nullptr, 0, RunBody<Body>, &body, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0) << "the thread hung";
    CloseHandle(thread);
}

DWORD WINAPI EndAtOnce(LPVOID) {
    return 1;
}

HANDLE EndedThread() {
    HANDLE thread = CreateThread(nullptr, 0, EndAtOnce, nullptr, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    return thread;
}

TEST(MainLoop, MessagesQueuedBehindAQuitAreStillDispatched) {
    struct Case {
        const char* name;
        bool quitToWindow; // a WM_QUIT posted to the window also reaches its procedure
    } cases[] = {{"quit posted to the window", true}, {"quit posted to the thread", false}};
    for (const Case& c : cases) {
        OnOwnThread([&] {
            HWND window = CreateRecordingWindow();
            ASSERT_NE(window, nullptr);
            Seen.clear();
            if (c.quitToWindow)
                PostMessageA(window, WM_QUIT, 0, 0);
            else
                PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);
            PostMessageA(window, Marker, 0, 0);
            RunMainLoop();
            std::vector<UINT> expected = {Marker};
            if (c.quitToWindow)
                expected.insert(expected.begin(), WM_QUIT);
            EXPECT_EQ(Seen, expected) << c.name;
            DestroyWindow(window);
        });
    }
}

TEST(MainLoop, AfterTheOptionsRuleTheFirstTickQuitsAndKillsTheTimer) {
    OnOwnThread([] {
        HWND window = CreateRecordingWindow();
        ASSERT_NE(window, nullptr);
        MainWindow = window;
        WorkerThread = EndedThread();
        LingerArmed = true; // what opening the Options dialog leaves behind
        LingerDeadline = 0;
        ASSERT_NE(SetTimer(window, 0, 20, nullptr), 0u);
        Seen.clear();
        RunMainLoop();
        // A linger would have taken some 250 ticks, however fast the machine.
        EXPECT_EQ(Seen, std::vector<UINT>{WM_TIMER}) << "quit without a linger";
        EXPECT_FALSE(KillTimer(window, 0)) << "the exit watch killed its timer";
        CloseHandle(WorkerThread);
        WorkerThread = nullptr;
        MainWindow = nullptr;
        DestroyWindow(window);
    });
}

// A tick of another timer (the bar's redraw) runs no watch, even once the linger is over.
TEST(MainLoop, AnotherTimersTickLeavesTheExitWatchAlone) {
    OnOwnThread([] {
        HWND window = CreateRecordingWindow();
        ASSERT_NE(window, nullptr);
        MainWindow = window;
        WorkerThread = EndedThread();
        LingerArmed = true;
        LingerDeadline = 0;
        ASSERT_NE(SetTimer(window, 0, 600000, nullptr), 0u);
        PostMessageA(window, WM_TIMER, 7, 0);
        PostMessageA(window, WM_QUIT, 0, 0);
        RunMainLoop();
        EXPECT_TRUE(KillTimer(window, 0)) << "another timer's tick killed the watch's timer";
        CloseHandle(WorkerThread);
        WorkerThread = nullptr;
        MainWindow = nullptr;
        DestroyWindow(window);
    });
}

HWND AskedWindow;
bool Answered;

// A worker that needs the waiting thread: it sends to one of its windows.
DWORD WINAPI SendToWaitingThread(LPVOID) {
    Sleep(100);
    DWORD_PTR result;
    Answered = SendMessageTimeoutA(AskedWindow, Asked, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
    return 1;
}

// The worker sends to a window of the waiting thread, as a box owned by the main window does;
// a wait that let no sent message through would never end.
TEST(WorkerWait, LetsSentMessagesThroughButLeavesPostedOnesQueued) {
    OnOwnThread([] {
        HWND window = AskedWindow = CreateRecordingWindow();
        ASSERT_NE(window, nullptr);
        Seen.clear();
        PostMessageA(window, Marker, 0, 0);
        Answered = false;
        WorkerThread = CreateThread(nullptr, 0, SendToWaitingThread, nullptr, 0, nullptr);
        CancelFlag.store(false);
        StopWorker();
        EXPECT_TRUE(CancelFlag.load());
        EXPECT_TRUE(WorkerHasEnded());
        EXPECT_TRUE(Answered) << "the worker's sent message was not handled";
        EXPECT_EQ(Seen, std::vector<UINT>{Asked}) << "a posted message was dispatched";
        MSG msg;
        EXPECT_TRUE(PeekMessageA(&msg, window, Marker, Marker, PM_REMOVE)) << "posted one lost";
        CloseHandle(WorkerThread);
        WorkerThread = nullptr;
        CancelFlag.store(false);
        DestroyWindow(window);
    });
}

// A wait that polled for a missing worker would never end: the thread would hang.
TEST(WorkerWait, EndsAtOnceWhenThereIsNoWorkerToWaitFor) {
    WorkerThread = nullptr;
    OnOwnThread([] { WaitForWorkerToEnd(); });
}

} // namespace
