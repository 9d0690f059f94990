// zenlume-chart: the chart of the present minute (or of a given local clock
// time) for the clock's settings, as a table, as JSON or as a picture of the
// wheel.  Needs no display.
#include "chart.h"
#include "chart_report.h"
#include "home_place.h"
#include "local_time.h"
#include "place_zone.h"
#include "settings.h"
#include "write_all.h"
#if ZENLUME_HAVE_RENDERER
#include "wheel_loader.h"
#endif

#include <cstdio>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <optional>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: zenlume-chart [--at \"YYYY-MM-DD HH:MM[:SS][Z|+HH:MM]\"] [--ini FILE] [--precise] [--json]\n"
    "       zenlume-chart [--at ...] [--ini FILE] [--precise] --render FILE.png [--size N]\n"
    "\n"
    "Prints the astrological chart of the present minute for the place, zone and\n"
    "house system of the clock's settings file, or draws its wheel.\n"
    "\n"
    "  --at TIME      the chart of this clock time at the place instead of now,\n"
    "                 exactly \"YYYY-MM-DD HH:MM\" or \"YYYY-MM-DD HH:MM:SS\" (a T may\n"
    "                 stand for the blank), years 0001 to 9999; dates before\n"
    "                 15 October 1582 are Julian, so 1582-10-05 to 1582-10-14 do\n"
    "                 not exist.  Read in the place's time zone, summer time\n"
    "                 included; a time the clocks skip or repeat there is refused\n"
    "                 with its candidate instants.  A trailing Z (UT) or +HH:MM /\n"
    "                 -HH:MM gives the offset explicitly: \"2026-07-15 10:00Z\"\n"
    "  --ini FILE     read the settings from FILE instead of %s\n"
    "  --precise      compute the bodies and houses with the precise ephemeris\n"
    "                 (within arc-seconds), as [Setting] Precision=1 does; a body\n"
    "                 outside the ephemeris's years is named on standard error\n"
    "                 and keeps the library's own theory\n"
    "  --json         every field of the chart as JSON\n"
    "  --render FILE  draw the wheel, as the clock shows it with these settings,\n"
    "                 into FILE as a PNG picture (no display needed); prints nothing.\n"
    "                 \"-\" writes the picture to standard output; a device or FIFO\n"
    "                 is written into; a regular file is replaced only once the\n"
    "                 whole picture is written, and a read-only one is refused\n"
    "  --size N       the side of the picture in pixels, 50 to 10000 (default 547);\n"
    "                 the glyph size follows from it as in the clock.  Memory and\n"
    "                 time grow with the square of N: 10000 takes about 400 MB and\n"
    "                 several seconds\n"
    "  --help         this text\n"
    "\n"
    "A settings value that does not read as a whole number is named on standard\n"
    "error and its default is used, as the clock does.  Without a settings file\n"
    "the place is that of the computer's time zone (TZ or /etc/localtime, from\n"
    "tzdata's zone1970.tab), which standard error names.\n"
    "\n"
    "Exit status: 0 done, 1 the output could not be written, 2 a wrong command\n"
    "line, a settings file given with --ini that cannot be read, or a settings\n"
    "file whose place lies beyond the globe (latitude beyond 90 degrees, longitude\n"
    "beyond 180 degrees, zone of 24 hours or more).\n";

int Usage(FILE *to, int code)
{
    std::fprintf(to, kUsage, zenlume::SettingsPath().c_str());
    return code;
}

int Fail(const std::string &message)
{
    std::fprintf(stderr, "zenlume-chart: %s\n", message.c_str());
    std::fprintf(stderr, "Try 'zenlume-chart --help'.\n");
    return 2;
}

constexpr int kDefaultWheelSide = 547;

// A whole number of pixels from 50 to 10000, nothing else.
std::optional<int> ParseSide(const std::string &text)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int side = std::stoi(text);
    if (side < 50 || side > 10000) return std::nullopt;
    return side;
}

}  // namespace

