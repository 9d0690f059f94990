// The event searches: GetReturn (the day and minute at which a body comes
// back to a longitude), Dawn (the Ascendant meets the Sun) and Noon (the
// Midheaven meets the Sun).  Each keeps its own element table on the stack,
// runs the planetary theory forward in time, and pauses between steps in
// YieldToOthers so that the caller's window stays responsive.
#include "internal.h"
#include "julian_centuries.h"
#include "planet_table.h"

#include <cmath>
#include <cstdint>

namespace {

using namespace qv;

// The theory's table and work arrays of one search, filled on entry.
struct Theory {
    double Table[kPlanetTableHigh + 1];
    double Scratch[15] = {};
    uint8_t Counts[13] = {};
    double Lon[15] = {}, Decl[15] = {}, Speed[15] = {};

    Theory() { InitialisePlanets(Table, kPlanetTableHigh); }

    // Longitude and speed of `body` at T.  A body's place never depends on
    // the bodies after it, so the theory stops there; the Node is written
    // with the Moon.
    void Compute(int body, int32_t helio, double offset, double T, uint8_t moonFlag)
    {
        const int32_t last = body == 11 ? 2 : body;
        PlanetCalc(1, last, helio, offset, Scratch, 14, T, Counts, 12, 13, Lon, 14, Decl, 14, Speed, 14, Table,
                   kPlanetTableHigh, moonFlag);
    }
};

bool InJdRange(int64_t jd) { return jd >= INT32_MIN && jd <= INT32_MAX; }

// ---- GetReturn ----

// Step-back rounds of one qualifying day.  The halving steps meet the
// crossing within a dozen rounds; the bound ends a search whose places never
// come back below the target: from 24 hours the steps only approach 12, the
// stop below 0.008 hours is never met, and the step shrinks to nothing.
constexpr int kMaxStepBacks = 64;

// The lowest place the theory reports: tropical places lie in 0..360 less
// the light-time correction (a few thousandths of a degree); sidereal places
// are reduced toward zero after the offset and lie above -360.
constexpr double kLowestTropicalPlace = -1;
constexpr double kLowestSiderealPlace = -360;

struct ReturnSearch {
    Theory Bodies;
    int Body;
    int32_t Helio;
    double Offset;  // 0, or the sidereal offset of the latest day searched
    uint8_t MoonFlag;
    double Speed = 0;  // of the latest place

