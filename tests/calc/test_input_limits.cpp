// Input at the edges of the library's contract: GetReturn where no answer
// can exist, and DirExists with runs of trailing separators longer than any
// path.  Worked values: the places of the theory lie in 0..360 for the
// tropical zodiac and above -360 for a sidereal one (PlanetCalc reduces
// toward zero), so a target still below them after one turn is added is
// never reached.
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::atomic<int> g_pauses{0};
void QVCALC32_CALL CountPause() { ++g_pauses; }

TEST(GetReturnLimits, ReturnsAtOnceWhereNoAnswerCanExist)
{
    struct Case {
        const char *name;
        uint16_t body, window;
        double target, offset;
    } cases[] = {
        {"window one degree beyond a turn", QVCALC32_SUN, 361, 100, 0},
        {"widest window", QVCALC32_SUN, 65535, 100, 0},
        {"widest window, Pluto", QVCALC32_PLUTO, 65535, 100, 0},
        {"NaN target", QVCALC32_MOON, 360, NAN, 0},
        {"infinite target", QVCALC32_SUN, 360, INFINITY, 0},
        {"minus infinite target", QVCALC32_SUN, 360, -INFINITY, 0},
        // -400 + 360 = -40: below every tropical place.
        {"tropical target a turn below 0", QVCALC32_SUN, 360, -400, 0},
        {"tropical target far below 0", QVCALC32_MARS, 30, -1e6, 0},
        // -800 + 360 = -440: below every sidereal place.
        {"sidereal target below -360", QVCALC32_SUN, 360, -800, 1},
    };
    const qvcalc32_YieldHook previous = qvcalc32_SetYieldHook(CountPause);
    for (const auto &c : cases) {
        g_pauses = 0;
        double time = -1;
        int32_t jd = 2451545;
        GetReturn(c.body, c.window, 0, c.target, &time, &jd, c.offset, 0);
        EXPECT_EQ(time, -1) << c.name;
        EXPECT_EQ(jd, 2451545) << c.name;
        // Not one step of the search was taken.
        EXPECT_EQ(g_pauses, 0) << c.name;
    }
    qvcalc32_SetYieldHook(previous);
}

TEST(GetReturnLimits, SearchesWithinTheContractStillFindTheirReturn)
{
    struct Case {
        const char *name;
        uint16_t window;
        double target;
        int32_t expectedJD;
    } cases[] = {
        // The Sun reaches 100 degrees on 2000 June 21 (JD 2451717 + 10).
        {"full-turn window", 360, 100, 2451727},
        // -300 + 360 = 60: reached on 2000 May 20.
        {"negative target within a turn", 360, -300, 2451685},
        // -1 + 360 = 359: reached on 2000 March 19.
        {"target just below 0", 360, -1, 2451623},
    };
    for (const auto &c : cases) {
        double time = -1;
        int32_t jd = 2451545;
        GetReturn(QVCALC32_SUN, c.window, 0, c.target, &time, &jd, 0, 0);
        EXPECT_EQ(jd, c.expectedJD) << c.name;
        EXPECT_GE(time, 0) << c.name;
        EXPECT_LT(time, 48) << c.name;
    }
}

#if !defined(_WIN32)  // POSIX directories; test_windows_files.cpp has Windows's
TEST(DirExistsLimits, AnyNumberOfTrailingSeparators)
{
    char name[] = "/tmp/qvcalc32-limits-XXXXXX";
    ASSERT_NE(::mkdtemp(name), nullptr);
    const std::string dir = name;
    const std::string many(4 * PATH_MAX, '/');
    const std::string manyBack(4 * PATH_MAX, '\\');
    std::string mixed;
    for (int i = 0; i < 2 * PATH_MAX; ++i) mixed += i % 2 ? "\\" : "/";
    struct Case {
        std::string path;
        bool exists;
        const char *what;
    } cases[] = {
        {dir + many, true, "thousands of slashes"},
        {dir + manyBack, true, "thousands of backslashes"},
        {dir + mixed, true, "thousands of both"},
        {many, true, "root as thousands of slashes"},
        {dir + "/missing" + many, false, "missing entry, thousands of slashes"},
        {dir + std::string(PATH_MAX, 'a') + many, false, "name itself too long"},
    };
    for (const auto &c : cases) EXPECT_EQ(DirExists(c.path.c_str()), c.exists) << c.what;
    std::filesystem::remove_all(dir);
}
#endif

}  // namespace
