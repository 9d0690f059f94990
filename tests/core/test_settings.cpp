// The settings file: integer syntax, defaults, the sign rules of the place
// and zone, the house-system mapping, writing in place and atomically, and
// files that must not crash the reader.
#include "settings.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace zenlume;

Settings Load(const std::string &text) { return LoadSettings(IniFile::Parse(text)); }
IniFile FromFile(const std::string &path)
{
    IniFile ini;
    ini.Load(path);
    return ini;
}

std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

using zenlume::test::TempDir;

TEST(SettingsIntegers, DecimalAndHexadecimal)
{
    struct Case { const char *text; std::optional<int32_t> value; } cases[] = {
        {"42", 42}, {" 42 ", 42}, {"-7", -7}, {"+7", 7}, {"0x1F", 31}, {"0X1f", 31}, {"$ff", 255},
        {"-$10", -16}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"0xFFFFFFFF", -1}, {"$80000000", -2147483647 - 1},
        {"2147483648", std::nullopt}, {"0x100000000", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"", std::nullopt}, {"abc", std::nullopt}, {"12abc", std::nullopt}, {"0x", std::nullopt},
        {"$", std::nullopt}, {"1.5", std::nullopt}, {"- 5", std::nullopt},
    };
    for (const auto &c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(LoadSettings, DefaultsWithoutAFile)
{
    const Settings s = Load("");
    EXPECT_EQ(s.LatDeg, 0);
    EXPECT_EQ(s.LongDeg, 0);
    EXPECT_EQ(s.ZoneHours, 0);
    EXPECT_EQ(s.HouseSys, QVCALC32_PLACIDUS);
    EXPECT_EQ(s.SignColours, SignColouring::kNone);
    EXPECT_EQ(s.CuspMode, CuspLines::kNone);
    EXPECT_EQ(s.PlanetSize, 63);
    EXPECT_EQ(s.PlanetColor, 0u);
    for (int i = QVCALC32_SUN; i <= QVCALC32_PLUTO; ++i) EXPECT_TRUE(s.ShowBody[i]) << i;
    EXPECT_FALSE(s.ShowBody[QVCALC32_NODE]);
    EXPECT_FALSE(s.ShowBody[QVCALC32_CHIRON]);
    EXPECT_EQ(s.WindowTop, 1);
    EXPECT_EQ(s.WindowLeft, 1);
    EXPECT_EQ(s.WindowWidth, 545);
    EXPECT_EQ(s.WindowHeight, 576);
}

TEST(LoadSettings, PlaceAndZoneSigns)
{
    struct Case { const char *text; double lat, lon, zone; const char *what; } cases[] = {
        {"[Place]\nEW=1\nLongD=74\nLongM=0\nZoneH=5\nZoneM=0\n", 0, 74, -5, "New York: west, UT = local + 5"},
        {"[Place]\nEW=0\nLongD=30\nZoneH=2\n", 0, -30, 2, "east: negative longitude, UT = local - 2"},
        {"[Place]\nNS=0\nLatD=0\nLatM=30\n", -0.5, 0, 0, "south"},
        {"[Place]\nNS=1\nLatD=41\nLatM=30\n", 41.5, 0, 0, "north"},
        {"[Place]\nNS=0\nLatD=41\nLatM=30\n", -41.5, 0, 0, "41 30 south"},
        {"[Place]\nEW=0\nLongD=12\nLongM=15\n", 0, -12.25, 0, "12 15 east"},
        {"[Place]\nEW=7\nLongD=12\nLongM=15\n", 0, 12.25, 0, "any non-zero EW counts as west"},
        {"[Place]\nEW=0\nZoneH=0\nZoneM=30\n", 0, 0, 0.5, "half an hour east"},
        {"[Place]\nEW=0\nZoneH=13\n", 0, 0, 13, "New Zealand's summer, Tonga: 13 h east"},
        {"[Place]\nEW=0\nZoneH=14\n", 0, 0, 14, "Kiribati: 14 h east"},
        {"[Place]\nEW=1\nZoneH=14\n", 0, 0, -14, "14 h west"},
    };
    for (const auto &c : cases) {
        const Settings s = Load(c.text);
        EXPECT_DOUBLE_EQ(s.Latitude(), c.lat) << c.what;
        EXPECT_DOUBLE_EQ(s.Longitude(), c.lon) << c.what;
        EXPECT_DOUBLE_EQ(s.ZoneHours, c.zone) << c.what;
    }
}

TEST(LoadSettings, HouseSystemMapping)
{
    struct Case { const char *value; int code; } cases[] = {
        {"0", QVCALC32_PLACIDUS}, {"1", QVCALC32_KOCH}, {"2", QVCALC32_EQUAL}, {"3", QVCALC32_TOPOCENTRIC}, {"4", QVCALC32_MORINUS},
        {"5", QVCALC32_PORPHYRY}, {"6", QVCALC32_REGIOMONTANUS}, {"7", QVCALC32_MERIDIAN}, {"8", QVCALC32_EQUAL},
        {"9", 10}, {"-1", 0}, {"255", 0}, {"256", QVCALC32_PLACIDUS}, {"junk", QVCALC32_PLACIDUS},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Load(std::string("[Setting]\nHouses=") + c.value + "\n").HouseSys, c.code) << c.value;
}

TEST(LoadSettings, AppearanceAndShownBodies)
{
    const Settings s = Load("[setting]\nglyphs=2\nCusps=1\nSize=100\nColor=255\n[Show]\nNode=1\nSun=0\nTop=-40\n");
    EXPECT_EQ(s.SignColours, SignColouring::kBackground);
    EXPECT_EQ(s.CuspMode, CuspLines::kAngles);
    EXPECT_EQ(s.PlanetSize, 100);
    EXPECT_EQ(s.PlanetColor, 255u);
    EXPECT_TRUE(s.ShowBody[QVCALC32_NODE]);
    EXPECT_FALSE(s.ShowBody[QVCALC32_SUN]);
    EXPECT_EQ(s.WindowTop, -40);
    EXPECT_EQ(Load("[Setting]\nColor=not a colour\n").PlanetColor, 0u);
}

// The modes keep the file's numbers: 0, 1 and 2 are the named modes, and a
// number beyond them is kept as it is (the wheel then colours no sign and
// draws every cusp).
TEST(LoadSettings, SignColourAndCuspModesAsTheFileNumbersThem)
{
    struct Case { const char *text; SignColouring colours; CuspLines cusps; } cases[] = {
        {"[Setting]\nGlyphs=0\nCusps=0\n", SignColouring::kNone, CuspLines::kNone},
        {"[Setting]\nGlyphs=1\nCusps=1\n", SignColouring::kGlyphs, CuspLines::kAngles},
        {"[Setting]\nGlyphs=2\nCusps=2\n", SignColouring::kBackground, CuspLines::kAll},
        {"[Setting]\nGlyphs=7\nCusps=258\n", static_cast<SignColouring>(7), static_cast<CuspLines>(2)},
        {"[Setting]\nGlyphs=x\nCusps=-1\n", SignColouring::kNone, static_cast<CuspLines>(255)},
    };
    for (const auto &c : cases) {
        const Settings s = Load(c.text);
        EXPECT_EQ(s.SignColours, c.colours) << c.text;
        EXPECT_EQ(s.CuspMode, c.cusps) << c.text;
    }
}

// The glyph size follows the options' size and the width of the picture it
// is drawn into: Trunc(PlanetSize * 0.25 * W / 576) + 1.
TEST(GlyphSizeFor, FollowsTheSizeAndThePicturesWidth)
{
    struct Case { uint16_t size; int width; uint16_t glyph; const char *what; } cases[] = {
        {63, 576, 16, "the default size on a 576-pixel wheel"},
        {63, 547, 15, "the default window's wheel"},
        {63, 545, 15, "the default window's width"},
        {100, 1152, 51, "a large size on a wheel twice as wide"},
        {0, 576, 1, "the smallest size"},
        {63, 0, 1, "no picture yet"},
        {63, -100, 1, "a negative width has no size: 1"},
        {65535, 100000, 1, "beyond 16 bits: 1"},
    };
    for (const auto &c : cases) EXPECT_EQ(GlyphSizeFor(c.size, c.width), c.glyph) << c.what;
}

TEST(LoadSettings, HostileFilesNeverCrash)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    const std::string cases[] = {
        binary,
        "[Place]\nLatD=2147483647\nLatM=-2147483648\nZoneH=-2147483648\nNS=0\nEW=0\n",
        "[Setting]\nSize=-5\nHouses=0xFFFFFFFF\n[Show]\nHeight=-1\nWidth=0x7FFFFFFF\n",
        "[[[[\n=\n==\n[Setting\nGlyphs\n]\n",
        std::string(100000, '['),
        "[Setting]\r\nSize=70\r\n",
    };
    for (const auto &text : cases) {
        const Settings s = Load(text);
        EXPECT_TRUE(std::isfinite(s.Latitude()) && std::isfinite(s.ZoneHours)) << text.substr(0, 40);
    }
    EXPECT_EQ(Load("[Setting]\r\nSize=70\r\n").PlanetSize, 70);
}