    // Longitude of the body at day `jd`, `u` hours.  At 0h the day's T (and
    // the sidereal offset, when one is asked for) come from SidTime.
    double At(int64_t jd, double u)
    {
        double T;
        if (u == 0) {
            double lst, obl;
            ShortText10 text;
            SidTime(static_cast<int32_t>(jd), &Offset, &lst, 0, &T, &obl, 0, &text);
        } else {
            T = JulianCenturies(jd, u);
        }
        Bodies.Compute(Body, Helio, Offset, T, MoonFlag);
        Speed = Bodies.Speed[Body];
        return Bodies.Lon[Body];
    }
};

// The day test: the body stands at or up to 2.5 degrees past the target.
// Besides the place as reported, a place that has come round past 360 (a
// target just below 360) or that a negative offset leaves below 0 counts
// with 360 added; without that, such returns are skipped until a later one
// happens to fall on the right side of the seam.
bool DayQualifies(double L, double target)
{
    if (L >= target && std::fabs(L - target) < 2.5) return true;
    if (!(target < 360)) return false;
    const double round = L + 360;
    return round >= target && std::fabs(round - target) < 2.5;
}

// The place x taken within half a turn of the target t.
double NearTarget(double x, double t)
{
    if (x <= t - 180) return x + 360;
    if (x > t + 180) return x - 360;
    return x;
}

// The crossing inside day jd (the day before a qualifying day): a noon probe
// picks the half-day, halving steps back toward the crossing, then a
// minute-by-minute scan from the whole hour.  True with the minute in `time`.
//
// For a body moving forward every place is first taken within half a turn
// of the target.  The places otherwise live on both sides of the 0/360 seam
// (and below 0 with a negative offset) while only some comparisons lift them:
// a target in 0..1 was compared with a day's places of 1 degree and more as
// target + 360 and the scan failed, and a fast body crossing 0 Aries could
// have every stepped place lifted past the target, so that the step-back
// never ended.  Where the places are consistent the frame changes nothing.
// For the Moon, the Node, retrograde and heliocentric places (speed 0 or
// less) the steps stand as they are.
bool ScanDay(ReturnSearch &s, int64_t jd, double LB, double target, double &time)
{
    double LA = s.At(jd, 0);
    const double tp = target < 1 ? target + 360 : target;
    YieldToOthers();

    double LM = s.At(jd, 12);
    const bool forward = s.Speed > 0;
    auto place = [&](double x) { return forward ? NearTarget(x, tp) : x; };
    LA = place(LA);
    LB = place(LB);
    LM = place(LM);
    if (LM < LA && LA - LM > 2) LM += 360;

    double hours;
    if (LM - tp > 357 || (LM < tp && s.Speed > 0) || (LM > tp && s.Speed <= 0)) {
        LA = LM;  // the crossing lies in the second half
        hours = 24;
    } else {
        LB = LM;
        hours = 12;
    }

    double step = 6;
    if (LB >= 0 && LB < 1 && tp >= 360) LB += 360;
    for (int n = 0; n < kMaxStepBacks && ((LB >= tp && s.Speed > 0) || (LB <= tp && s.Speed <= 0)); ++n) {
        hours -= step;
        LB = place(s.At(jd, hours));
        if (LB < LA && LA - LB > 180) LB += 360;
        step /= 2;
        YieldToOthers();
        if (hours < 0.008) break;
    }

    const double H = std::trunc(hours);
    for (int k = 0; k <= 400; ++k) {
        YieldToOthers();
        const double u = static_cast<double>(H + k * kOver60L);
        double LX = place(s.At(jd, u));
        if (tp >= 360 && LX < 1) LX += 360;
        if ((LX >= tp && s.Speed >= 0) || (LX <= tp && s.Speed <= 0)) {
            time = u;
            return true;
        }
    }
    return false;
}

// ---- Dawn and Noon ----

// Minute steps of one search: a full day brings every angle round once, so
// a search that has not met the Sun by then never will (the angle jumps the
// 0/360 seam past a Sun just below 360, or below a Sun just above 0).
constexpr int kMaxMinuteSteps = 1440;

struct AngleSearch {
    Theory Bodies;
    int32_t Jd, Helio;
    double Offset, Longitude, Latitude;
    uint8_t MoonFlag;
    bool Midheaven;
    double T = 0;  // of the latest angle

    // The Ascendant or Midheaven (degrees) at t hours UT of day Jd.
    double AngleAt(double t)
    {
        double lst, obl, asc, mc;
        ShortText10 text;
        SidTime(Jd, &Offset, &lst, t, &T, &obl, Longitude, &text);
        AsMcCalc(&asc, &mc, FR(lst * 15), FR(Latitude), obl, Offset);
        return Midheaven ? mc : asc;
    }
    // The Sun's longitude at the T of the latest angle.
    double Sun()
    {
        Bodies.Compute(1, Helio, Offset, T, MoonFlag);
        return Bodies.Lon[1];
    }
};

// Time (hours UT of day JD, 0 <= Time < 24) and the angle there: an estimate
// from the angle's rate over one minute, then minute steps until the angle
// reaches the Sun's longitude at the estimate.  Good to the minute.
void MeetTheSun(AngleSearch &s, double start, double *angleOut, double *timeOut)
{
    double time = start;
    const double A0 = s.AngleAt(time);
    time = static_cast<double>(start + kOver60L);
    const double A1 = s.AngleAt(time);
    const double rate = A1 - A0;  // degrees per minute

    double S = s.Sun();
    if (S < A1) S += 360;
    const double estimate = static_cast<double>(time + ((S - A1) / rate) * kOver60L);
    // The estimate may fall before 0h or past 24h (a slow angle, or Noon east
    // of about 90 degrees east); the stepping works within day JD, so take the
    // same hour of that day, where the Sun is measured afresh.
    if (std::isfinite(estimate)) time = estimate;
    if (time < 0 || time >= 24) {
        time -= 24 * std::floor(time / 24);
        if (time >= 24) time -= 24;
    }

    double angle = s.AngleAt(time);
    S = s.Sun();
    if (S > angle) {
        for (int n = 0; n < kMaxMinuteSteps; ++n) {
            time = static_cast<double>(time + kOver60L);
            if (time >= 24) time -= 24;
            angle = s.AngleAt(time);
            YieldToOthers();
            if (angle >= S) break;
        }
    } else if (S < angle) {
        for (int n = 0; n < kMaxMinuteSteps; ++n) {
            time = static_cast<double>(time - kOver60L);
            if (time < 0) time += 24;
            angle = s.AngleAt(time);
            YieldToOthers();
            if (angle <= S) break;
        }
    }
    if (angleOut) *angleOut = angle;
    if (timeOut) *timeOut = time;
}

}  // namespace

