// Writes precise/chiron_coefficients.inc: Chiron's heliocentric position as
// Chebyshev series over segments of equal length, fitted to the numerically
// integrated orbit in libswe's asteroid file seas_18.se1 (Debian's
// swe-basic-data, CC0-1.0).
//
//   build-peer/tools/make_chiron_table precise/chiron_coefficients.inc
//   build-peer/tools/make_chiron_table --print JD...   (libswe's position at
//                                                       each date, for tests)
//
// Heliocentric coordinates of a far body carry the Sun's own motion about
// the barycentre.  The share of it due to Mercury, Venus, the Earth and Mars,
// the Sun's "inner wobble" sum of (m/M_sun) r over those planets, is only
// about 5e-6 AU but has periods of months, and series following it would
// need more than twice the terms (78 KiB rather than 33 for 1e-6 AU).  So
// the series hold Chiron's position less the inner wobble (taken here from
// libswe's planets), and chiron_table.cpp adds the wobble back from mean
// orbits.
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr char kEphemerisPath[] = "/usr/share/libswe/ephe";

// Geometric heliocentric position in AU, mean equator and equinox of J2000.
constexpr int32_t kFlags = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_J2000 | SEFLG_EQUATORIAL | SEFLG_XYZ |
                           SEFLG_TRUEPOS | SEFLG_NONUT;

// 2191 days a segment (six years less half a day) and degree 13: 100
// segments cover 1800-2399 in 33 KiB with fit errors near 4e-7 AU, most of it
// the file's own: its values scatter by about 1e-7 AU about a smooth curve,
// and its 1000-day pieces meet with steps of up to 2.6e-7 AU.
constexpr double kSegmentDays = 2191;
constexpr int kDegree = 13;
constexpr int kChecksPerSegment = 64;

// The inner planets by the Sun's mass over theirs (IAU 2009 system of
// astronomical constants); the Earth stands for the Earth-Moon barycentre,
// which moves the wobble by under 2e-10 AU.
struct InnerPlanet { const char *name; int body; double sunOverPlanet; };
constexpr InnerPlanet kInnerPlanets[] = {
    {"Mercury", SE_MERCURY, 6023600.0},
    {"Venus", SE_VENUS, 408523.719},
    {"Earth and Moon", SE_EARTH, 328900.56},
    {"Mars", SE_MARS, 3098703.59},
};

struct Vector { double v[3]; };

bool Position(int body, double jd, Vector &p)
{
    double xx[6] = {};
    char error[AS_MAXCH] = {};
    const int32_t flags = swe_calc(jd, body, kFlags, xx, error);
    for (int i = 0; i < 3; ++i) p.v[i] = xx[i];
    return flags >= 0 && (flags & SEFLG_SWIEPH) && !error[0];
}

Vector Checked(int body, double jd)
{
    Vector p;
    if (!Position(body, jd, p)) throw std::runtime_error("libswe has no position of body " + std::to_string(body) +
                                                         " at JD " + std::to_string(jd));
    return p;
}

// What the series hold: Chiron less the inner wobble.
Vector Target(double jd)
{
    Vector p = Checked(SE_CHIRON, jd);
    for (const InnerPlanet &planet : kInnerPlanets) {
        const Vector q = Checked(planet.body, jd);
        for (int i = 0; i < 3; ++i) p.v[i] -= q.v[i] / planet.sunOverPlanet;
    }
    return p;
}

// Whether libswe gives Chiron at `jd` from a fresh start: with a file open it
// reads on to that file's last day, but a fresh start picks the file by date,
// and from 2400 January 1 on that is a file Debian does not ship.
bool ChironKnown(double jd)
{
    swe_close();
    swe_set_ephe_path(kEphemerisPath);
    Vector p;
    return Position(SE_CHIRON, jd, p);
}

// The boundary between a date the file covers and one it does not.
double Boundary(double known, double unknown)
{
    for (int step = 0; step < 60; ++step) {
        const double middle = (known + unknown) / 2;
        (ChironKnown(middle) ? known : unknown) = middle;
    }
    return known;
}