TEST(SettingsFile, WritesOptionsInPlaceKeepingEverythingElse)
{
    const TempDir dir("zenlume-settings");
    const std::string path = dir.Path() + "/zenlume.ini";
    {
        std::ofstream out(path);
        out << "; my notes\n[Setting]\nHouses=1\nExtra=keep me\n\n[Other]\nx=1\n";
    }
    OptionValues v;
    v.Houses = 2;
    v.LatD = 51;
    v.LatM = 30;
    v.North = true;
    v.Show[QVCALC32_NODE - 1] = true;  // the dialog's boxes count from 0
    std::string error;
    ASSERT_TRUE(WriteOptions(path, v, &error)) << error;
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("; my notes"), std::string::npos);
    EXPECT_NE(text.find("Extra=keep me"), std::string::npos);
    EXPECT_NE(text.find("[Other]\nx=1"), std::string::npos);
    EXPECT_LT(text.find("Houses=2"), text.find("Extra=keep me"));  // changed where it stood
    // Keys of a new section follow in the order the dialog writes them.
    EXPECT_NE(text.find("[Place]\nLatD=51\nLatM=30\nLongM=0\nLongD=0\nZoneH=0\nZoneM=0\nNS=1\nEW=0\n"),
              std::string::npos);
    const Settings s = LoadSettings(FromFile(path));
    EXPECT_EQ(s.HouseSys, QVCALC32_EQUAL);
    EXPECT_DOUBLE_EQ(s.Latitude(), 51.5);
    EXPECT_TRUE(s.ShowBody[QVCALC32_NODE]);

    ASSERT_TRUE(WriteGeometry(path, 10, 20, 600, 580, &error)) << error;
    const Settings g = LoadSettings(FromFile(path));
    EXPECT_EQ(g.WindowTop, 10);
    EXPECT_EQ(g.WindowLeft, 20);
    EXPECT_EQ(g.WindowHeight, 600);
    EXPECT_EQ(g.WindowWidth, 580);
    EXPECT_EQ(g.HouseSys, QVCALC32_EQUAL);  // the options are still there
}