extern "C" {

// The first minute, searched forward from day *JD, at which Body (1..12)
// reaches Target degrees: *JD the day and *Time the hours UT (may exceed 24:
// the minute then belongs to the next day).  Window (degrees, 0..360) picks
// the year in which the day search starts.  Offset 0 is tropical; any other
// value asks for sidereal places (the offset of each day searched).  Time is
// left alone when no return is found within 251 years; *JD is changed anyway.
// Where no answer can exist (Window beyond 360, Target not finite or below
// every place) it returns at once with *Time and *JD unchanged.
// Good to the minute for bodies moving forward; for the Moon and the Node
// (no speed), heliocentric and retrograde places the first minute scanned
// at or below the target is taken.
void GetReturn(uint16_t Body, uint16_t Window, int32_t Helio, double Target, double *Time, int32_t *JD,
               double Offset, uint8_t MoonFlag)
{
    if (Body < 1 || Body > 12 || !Time || !JD) return;
    // A window is an arc of at most one turn, and a target a finite angle:
    // outside that there is no return to look for, and the search would only
    // walk its 251 years.
    if (Window > 360 || !std::isfinite(Target)) return;
    ReturnSearch s{Theory{}, Body, Helio, Offset, MoonFlag};
    int64_t jd = *JD;

    const double L0 = s.At(jd, 0);
    if (L0 > Target) Target += 360;
    // Only a target of 360 or more is brought down later; one still below
    // every place after the turn added here is never reached, and its day
    // loops would run the full 251 years.
    if (Target + 2.5 <= (Offset == 0 ? kLowestTropicalPlace : kLowestSiderealPlace)) return;
    for (int g = 0; g <= 250; ++g) {
        YieldToOthers();
        const int64_t J = jd + int64_t{365} * g;
        if (!InJdRange(J)) return;
        const double L = s.At(J, 0);
        const double diff = Target - L;
        if (!(diff <= Window || (diff - 360 >= 0 && diff - 360 <= Window))) continue;

        if (Target >= 360) Target -= 360;
        jd = J;
        *JD = static_cast<int32_t>(jd);
        // No place lies outside -360..360: such a target never qualifies a
        // day, so its day loop is skipped.
        if (!(Target > -362.5 && Target < 360)) continue;
        for (int i = 1; i <= 10000; ++i) {
            YieldToOthers();
            const int64_t day = jd + i;
            if (!InJdRange(day)) return;
            const double Lday = s.At(day, 0);
            if (!DayQualifies(Lday, Target)) continue;
            // A failed scan goes on from the day before this one.
            jd = day - 1;
            *JD = static_cast<int32_t>(jd);
            double found;
            if (ScanDay(s, jd, Lday, Target, found)) {
                *Time = found;
                return;
            }
        }
    }
}

// Time (hours UT, 0 <= Time < 24) on day JD at which the Ascendant meets the
// Sun, and the Ascendant then (degrees).  Longitude west-positive, Latitude
// north-positive, degrees; Offset as for GetReturn.  Good to the minute.
void Dawn(uint8_t MoonFlag, int32_t Helio, int32_t JD, double Offset, double Longitude, double Latitude,
          double *Asc, double *Time)
{
    AngleSearch s{Theory{}, JD, Helio, Offset, Longitude, Latitude, MoonFlag, false};
    MeetTheSun(s, 0.0, Asc, Time);
}

// As Dawn, for the Midheaven; the rate is taken from 6h00 to 6h01.
void Noon(uint8_t MoonFlag, int32_t Helio, int32_t JD, double Offset, double Longitude, double Latitude,
          double *MC, double *Time)
{
    AngleSearch s{Theory{}, JD, Helio, Offset, Longitude, Latitude, MoonFlag, true};
    MeetTheSun(s, 6.0, MC, Time);
}

}  // extern "C"