// Coefficients c[axis][k] of sum c_k T_k(x), x = 2 (t - start) / kSegmentDays - 1,
// interpolating at the extrema of T_kDegree, which include both ends: the
// series of neighbouring segments meet where they pass through the same value.
using Segment = std::vector<std::vector<double>>;
Segment Fit(double start)
{
    constexpr int n = kDegree;
    std::vector<Vector> values(n + 1);
    for (int j = 0; j <= n; ++j) values[j] = Target(start + (1 + std::cos(std::numbers::pi * j / n)) / 2 * kSegmentDays);
    Segment c(3, std::vector<double>(n + 1));
    for (int axis = 0; axis < 3; ++axis)
        for (int k = 0; k <= n; ++k) {
            double sum = 0;
            for (int j = 0; j <= n; ++j)
                sum += (j == 0 || j == n ? 0.5 : 1.0) * values[j].v[axis] * std::cos(std::numbers::pi * j * k / n);
            c[axis][k] = sum * 2 / n * (k == 0 || k == n ? 0.5 : 1.0);
        }
    return c;
}

double Clenshaw(const std::vector<double> &c, double x)
{
    double b1 = 0, b2 = 0;
    for (int k = static_cast<int>(c.size()) - 1; k >= 1; --k) {
        const double b0 = 2 * x * b1 - b2 + c[k];
        b2 = b1;
        b1 = b0;
    }
    return c[0] + x * b1 - b2;
}

std::string DateText(double jd)
{
    int year = 0, month = 0, day = 0;
    double hour = 0;
    swe_revjul(jd, SE_GREG_CAL, &year, &month, &day, &hour);
    char text[64];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02.0fh", year, month, day, hour);
    return text;
}

int PrintPositions(int count, char **dates)
{
    for (int i = 0; i < count; ++i) {
        const double jd = std::stod(dates[i]);
        const Vector p = Checked(SE_CHIRON, jd);
        std::printf("JD %.6f (%s TT): %.10f %.10f %.10f AU\n", jd, DateText(jd).c_str(), p.v[0], p.v[1], p.v[2]);
    }
    return 0;
}

// The first midnight libswe gives Chiron for, and as many whole segments as
// fit before the last date it gives.
struct Range { double firstKnown, lastKnown, first; int segments; };
Range FindRange()
{
    Range r{Boundary(2379000.5, 2378000.5), Boundary(2597000.5, 2598500.5), 0, 0};
    r.first = std::floor(r.firstKnown - 0.5) + 0.5;
    while (!ChironKnown(r.first)) r.first += 1;
    r.segments = static_cast<int>(std::floor((r.lastKnown - r.first) / kSegmentDays));
    return r;
}

// Every segment's series, and their largest distance from the target at
// kChecksPerSegment dates a segment, midway between the dates' grid points.
struct Fitted { std::vector<Segment> table; double largest = 0, whereLargest = 0; };
Fitted FitAll(const Range &r)
{
    Fitted f;
    for (int s = 0; s < r.segments; ++s) {
        const double start = r.first + s * kSegmentDays;
        f.table.push_back(Fit(start));
        for (int m = 0; m < kChecksPerSegment; ++m) {
            const double u = (m + 0.5) / kChecksPerSegment, jd = start + u * kSegmentDays;
            const Vector p = Target(jd);
            double square = 0;
            for (int axis = 0; axis < 3; ++axis) square += std::pow(Clenshaw(f.table.back()[axis], 2 * u - 1) - p.v[axis], 2);
            if (std::sqrt(square) > f.largest) f.largest = std::sqrt(square), f.whereLargest = jd;
        }
    }
    return f;
}