// Whatever colour the file holds is written back as it was read: a
// negative colour stays the same signed decimal instead of turning into a
// number beyond 32 bits that would then read as black.
TEST(SettingsFile, ColoursSurviveAReadAndWriteUnchanged)
{
    const TempDir dir("zenlume-settings");
    const std::string path = dir.Path() + "/zenlume.ini";
    const struct {
        const char *stored, *written;
        uint32_t colour;
    } cases[] = {
        {"-1", "-1", 0xFFFFFFFFu},
        {"-16777216", "-16777216", 0xFF000000u},
        {"-2147483648", "-2147483648", 0x80000000u},
        {"$FFFFFFFF", "-1", 0xFFFFFFFFu},  // hexadecimal comes back as the signed decimal it means
        {"16711935", "16711935", 0x00FF00FFu},
    };
    for (const auto &c : cases) {
        std::ofstream(path) << "[Setting]\nColor=" << c.stored << "\n";
        std::string error;
        for (int pass = 0; pass < 2; ++pass)  // the second pass reads what the first one wrote
            ASSERT_TRUE(WriteOptions(path, ReadOptions(FromFile(path)), &error)) << error;
        EXPECT_NE(ReadAll(path).find(std::string("Color=") + c.written + "\n"), std::string::npos)
            << c.stored << " became: " << ReadAll(path);
        EXPECT_EQ(LoadSettings(FromFile(path)).PlanetColor, c.colour) << c.stored;
    }
}

