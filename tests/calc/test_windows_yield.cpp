// YieldToOthers on Windows: it dispatches the messages waiting for the
// calling thread's windows and returns when the queue is empty; WM_QUIT ends
// it undispatched and is posted back, so that the caller's own message loop
// still ends the program once a search is over.  Runs under wine too.
#if defined(_WIN32)

#include <windows.h>
#undef CopyFile  // the library's CopyFile, not the system's

#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kFirst = WM_APP + 1, kSecond = WM_APP + 2, kThird = WM_APP + 3;

std::vector<UINT> g_dispatched;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP) {
        g_dispatched.push_back(message);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void QVCALC32_CALL NoPause() {}

// A message-only window of this thread that records what reaches it.
class WindowsYield : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvcalcYieldTest";
        RegisterClassA(&wc);
        window_ = CreateWindowA("QvcalcYieldTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        Drain();
        g_dispatched.clear();
    }
    void TearDown() override
    {
        DestroyWindow(window_);
        Drain();
    }
    void Post(UINT message) const { ASSERT_TRUE(PostMessageA(window_, message, 0, 0)); }
    static void Drain()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    // The caller's own loop after the search: what it dispatches, and the
    // exit code of the WM_QUIT that ends it (-1 when none came).
    static int RunCallerLoop()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            DispatchMessageA(&msg);
        }
        return -1;
    }
    HWND window_ = nullptr;
};

TEST_F(WindowsYield, DispatchesWhatIsWaitingThenReturns)
{
    struct Case {
        const char *name;
        std::vector<UINT> posted;
    } cases[] = {
        {"empty queue", {}},
        {"one message", {kFirst}},
        {"three messages, in order", {kFirst, kSecond, kThird}},
    };
    for (const auto &c : cases) {
        g_dispatched.clear();
        for (UINT m : c.posted) Post(m);
        YieldToOthers();
        EXPECT_EQ(g_dispatched, c.posted) << c.name;
        MSG msg;
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) << c.name << ": the queue is empty";
    }
}

TEST_F(WindowsYield, QuitEndsThePumpAndReachesTheCallersLoop)
{
    struct Case {
        const char *name;
        bool quitInQueue;  // PostThreadMessage (in order) or PostQuitMessage
        int exitCode;
        std::vector<UINT> byYield, byCaller;
    } cases[] = {
        // A WM_QUIT in the queue stops the pump where it stands.
        {"quit between two messages", true, 7, {kFirst}, {kSecond}},
        // PostQuitMessage's WM_QUIT comes once the queue is empty.
        {"quit requested by PostQuitMessage", false, 3, {kFirst, kSecond}, {}},
        {"exit code 0", false, 0, {kFirst, kSecond}, {}},
    };
    for (const auto &c : cases) {
        g_dispatched.clear();
        Post(kFirst);
        if (c.quitInQueue) {
            ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, WPARAM(c.exitCode), 0));
        } else {
            PostQuitMessage(c.exitCode);
        }
        Post(kSecond);
        YieldToOthers();
        EXPECT_EQ(g_dispatched, c.byYield) << c.name;
        g_dispatched.clear();
        EXPECT_EQ(RunCallerLoop(), c.exitCode) << c.name << ": the caller still sees WM_QUIT";
        EXPECT_EQ(g_dispatched, c.byCaller) << c.name;
        Drain();
    }
}

TEST_F(WindowsYield, SearchesPumpTheQueueAndLeaveQuitForTheCaller)
{
    // Greenwich, 2000 January 1: the same times with and without messages.
    double ascQuiet = 0, timeQuiet = 0, asc = 0, time = 0;
    Dawn(0, 0, 2451545, 0, 0, 51.48, &ascQuiet, &timeQuiet);
    Post(kFirst);
    PostQuitMessage(42);
    Post(kSecond);
    Dawn(0, 0, 2451545, 0, 0, 51.48, &asc, &time);
    EXPECT_EQ(time, timeQuiet);
    EXPECT_EQ(asc, ascQuiet);
    EXPECT_EQ(g_dispatched, (std::vector<UINT>{kFirst, kSecond}));
    EXPECT_EQ(RunCallerLoop(), 42) << "the request to quit outlives the search";
}

TEST_F(WindowsYield, AnInstalledHookRunsInsteadOfThePump)
{
    const qvcalc32_YieldHook previous = qvcalc32_SetYieldHook(NoPause);
    Post(kFirst);
    YieldToOthers();
    EXPECT_TRUE(g_dispatched.empty());
    qvcalc32_SetYieldHook(previous);
    YieldToOthers();
    EXPECT_EQ(g_dispatched, std::vector<UINT>{kFirst});
}

}  // namespace

#endif  // _WIN32
