#include "spread_bodies.h"

#include <cmath>
#include <cstdint>

namespace zenlume {
namespace {

struct Entry {
    int64_t Key;  // the longitude to nine decimals
    int Number;
    bool operator<(const Entry &o) const { return Key != o.Key ? Key < o.Key : Number < o.Number; }
};

}  // namespace

EntryLongitudes SpreadBodies(const EntryLongitudes &longitude, const EntryFlags &takesPart)
{
    EntryLongitudes spread = longitude;
    // At most fourteen entries: each goes into its place as it comes.
    Entry order[QVCALC32_CHART_HIGH];
    int n = 0;
    for (int j = QVCALC32_SUN; j <= QVCALC32_MIDHEAVEN; ++j) {
        // A huge or NaN longitude would break the ordering; such an entry
        // cannot be drawn anyway.
        if (!takesPart[j] || !(std::fabs(longitude[j]) < 1e6)) continue;
        const Entry e{std::llround(longitude[j] * 1e9), j};
        int at = n++;
        for (; at > 0 && e < order[at - 1]; --at) order[at] = order[at - 1];
        order[at] = e;
    }

    for (int i = 1; i < n; ++i) {
        const double prev = spread[order[i - 1].Number];
        double cur = spread[order[i].Number];
        if (cur < prev) cur += std::trunc(prev) - std::trunc(cur) + 1;
        const double gap = cur - prev;
        if (cur > prev && (gap > 300 || gap <= SpreadStep)) cur += SpreadStep;
        spread[order[i].Number] = cur;
    }
    return spread;
}

}  // namespace zenlume
