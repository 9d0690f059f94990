/*
 * qvcalc32.h - the calculation library of Zenlume.
 *
 * Calendar and sidereal time, a planetary theory with its element table, a
 * short and a long lunar series and a solar theory, the Ascendant and
 * Midheaven with nine house systems, sign notation and chart lookups, chart
 * points and dignities, searches for returns, dawn and noon, and two file
 * routines.  The library keeps no state between calls, never allocates, and
 * every routine may be called from any thread.
 *
 * ABI conventions
 * ---------------
 * - C linkage.  The 49 routines carry the names of the export table below;
 *   calc/qvcalc32.def fixes their ordinals (1..49) for a Windows build, where
 *   they use the stdcall convention.  Nothing else is exported, apart from the
 *   one documented hook setter qvcalc32_SetYieldHook (outside the ordinals).
 * - integer = int32_t, word = uint16_t, byte = uint8_t, boolean = bool,
 *   double = IEEE binary64.
 * - Real6 is the 6-byte real (see below), passed and returned by value.
 *   ShortText10 is a length byte and up to 10 characters of an 8-bit
 *   character set (not NUL-terminated), returned by value.
 * - An open array is a pointer followed by an int32_t upper bound (the element
 *   count minus one).  An array the routine only reads is `const`.  An out or
 *   in-out scalar is a pointer.  Parameter orders are fixed by the
 *   49-routine interface that existing callers bind to; mind CampHouse (Lat
 *   before LST) and EqHouse (Offset before Obl, array last).
 * - Element k of a per-body array is body k (1 Sun, 2 Moon, 3 Mercury,
 *   4 Venus, 5 Mars, 6 Jupiter, 7 Saturn, 8 Uranus, 9 Neptune, 10 Pluto,
 *   11 lunar Node, 12 Chiron; 13 Ascendant, 14 Midheaven where the caller
 *   keeps them).  Element k of a cusp array is cusp k (1..12).
 *
 * Units: longitudes, cusps and angles in decimal degrees; obliquity in
 * radians; sidereal time and UT in decimal hours; latitude north-positive;
 * geographic longitude positive to the west; JD is the integer Julian Day Number of
 * a calendar date; T is Julian centuries of 36525 days from JD 2415020.0.
 *
 * Robustness (what this library guarantees beyond the plain arithmetic)
 * -----------------------------------------------------------------------
 * - No routine traps, throws or aborts.  Floating-point domain errors give
 *   IEEE results: NaN where the geometry has no answer (an arcsine beyond 1
 *   at polar latitudes, 0/0), and the limiting angle where an arctangent
 *   quotient has a zero denominator and a non-zero numerator.  Routines that
 *   can return NaN: PlacHouse and KochHouse (an intermediate cusp is NaN
 *   wherever its arcsine argument goes beyond 1, which happens beyond the
 *   polar circles - from about 70 degrees for every sidereal time - while
 *   the four angle cusps stay valid), AsMcCalc and every house routine at a
 *   degenerate place, XToTheY (X <= 0 with Y <= 0, X < 0), Vertex and
 *   EastPoint at degenerate sidereal times, and every routine given NaN or
 *   infinite input.
 * - PlacHouse iterates at most 100000 rounds per cusp (close to the polar
 *   circles a converging cusp needs a few thousand); when the bound is
 *   reached the cusp is NaN.
 * - A Real6 cannot hold NaN or infinity.  Converting such a value to Real6
 *   gives 0 (NaN) or the largest Real6 of that sign (overflow); values below
 *   2^-128 in magnitude become 0.  ArcSin takes arguments beyond +-1 as +-1.
 * - Where a result is a byte, word or text and the arithmetic has no value
 *   (NaN input, or a number beyond the 32-bit range where a 32-bit integer
 *   conversion would overflow), the result is 0 or the empty text:
 *   FracToMin 0, RealToDegree and MakeSign the empty text, MoonPhase 0,
 *   TimeConv 0 in all three fields, JulDay/JuldayToDate never overflow (the
 *   arithmetic is done in 64 bits and the low 32 bits are returned).
 * - Array upper bounds are checked: a routine given a null array, or an array
 *   too short for the elements it reads or writes, returns without writing
 *   anything (a function result is then 0, or NaN for doubles).
 */
#ifndef QVCALC32_H
#define QVCALC32_H

#include <stdbool.h>
#include <stdint.h>
#include <string.h>