TEST(SettingsFile, RefusedWritesLeaveTheOldFileAndSayWhy)
{
    const TempDir dir("zenlume-settings");
    const std::string blocker = dir.Path() + "/plainfile";
    std::ofstream(blocker) << "x";
    OptionValues v;
    std::string error;
    // A path below a regular file cannot be written, whoever we are.
    EXPECT_FALSE(WriteOptions(blocker + "/zenlume.ini", v, &error));
    EXPECT_EQ(error.rfind("Unable to write to " + blocker + "/zenlume.ini", 0), 0u) << error;

    // A read-only file stays as it was.
    const std::string path = dir.Path() + "/zenlume.ini";
    std::ofstream(path) << "[Setting]\nHouses=1\n";
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(WriteGeometry(path, 1, 2, 3, 4, &error));
    EXPECT_EQ(ReadAll(path), "[Setting]\nHouses=1\n");

    // A directory in the file's place is neither read nor replaced.
    const std::string folder = dir.Path() + "/folder.ini";
    ::mkdir(folder.c_str(), 0755);
    EXPECT_FALSE(WriteGeometry(folder, 1, 2, 3, 4, &error));
    struct stat st;
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    std::string problem;
    IniFile().Load(folder, &problem);
    EXPECT_FALSE(problem.empty());

    // No temporary files are left behind.
    const std::string listing = dir.Path() + "/listing";
    std::system(("ls -A '" + dir.Path() + "' > '" + listing + "'").c_str());
    EXPECT_EQ(ReadAll(listing), "folder.ini\nlisting\nplainfile\nzenlume.ini\n");
}

TEST(SettingsFile, CreatesTheConfigFolderOfANewAccount)
{
    const TempDir dir("zenlume-settings");
    const std::string path = dir.Path() + "/home/.config/zenlume.ini";
    std::string error;
    ASSERT_TRUE(WriteGeometry(path, 5, 6, 7, 8, &error)) << error;
    EXPECT_EQ(LoadSettings(FromFile(path)).WindowLeft, 6);
}

TEST(SettingsFile, LocationFollowsXdgConfigHome)
{
    const char *saved = std::getenv("XDG_CONFIG_HOME");
    const std::string keep = saved ? saved : "";
    const char *savedHome = std::getenv("HOME");
    const std::string keepHome = savedHome ? savedHome : "";
    ::setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(SettingsPath(), "/somewhere/config/zenlume.ini");
    ::setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(SettingsPath(), "/home/someone/.config/zenlume.ini");
    if (saved)
        ::setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    if (savedHome) ::setenv("HOME", keepHome.c_str(), 1);
}

