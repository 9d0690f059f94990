// Where a saved geometry opens: a hand-edited or stale one (a monitor since
// unplugged) still opens wholly on a screen there is, at a size that fits
// it, and a sane one opens as it was saved.  The screens are given, so the
// cases need no display.
#include "window_place.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace zenlume;

const QSize kFallback(576, 576);
const QRect kLeftScreen(0, 0, 1280, 1024);
const QRect kRightScreen(1280, 0, 1920, 1080);

TEST(WindowPlace, SavedGeometriesOpenWhollyOnAScreen)
{
    struct Case {
        const char *name;
        int left, top, width, height;
        QList<QRect> screens;
        QRect expected;
    };
    const Case cases[] = {
        {"as saved", 40, 30, 500, 500, {kLeftScreen}, QRect(40, 30, 500, 500)},
        {"huge", 1, 1, 20000, 20000, {kLeftScreen}, QRect(0, 0, 1280, 1024)},
        {"zero height", 10, 10, 545, 0, {kLeftScreen}, QRect(10, 10, 545, 576)},
        {"negative sides", 10, 10, -5, -5, {kLeftScreen}, QRect(10, 10, 576, 576)},
        {"tiny", 10, 10, 3, 2, {kLeftScreen}, QRect(10, 10, kMinWindowSide, kMinWindowSide)},
        {"far right and below", 99999, 99999, 500, 500, {kLeftScreen}, QRect(780, 524, 500, 500)},
        {"far left and above", -5000, -3000, 500, 500, {kLeftScreen}, QRect(0, 0, 500, 500)},
        {"half off the edge", 1000, 900, 500, 500, {kLeftScreen}, QRect(780, 524, 500, 500)},
        {"the extreme numbers", INT_MAX, INT_MIN, INT_MAX, INT_MAX, {kLeftScreen}, QRect(0, 0, 1280, 1024)},
        {"on the second screen", 1500, 100, 600, 600, {kLeftScreen, kRightScreen}, QRect(1500, 100, 600, 600)},
        {"mostly on the second screen", 1100, 100, 600, 600, {kLeftScreen, kRightScreen},
         QRect(1280, 100, 600, 600)},
        {"on a monitor since unplugged", 3300, 200, 600, 600, {kLeftScreen}, QRect(680, 200, 600, 600)},
        {"beyond the second screen", 5000, 200, 600, 600, {kLeftScreen, kRightScreen}, QRect(2600, 200, 600, 600)},
        {"a screen smaller than the least side", 0, 0, 500, 500, {QRect(0, 0, 100, 80)}, QRect(0, 0, 100, 80)},
    };
    for (const Case &c : cases) {
        const QRect placed = PlaceOnScreens(c.left, c.top, c.width, c.height, c.screens, kFallback);
        EXPECT_EQ(placed, c.expected) << c.name;
        bool onOne = false;
        for (const QRect &screen : c.screens) onOne = onOne || screen.contains(placed);
        EXPECT_TRUE(onOne) << c.name;
    }
}

// The clock's window is a square of its height: it gets the shorter side
// of the screen, and still lies where the saved place points.
TEST(WindowPlace, ASquareWindowTakesTheShorterSideAndKeepsItsCorner)
{
    EXPECT_EQ(PlaceOnScreens(99999, 99999, 20000, 20000, {kLeftScreen}, kFallback, Shape::Square),
              QRect(256, 0, 1024, 1024));
    EXPECT_EQ(PlaceOnScreens(10, 10, 800, 800, {QRect(0, 0, 600, 1920)}, kFallback, Shape::Square),
              QRect(0, 10, 600, 600));
    EXPECT_EQ(PlaceOnScreens(10, 10, 400, 400, {kLeftScreen}, kFallback, Shape::Square), QRect(10, 10, 400, 400));
}

TEST(WindowPlace, WithoutAnyScreenTheSavedPlaceWithSaneSides)
{
    EXPECT_EQ(PlaceOnScreens(40, 30, 500, 0, {}, kFallback), QRect(40, 30, 500, 576));
}

}  // namespace