int main(int argc, char **argv)
{
    std::optional<zenlume::LocalDateTime> at;
    std::optional<int> atOffset;
    std::optional<std::string> iniPath, renderPath;
    std::optional<int> side;
    bool json = false, precise = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return Usage(stdout, 0);
        if (arg == "--json") {
            json = true;
        } else if (arg == "--precise") {
            precise = true;
        } else if (arg == "--at" || arg == "--ini" || arg == "--render" || arg == "--size") {
            if (i + 1 >= argc) return Fail(arg + " needs a value");
            const std::string value = argv[++i];
            if (arg == "--ini") {
                iniPath = value;
            } else if (arg == "--render") {
                if (value.empty()) return Fail("--render needs a file name");
                renderPath = value;
            } else if (arg == "--size") {
                if (!(side = ParseSide(value)))
                    return Fail("the size \"" + value + "\" is not a whole number of pixels from 50 to 10000");
            } else {
                zenlume::LocalDateTime when;
                std::string why;
                if (!zenlume::ParseTimeWithOffset(value, when, atOffset, &why))
                    return Fail("cannot read the time \"" + value + "\": " + why);
                at = when;
            }
        } else {
            return Fail("unknown option \"" + arg + "\"");
        }
    }
    if (side && !renderPath) return Fail("--size goes with --render");
    if (json && renderPath) return Fail("--json and --render do not go together");
    if (renderPath && !ZENLUME_HAVE_RENDERER)
        return Fail("this build of zenlume-chart has no wheel renderer (it was built without the GUI); "
                    "--render is not available");

    const std::string path = iniPath.value_or(zenlume::SettingsPath());
    zenlume::IniFile ini;
    std::string why;
    const bool loaded = ini.Load(path, &why);
    if (iniPath && !loaded) return Fail("cannot read the settings file " + why);
    if (iniPath && access(path.c_str(), F_OK) != 0)
        return Fail("cannot read the settings file " + path + ": " + std::strerror(errno));
    if (!loaded)
        std::fprintf(stderr, "zenlume-chart: cannot read the settings file %s; using the defaults\n", why.c_str());

    std::vector<zenlume::SettingsProblem> problems;
    zenlume::Settings settings = zenlume::LoadSettings(ini, &problems);
    if (!iniPath && !zenlume::NamesPlace(ini)) {
        // A first start: the place of the computer's time zone.
        const std::optional<zenlume::HomePlace> home = zenlume::ComputerHomePlace();
        if (home) settings = zenlume::FirstStartSettings(settings, *home);
        std::fprintf(stderr, "zenlume-chart: %s names no place yet. %s\n", path.c_str(),
                     zenlume::FirstStartNotice(home).c_str());
    }
    bool beyondTheGlobe = false;
    for (const zenlume::SettingsProblem &problem : problems) {
        beyondTheGlobe = beyondTheGlobe || problem.OutOfRange;
        std::string line = path + ": " + zenlume::ProblemText(problem);
        if (!problem.OutOfRange) line += "; using the default " + problem.Default;
        std::fprintf(stderr, "zenlume-chart: %s\n", line.c_str());
    }
    if (beyondTheGlobe) return 2;
    if (precise) settings.Precise = true;
    const zenlume::PlanetTable table;
    zenlume::ClockChart chart;
    std::string zoneProblem;
    const zenlume::PlaceZone zone = zenlume::PlaceZone::Of(settings, &zoneProblem);
    if (!zoneProblem.empty()) std::fprintf(stderr, "zenlume-chart: %s: %s\n", path.c_str(), zoneProblem.c_str());
    zenlume::Instant instant = zenlume::Now();
    if (at && atOffset) {
        instant = zenlume::InstantOfUt(*at) - std::chrono::seconds{*atOffset};
    } else if (at) {
        const zenlume::LocalResolution r = zone.Resolve(*at);
        if (r.What != zenlume::LocalResolution::Kind::kUnique) return Fail(zenlume::AmbiguousTimeText(*at, zone, r));
        instant = r.Earlier;
    }
    const zenlume::ChartMoment moment = zenlume::ComputeChartAt(settings, zone, instant, table, chart);

    if (!moment.PreciseNotice.empty()) std::fprintf(stderr, "zenlume-chart: %s\n", moment.PreciseNotice.c_str());
    const std::string missing = zenlume::MissingCuspsMessage(moment);
    if (!missing.empty()) std::fprintf(stderr, "zenlume-chart: %s\n", missing.c_str());
    if (moment.HouseName.empty())
        std::fprintf(stderr, "zenlume-chart: the settings name no known house system (code %d); no cusps\n",
                     settings.HouseSys);
#if ZENLUME_HAVE_RENDERER
    if (renderPath) {
        const int wheelSide = side.value_or(kDefaultWheelSide);
        std::string error;
        if (zenlume::RenderWheelPng(chart, settings, wheelSide, *renderPath, &error)) return 0;
        std::fprintf(stderr, "zenlume-chart: %s\n", error.c_str());
        return 1;
    }
#endif
    const std::string out = json ? zenlume::ChartJson(settings, moment, chart)
                                 : zenlume::ChartTable(settings, moment, chart);
    if (zenlume::WriteAll(STDOUT_FILENO, out.data(), out.size())) return 0;
    std::fprintf(stderr, "zenlume-chart: cannot write the chart: %s\n", std::strerror(errno));
    return 1;
}