#if defined(_WIN32)
#  define QVCALC32_CALL __stdcall
#  if defined(QVCALC32_BUILDING)
#    define QVCALC32_API __declspec(dllexport)
#  else
#    define QVCALC32_API __declspec(dllimport)
#  endif
#else
#  define QVCALC32_CALL
#  define QVCALC32_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The 6-byte real, little-endian: byte 0 is the binary exponent biased by
 * 129 (0 means the value 0, whatever the other bytes hold); bytes 1..5 hold a
 * 39-bit fraction, least significant byte first, with an implicit leading 1;
 * the top bit of byte 5 is the sign.
 * value = (1 + fraction / 2^39) * 2^(exponent - 129).  Real6 results are
 * rounded to nearest, ties to even, on the 40-bit significand. */
typedef struct Real6 {
    uint8_t bytes[6];
} Real6;

/* Conversions between double and Real6 for callers; inline, not exported.
 * To Real6: nearest with ties to even on the 40-bit significand; NaN, zero
 * and magnitudes below 2^-128 give 0; beyond the largest Real6 (about
 * 1.7e38) the largest Real6 of that sign.  To double: exact. */
static inline double qvcalc32_Real6ToDouble(Real6 r)
{
    uint64_t fraction = 0, bits;
    double d;
    int i;
    if (r.bytes[0] == 0) return 0.0;
    for (i = 5; i >= 1; --i) fraction = (fraction << 8) | r.bytes[i];
    fraction &= ((uint64_t)1 << 39) - 1;
    bits = ((uint64_t)(r.bytes[5] >> 7) << 63) | ((uint64_t)(r.bytes[0] - 129 + 1023) << 52) | (fraction << 13);
    memcpy(&d, &bits, sizeof d);
    return d;
}

static inline Real6 qvcalc32_Real6FromDouble(double x)
{
    Real6 r = {{0, 0, 0, 0, 0, 0}};
    uint64_t bits, fraction, rest;
    int exponent, i;
    memcpy(&bits, &x, sizeof bits);
    exponent = (int)((bits >> 52) & 0x7ff) - 1023;
    if (exponent == 1024 && (bits & (((uint64_t)1 << 52) - 1)) != 0) return r; /* NaN */
    if (exponent == -1023) return r;                                           /* 0, subnormal */
    fraction = bits & (((uint64_t)1 << 52) - 1);
    rest = fraction & 0x1FFF;
    fraction >>= 13;
    if (rest > 0x1000 || (rest == 0x1000 && (fraction & 1))) {
        if (++fraction >> 39) {
            fraction = 0;
            ++exponent;
        }
    }
    if (exponent < -128) return r;
    if (exponent > 126) {
        exponent = 126;
        fraction = ((uint64_t)1 << 39) - 1;
    }
    r.bytes[0] = (uint8_t)(exponent + 129);
    for (i = 1; i <= 5; ++i) r.bytes[i] = (uint8_t)(fraction >> (8 * (i - 1)));
    if (bits >> 63) r.bytes[5] |= 0x80;
    return r;
}

/* A length byte (0..10) followed by the characters, 8-bit, no terminator. */
typedef struct ShortText10 {
    uint8_t length;
    char chars[10];
} ShortText10;

/* ---- Named codes for callers (compile-time constants, not exported) --- */

/* Body indices: element k of a per-body array (PlanetCalc's Lon, Decl,
 * Speed; GetReturn's Body).  The Ascendant and Midheaven are not bodies of
 * the library; callers that keep them beside the bodies use 13 and 14. */
enum {
    QVCALC32_SUN = 1,
    QVCALC32_MOON = 2,
    QVCALC32_MERCURY = 3,
    QVCALC32_VENUS = 4,
    QVCALC32_MARS = 5,
    QVCALC32_JUPITER = 6,
    QVCALC32_SATURN = 7,
    QVCALC32_URANUS = 8,
    QVCALC32_NEPTUNE = 9,
    QVCALC32_PLUTO = 10,
    QVCALC32_NODE = 11,
    QVCALC32_CHIRON = 12,
    QVCALC32_ASCENDANT = 13,
    QVCALC32_MIDHEAVEN = 14
};

/* House-system codes, one per house routine, in the order a chart program
 * stores its choice (1 Placidus .. 9 Equal). */
