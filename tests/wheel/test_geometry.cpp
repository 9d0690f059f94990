// Sizes of the wheel from its side W and the rotation that puts the first
// cusp at 9 o'clock.  Expected: the worked values for W = 547 and the
// doubled wheel, the rest by hand from the geometry table (round = halves
// to even, trunc toward zero); all exact.
#include "glyph_face.h"
#include "settings.h"
#include "wheel_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace zenlume;

TEST(WheelGeometry, SizesFollowFromTheSide)
{
    struct {
        const char *name;
        int W, rw, m, c, t5, len, K, R_out, R_in, R_tick, R_sign, R_num, R0;
    } cases[] = {
        {"W 547, worked", 547, 78, 39, 274, 5, 117, 101, 274, 234, 230, 255, 125, 227},
        {"W 1094: rw, m, t5 double; the centre is 547, not 548", 1094, 156, 78, 547, 10, 234, 202, 547, 469, 459, 508,
         251, 453},
        {"W 549: 274.5, 235.5, 230.5 go to the even side", 549, 78, 39, 274, 5, 117, 101, 274, 236, 230, 255, 126, 227},
        {"W 2160: m = round(154.5), t5 = trunc(19.74)", 2160, 309, 154, 1080, 19, 463, 401, 1080, 926, 907, 1003, 495,
         895},
    };
    for (const auto &c : cases) {
        const WheelGeometry g = WheelGeometryFor(c.W);
        const int got[] = {g.RingWidth, g.SignRingInset, g.Centre, g.TickDepth, g.HubInset, g.HubRingInset,
                           g.RimRadius, g.SignRingRadius, g.TickRadius, g.SignGlyphRadius, g.HouseNumberRadius,
                           g.BodyRingRadius};
        const int want[] = {c.rw, c.m, c.c, c.t5, c.len, c.K, c.R_out, c.R_in, c.R_tick, c.R_sign, c.R_num, c.R0};
        for (int i = 0; i < 12; ++i) EXPECT_EQ(got[i], want[i]) << c.name << ", value " << i;
    }
}

TEST(WheelGeometry, WorkedRingBoxesAndBodyRadiiAt547)
{
    const WheelGeometry g = WheelGeometryFor(547);
    EXPECT_EQ(g.WheelScale, 1.0f);
    const int boxes[kRingCount][3] = {{0, 547, 1}, {39, 508, 1}, {44, 503, 1}, {140, 407, 2}, {156, 391, 2}};
    for (int r = 0; r < kRingCount; ++r) {
        EXPECT_EQ(g.Rings[r].Lo, boxes[r][0]) << "ring " << r + 1;
        EXPECT_EQ(g.Rings[r].Hi, boxes[r][1]) << "ring " << r + 1;
        EXPECT_EQ(g.Rings[r].PenWidth, boxes[r][2]) << "ring " << r + 1;
    }
    // Leader from 227 to 221, glyphs at 213, markers at 192.
    EXPECT_EQ(g.LeaderInnerRadius, 221);
    EXPECT_EQ(g.BodyGlyphRadius, 213);
    EXPECT_EQ(g.MarkerRadius, 192);
}

TEST(WheelGeometry, RotationPutsTheFirstCuspAtNineOClock)
{
    // Ascendant 100 (10 Cancer): SignShift 10, the first cusp shifted to 90.
    EXPECT_EQ(SignRotation(90), 9);
    EXPECT_DOUBLE_EQ(ScreenAngle(90, 9), 180);   // the first cusp
    EXPECT_DOUBLE_EQ(ScreenAngle(120, 9), 150);  // a body at 130, below the horizontal
    EXPECT_DOUBLE_EQ(ScreenAngle(110, 9), 160);  // 0 Leo: the spoke at 10 + 150
    // The shift leaves the first cusp a hair off its multiple of 30.
    EXPECT_EQ(SignRotation(89.9999999), 9);
    EXPECT_EQ(SignRotation(330.0000001), 1);
    EXPECT_EQ(SignRotation(359.9999999), 0);
    EXPECT_EQ(SignRotation(std::nan("")), 0);
}

TEST(WheelGeometry, FontSizesInPixelsOfA96DpiScreen)
{
    ASSERT_EQ(GlyphSizeFor(63, 547), 15);  // signs round(1.65 x 15) = 25 points, numbers trunc(0.81 x 15) = 12
    struct { int points, pixels; } cases[] = {{15, 20}, {25, 33}, {12, 16}, {2, 3}, {1, 1}, {0, 1}};
    for (const auto &c : cases) EXPECT_EQ(GlyphFace::PixelSize(c.points), c.pixels) << c.points << " points";
}

}  // namespace
