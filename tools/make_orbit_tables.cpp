// Writes precise/{chiron,uranus,neptune,pluto}_coefficients.inc: a body's
// heliocentric position as Chebyshev series over segments of equal length,
// fitted to libswe's files of Debian's swe-basic-data (CC0-1.0): Chiron's
// numerically integrated orbit in seas_18.se1, Uranus, Neptune and Pluto from the
// JPL-based planetary file sepl_18.se1.
//
//   make_orbit_tables BODY precise/BODY_coefficients.inc   (BODY: chiron,
//                                                            uranus, neptune, pluto)
//   make_orbit_tables --print BODY JD...   libswe's position at each date,
//                                          for tests
//   make_orbit_tables --try BODY DAYS DEGREE   size and fit error of another
//                                              segment length and degree
//
// Heliocentric coordinates of a far body carry the Sun's own motion about
// the barycentre.  The share of it due to Mercury, Venus, the Earth and Mars,
// the Sun's "inner wobble", is only about 5e-6 AU but has periods of months,
// and series following it would need more than twice the terms (78 KiB
// rather than 33 for Chiron at 1e-6 AU).  So the series hold each body's
// position less the inner wobble (taken here from libswe's planets), and
// orbit_tables.cpp adds the wobble back from mean orbits.
#include "inner_planet_masses.h"

#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using zenlume::precise::kInnerPlanetMasses;

constexpr char kEphemerisPath[] = "/usr/share/libswe/ephe";

// Geometric heliocentric position in AU, mean equator and equinox of J2000.
constexpr int32_t kFlags = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_J2000 | SEFLG_EQUATORIAL | SEFLG_XYZ |
                           SEFLG_TRUEPOS | SEFLG_NONUT;

// libswe's numbers of the planets in kInnerPlanetMasses, in its order.
constexpr int kInnerPlanetBodies[] = {SE_MERCURY, SE_VENUS, SE_EARTH, SE_MARS};
static_assert(std::size(kInnerPlanetBodies) == std::size(kInnerPlanetMasses));

// The tabulated bodies.  Each segment length fills the file's range
// (1800-2399) with whole segments, and with its degree is the most compact
// choice tried that keeps the fit within 1e-6 AU with room for the file's
// own roughness: its values scatter by about 1e-7 AU about a smooth curve,
// and its pieces meet with steps of up to 2.6e-7 AU.  Chiron's orbit is
// eccentric and feels Jupiter and Saturn at close range: 100 segments of
// 2191 days (six years less half a day), degree 13, 33 KiB.  Neptune's and
// Pluto's (and Uranus's) heliocentric paths are smooth but for the Sun's wobble due to
// Jupiter (5e-3 AU, 11.9 years) and Saturn, which sets their terms: 37
// segments of 5923 days (16.2 years), degree 17, 16 KiB each (--try:
// 4383 days and degree 13 fit as well in 16.4 KiB, 5478 and 15 in 15.0 KiB
// but to 6e-7 AU).
struct Orbit {
    const char *name;    // on the command line and in the data file's name
    const char *title;
    int body;            // libswe's number
    const char *source;  // where libswe reads it from
    double segmentDays;
    int degree;
};
constexpr Orbit kOrbits[] = {
    {"chiron", "Chiron", SE_CHIRON, "Chiron's numerically integrated orbit in seas_18.se1", 2191, 13},
    {"neptune", "Neptune", SE_NEPTUNE, "Neptune in the JPL-based planetary file sepl_18.se1", 5923, 17},
    {"pluto", "Pluto", SE_PLUTO, "Pluto in the JPL-based planetary file sepl_18.se1", 5923, 17},
    {"uranus", "Uranus", SE_URANUS, "Uranus in the JPL-based planetary file sepl_18.se1", 5923, 17},
};
constexpr int kChecksPerSegment = 128;

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

// What the series hold: the body less the inner wobble.
Vector Target(const Orbit &orbit, double jd)
{
    Vector p = Checked(orbit.body, jd);
    for (size_t i = 0; i < std::size(kInnerPlanetBodies); ++i) {
        const Vector q = Checked(kInnerPlanetBodies[i], jd);
        for (int axis = 0; axis < 3; ++axis) p.v[axis] -= q.v[axis] / kInnerPlanetMasses[i].SunOverPlanet;
    }
    return p;
}

// Whether libswe gives the body at `jd` from a fresh start: with a file open
// it reads on to that file's last day, but a fresh start picks the file by
// date, and from 2400 January 1 on that is a file Debian does not ship.
bool Known(const Orbit &orbit, double jd)
{
    swe_close();
    swe_set_ephe_path(kEphemerisPath);
    Vector p;
    return Position(orbit.body, jd, p);
}