enum {
    QVCALC32_PLACIDUS = 1,      /* PlacHouse */
    QVCALC32_KOCH = 2,          /* KochHouse */
    QVCALC32_CAMPANUS = 3,      /* CampHouse */
    QVCALC32_TOPOCENTRIC = 4,   /* TopHouse */
    QVCALC32_MORINUS = 5,       /* MorHouse */
    QVCALC32_PORPHYRY = 6,      /* PorHouse */
    QVCALC32_REGIOMONTANUS = 7, /* RegHouse */
    QVCALC32_MERIDIAN = 8,      /* MeridHouse */
    QVCALC32_EQUAL = 9          /* EqHouse */
};

/* Upper bounds (element count minus one) that callers pass with arrays:
 * arrays of twelve entries in elements 1..12 (bodies, cusps, months,
 * tallies), a chart array that also keeps the two angles in 13 and 14, and
 * the element table of InitialisePlanets and PlanetCalc (411 doubles). */
enum {
    QVCALC32_BODIES_HIGH = 12,
    QVCALC32_CHART_HIGH = 14,
    QVCALC32_PLANET_TABLE_HIGH = 410
};

/* MakeSign writes the sign glyph as this code plus the sign index (0 Aries
 * .. 11 Pisces), the code of the sign's symbol in the chart symbol face. */
enum { QVCALC32_SIGN_GLYPH_BASE = 152 };

/* ---- Numeric routines (numeric.cpp, real6.cpp) ------------------------ */

/* arctan(X / sqrt(1 - X^2)) in radians, in [-pi/2, pi/2], rounded to Real6.
 * X beyond +-1 is taken as +-1. */
QVCALC32_API Real6 QVCALC32_CALL ArcSin(Real6 X);
/* Minutes * 1/60 as a Real6: minutes as a fraction of a degree or hour. */
QVCALC32_API Real6 QVCALC32_CALL MinToFrac(uint8_t Minutes);
/* Fraction * 60 rounded to the nearest integer, halves to even, stored as a
 * byte (the low 8 bits); 0 when beyond the 32-bit range. */
QVCALC32_API uint8_t QVCALC32_CALL FracToMin(Real6 Fraction);
/* Signed degrees and minutes: "+12\xB030", "-03\xB015", "+00\xB060" for 0.999
 * (minutes are rounded, never carried).  Empty text when |X| >= 2^31. */
QVCALC32_API ShortText10 QVCALC32_CALL RealToDegree(Real6 X);
/* exp(Y * ln X).  X = 0 gives 0 for Y > 0, +inf for Y < 0, NaN for Y = 0;
 * X < 0 gives NaN. */
QVCALC32_API double QVCALC32_CALL XToTheY(double X, double Y);
/* Cosine and sine of X degrees. */
QVCALC32_API double QVCALC32_CALL FC(double X);
QVCALC32_API double QVCALC32_CALL FS(double X);
/* X degrees in radians; X radians in degrees. */
QVCALC32_API double QVCALC32_CALL FR(double X);
QVCALC32_API double QVCALC32_CALL FD(double X);
/* X minus whole multiples of 360 taken toward zero: 370 -> 10, -370 -> -10,
 * 360 -> 0, 720 -> 0.  A negative X stays negative. */
QVCALC32_API double QVCALC32_CALL FU(double X);
/* Sorts A[Lo..Hi] ascending in place by a Hoare-style partition sort (the
 * middle element of each range as pivot, swaps from both ends; not stable,
 * the order of equal values follows the partition steps exactly).
 * Nothing happens when Lo or Hi lies outside 0..AHigh.  Recursion depth is
 * logarithmic. */
QVCALC32_API void QVCALC32_CALL QSortReal(double *A, int32_t AHigh, int32_t Lo, int32_t Hi);

/* ---- Calendar and sidereal time (calendar.cpp, sidereal_time.cpp) ----- */

/* Julian Day Number of a date; Julian calendar before 15 October 1582,
 * Gregorian from then on.  Fields are not validated (Day 32 counts on). */
QVCALC32_API int32_t QVCALC32_CALL JulDay(int32_t Month, int32_t Day, int32_t Year);
/* The Gregorian date of a Julian Day Number (exact inverse of JulDay for
 * Gregorian dates from 1 March of year 1 to 2999). */
QVCALC32_API void QVCALC32_CALL JuldayToDate(int32_t JD, int32_t *Month, int32_t *Day, int32_t *Year);
/* Decimal hours to hours, minutes and seconds, in single precision, rounded
 * to the nearest second (Hour is 24 within half a second of 24). */
