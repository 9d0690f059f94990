#include "precise_ephemeris.h"

#include "chebyshev.h"
#include "orbit_tables.h"

#include <algorithm>
#include <cmath>

namespace zenlume::precise {
namespace {

constexpr double kJ2000 = 2451545.0;

double YearOf(double jdUt) { return 2000 + (jdUt - 2451544.5) / 365.2425; }

// The series' lengths: a day for the Moon and its Node, whose places turn
// fastest; four days for the Sun and the inner planets; sixteen for the
// slow outer bodies.  Fourteen terms keep every fit within 0.001" of the
// plain computation (measured by the differential test).
constexpr double kSegmentDays[kLastBody + 1] = {0, 4, 1, 4, 4, 4, 16, 16, 16, 16, 16, 1, 16};
constexpr int kTerms = 14;
static_assert(kTerms <= kMaxChebyshevTerms);

}  // namespace

YearRange PreciseRange(Body body)
{
    if (body < kFirstBody || body > kLastBody) return {};
    YearRange range{1800, 2399};
    if (TableLastJd(body) > 0) {
        // Whole years inside the table, a series' length clear of its ends.
        const double first = YearOf(TableFirstJd(body) + kSegmentDays[body]);
        const double last = YearOf(TableLastJd(body) - kSegmentDays[body]);
        range.First = std::max(range.First, static_cast<int>(std::ceil(first)));
        range.Last = std::min(range.Last, static_cast<int>(std::floor(last)) - 1);
    }
    return range;
}

bool InPreciseRange(Body body, double jdUt)
{
    const YearRange range = PreciseRange(body);
    const double year = YearOf(jdUt);
    return year >= range.First && year < range.Last + 1;
}

double PreciseEphemeris::SegmentDays(Body body) { return body >= kFirstBody && body <= kLastBody ? kSegmentDays[body] : 0; }

int PreciseEphemeris::SegmentTerms(Body) { return kTerms; }

bool PreciseEphemeris::Fit(Body body, double start, Segment &segment)
{
    const double half = kSegmentDays[body] / 2;
    double longitude[kTerms], latitude[kTerms], distance[kTerms];
    for (int k = 0; k < kTerms; ++k) {
        ApparentPlace at;
        if (!UndeflectedPlaceAt(body, SkyAt(start + half * (1 + ChebyshevNode(k, kTerms))), at)) return false;
        // Unwrapped, so that the series runs on across 0 Aries.
        longitude[k] = k == 0 ? at.Longitude : longitude[k - 1] + std::remainder(at.Longitude - longitude[k - 1], 360.0);
        latitude[k] = at.Latitude;
        distance[k] = at.Distance;
    }
    FitChebyshev(longitude, kTerms, segment.Longitude);
    FitChebyshev(latitude, kTerms, segment.Latitude);
    FitChebyshev(distance, kTerms, segment.Distance);
    segment.Start = start;
    segment.Valid = true;
    return true;
}

bool PreciseEphemeris::Place(Body body, double jdUt, ApparentPlace &place)
{
    if (!std::isfinite(jdUt) || !InPreciseRange(body, jdUt)) return false;
    if (!Undeflected(body, jdUt, place)) return ComputeApparent(body, jdUt, place);
    if (IsDeflected(body)) {
        ApparentPlace sun;
        if (!Undeflected(kSun, jdUt, sun)) return ComputeApparent(body, jdUt, place);
        DeflectByTheSun(sun, place);
    }
    return true;
}

bool PreciseEphemeris::Undeflected(Body body, double jdUt, ApparentPlace &place)
{
    const double days = kSegmentDays[body];
    // Series start at whole multiples of their length from J2000, so a
    // moment's place does not depend on which moments were asked for first.
    const double start = kJ2000 + days * std::floor((jdUt - kJ2000) / days);
    Segment &segment = segments_[body];
    if (!segment.Valid || segment.Start != start) {
        segment.Valid = false;
        if (!Fit(body, start, segment)) return false;
    }
    const double x = 2 * (jdUt - start) / days - 1;
    double longitude, latitude, distance, dLongitude, unused;
    SumChebyshev(segment.Longitude, kTerms, x, longitude, dLongitude);
    SumChebyshev(segment.Latitude, kTerms, x, latitude, unused);
    SumChebyshev(segment.Distance, kTerms, x, distance, unused);
    place.Distance = distance;
    place.Longitude = longitude - 360 * std::floor(longitude / 360);
    if (place.Longitude >= 360) place.Longitude = 0;
    place.Latitude = latitude;
    place.Speed = dLongitude * 2 / days;
    return true;
}

}  // namespace zenlume::precise