// The boundary between a date the file covers and one it does not.
double Boundary(const Orbit &orbit, double known, double unknown)
{
    if (!Known(orbit, known) || Known(orbit, unknown))
        throw std::runtime_error(std::string(orbit.title) + "'s file does not end between the dates tried");
    for (int step = 0; step < 60; ++step) {
        const double middle = (known + unknown) / 2;
        (Known(orbit, middle) ? known : unknown) = middle;
    }
    return known;
}

// Coefficients c[axis][k] of sum c_k T_k(x), x = 2 (t - start) / segmentDays - 1,
// interpolating at the extrema of T_degree, which include both ends: the
// series of neighbouring segments meet where they pass through the same value.
using Segment = std::vector<std::vector<double>>;
Segment Fit(const Orbit &orbit, double start)
{
    const int n = orbit.degree;
    std::vector<Vector> values(n + 1);
    for (int j = 0; j <= n; ++j)
        values[j] = Target(orbit, start + (1 + std::cos(std::numbers::pi * j / n)) / 2 * orbit.segmentDays);
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

// The first midnight libswe gives the body for, and as many whole segments
// as fit before the last date it gives.
struct Range { double firstKnown, lastKnown, first; int segments; };
Range FindRange(const Orbit &orbit)
{
    Range r{Boundary(orbit, 2379000.5, 2378000.5), Boundary(orbit, 2597000.5, 2598500.5), 0, 0};
    r.first = std::floor(r.firstKnown - 0.5) + 0.5;
    while (!Known(orbit, r.first)) r.first += 1;
    r.segments = static_cast<int>(std::floor((r.lastKnown - r.first) / orbit.segmentDays));
    return r;
}

// Every segment's series, and their largest distance from the target at
// kChecksPerSegment dates a segment, midway between the dates' grid points.
struct Fitted { std::vector<Segment> table; double largest = 0, whereLargest = 0; };
Fitted FitAll(const Orbit &orbit, const Range &r)
{
    Fitted f;
    for (int s = 0; s < r.segments; ++s) {
        const double start = r.first + s * orbit.segmentDays;
        f.table.push_back(Fit(orbit, start));
        for (int m = 0; m < kChecksPerSegment; ++m) {
            const double u = (m + 0.5) / kChecksPerSegment, jd = start + u * orbit.segmentDays;
            const Vector p = Target(orbit, jd);
            double square = 0;
            for (int axis = 0; axis < 3; ++axis) square += std::pow(Clenshaw(f.table.back()[axis], 2 * u - 1) - p.v[axis], 2);
            if (std::sqrt(square) > f.largest) f.largest = std::sqrt(square), f.whereLargest = jd;
        }
    }
    return f;
}

// A paragraph as comment lines of at most 78 characters; '~' is a space
// that does not break the line.
void WriteComment(FILE *out, const std::string &text)
{
    std::string line = "//";
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        if (line.size() + 1 + word.size() > 78) std::fprintf(out, "%s\n", line.c_str()), line = "//";
        line += " " + word;
        for (char &c : line) c = c == '~' ? ' ' : c;
        at = end + 1;
    }
    std::fprintf(out, "%s\n", line.c_str());
}