QVCALC32_API void QVCALC32_CALL TimeConv(uint8_t *Hour, uint8_t *Minute, uint8_t *Second, double Hours);
/* Local sidereal time (hours, 0..24), T, the mean obliquity (radians) and the
 * text "13H15M30S" of the sidereal time.  Offset is written only when it is
 * non-zero on entry: it then receives the sidereal zodiac offset (degrees,
 * about -24.74 in 2000). */
QVCALC32_API void QVCALC32_CALL SidTime(int32_t JD, double *Offset, double *LST, double UT, double *T,
                                        double *Obl, double Longitude, ShortText10 *Text);

/* ---- Angles and quadrant houses (angles.cpp, houses_quadrant.cpp) ------ */

/* Ascendant and Midheaven in degrees, each with one arc-minute added and the
 * Offset applied; 360 is subtracted once from a value at or above 360, so
 * an Offset beyond 360 can leave 360 or more and a negative Offset a
 * negative angle.  RAMC, Lat and Obl in RADIANS. */
QVCALC32_API void QVCALC32_CALL AsMcCalc(double *Asc, double *MC, double RAMC, double Lat, double Obl, double Offset);
/* Quadrant house systems: cusps 1..12 into Cusps[1..12] (CuspsHigh >= 12). */
QVCALC32_API void QVCALC32_CALL PlacHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset);
QVCALC32_API void QVCALC32_CALL KochHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset);
QVCALC32_API void QVCALC32_CALL TopHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset);
QVCALC32_API void QVCALC32_CALL RegHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset);
/* Campanus: latitude before sidereal time. */
QVCALC32_API void QVCALC32_CALL CampHouse(double *Cusps, int32_t CuspsHigh, double Lat, double LST, double Obl, double Offset);

/* ---- Other houses (houses_other.cpp) ---------------------------------- */

/* Equal houses from the Ascendant; also returns Asc and MC, and writes MC
 * into Cusps[0].  Offset BEFORE Obl, the array LAST. */
QVCALC32_API void QVCALC32_CALL EqHouse(double *Asc, double *MC, double LST, double Lat, double Offset, double Obl,
                                        double *Cusps, int32_t CuspsHigh);
QVCALC32_API void QVCALC32_CALL PorHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset);
QVCALC32_API void QVCALC32_CALL MeridHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset);
QVCALC32_API void QVCALC32_CALL MorHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset);
/* The arc from A forward to B: B - A, plus 360 when B < A. */
QVCALC32_API double QVCALC32_CALL GetHouseSize(double A, double B);

/* ---- Sign notation and chart lookups (sign_notation.cpp, lookups.cpp) -- */

/* "DD G MM" + motion mark: two degree digits, blank, the sign glyph (code
 * 152 + sign index), blank, two minute digits, then " R" (Speed < 0), " s"
 * (stationary) or two blanks.  Empty text when Longitude/30 is beyond the
 * 32-bit range. */
QVCALC32_API ShortText10 QVCALC32_CALL MakeSign(Real6 Longitude, Real6 Speed);
/* House 1..12 holding Longitude, 0 when none. */
QVCALC32_API int32_t QVCALC32_CALL FindPlanetHouse(const double *Cusps, int32_t CuspsHigh, double Longitude);
/* B - A, plus 360 when B < A. */
QVCALC32_API double QVCALC32_CALL DistanceFromCusp(double A, double B);
/* Turns Points[1..12] and Cusps[1..12] so that the old Cusps[Index] lies at
 * 0 degrees.  Index must lie within 0..CuspsHigh. */
QVCALC32_API void QVCALC32_CALL RotateToCusp(double *Points, int32_t PointsHigh, double *Cusps, int32_t CuspsHigh,
                                             uint16_t Index);

/* ---- Chart points and qualities (chart_points.cpp, dignities.cpp) ----- */

/* The Vertex: the western intersection of the prime vertical with the
 * ecliptic, degrees 0..360.  Obl radians, LST hours, Lat degrees. */
QVCALC32_API void QVCALC32_CALL Vertex(double *Vx, double Obl, double LST, double Lat);
/* The East Point (the Ascendant at latitude 0), degrees 0..360. */
QVCALC32_API void QVCALC32_CALL EastPoint(double *East, double Obl, double LST);
/* Part of Fortune, day or night formula by the Sun's place against Asc. */
QVCALC32_API void QVCALC32_CALL PartFortune(double *Fortune, double Sun, double Moon, double Asc);
/* Moon's quarter 1..4 (exactly 90, 180, 270 degrees count to the earlier
 * quarter); 0 for NaN input. */
