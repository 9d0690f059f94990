// The clock's session without a window: one minute at a time from a stepped
// time source, with recording subscribers in place of the wheel, the
// positions window, the tray and the publication.  Each tick reads the time
// once, computes once and reaches every subscriber once; the publication's
// lines are those of the chart computed for that minute; no computation
// starts inside another; the settings are read again on request; notices
// come once per reading of the file, and an unreadable file is said once.  The expected charts come from the
// chart core (ComputeChartAt) for the same settings and minute.
#include "clock_session.h"

#include "publication.h"
#include "temp_dir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace zenlume;

const char kLondon[] = "[Place]\nNS=1\nLatD=51\nLatM=30\nEW=1\nLongD=0\nLongM=7\n";

LocalDateTime Minute(int day, int hour, int minute) { return LocalDateTime{2026, 12, day, hour, minute, 0, 0}; }

auto Fields(const LocalDateTime &t) { return std::tie(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second); }

// What each subscriber received, in the order the signals came.
struct Received {
    std::vector<std::string> events;       // "computed" / "ticked" / "settings" / "notice"
    std::vector<LocalDateTime> computedAt;  // ChartComputed's moment
    std::vector<int> risingSigns;           // what the tray would show
    std::vector<std::vector<std::string>> published;  // the publication's lines per tick
    std::vector<std::string> notices;
    std::vector<Settings> settings;
};

class Session : public testing::Test {
protected:
    void TearDown() override
    {
        session_.reset();
    }
    void Start(const std::string &ini = kLondon)
    {
        std::ofstream(path_) << ini;
        StartOnTheFileAsItIs();
    }
    void StartOnTheFileAsItIs()
    {
        session_ = std::make_unique<ClockSession>(path_);
        session_->SetTimeSource([this] {
            ++reads_;
            return session_->Zone().Resolve(now_).Earlier;
        });
        QObject::connect(session_.get(), &ClockSession::ChartComputed, [this](const ClockChart &, const ChartMoment &m) {
            got_.events.push_back("computed");
            got_.computedAt.push_back(m.Local);
            got_.risingSigns.push_back(m.RisingSign);
        });
        QObject::connect(session_.get(), &ClockSession::MinuteTicked, [this](const ClockChart &c, const ChartMoment &m) {
            got_.events.push_back("ticked");
            got_.published.push_back(PublishedLines(c, m.Local));
        });
        QObject::connect(session_.get(), &ClockSession::Notice, [this](const QString &text) {
            got_.events.push_back("notice");
            got_.notices.push_back(text.toStdString());
        });
        QObject::connect(session_.get(), &ClockSession::SettingsLoaded, [this](const Settings &s) {
            got_.events.push_back("settings");
            got_.settings.push_back(s);
        });
    }

    test::TempDir dir_{"zenlume-session"};
    std::string path_ = dir_.Path() + "/zenlume.ini";
    LocalDateTime now_ = Minute(7, 21, 40);
    int reads_ = 0;
    Received got_;
    std::unique_ptr<ClockSession> session_;
};

