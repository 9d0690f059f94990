// SpreadBodies against the worked examples of the glyph placement and the
// cases around 0 degrees; exact to 1e-9 degrees (the walk only adds whole
// degrees and 4.5).
#include "spread_bodies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace {

using namespace zenlume;

TEST(SpreadBodies, WorkedExamples)
{
    const struct {
        const char *name;
        std::initializer_list<double> in, out;  // entries 1, 2, ...; the others take no part
    } cases[] = {
        {"10, 12, 14: pushed on, the third first to the next whole degree", {10, 12, 14}, {10, 16.5, 21.5}},
        {"4.4 apart: pushed by 4.5", {100, 104.4}, {100, 108.9}},
        {"exactly 4.5 apart: ends 9 after", {100, 104.5}, {100, 109}},
        {"4.6 apart: nothing moves", {100, 104.6}, {100, 104.6}},
        {"ordered by longitude, not by entry", {14, 10, 12}, {21.5, 10, 16.5}},
        {"359 and 1 with an entry between: not separated", {359, 180, 1}, {359, 180, 1}},
        {"more than 300 apart counts as crowded", {1, 359}, {1, 363.5}},
        {"exactly equal: neither moves, the push wants cur > prev", {50, 50}, {50, 50}},
        {"not a number: left out", {10, NAN, 12}, {10, NAN, 16.5}},
    };
    for (const auto &c : cases) {
        EntryLongitudes lon{};
        EntryFlags part{};
        int j = 1;
        for (double l : c.in) {
            lon[j] = l;
            part[j++] = true;
        }
        const EntryLongitudes spread = SpreadBodies(lon, part);
        j = 1;
        for (double want : c.out) {
            if (std::isnan(want)) {
                EXPECT_TRUE(std::isnan(spread[j])) << c.name;
            } else {
                EXPECT_NEAR(spread[j], want, 1e-9) << c.name << ", entry " << j;
            }
            ++j;
        }
    }
}

TEST(SpreadBodies, EntriesThatTakeNoPartNeitherPushNorMove)
{
    EntryLongitudes lon{0, 10, 12, 14};
    const EntryFlags part{false, true, false, true};  // 12 is left out: 14 is 4 after 10
    const EntryLongitudes spread = SpreadBodies(lon, part);
    EXPECT_NEAR(spread[2], 12, 1e-9);
    EXPECT_NEAR(spread[3], 18.5, 1e-9);
}

}  // namespace
