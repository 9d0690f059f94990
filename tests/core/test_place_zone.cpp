// The place's time zone against the IANA time-zone database's rules (tzdata
// 2025b, as Debian 12 ships it): the offsets on both sides of the
// summer-time changes in both hemispheres, offsets with minutes, a zone
// whose rules changed, skipped and repeated local times, the offsets
// zenlume-chart's --at accepts, and the home place of a first start from
// zone1970.tab.  Offsets are exact (seconds); instants to the millisecond.
#include "chart.h"
#include "home_place.h"
#include "local_time.h"
#include "place_zone.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <ctime>
#include <cstdlib>
#include <string>

namespace {

using namespace zenlume;

Instant Ut(int y, int mo, int d, int h, int mi, int s = 0) { return InstantOfUt({y, mo, d, h, mi, s, 0}); }

PlaceZone Zone(const char *name)
{
    const std::optional<PlaceZone> zone = PlaceZone::Named(name);
    if (!zone) ADD_FAILURE() << name << " is not in the time-zone database (is tzdata installed?)";
    return zone.value_or(PlaceZone::Fixed(0));
}

constexpr int kHour = 3600;

TEST(PlaceZone, OffsetsAroundTheChangesOfTheRules)
{
    const struct {
        const char *what, *zone;
        Instant at;
        int offset;
    } cases[] = {
        // Central Europe: summer time from 01:00 UT on the last Sunday of
        // March to 01:00 UT on the last Sunday of October.
        {"Berlin, last second of winter time", "Europe/Berlin", Ut(2026, 3, 29, 0, 59, 59), 1 * kHour},
        {"Berlin, first second of summer time", "Europe/Berlin", Ut(2026, 3, 29, 1, 0), 2 * kHour},
        {"Berlin, last second of summer time", "Europe/Berlin", Ut(2026, 10, 25, 0, 59, 59), 2 * kHour},
        {"Berlin, back to winter time", "Europe/Berlin", Ut(2026, 10, 25, 1, 0), 1 * kHour},
        // United States: from 2:00 local on the second Sunday of March to
        // 2:00 local on the first Sunday of November.
        {"New York, before summer time", "America/New_York", Ut(2026, 3, 8, 6, 59, 59), -5 * kHour},
        {"New York, summer time", "America/New_York", Ut(2026, 3, 8, 7, 0), -4 * kHour},
        {"New York, last of summer time", "America/New_York", Ut(2026, 11, 1, 5, 59, 59), -4 * kHour},
        {"New York, winter time", "America/New_York", Ut(2026, 11, 1, 6, 0), -5 * kHour},
        // New South Wales: summer time from the first Sunday of October to
        // the first Sunday of April, across the new year.
        {"Sydney, summer time ends", "Australia/Sydney", Ut(2026, 4, 4, 16, 0), 10 * kHour},
        {"Sydney, last of summer time", "Australia/Sydney", Ut(2026, 4, 4, 15, 59, 59), 11 * kHour},
        {"Sydney, summer time starts", "Australia/Sydney", Ut(2026, 10, 3, 16, 0), 11 * kHour},
        {"Sydney in July", "Australia/Sydney", Ut(2026, 7, 15, 0, 0), 10 * kHour},
        // Offsets with minutes.
        {"Kolkata", "Asia/Kolkata", Ut(2026, 7, 15, 0, 0), 5 * kHour + 1800},
        {"Kathmandu", "Asia/Kathmandu", Ut(2026, 7, 15, 0, 0), 5 * kHour + 2700},
        {"Chatham in July", "Pacific/Chatham", Ut(2026, 7, 15, 0, 0), 12 * kHour + 2700},
        {"Chatham in January", "Pacific/Chatham", Ut(2026, 1, 15, 0, 0), 13 * kHour + 2700},
        // Moscow kept summer time all year from March 2011 and went back to
        // +03:00 all year in October 2014.
        {"Moscow, winter 2010", "Europe/Moscow", Ut(2010, 1, 15, 0, 0), 3 * kHour},
        {"Moscow, winter 2012", "Europe/Moscow", Ut(2012, 1, 15, 0, 0), 4 * kHour},
        {"Moscow, summer 2015", "Europe/Moscow", Ut(2015, 7, 15, 0, 0), 3 * kHour},
        {"Kiribati, 14 hours east", "Pacific/Kiritimati", Ut(2026, 7, 15, 0, 0), 14 * kHour},
    };
    for (const auto &c : cases) EXPECT_EQ(Zone(c.zone).OffsetAt(c.at), c.offset) << c.what;
    EXPECT_EQ(Zone("Europe/Berlin").AbbreviationAt(Ut(2026, 7, 15, 10, 0)), "CEST");
    EXPECT_EQ(Zone("Europe/Berlin").StandardOffset(Ut(2026, 7, 15, 10, 0)), 1 * kHour);
    EXPECT_EQ(Zone("Australia/Sydney").StandardOffset(Ut(2026, 1, 15, 0, 0)), 10 * kHour);
    EXPECT_EQ(Zone("Pacific/Chatham").StandardOffset(Ut(2026, 1, 15, 0, 0)), 12 * kHour + 2700);
}

TEST(PlaceZone, LocalTimesSkippedOrRepeated)
{
    using Kind = LocalResolution::Kind;
    const struct {
        const char *what, *zone;
        LocalDateTime local;
        Kind kind;
        Instant earlier, later;
    } cases[] = {
        {"Berlin, noon in summer", "Europe/Berlin", {2026, 7, 15, 12, 0, 0, 0}, Kind::kUnique, Ut(2026, 7, 15, 10, 0),
         Ut(2026, 7, 15, 10, 0)},
        {"Berlin, the hour skipped", "Europe/Berlin", {2026, 3, 29, 2, 30, 0, 0}, Kind::kSkipped,
         Ut(2026, 3, 29, 0, 30), Ut(2026, 3, 29, 1, 30)},
        {"Berlin, the hour repeated", "Europe/Berlin", {2026, 10, 25, 2, 30, 0, 0}, Kind::kRepeated,
         Ut(2026, 10, 25, 0, 30), Ut(2026, 10, 25, 1, 30)},
        {"New York, the hour skipped", "America/New_York", {2026, 3, 8, 2, 30, 0, 0}, Kind::kSkipped,
         Ut(2026, 3, 8, 6, 30), Ut(2026, 3, 8, 7, 30)},
        {"New York, the hour repeated", "America/New_York", {2026, 11, 1, 1, 30, 0, 0}, Kind::kRepeated,
         Ut(2026, 11, 1, 5, 30), Ut(2026, 11, 1, 6, 30)},
        {"Sydney, the hour repeated in April", "Australia/Sydney", {2026, 4, 5, 2, 30, 0, 0}, Kind::kRepeated,
         Ut(2026, 4, 4, 15, 30), Ut(2026, 4, 4, 16, 30)},
        {"Sydney, the hour skipped in October", "Australia/Sydney", {2026, 10, 4, 2, 30, 0, 0}, Kind::kSkipped,
         Ut(2026, 10, 3, 15, 30), Ut(2026, 10, 3, 16, 30)},
        {"Kathmandu", "Asia/Kathmandu", {2026, 1, 1, 0, 0, 0, 0}, Kind::kUnique, Ut(2025, 12, 31, 18, 15),
         Ut(2025, 12, 31, 18, 15)},
    };
    for (const auto &c : cases) {
        const PlaceZone zone = Zone(c.zone);
        const LocalResolution r = zone.Resolve(c.local);
        EXPECT_EQ(r.What, c.kind) << c.what;
        EXPECT_EQ(r.Earlier, c.earlier) << c.what;
        EXPECT_EQ(r.Later, c.later) << c.what;
        // Each candidate reads as the local time under its own offset.
        EXPECT_EQ(r.Earlier + std::chrono::seconds{r.EarlierOffset}, InstantOfUt(c.local)) << c.what;
        EXPECT_EQ(r.Later + std::chrono::seconds{r.LaterOffset}, InstantOfUt(c.local)) << c.what;
    }
    // A fixed zone resolves every time once; before 1582 by the Julian calendar.
    const LocalResolution julian = PlaceZone::Fixed(-5 * kHour).Resolve({1500, 2, 29, 22, 0, 0, 0});
    EXPECT_EQ(julian.What, LocalResolution::Kind::kUnique);
    const LocalDateTime ut = UtOf(julian.Earlier);
    EXPECT_EQ((std::array{ut.Year, ut.Month, ut.Day, ut.Hour}), (std::array{1500, 3, 1, 3}));

    const std::string text =
        AmbiguousTimeText({2026, 10, 25, 2, 30, 0, 0}, Zone("Europe/Berlin"),
                          Zone("Europe/Berlin").Resolve({2026, 10, 25, 2, 30, 0, 0}));
    EXPECT_EQ(text, "2026-10-25 02:30 happens twice in Europe/Berlin (the clocks go back from +02:00 to +01:00): "
                    "2026-10-25 02:30+02:00 (2026-10-25 00:30 UT) or 2026-10-25 02:30+01:00 (2026-10-25 01:30 UT); "
                    "add the offset to choose");
}

// 15 July 2026, 10:00 UT in Berlin (52°31' N, 13°24' E, standard zone 1 h
// east): the chart is that of 10:00 UT whatever the computer's zone, and
// the place's clock reads 11:00 in the numeric zone, 12:00 in the named one.
TEST(ChartOfTheInstant, TheComputersZoneDoesNotMoveIt)
{
    Settings berlin;
    berlin.LatDeg = 52;
    berlin.LatMin = 31;
    berlin.LongDeg = -13;
    berlin.LongMin = -24;
    berlin.ZoneHours = 1;
    static const PlanetTable table;
    ClockChart chart;
    for (const char *computer : {"Europe/Berlin", "UTC", "America/New_York"}) {
        setenv("TZ", computer, 1);
        tzset();
        const ChartMoment fixed = ComputeChartAt(berlin, PlaceZone::Of(berlin), Ut(2026, 7, 15, 10, 0), table, chart);
        EXPECT_EQ(fixed.UT, 10.0) << computer;
        EXPECT_EQ((std::array{fixed.Local.Hour, fixed.Local.Minute, fixed.UtcOffset}), (std::array{11, 0, 3600}));
        Settings named = berlin;
        named.TimeZone = "Europe/Berlin";
        const ChartMoment summer = ComputeChartAt(named, PlaceZone::Of(named), Ut(2026, 7, 15, 10, 0), table, chart);
        EXPECT_EQ(summer.UT, 10.0) << computer;
        EXPECT_EQ(summer.LST, fixed.LST) << computer;
        EXPECT_EQ((std::array{summer.Local.Hour, summer.UtcOffset}), (std::array{12, 7200})) << computer;
        EXPECT_EQ(summer.ZoneName, "Europe/Berlin");
        // The place's clock time, resolved in its zone, gives the same instant.
        EXPECT_EQ(ComputeChartAt(named, LocalDateTime{2026, 7, 15, 12, 0, 0, 0}, table, chart).LST, summer.LST);
        // The present: the instant of the system clock, not of its local time.
        const Instant before = Now();
        const ChartMoment now = ComputeChart(berlin, table, chart);
        EXPECT_LE(before, now.At);
        EXPECT_LE(now.At - before, std::chrono::seconds{5});
        EXPECT_EQ(InstantOfUt(now.Local) - now.At, std::chrono::hours{1}) << computer;
    }
    unsetenv("TZ");
    tzset();
}

TEST(PlaceZone, NamesTheDatabaseDoesNotHold)
{
    for (const char *name : {"Mars/Olympus", "", "../../etc/passwd", "/etc/localtime", "Europe/Berlin ", "CEST"})
        EXPECT_FALSE(PlaceZone::Named(name)) << '"' << name << '"';
    Settings s;
    s.ZoneHours = 5.75;
    s.TimeZone = "Mars/Olympus";
    std::string problem;
    const PlaceZone zone = PlaceZone::Of(s, &problem);
    EXPECT_EQ(zone.OffsetAt(Ut(2026, 7, 15, 0, 0)), 5 * kHour + 2700);
    EXPECT_EQ(problem, "the time zone \"Mars/Olympus\" is not in the system's time-zone database; using the "
                       "fixed zone +05:45");
}

TEST(TimeWithOffset, TheFormsZenlumeChartAccepts)
{
    const struct {
        const char *text;
        bool ok;
        std::optional<int> offset;
    } cases[] = {
        {"2026-07-15 10:00Z", true, 0},
        {"2026-07-15T10:00:30z", true, 0},
        {"2026-07-15 12:00+02:00", true, 2 * kHour},
        {"2026-07-15 12:00:00-09:30", true, -9 * kHour - 1800},
        {"2026-07-15 12:00", true, std::nullopt},
        {"2026-07-15 12:00+24:00", false, std::nullopt},
        {"2026-07-15 12:00+2:00", false, std::nullopt},
        {"2026-07-15 12:00 Z", false, std::nullopt},
        {"Z", false, std::nullopt},
    };
    for (const auto &c : cases) {
        LocalDateTime t;
        std::optional<int> offset;
        std::string why;
        EXPECT_EQ(ParseTimeWithOffset(c.text, t, offset, &why), c.ok) << c.text << ": " << why;
        if (c.ok) {
            EXPECT_EQ(offset, c.offset) << c.text;
        }
    }
}

TEST(HomePlace, TheComputersZoneGivesThePlace)
{
    EXPECT_EQ(ComputerZoneName("Europe/Berlin"), "Europe/Berlin");
    EXPECT_EQ(ComputerZoneName(":America/New_York"), "America/New_York");
    EXPECT_EQ(ComputerZoneName((ZoneInfoDir() + "/Asia/Tokyo").c_str()), "Asia/Tokyo");
    for (const char *none : {"UTC", "Etc/UTC", "CET-1CEST,M3.5.0,M10.5.0/3", "Nowhere/Special"})
        EXPECT_EQ(ComputerZoneName(none), std::nullopt) << none;

    // Without TZ, the zone /etc/localtime links to.
    test::TempDir dir{"zenlume-zone"};
    const std::string link = dir.Path() + "/localtime";
    ASSERT_EQ(symlink((ZoneInfoDir() + "/Australia/Sydney").c_str(), link.c_str()), 0);
    EXPECT_EQ(ComputerZoneName(nullptr, link), "Australia/Sydney");
    EXPECT_EQ(ComputerZoneName("", dir.Path() + "/missing"), std::nullopt);

    // zone1970.tab: "DE,DK,NO,SE,SJ	+5230+01322	Europe/Berlin".
    const std::optional<HomePlace> berlin = ZonePlace("Europe/Berlin");
    ASSERT_TRUE(berlin);
    EXPECT_EQ(berlin->LatitudeSeconds, (52 * 60 + 30) * 60);
    EXPECT_EQ(berlin->LongitudeSeconds, (13 * 60 + 22) * 60);
    const Settings s = FirstStartSettings(Settings{}, *berlin);
    EXPECT_EQ((std::array{s.LatDeg, s.LatMin, s.LongDeg, s.LongMin}), (std::array{52, 30, -13, -22}));
    EXPECT_EQ(s.TimeZone, "Europe/Berlin");
    EXPECT_EQ(s.ZoneHours, 1.0);  // the standard offset, whatever the season
    EXPECT_NE(FirstStartNotice(berlin).find("52\u00B030' N, 13\u00B022' E"), std::string::npos);
    // Western and southern places: +DDMMSS forms and negative signs.
    const std::optional<HomePlace> ny = ZonePlace("America/New_York");  // +404251-0740023
    ASSERT_TRUE(ny);
    EXPECT_EQ(ny->LongitudeSeconds, -((74 * 60 + 0) * 60 + 23));
    const Settings west = FirstStartSettings(Settings{}, *ny);
    EXPECT_EQ((std::array{west.LatDeg, west.LatMin, west.LongDeg, west.LongMin}), (std::array{40, 43, 74, 0}));
    EXPECT_EQ(west.ZoneHours, -5.0);
    EXPECT_FALSE(ZonePlace("UTC"));
}

}  // namespace
