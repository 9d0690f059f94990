// The layout of the planetary element table that InitialisePlanets fills
// and PlanetCalc reads.  Not exported.
#pragma once

#include "qvcalc32.h"

#include <cstdint>

namespace qv {

// The table holds slots 1..409 (slot 0 is the caller's, slot 410 holds 0
// and is never read); a caller's table has upper bound 410.
inline constexpr int32_t kPlanetTableLastSlot = 409;
inline constexpr int32_t kPlanetTableHigh = QVCALC32_PLANET_TABLE_HIGH;

// Slots of one element block and of one correction term.
inline constexpr int32_t kElementSlots = 16;
inline constexpr int32_t kTermSlots = 3;
inline constexpr int32_t kSecularSlots = 3;

// Periodic terms of correction groups 1 and 2 of bodies 6..10 (Jupiter to
// Pluto); group 3 has one term fewer, and Jupiter has no group 3.
inline constexpr uint8_t kTermCounts[13] = {0, 0, 0, 0, 0, 0, 11, 5, 4, 4, 4, 0, 0};

// True for the bodies placed from the element table (all but the Moon, 2,
// and the Node, 11).
constexpr bool HasElements(int body) { return body >= 1 && body <= 12 && body != 2 && body != 11; }

// Correction groups that follow the element block of a body.
constexpr int CorrectionGroups(int body) { return body == 6 ? 2 : (body >= 7 && body <= 10 ? 3 : 0); }

// Terms of correction group g (1..3) of a body.
constexpr int GroupTerms(int body, int g) { return g == 3 ? kTermCounts[body] - 1 : kTermCounts[body]; }

// Slots a body consumes from the running slot index.
constexpr int32_t SlotsOf(int body)
{
    if (!HasElements(body)) return 0;
    int32_t slots = kElementSlots;
    for (int g = 1; g <= CorrectionGroups(body); ++g) slots += kSecularSlots + kTermSlots * GroupTerms(body, g);
    return slots;
}

// The slot at which the running index stands when body `first` (1..12) is
// reached: one past everything consumed by the bodies before it.
constexpr int32_t FirstSlotOf(int first)
{
    int32_t slot = 1;
    for (int b = 1; b < first; ++b) slot += SlotsOf(b);
    return slot;
}

// FirstSlotOf for bodies 1..13, worked out while compiling: PlanetCalc
// looks a body's slots up on every call.
struct FirstSlots {
    int32_t Slot[14];
    constexpr FirstSlots() : Slot{}
    {
        for (int b = 1; b <= 13; ++b) Slot[b] = FirstSlotOf(b);
    }
};
inline constexpr FirstSlots kFirstSlots;

}  // namespace qv
