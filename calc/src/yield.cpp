// The pause point of the long searches.  The searches run on the caller's
// user-interface thread, so between their steps they hand the thread back to
// whatever pending events the caller wants to run.
//
// On Linux there is no message queue of our own: the caller installs a hook,
// and with none the pause costs one atomic load.  On Windows the pause pumps
// the calling thread's message queue, unless the caller has installed a hook
// of its own, which then runs instead.
#include "internal.h"

#include <atomic>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

// Process-wide, set from any thread; the searches read it on every step.
std::atomic<qvcalc32_YieldHook> g_yieldHook{nullptr};

#if defined(_WIN32)
// Dispatches every message waiting for the calling thread's windows, without
// waiting for new ones.  WM_QUIT ends the pump: it is not dispatched, and it
// is posted back with its exit code so that the caller's own message loop
// still receives it and the program ends once the search is over.
void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
#endif

}  // namespace

extern "C" {

void YieldToOthers(void)
{
    if (const qvcalc32_YieldHook hook = g_yieldHook.load(std::memory_order_acquire)) {
        hook();
        return;
    }
#if defined(_WIN32)
    PumpMessages();
#endif
}

qvcalc32_YieldHook qvcalc32_SetYieldHook(qvcalc32_YieldHook hook)
{
    return g_yieldHook.exchange(hook, std::memory_order_acq_rel);
}

}  // extern "C"