QVCALC32_API void QVCALC32_CALL MoonPhase(uint16_t *Phase, double Sun, double Moon);
/* Modern ruler (body index) of sign 1..12; 0 outside 1..12. */
QVCALC32_API uint16_t QVCALC32_CALL CheckRuler(uint16_t Sign);
/* Dignity texts ("Own", "Exaltation", "Detriment", "Fall" or " ") and mutual
 * receptions for bodies 1..12 (each array needs upper bound >= 12). */
QVCALC32_API void QVCALC32_CALL EssentialDignities(const double *Longitudes, int32_t LongitudesHigh,
                                                   ShortText10 *Dignity, int32_t DignityHigh,
                                                   uint8_t *Reception, int32_t ReceptionHigh);
/* Weighted tally of positions 1..14 by mode and element into Totals[1..12]. */
QVCALC32_API void QVCALC32_CALL GetQualities(const double *Longitudes, int32_t LongitudesHigh,
                                             uint8_t *Totals, int32_t TotalsHigh,
                                             const uint8_t *Weights, int32_t WeightsHigh);

/* ---- Planetary theory (planet_table.cpp, planets.cpp) ----------------- */

/* Fills Table[1..410] with the element and correction constants (slot 410
 * holds 0); callers pass a table of 411 doubles, upper bound 410. */
QVCALC32_API void QVCALC32_CALL InitialisePlanets(double *Table, int32_t TableHigh);
/* Bodies First..Last (1..12) at T: Lon, geocentric (Helio = 1:
 * heliocentric) ecliptic longitude in degrees plus Offset, reduced by whole
 * turns toward zero; Decl, declination in degrees for every body 1..12;
 * Speed, 60 times the daily motion in radians per day (negative when
 * retrograde, 0 for the Moon, the Node and heliocentric places).  MoonMode 2
 * leaves the Moon out; MoonFlag 0 true Node, 1 mean Node.  Needs upper
 * bounds Lon, Decl, Speed >= 12, Scratch >= 3, Counts >= 10, Table >= 409;
 * Scratch and Counts are work space taken by value (never changed).  First
 * outside 1..12 or Last > 12 writes nothing; Last < First runs only the
 * declination pass.  Geocentric places of bodies 3..12 need body 1 in the
 * same call.  Accuracy against a modern ephemeris (largest differences
 * measured in docs/accuracy.md): in 2020-2029 within 0.4 arc-minutes for the
 * Sun, 3.5' for the Moon, Mercury, Venus, Mars, Saturn, Uranus and Neptune,
 * 9' for Jupiter, 7' for Pluto, 17' for the true Node and 82' for Chiron;
 * over 1900-2100 up to 29' for Jupiter, 88' for Pluto and 4.5 degrees for
 * Chiron. */
QVCALC32_API void QVCALC32_CALL PlanetCalc(int32_t First, int32_t Last, int32_t Helio, double Offset,
                                           const double *Scratch, int32_t ScratchHigh, double T,
                                           const uint8_t *Counts, int32_t CountsHigh, int32_t MoonMode,
                                           double *Lon, int32_t LonHigh, double *Decl, int32_t DeclHigh,
                                           double *Speed, int32_t SpeedHigh, const double *Table,
                                           int32_t TableHigh, uint8_t MoonFlag);

/* ---- Moon and Sun (moon.cpp, sun.cpp, exact_moon.cpp) ----------------- */

/* The short lunar series at T: with LonOnlyMode 1 only LonOnly (degrees,
 * reduced toward zero, no Offset) and, for MoonFlag 1, the mean Node; else
 * Lon, Node (plus Offset, 360 added when negative) and Lat (degrees).
 * ExactSun: the Sun's apparent longitude in 0..360 degrees (about 0.01
 * degrees).  ExactMoon: the long lunar series plus Offset.  MoonProgCalc:
 * Months[1..12] (upper bound >= 12), the progressed Moon month by month from
 * Start over the day after JD at UT hours. */

QVCALC32_API void QVCALC32_CALL MoonCalc(uint8_t MoonFlag, double *LonOnly, int32_t LonOnlyMode, double Offset,
                                         double T, double *Lon, double *Node, double *Lat);