// Minutes in a row, an hour back, years on: each tick reads the time once
// and hands every subscriber the chart of that minute.
TEST_F(Session, EachMinuteReachesEverySubscriberOnceWithThatMinutesChart)
{
    Start();
    const PlanetTable table;
    const struct Case { const char *name; LocalDateTime at; } cases[] = {
        {"the next minute", Minute(7, 21, 41)},
        {"the one after", Minute(7, 21, 42)},
        {"an hour back", Minute(7, 20, 42)},
        {"years on", {2031, 7, 15, 12, 34, 0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        got_ = {};
        reads_ = 0;
        now_ = c.at;
        session_->MinuteTick();
        EXPECT_EQ(reads_, 1);
        ASSERT_EQ(got_.events, (std::vector<std::string>{"computed", "ticked"}));
        EXPECT_EQ(Fields(got_.computedAt[0]), Fields(c.at));

        ClockChart expected;
        const ChartMoment moment = ComputeChartAt(session_->ClockSettings(), c.at, table, expected);
        EXPECT_EQ(got_.risingSigns[0], moment.RisingSign);
        EXPECT_GE(got_.risingSigns[0], 1);
        ASSERT_EQ(got_.published[0].size(), static_cast<size_t>(kPublishedLines));
        EXPECT_EQ(got_.published[0], PublishedLines(expected, c.at));
        EXPECT_EQ(Fields(session_->Moment().Local), Fields(c.at));
    }
}

// A showing and the options compute without a tick: the publication is
// refilled at the minute tick only.
TEST_F(Session, AComputationOutsideTheTickDoesNotPublish)
{
    Start();
    EXPECT_TRUE(session_->ComputeChart());
    EXPECT_EQ(got_.events, std::vector<std::string>{"computed"});
    EXPECT_TRUE(got_.published.empty());
    EXPECT_EQ(reads_, 1);
}

// A subscriber that asks for another computation (directly, or by a tick
// that comes while it runs) gets none: the running one is the newest.
TEST_F(Session, NoComputationStartsWhileOneRuns)
{
    Start();
    struct Case { const char *name; std::function<void(ClockSession &)> nested; int ticks; } cases[] = {
        {"a computation", [](ClockSession &s) { EXPECT_FALSE(s.ComputeChart()); }, 0},
        {"a minute tick", [](ClockSession &s) { s.MinuteTick(); }, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        got_ = {};
        reads_ = 0;
        bool inside = false;
        const QMetaObject::Connection nested =
            QObject::connect(session_.get(), &ClockSession::ChartComputed, [&] {
                if (inside) return;
                inside = true;
                EXPECT_TRUE(session_->Computing());
                c.nested(*session_);
            });
        EXPECT_TRUE(session_->ComputeChart());
        QObject::disconnect(nested);
        EXPECT_EQ(reads_, 1);
        EXPECT_EQ(got_.computedAt.size(), 1u);
        EXPECT_EQ(got_.published.size(), static_cast<size_t>(c.ticks));
        EXPECT_FALSE(session_->Computing());
    }
    EXPECT_TRUE(session_->ComputeChart());  // and the next one runs
}

TEST_F(Session, ReadingTheSettingsAgainFollowsTheFile)
{
    Start();
    session_->ComputeChart();
    EXPECT_EQ(session_->Moment().HouseName, "Placidus");
    std::ofstream(path_) << "[Setting]\nHouses=2\nSize=90\n[Place]\nNS=1\nLatD=40\n";
    got_ = {};
    session_->LoadSettings();
    ASSERT_EQ(got_.events, std::vector<std::string>{"settings"});
    EXPECT_EQ(got_.settings[0].HouseSys, QVCALC32_EQUAL);
    EXPECT_EQ(got_.settings[0].PlanetSize, 90);
    EXPECT_EQ(session_->ClockSettings().Latitude(), 40.0);
    session_->ComputeChart();
    EXPECT_EQ(session_->Moment().HouseName, "Equal");
    EXPECT_EQ(session_->Moment().Latitude, 40.0);

    ::unlink(path_.c_str());  // no file: the defaults
    session_->LoadSettings();
    EXPECT_EQ(session_->ClockSettings().HouseSys, QVCALC32_PLACIDUS);
    EXPECT_EQ(session_->ClockSettings().Latitude(), 0.0);
}

// Said with the first chart of each reading of the file, after the
// subscribers have it, and not every minute.
TEST_F(Session, NoticesComeOncePerReadingOfTheFile)
{
    struct Case { const char *name, *ini, *needle; } cases[] = {
        {"a place beyond the globe", "[Place]\nNS=1\nLatD=91\n", "[Place] LatD=91 puts the latitude beyond 90"},
        {"no cusps beyond the polar circle", "[Place]\nNS=1\nLatD=75\n", "has no cusps at latitude 75"},
        {"an unknown time-zone name", "[Place]\nNS=1\nLatD=51\nZoneH=2\nTimeZone=Mars/Olympus\n",
         "\"Mars/Olympus\" is not in the system's time-zone database; using the fixed zone +02:00"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        got_ = {};
        Start(c.ini);
        for (int minute = 41; minute <= 43; ++minute) {
            now_ = Minute(7, 21, minute);
            session_->MinuteTick();
        }
        ASSERT_EQ(got_.notices.size(), 1u);
        EXPECT_NE(got_.notices[0].find(c.needle), std::string::npos) << got_.notices[0];
        EXPECT_EQ(got_.events[0], "computed");
        EXPECT_EQ(got_.events[1], "notice");
        session_->LoadSettings();
        session_->ComputeChart();
        session_->ComputeChart();
        EXPECT_EQ(got_.notices.size(), 2u);
    }
    got_ = {};
    Start();
    session_->MinuteTick();
    EXPECT_TRUE(got_.notices.empty());
}

// With high precision, a clock set beyond the ephemeris's years keeps the
// library's places for the bodies it does not reach and says so once, not
// every minute; the chart within its years says nothing.
TEST_F(Session, BodiesBeyondThePreciseYearsAreSaidOnce)
{
    Start("[Setting]\nPrecision=1\n[Place]\nNS=1\nLatD=51\n");
    session_->MinuteTick();
    EXPECT_TRUE(got_.notices.empty());
    EXPECT_TRUE(session_->Moment().Precise);
    for (int minute = 0; minute < 3; ++minute) {
        now_ = LocalDateTime{2450, 1, 1, 12, minute, 0, 0};
        session_->MinuteTick();
    }
    ASSERT_EQ(got_.notices.size(), 1u);
    EXPECT_NE(got_.notices[0].find("High precision does not reach 2450 for the Sun"), std::string::npos) << got_.notices[0];
}

// A file that names no place (none yet, or only the window's geometry):
// the place of the computer's zone, said once per session, and nothing
// written; in UT, the defaults and how to set a place.
TEST_F(Session, WithoutAPlaceTheComputersZoneGivesIt)
{
    const char geometryOnly[] = "[Show]\nTop=5\n";
    struct Case { const char *tz, *needle; int latDeg; const char *zone; } cases[] = {
        {"Europe/Berlin", "the place of your computer's time zone Europe/Berlin", 52, "Europe/Berlin"},
        {"Asia/Kathmandu", "27\u00B043' N, 85\u00B019' E", 27, "Asia/Kathmandu"},
        {"UTC", "No place is set yet", 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tz);
        setenv("TZ", c.tz, 1);
        got_ = {};
        Start(geometryOnly);
        EXPECT_TRUE(session_->HomePlaceInUse());
        EXPECT_EQ(session_->ClockSettings().LatDeg, c.latDeg);
        EXPECT_EQ(session_->ClockSettings().TimeZone, c.zone);
        session_->MinuteTick();
        session_->MinuteTick();
        session_->LoadSettings();
        session_->MinuteTick();
        ASSERT_EQ(got_.notices.size(), 1u);
        EXPECT_NE(got_.notices[0].find(c.needle), std::string::npos) << got_.notices[0];
        std::ifstream in(path_);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), geometryOnly);
    }
    unsetenv("TZ");
}

// A settings file that cannot be read is said at start, with the first
// chart, and only once while it stays so: not again when the options
// dialog reads it again or at the next minutes.  A FIFO is never waited on.
TEST_F(Session, AnUnreadableSettingsFileIsSaidOnceAtStart)
{
    const std::string loop = dir_.Path() + "/loop.ini";
    struct Case { const char *name; std::function<bool()> make; const char *reason; } cases[] = {
        {"a folder", [&] { return ::mkdir(path_.c_str(), 0700) == 0; }, "not a regular file"},
        {"a FIFO without a writer", [&] { return ::mkfifo(path_.c_str(), 0600) == 0; }, "not a regular file"},
        {"over the size limit",
         [&] {
             std::ofstream(path_) << "[Place]\n";
             return ::truncate(path_.c_str(), IniFile::kMaxBytes + 1) == 0;
         },
         "larger than 16 MiB"},
        {"a loop of symbolic links",
         [&] { return ::symlink(loop.c_str(), path_.c_str()) == 0 && ::symlink(path_.c_str(), loop.c_str()) == 0; },
         "Too many levels of symbolic links"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(path_);
        std::filesystem::remove(loop);
        ASSERT_TRUE(c.make());
        got_ = {};
        StartOnTheFileAsItIs();
        EXPECT_EQ(session_->ClockSettings().HouseSys, QVCALC32_PLACIDUS);  // the defaults
        session_->ComputeChart();
        ASSERT_EQ(got_.notices.size(), 1u);
        EXPECT_EQ(got_.events, (std::vector<std::string>{"computed", "notice"}));
        EXPECT_NE(got_.notices[0].find("cannot be read (" + path_ + ": " + c.reason), std::string::npos)
            << got_.notices[0];
        EXPECT_NE(got_.notices[0].find("runs on the default settings"), std::string::npos);
        session_->LoadSettings();
        session_->MinuteTick();
        session_->MinuteTick();
        EXPECT_EQ(got_.notices.size(), 1u);
    }
    // Readable again, then unreadable again: said again.
    std::filesystem::remove(loop);
    std::filesystem::remove(path_);
    std::ofstream(path_) << kLondon;
    session_->LoadSettings();
    session_->ComputeChart();
    EXPECT_EQ(got_.notices.size(), 1u);
    std::filesystem::remove(path_);
    ASSERT_EQ(::mkdir(path_.c_str(), 0700), 0);
    session_->LoadSettings();
    session_->ComputeChart();
    EXPECT_EQ(got_.notices.size(), 2u);

    // Below a plain file there is no settings file at all: as for a missing
    // file, only a first start's word on the place.
    got_ = {};
    path_ = dir_.Path() + "/plain/zenlume.ini";
    std::ofstream(dir_.Path() + "/plain") << "x";
    StartOnTheFileAsItIs();
    session_->ComputeChart();
    ASSERT_EQ(got_.notices.size(), 1u);
    EXPECT_NE(got_.notices[0].find("to set your"), std::string::npos) << got_.notices[0];
}

// The session's own timer drives MinuteTick (shortened here to a
// millisecond, so the test need not wait a minute).
TEST_F(Session, TheTimerTicks)
{
    Start();
    EXPECT_EQ(reads_, 0);  // nothing is computed before the first tick
    session_->MinuteTimer()->setInterval(1);
    QElapsedTimer waited;
    waited.start();
    while (got_.published.empty() && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_FALSE(got_.published.empty());
    EXPECT_EQ(got_.events[0], "computed");
    EXPECT_EQ(got_.events[1], "ticked");
}

}  // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);  // the timer needs an event loop; nothing is shown
    return RUN_ALL_TESTS();
}