// Place values that the options dialog could never write because no place
// on the globe has them are reported by file section and key, and the key's
// default (0) stands in for them.
TEST(LoadSettings, PlacesBeyondTheGlobeAreReportedAndReplaced)
{
    struct Case {
        const char *text;
        const char *keys;  // the keys reported, in order
        double lat, lon, zone;
    } cases[] = {
        {"[Place]\nNS=1\nLatD=91\n", "LatD", 0, 0, 0},
        {"[Place]\nNS=1\nLatD=1000\nLatM=30\n", "LatD", 0.5, 0, 0},
        {"[Place]\nNS=0\nLatD=90\nLatM=30\n", "LatM", -90, 0, 0},
        {"[Place]\nNS=1\nLatD=2147483647\nLatM=2147483647\n", "LatD LatM", 0, 0, 0},
        {"[Place]\nEW=1\nLongD=181\nLongM=15\n", "LongD", 0, 0.25, 0},
        {"[Place]\nEW=0\nLongD=-200\n", "LongD", 0, 0, 0},
        {"[Place]\nEW=1\nZoneH=24\n", "ZoneH", 0, 0, 0},
        {"[Place]\nEW=1\nZoneH=30\nZoneM=30\n", "ZoneH", 0, 0, -0.5},
        {"[Place]\nEW=1\nZoneH=23\nZoneM=60\n", "ZoneM", 0, 0, -23},
        {"[Place]\nEW=0\nZoneM=1000000\n", "ZoneM", 0, 0, 0},
        {"[Place]\nLatD=91\nLongD=181\nZoneH=-24\n", "LatD LongD ZoneH", 0, 0, 0},
        // Within the globe, though beyond what the dialog offers: used as read.
        {"[Place]\nNS=1\nLatD=90\nEW=1\nLongD=180\nZoneH=23\nZoneM=59\n", "", 90, 180, -(23 + 59 / 60.0)},
        {"[Place]\nNS=1\nLatD=-30\nLatM=75\n", "", -28.75, 0, 0},
    };
    for (const auto &c : cases) {
        std::vector<SettingsProblem> problems;
        const Settings s = LoadSettings(IniFile::Parse(c.text), &problems);
        std::string keys;
        for (const SettingsProblem &p : problems) {
            keys += (keys.empty() ? "" : " ") + p.Key;
            EXPECT_TRUE(p.OutOfRange) << c.text;
            EXPECT_EQ(p.Section, "Place");
            EXPECT_EQ(p.Default, "0");
        }
        EXPECT_EQ(keys, c.keys) << c.text;
        EXPECT_DOUBLE_EQ(s.Latitude(), c.lat) << c.text;
        EXPECT_DOUBLE_EQ(s.Longitude(), c.lon) << c.text;
        EXPECT_DOUBLE_EQ(s.ZoneHours, c.zone) << c.text;
    }
    std::vector<SettingsProblem> problems;
    LoadSettings(IniFile::Parse("[place]\nlatd= 91 \n"), &problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(ProblemText(problems[0]), "[Place] LatD=91 puts the latitude beyond 90\u00B0");
}

TEST(LoadSettings, UnreadableValuesAreNamedAndGiveTheDefaults)
{
    std::vector<SettingsProblem> problems;
    const Settings s = LoadSettings(
        IniFile::Parse("[Setting]\nSize=big\nColor=red\nHouses=\n[Place]\nNS=north\nLatD=51\n[Show]\nNode=yes\n"), &problems);
    struct Expected { const char *section, *key, *value, *fallback; } expected[] = {
        {"Setting", "Houses", "", "0"}, {"Setting", "Size", "big", "63"}, {"Setting", "Color", "red", "0"},
        {"Place", "NS", "north", "0"},  {"Show", "Node", "yes", "0"},
    };
    ASSERT_EQ(problems.size(), std::size(expected));
    for (size_t i = 0; i < problems.size(); ++i) {
        EXPECT_EQ(problems[i].Section, expected[i].section) << i;
        EXPECT_EQ(problems[i].Key, expected[i].key) << i;
        EXPECT_EQ(problems[i].Value, expected[i].value) << i;
        EXPECT_EQ(problems[i].Default, expected[i].fallback) << i;
        EXPECT_FALSE(problems[i].OutOfRange) << i;
    }
    EXPECT_EQ(ProblemText(problems[1]), "[Setting] Size=big is not a whole number");
    EXPECT_EQ(s.PlanetSize, 63);
    EXPECT_EQ(s.HouseSys, QVCALC32_PLACIDUS);
    EXPECT_DOUBLE_EQ(s.Latitude(), -51);  // NS read as 0: south
    EXPECT_FALSE(s.ShowBody[QVCALC32_NODE]);

    problems.clear();
    LoadSettings(IniFile::Parse("[Setting]\nHouses=2\nColor=$FF\n[Place]\nNS=1\nLatD=51\nLatM=30\n"), &problems);
    EXPECT_TRUE(problems.empty());
}

// A file of nothing but line ends used to cost a line record per byte
// (half a gigabyte for 16 MiB); the writer then added to it and wrote a file
// beyond the limit that it refuses to read.
TEST(SettingsFile, HugeFilesAreNeitherReadNorWritten)
{
    const TempDir dir("zenlume-settings");
    const std::string path = dir.Path() + "/zenlume.ini";
    std::ofstream(path) << std::string(IniFile::kMaxBytes, '\n');
    std::string why;
    IniFile ini;
    EXPECT_FALSE(ini.Load(path, &why));
    EXPECT_NE(why.find("more than 100000 lines"), std::string::npos) << why;
    EXPECT_FALSE(WriteGeometry(path, 1, 2, 3, 4, &why));
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(static_cast<size_t>(st.st_size), IniFile::kMaxBytes);

    // A file just under the byte limit reads, but a write that would take
    // it over is refused and changes nothing.
    std::ofstream(path) << ";" << std::string(IniFile::kMaxBytes - 20, 'x') << "\n";
    EXPECT_TRUE(ini.Load(path, &why)) << why;
    EXPECT_FALSE(WriteOptions(path, OptionValues{}, &why));
    EXPECT_NE(why.find("would grow beyond 16 MiB"), std::string::npos) << why;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(static_cast<size_t>(st.st_size), IniFile::kMaxBytes - 18);
}

// A file saved by an editor that starts it with a UTF-8 byte-order mark:
// the first section is read, and OK writes into it (no second section) and
// keeps the mark, so the file stays as the editor left it.
TEST(SettingsFile, AByteOrderMarkHidesNoSectionAndStays)
{
    const TempDir dir("zenlume-settings");
    const std::string path = dir.Path() + "/zenlume.ini";
    const struct { const char *name, *newline; } cases[] = {{"LF", "\n"}, {"CR LF", "\r\n"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string nl = c.newline;
        std::ofstream(path, std::ios::binary)
            << "\xEF\xBB\xBF[Place]" << nl << "NS=1" << nl << "LatD=51" << nl << "[Setting]" << nl << "Houses=1" << nl;
        const Settings s = LoadSettings(FromFile(path));
        EXPECT_DOUBLE_EQ(s.Latitude(), 51.0);
        EXPECT_EQ(s.HouseSys, QVCALC32_KOCH);
        std::string error;
        ASSERT_TRUE(WriteOptions(path, ReadOptions(FromFile(path)), &error)) << error;
        const std::string text = ReadAll(path);
        EXPECT_EQ(text.rfind("\xEF\xBB\xBF[Place]" + nl + "NS=1" + nl + "LatD=51" + nl, 0), 0u) << text;
        EXPECT_EQ(text.find("[Place]"), text.rfind("[Place]")) << text;  // one [Place] only
        EXPECT_EQ(text.find("\xEF\xBB\xBF", 1), std::string::npos);
        EXPECT_DOUBLE_EQ(LoadSettings(FromFile(path)).Latitude(), 51.0);
    }
    // A file without the mark gets none.
    std::ofstream(path) << "[Place]\nLatD=1\n";
    std::string error;
    ASSERT_TRUE(WriteOptions(path, ReadOptions(FromFile(path)), &error)) << error;
    EXPECT_EQ(ReadAll(path).rfind("[Place]", 0), 0u);
}

// Temporary files of a writer that was killed go with the next write once
// they are over a minute old; a younger one may belong to a running writer,
// and names a user would choose stay.
TEST(SettingsFile, StaleTemporaryFilesAreRemoved)
{
    const TempDir dir("zenlume-settings");
    const std::string path = dir.Path() + "/zenlume.ini";
    const auto make = [&](const std::string &name, int ageSeconds) {
        std::ofstream(dir.Path() + "/" + name) << "x";
        timeval times[2];
        ::gettimeofday(&times[0], nullptr);
        times[0].tv_sec -= ageSeconds;
        times[1] = times[0];
        ::utimes((dir.Path() + "/" + name).c_str(), times);
    };
    make("zenlume.ini.a1B2c3", 120);
    make("zenlume.ini.Zq81xy", 5);
    make("zenlume.ini.backup", 120);
    make("zenlume.ini.202612", 120);
    make("other.ini.a1B2c3", 120);
    std::string error;
    ASSERT_TRUE(WriteGeometry(path, 1, 2, 3, 4, &error)) << error;
    const std::string listing = dir.Path() + "/../zenlume-listing";
    std::system(("ls -A '" + dir.Path() + "' > '" + listing + "'").c_str());
    EXPECT_EQ(ReadAll(listing), "other.ini.a1B2c3\nzenlume.ini\nzenlume.ini.202612\nzenlume.ini.Zq81xy\n"
                                "zenlume.ini.backup\n");
    std::remove(listing.c_str());
}

// A settings file that is a symbolic link stays one, also when it names a
// file not made yet: the write goes to the file it names.
TEST(SettingsFile, WritesThroughSymbolicLinks)
{
    const TempDir dir("zenlume-settings");
    ::mkdir((dir.Path() + "/real").c_str(), 0755);
    struct Case { const char *target; bool exists; } cases[] = {
        {"real/zenlume.ini", false}, {"real/zenlume.ini", true}, {"/ABS/real/kept.ini", false}};
    for (const auto &c : cases) {
        std::string target = c.target;
        if (target.rfind("/ABS", 0) == 0) target = dir.Path() + target.substr(4);
        const std::string absolute = target[0] == '/' ? target : dir.Path() + "/" + target;
        if (c.exists)
            std::ofstream(absolute) << "; mine\n";
        else
            std::remove(absolute.c_str());
        const std::string link = dir.Path() + "/zenlume.ini";
        std::remove(link.c_str());
        ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
        std::string error;
        ASSERT_TRUE(WriteGeometry(link, 1, 2, 3, 4, &error)) << error;
        struct stat st;
        ASSERT_EQ(::lstat(link.c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << c.target;
        EXPECT_NE(ReadAll(absolute).find("Left=2"), std::string::npos) << c.target;
        EXPECT_EQ(ReadAll(absolute).find("; mine") != std::string::npos, c.exists) << c.target;
    }
}

// The picture writer's way: a read-only file is refused whoever writes,
// and the reason is the system's.
TEST(SettingsFile, SaveFileRefusesReadOnlyFilesAndNamesTheReason)
{
    const TempDir dir("zenlume-settings");
    const std::string path = dir.Path() + "/picture.png";
    std::ofstream(path) << "old";
    ::chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(SaveFile(path, "new", OtherTargets::kWriteInto, &error));
    EXPECT_EQ(error, "the file is read-only");
    EXPECT_EQ(ReadAll(path), "old");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);

    EXPECT_FALSE(SaveFile(dir.Path() + "/no/such/file", "new", OtherTargets::kWriteInto, &error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(SaveFile(dir.Path(), "new", OtherTargets::kWriteInto, &error));
    EXPECT_EQ(error, "Is a directory");
}

}  // namespace