QVCALC32_API void QVCALC32_CALL ExactSun(double *Lon, double T);
QVCALC32_API void QVCALC32_CALL ExactMoon(double *Lon, double Offset, double T);
QVCALC32_API void QVCALC32_CALL MoonProgCalc(uint8_t MoonFlag, int32_t JD, double UT, double Offset, double Start,
                                             double *Months, int32_t MonthsHigh);

/* ---- Event searches (searches.cpp, yield.cpp) ------------------------- */

/* Lets the caller's pending user-interface events run: calls the hook set
 * with qvcalc32_SetYieldHook.  Without a hook it returns at once, except on
 * Windows, where it dispatches the calling thread's pending messages; a
 * WM_QUIT ends that and is posted back, so the caller's own loop sees it. */
QVCALC32_API void QVCALC32_CALL YieldToOthers(void);
/* The first minute (Time, UT hours, possibly beyond 24 = the next day; JD
 * the day) from JD on at which Body (1..12) reaches Target degrees, searching
 * up to 251 years; JD changes even when nothing is found, and Time is then
 * left as it was.  Window in degrees (0..360) picks the qualifying years.
 * Where no answer can exist - Window beyond 360, Target not a finite number
 * or below every place the body can have - it returns at once with Time
 * and JD unchanged.  Worst case, a search that finds nothing: 251 years of
 * up to 10000 days each, about 2.5 million positions of the theory (10 to
 * 25 seconds on one desktop core). */
QVCALC32_API void QVCALC32_CALL GetReturn(uint16_t Body, uint16_t Window, int32_t Helio, double Target, double *Time,
                                          int32_t *JD, double Offset, uint8_t MoonFlag);
/* Dawn: the UT hour (0..24) of day JD at which the Ascendant meets the
 * Sun, and that Ascendant; Noon the same for the Midheaven.  Longitude
 * west-positive, Latitude north-positive, degrees.  The minute stepping ends
 * after one day of steps (the 360/0 seam), returning the hour reached. */
QVCALC32_API void QVCALC32_CALL Dawn(uint8_t MoonFlag, int32_t Helio, int32_t JD, double Offset, double Longitude,
                                     double Latitude, double *Asc, double *Time);
QVCALC32_API void QVCALC32_CALL Noon(uint8_t MoonFlag, int32_t Helio, int32_t JD, double Offset, double Longitude,
                                     double Latitude, double *MC, double *Time);

/* ---- File routines (file_routines.cpp, lz_expand.cpp) ----------------- */

/* CopyFile result codes.  The routine never throws; it returns one of these
 * and, when Message is not null, writes a NUL-terminated message such as
 * "Error creating temporary file." into Message[0..MessageHigh] (the buffer
 * holds MessageHigh + 1 bytes; longer messages are cut).
 * On Windows, <windows.h> defines CopyFile as a macro: include it before this
 * header and #undef CopyFile to call this routine. */
enum {
    QVCALC32_COPY_OK = 0,
    QVCALC32_COPY_SOURCE_ERROR = 2,  /* Source cannot be opened or read */
    QVCALC32_COPY_DEST_ERROR = 5,    /* Dest cannot be created, written or replaced */
    QVCALC32_COPY_EXPAND_ERROR = 100 /* compressed data is damaged: "Error creating temporary file." */
};

/* True exactly when Path names an existing directory entry (file or
 * directory), with or without trailing separators ('/' or '\\', any number
 * of them); false for an empty or null Path. */
QVCALC32_API bool QVCALC32_CALL DirExists(const char *Path);
/* Copies Source to Dest, expanding a file in the LZ (SZDD) compressed format
 * and copying every other file byte for byte.  Source is opened read-only;
 * Dest is written through a temporary file in its directory that replaces
 * Dest only when the copy has succeeded, so a failed copy leaves an existing
 * Dest as it was.  Returns a QVCALC32_COPY_* code. */
QVCALC32_API int32_t QVCALC32_CALL CopyFile(const char *Source, const char *Dest, char *Message, int32_t MessageHigh);

/* ---- Outside the ordinal table ---------------------------------------- */

/* Installs the routine YieldToOthers calls (null removes it).  Returns the
 * previous hook.  The hook is process-wide and may be set from any thread. */
typedef void(QVCALC32_CALL *qvcalc32_YieldHook)(void);
QVCALC32_API qvcalc32_YieldHook QVCALC32_CALL qvcalc32_SetYieldHook(qvcalc32_YieldHook hook);

#ifdef __cplusplus
}
#endif

#endif /* QVCALC32_H */
