// The pause point of the long searches.  On the desktop the searches run on
// the caller's user-interface thread, so between their steps they hand the
// thread back to whatever pending events the caller wants to run.  There is
// no message queue of our own: the caller installs a hook, and with none the
// pause costs one atomic load.
#include "internal.h"

#include <atomic>

namespace {

// Process-wide, set from any thread; the searches read it on every step.
std::atomic<qvcalc32_YieldHook> g_yieldHook{nullptr};

}  // namespace

extern "C" {

void YieldToOthers(void)
{
    if (const qvcalc32_YieldHook hook = g_yieldHook.load(std::memory_order_acquire)) hook();
}

qvcalc32_YieldHook qvcalc32_SetYieldHook(qvcalc32_YieldHook hook)
{
    return g_yieldHook.exchange(hook, std::memory_order_acq_rel);
}

}  // extern "C"
