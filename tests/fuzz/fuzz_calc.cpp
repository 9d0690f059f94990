// Fuzz target: every exported routine of the library with numbers, bounds
// and arrays decoded from the input.  Arrays are sized from their upper
// bound (which may be -1: no array at all), as a caller must size them; the
// routines must neither trap nor touch memory outside the arrays.
#include "qvcalc32.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <type_traits>
#include <vector>

namespace {

// GetReturn may walk 251 years (millions of positions, minutes under the
// sanitizers).  Its bounds are part of its contract, so the search is cut
// short here through its pause: the hook throws after a budget of steps.
struct SearchBudgetSpent {};
int g_pausesLeft = 0;
void QVCALC32_CALL SpendPause()
{
    if (--g_pausesLeft < 0) throw SearchBudgetSpent{};
}

double AnyDouble(FuzzedDataProvider &in)
{
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return in.ConsumeFloatingPoint<double>();  // anything, NaN and infinities included
    case 1: return in.ConsumeFloatingPointInRange<double>(-1000, 1000);
    case 2: return in.ConsumeFloatingPointInRange<double>(-30, 30);
    default: return static_cast<double>(in.ConsumeIntegral<int16_t>());
    }
}

int32_t AnyJD(FuzzedDataProvider &in)
{
    return in.ConsumeBool() ? in.ConsumeIntegral<int32_t>() : in.ConsumeIntegralInRange<int32_t>(2000000, 2600000);
}

Real6 AnyReal6(FuzzedDataProvider &in)
{
    if (in.ConsumeBool()) return qvcalc32_Real6FromDouble(AnyDouble(in));
    Real6 r;
    for (auto &b : r.bytes) b = in.ConsumeIntegral<uint8_t>();
    return r;
}

// An array of high + 1 elements (none for high -1) filled from the input.
template <typename T> struct Array {
    std::vector<T> v;
    int32_t high;
    Array(FuzzedDataProvider &in, int32_t maxHigh)
        : high(in.ConsumeIntegralInRange<int32_t>(-1, maxHigh))
    {
        v.resize(static_cast<size_t>(high + 1));
        for (auto &x : v) {
            if constexpr (std::is_floating_point_v<T>)
                x = AnyDouble(in);
            else if constexpr (std::is_integral_v<T>)
                x = in.ConsumeIntegral<T>();
            else
                x = T{};  // filled by the routine
        }
    }
    T *data() { return v.empty() ? nullptr : v.data(); }
};

using HouseRoutine = void(QVCALC32_CALL *)(double *, int32_t, double, double, double, double);