void WriteHeader(FILE *out, const Range &r, const Fitted &f)
{
    const double last = r.first + r.segments * kSegmentDays;
    char version[AS_MAXCH] = {};
    std::fprintf(out,
                 "// Chiron's heliocentric position as Chebyshev series, written by\n"
                 "// tools/make_chiron_table (build-peer/tools/make_chiron_table\n"
                 "// precise/chiron_coefficients.inc): do not edit by hand.\n//\n"
                 "// Source: Chiron's numerically integrated orbit in seas_18.se1 of Debian's\n"
                 "// swe-basic-data (CC0-1.0), read with libswe %s, which gives it\n"
                 "// from JD %.1f up to JD %.1f.\n//\n"
                 "// Frame and units: geometric heliocentric position in AU, mean equator and\n"
                 "// equinox of J2000; time as Julian date, Terrestrial Time.\n//\n"
                 "// Segments: %d of %.1f days from JD %.1f (%s TT)\n"
                 "// to JD %.1f (%s TT).  On the segment starting at a, with\n"
                 "// x = 2 (t - a) / kChironSegmentDays - 1, each coordinate is\n"
                 "// sum over k = 0..%d of c[k] T_k(x), interpolating at the extrema of T_%d.\n//\n"
                 "// The series hold Chiron's position less the Sun's inner wobble, the sum\n"
                 "// of r / kInnerPlanetSunOverPlanet[i] over the heliocentric positions r of\n"
                 "// Mercury, Venus, the Earth and Mars, which chiron_table.cpp adds back.\n//\n"
                 "// Largest fit error over %d samples a segment: %.2g AU (JD %.4f).\n\n",
                 swe_version(version), r.firstKnown, r.lastKnown, r.segments, kSegmentDays, r.first,
                 DateText(r.first).c_str(), last, DateText(last).c_str(), kDegree, kDegree, kChecksPerSegment,
                 f.largest, f.whereLargest);
}

bool WriteTable(const char *path, const Range &r, const Fitted &f)
{
    FILE *out = std::fopen(path, "w");
    if (!out) return false;
    WriteHeader(out, r, f);
    std::fprintf(out, "constexpr double kChironFirstJd = %.17g;\nconstexpr double kChironSegmentDays = %.17g;\n"
                      "constexpr int kChironDegree = %d;\n\n", r.first, kSegmentDays, kDegree);
    std::fprintf(out, "// The Sun's mass over each inner planet's (IAU 2009).\n"
                      "constexpr double kInnerPlanetSunOverPlanet[] = {\n");
    for (const InnerPlanet &planet : kInnerPlanets) std::fprintf(out, "    %.12g,  // %s\n", planet.sunOverPlanet, planet.name);
    std::fprintf(out, "};\n\n// [segment][x, y, z][k]\nconstexpr double kChironCoefficients[][3][kChironDegree + 1] = {\n");
    for (int s = 0; s < r.segments; ++s) {
        std::fprintf(out, "    {  // %d: JD %.1f\n", s, r.first + s * kSegmentDays);
        for (int axis = 0; axis < 3; ++axis) {
            std::fprintf(out, "        {");
            for (int k = 0; k <= kDegree; ++k)
                std::fprintf(out, "%s%.17g,", k % 4 == 0 ? "\n            " : " ", f.table[s][axis][k]);
            std::fprintf(out, "\n        },\n");
        }
        std::fprintf(out, "    },\n");
    }
    std::fprintf(out, "};\n");
    return std::fclose(out) == 0;
}

int MakeTable(const char *path)
{
    const Range r = FindRange();
    const Fitted f = FitAll(r);
    const double bytes = r.segments * 3.0 * (kDegree + 1) * sizeof(double);
    std::printf("libswe gives Chiron from JD %.1f up to JD %.1f\n", r.firstKnown, r.lastKnown);
    std::printf("%d segments of %.1f days from JD %.1f, degree %d: %.0f bytes (%.1f KiB) of coefficients\n",
                r.segments, kSegmentDays, r.first, kDegree, bytes, bytes / 1024);
    std::printf("largest fit error over %d samples a segment: %.3g AU at JD %.4f\n", kChecksPerSegment, f.largest,
                f.whereLargest);
    if (WriteTable(path, r, f)) return 0;
    std::fprintf(stderr, "make_chiron_table: cannot write %s\n", path);
    return 1;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_chiron_table OUTPUT.inc | --print JD...\n");
        return 2;
    }
    swe_set_ephe_path(kEphemerisPath);
    int status = 1;
    try {
        status = std::string(argv[1]) == "--print" ? PrintPositions(argc - 2, argv + 2) : MakeTable(argv[1]);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_chiron_table: %s\n", e.what());
    }
    swe_close();
    return status;
}