std::string Format(const char *format, auto... values)
{
    char text[512];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string Unbroken(std::string text)
{
    for (char &c : text) c = c == ' ' ? '~' : c;
    return text;
}

void WriteHeader(FILE *out, const Orbit &o, const Range &r, const Fitted &f)
{
    const double last = r.first + r.segments * o.segmentDays;
    char version[AS_MAXCH] = {};
    const std::string paragraphs[] = {
        Format("%s's heliocentric position as Chebyshev series, written by tools/make_orbit_tables "
               "(build-peer/tools/make_orbit_tables %s precise/%s_coefficients.inc): do not edit by hand.",
               o.title, o.name, o.name),
        Format("Source: %s of Debian's swe-basic-data (CC0-1.0), read with libswe %s, which gives it from "
               "JD~%.1f up to JD~%.1f.", o.source, swe_version(version), r.firstKnown, r.lastKnown),
        "Frame and units: geometric heliocentric position in AU, mean equator and equinox of J2000; "
        "time as Julian date, Terrestrial Time.",
        Format("Segments: %d of %.1f days from JD~%.1f (%s~TT) to JD~%.1f (%s~TT).  On the segment starting "
               "at a, with x~=~2~(t~-~a)~/~kSegmentDays~-~1, each coordinate is sum over k = 0..%d of c[k] "
               "T_k(x), interpolating at the extrema of T_%d.",
               r.segments, o.segmentDays, r.first, Unbroken(DateText(r.first)).c_str(), last,
               Unbroken(DateText(last)).c_str(), o.degree, o.degree),
        Format("The series hold %s's position less the Sun's inner wobble, the sum of r~/~SunOverPlanet over "
               "the heliocentric positions r of the planets in inner_planet_masses.h, which orbit_tables.cpp "
               "adds back.", o.title),
        Format("Largest fit error over %d samples a segment: %.2g~AU (JD~%.4f).", kChecksPerSegment, f.largest,
               f.whereLargest),
    };
    for (size_t i = 0; i < std::size(paragraphs); ++i) {
        WriteComment(out, paragraphs[i]);
        std::fprintf(out, "%s", i + 1 < std::size(paragraphs) ? "//\n" : "\n");
    }
}

bool WriteTable(const char *path, const Orbit &o, const Range &r, const Fitted &f)
{
    FILE *out = std::fopen(path, "w");
    if (!out) return false;
    WriteHeader(out, o, r, f);
    std::fprintf(out, "constexpr double kFirstJd = %.17g;\nconstexpr double kSegmentDays = %.17g;\n"
                      "constexpr int kDegree = %d;\n\n", r.first, o.segmentDays, o.degree);
    std::fprintf(out, "// [segment][x, y, z][k]\nconstexpr double kCoefficients[][3][kDegree + 1] = {\n");
    for (int s = 0; s < r.segments; ++s) {
        std::fprintf(out, "    {  // %d: JD %.1f\n", s, r.first + s * o.segmentDays);
        for (int axis = 0; axis < 3; ++axis) {
            std::fprintf(out, "        {");
            for (int k = 0; k <= o.degree; ++k)
                std::fprintf(out, "%s%.17g,", k % 4 == 0 ? "\n            " : " ", f.table[s][axis][k]);
            std::fprintf(out, "\n        },\n");
        }
        std::fprintf(out, "    },\n");
    }
    std::fprintf(out, "};\n");
    return std::fclose(out) == 0;
}

// Fits the whole range, reports, and writes the table if `path` is given.
int MakeTable(const Orbit &orbit, const char *path)
{
    const Range r = FindRange(orbit);
    const Fitted f = FitAll(orbit, r);
    const double bytes = r.segments * 3.0 * (orbit.degree + 1) * sizeof(double);
    std::printf("libswe gives %s from JD %.1f up to JD %.1f\n", orbit.title, r.firstKnown, r.lastKnown);
    std::printf("%d segments of %.1f days from JD %.1f, degree %d: %.0f bytes (%.1f KiB) of coefficients\n",
                r.segments, orbit.segmentDays, r.first, orbit.degree, bytes, bytes / 1024);
    std::printf("largest fit error over %d samples a segment: %.3g AU at JD %.4f\n", kChecksPerSegment, f.largest,
                f.whereLargest);
    if (!path || WriteTable(path, orbit, r, f)) return 0;
    std::fprintf(stderr, "make_orbit_tables: cannot write %s\n", path);
    return 1;
}

int PrintPositions(const Orbit &orbit, int count, char **dates)
{
    for (int i = 0; i < count; ++i) {
        const double jd = std::stod(dates[i]);
        const Vector p = Checked(orbit.body, jd);
        std::printf("%s JD %.6f (%s TT): %.10f %.10f %.10f AU\n", orbit.title, jd, DateText(jd).c_str(), p.v[0],
                    p.v[1], p.v[2]);
    }
    return 0;
}

const Orbit &Named(const std::string &name)
{
    for (const Orbit &orbit : kOrbits)
        if (name == orbit.name) return orbit;
    throw std::runtime_error("no table of " + name + " (chiron, uranus, neptune, pluto)");
}

int Run(int argc, char **argv)
{
    const std::string command = argc >= 2 ? argv[1] : "";
    if (command == "--print" && argc >= 3) return PrintPositions(Named(argv[2]), argc - 3, argv + 3);
    if (command == "--try" && argc == 5) {
        Orbit trial = Named(argv[2]);
        trial.segmentDays = std::stod(argv[3]);
        trial.degree = std::stoi(argv[4]);
        return MakeTable(trial, nullptr);
    }
    if (argc == 3 && !command.starts_with('-')) return MakeTable(Named(command), argv[2]);
    std::fprintf(stderr, "usage: make_orbit_tables BODY OUTPUT.inc | --print BODY JD... | --try BODY DAYS DEGREE\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    swe_set_ephe_path(kEphemerisPath);
    int status = 1;
    try {
        status = Run(argc, argv);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_orbit_tables: %s\n", e.what());
    }
    swe_close();
    return status;
}