void CallOne(FuzzedDataProvider &in)
{
    double a = 0, b = 0;
    int32_t m = 0, d = 0, y = 0;
    uint8_t h8 = 0, m8 = 0, s8 = 0;
    uint16_t w16 = 0;
    ShortText10 text;
    switch (in.ConsumeIntegralInRange<int>(0, 40)) {
    case 0: (void)ArcSin(AnyReal6(in)); break;
    case 1: (void)MinToFrac(in.ConsumeIntegral<uint8_t>()); break;
    case 2: (void)FracToMin(AnyReal6(in)); break;
    case 3: (void)CheckRuler(in.ConsumeIntegral<uint16_t>()); break;
    case 4: (void)RealToDegree(AnyReal6(in)); break;
    case 5: {
        double r = AnyDouble(in), lat = AnyDouble(in), obl = AnyDouble(in);
        AsMcCalc(in.ConsumeBool() ? &a : nullptr, in.ConsumeBool() ? &b : nullptr, r, lat, obl, AnyDouble(in));
        break;
    }
    case 6: case 7: case 8: case 9: case 10: case 11: case 12: case 13: {
        static const HouseRoutine kHouses[] = {PlacHouse, KochHouse, TopHouse, RegHouse,
                                               CampHouse, PorHouse,  MeridHouse, MorHouse};
        Array<double> cusps(in, 16);
        double p = AnyDouble(in), q = AnyDouble(in), obl = AnyDouble(in), off = AnyDouble(in);
        kHouses[in.ConsumeIntegralInRange<int>(0, 7)](cusps.data(), cusps.high, p, q, obl, off);
        break;
    }
    case 14: {
        Array<double> cusps(in, 16);
        double lst = AnyDouble(in), lat = AnyDouble(in), off = AnyDouble(in), obl = AnyDouble(in);
        EqHouse(&a, &b, lst, lat, off, obl, cusps.data(), cusps.high);
        break;
    }
    case 15: ExactMoon(&a, AnyDouble(in), AnyDouble(in)); break;
    case 16: ExactSun(&a, AnyDouble(in)); break;
    case 17: (void)GetHouseSize(AnyDouble(in), AnyDouble(in)); break;
    case 18: JuldayToDate(in.ConsumeIntegral<int32_t>(), &m, &d, &y); break;
    case 19: {
        int32_t mm = in.ConsumeIntegral<int32_t>(), dd = in.ConsumeIntegral<int32_t>();
        (void)JulDay(mm, dd, in.ConsumeIntegral<int32_t>());
        break;
    }
    case 20: (void)MakeSign(AnyReal6(in), AnyReal6(in)); break;
    case 21: TimeConv(&h8, &m8, &s8, AnyDouble(in)); break;
    case 22: {
        double off = AnyDouble(in), lst, T, obl;
        const int32_t jd = AnyJD(in);
        const double ut = AnyDouble(in);
        SidTime(jd, &off, &lst, ut, &T, &obl, AnyDouble(in), &text);
        break;
    }
    case 23: {
        Array<double> values(in, 64);
        const int32_t lo = in.ConsumeIntegralInRange<int32_t>(-2, 66), hi = in.ConsumeIntegralInRange<int32_t>(-2, 66);
        QSortReal(values.data(), values.high, lo, hi);
        break;
    }
    case 24: {
        Array<double> points(in, 16), cusps(in, 16);
        RotateToCusp(points.data(), points.high, cusps.data(), cusps.high, in.ConsumeIntegral<uint16_t>());
        break;
    }
    case 25: {
        Array<double> lon(in, 16);
        Array<uint8_t> totals(in, 16), weights(in, 16);
        GetQualities(lon.data(), lon.high, totals.data(), totals.high, weights.data(), weights.high);
        break;
    }
    case 26: Vertex(&a, AnyDouble(in), AnyDouble(in), AnyDouble(in)); break;
    case 27: EastPoint(&a, AnyDouble(in), AnyDouble(in)); break;
    case 28: MoonPhase(&w16, AnyDouble(in), AnyDouble(in)); break;
    case 29: PartFortune(&a, AnyDouble(in), AnyDouble(in), AnyDouble(in)); break;
    case 30: {
        Array<double> months(in, 16);
        const uint8_t flag = in.ConsumeIntegral<uint8_t>();
        const int32_t jd = AnyJD(in);
        const double ut = AnyDouble(in), off = AnyDouble(in), start = AnyDouble(in);
        MoonProgCalc(flag, jd, ut, off, start, months.data(), months.high);
        break;
    }
    case 31: case 32: {
        const bool noon = in.ConsumeBool();
        const uint8_t flag = in.ConsumeIntegral<uint8_t>();
        const int32_t helio = in.ConsumeIntegralInRange<int32_t>(-1, 2), jd = AnyJD(in);
        const double off = AnyDouble(in), lon = AnyDouble(in), lat = AnyDouble(in);
        (noon ? Noon : Dawn)(flag, helio, jd, off, lon, lat, &a, &b);
        break;
    }
    case 33: {
        Array<double> cusps(in, 16);
        (void)FindPlanetHouse(cusps.data(), cusps.high, AnyDouble(in));
        break;
    }
    case 34: (void)DistanceFromCusp(AnyDouble(in), AnyDouble(in)); break;
    case 35: {
        Array<double> table(in, QVCALC32_PLANET_TABLE_HIGH + 2);
        InitialisePlanets(table.data(), table.high);
        break;
    }
    case 36: {
        std::vector<double> table(QVCALC32_PLANET_TABLE_HIGH + 1);
        const int32_t tableHigh = in.ConsumeIntegralInRange<int32_t>(-1, QVCALC32_PLANET_TABLE_HIGH);
        InitialisePlanets(table.data(), tableHigh);
        Array<double> scratch(in, 16), lon(in, 16), decl(in, 16), speed(in, 16);
        Array<uint8_t> counts(in, 16);
        const int32_t first = in.ConsumeIntegralInRange<int32_t>(-1, 14), last = in.ConsumeIntegralInRange<int32_t>(-1, 14);
        const int32_t helio = in.ConsumeIntegralInRange<int32_t>(-1, 2), moonMode = in.ConsumeIntegral<int32_t>();
        const double off = AnyDouble(in), T = AnyDouble(in) / 100;
        PlanetCalc(first, last, helio, off, scratch.data(), scratch.high, T, counts.data(), counts.high, moonMode,
                   lon.data(), lon.high, decl.data(), decl.high, speed.data(), speed.high, table.data(), tableHigh,
                   in.ConsumeIntegral<uint8_t>());
        break;
    }
    case 37: {
        double lonOnly, lon, node, lat;
        const uint8_t flag = in.ConsumeIntegral<uint8_t>();
        const int32_t mode = in.ConsumeIntegral<int32_t>();
        const double off = AnyDouble(in), T = AnyDouble(in);
        MoonCalc(flag, &lonOnly, mode, off, T, &lon, &node, &lat);
        break;
    }
    case 38: {
        const double x = AnyDouble(in), y = AnyDouble(in);
        (void)XToTheY(x, y);
        (void)FC(x);
        (void)FS(x);
        (void)FR(x);
        (void)FD(x);
        (void)FU(y);
        YieldToOthers();
        break;
    }
    case 39: {
        Array<double> lon(in, 16);
        Array<ShortText10> dignity(in, 16);
        Array<uint8_t> reception(in, 16);
        EssentialDignities(lon.data(), lon.high, dignity.data(), dignity.high, reception.data(), reception.high);
        break;
    }
    default: {
        const uint16_t body = in.ConsumeIntegralInRange<uint16_t>(0, 13), window = in.ConsumeIntegral<uint16_t>();
        const int32_t helio = in.ConsumeIntegralInRange<int32_t>(-1, 2);
        const double target = AnyDouble(in), off = in.ConsumeBool() ? 0 : AnyDouble(in);
        int32_t jd = AnyJD(in);
        double time = -1;
        g_pausesLeft = 2000;
        const qvcalc32_YieldHook previous = qvcalc32_SetYieldHook(SpendPause);
        try {
            GetReturn(body, window, helio, target, &time, &jd, off, in.ConsumeIntegral<uint8_t>());
        } catch (const SearchBudgetSpent &) {
        }
        qvcalc32_SetYieldHook(previous);
        break;
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    for (int calls = 0; calls < 8 && in.remaining_bytes() > 0; ++calls) CallOne(in);
    return 0;
}
