// The precise ephemeris as the chart of the moment uses it: the apparent
// place of each body with its speed, from short Chebyshev series fitted to
// the plain computation (UndeflectedPlaceAt) on first use and kept while the
// moments asked for stay inside them; the Sun's deflection of the light,
// sharp while a planet passes behind the Sun, is added after the series.  The clock asks for the next minute
// every minute, so almost every chart is twelve series summed.
#pragma once

#include "apparent_positions.h"
#include "precise_body.h"

namespace zenlume::precise {

// The years (first and last, inclusive) in which the precise theory holds
// for `body`: 1800-2399 for the Sun, the Moon, the Node and Mercury to
// Saturn, where the Delta T table has observed values or a prediction;
// Uranus, Neptune, Pluto and Chiron within that and within their tables.  A body
// number outside 1..12 has none (First > Last).
struct YearRange {
    int First = 0, Last = -1;
};
YearRange PreciseRange(Body body);

// Whether the Julian date of UT lies in PreciseRange(body).
bool InPreciseRange(Body body, double jdUt);

// One cache of fitted series.  Not shared between threads: each thread
// keeps its own (a chart costs about 40 ms to fit from cold, then
// microseconds).
class PreciseEphemeris {
public:
    // The apparent place of `body` at a Julian date of UT with its daily
    // speed (the series' derivative).  Within 0.001" of ApparentPlaceAt;
    // the speed within 0.002 degrees a day of ComputeApparent's central
    // difference, which is itself the less exact of the two.
    // False outside PreciseRange(body) or for a date that is not a number.
    bool Place(Body body, double jdUt, ApparentPlace &place);

    // The days each body's series covers and how many terms it has.
    static double SegmentDays(Body body);
    static int SegmentTerms(Body body);

private:
    struct Segment {
        double Start = 0;
        bool Valid = false;
        double Longitude[16] = {}, Latitude[16] = {}, Distance[16] = {};
    };
    bool Fit(Body body, double start, Segment &segment);
    // The undeflected place from the body's series, fitted first if needed.
    bool Undeflected(Body body, double jdUt, ApparentPlace &place);

    Segment segments_[kLastBody + 1];
};

}  // namespace zenlume::precise
