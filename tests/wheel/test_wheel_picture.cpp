// The drawn wheel, pixel by pixel.  Positions follow from the geometry
// table and the point rule (c + round(r cos θ), c + round(r sin θ)); rings
// cover the pixels lo..hi-1 of their boxes; a line of pen width 2 adds the
// pixel above (or left of) each of its pixels.  Glyphs are found by their
// ink, within a few pixels; the bodies are drawn in magenta, which no other
// layer uses.
#include "body_layer.h"
#include "glyph_codes.h"
#include "wheel_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

using namespace zenlume;

constexpr QRgb kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

// Equal houses from the ascendant, in the wheel frame as the chart record
// holds them, beside the true Ascendant; the midheaven point is cusp 10;
// bodies direct.
ClockChart ChartWithAscendant(double asc)
{
    ClockChart c{};
    c.SignShift = asc - 30 * std::trunc(asc / 30);
    for (int i = 1; i <= 12; ++i) c.CuspPos[i] = std::fmod(asc - c.SignShift + 30.0 * (i - 1), 360);
    c.PlanetPos[kTrueAscendantEntry] = asc;
    c.PlanetPos[QVCALC32_MIDHEAVEN] = c.CuspPos[10];
    for (auto &text : c.PlanetText) text = ShortText10{9, {'0', '0', ' ', 'x', ' ', '0', '0', ' ', ' '}};
    return c;
}

LocalDateTime At(int year, int month, int day, int hour, int minute)
{
    LocalDateTime t;
    t.Year = year, t.Month = month, t.Day = day, t.Hour = hour, t.Minute = minute;
    return t;
}

// Magenta glyphs, no body shown, the given place.
Settings Quiet(int latDeg = 0)
{
    Settings s;
    for (bool &shown : s.ShowBody) shown = false;
    s.PlanetColor = 0xFF00FF;
    s.LatDeg = latDeg;
    return s;
}

bool IsMagenta(QRgb p) { return qRed(p) > qGreen(p) + 80 && qBlue(p) > qGreen(p) + 80; }

template <class Test>
int CountAround(const QImage &img, QPoint centre, int half, Test test)
{
    int n = 0;
    for (int y = centre.y() - half; y <= centre.y() + half; ++y)
        for (int x = centre.x() - half; x <= centre.x() + half; ++x) n += img.valid(x, y) && test(img.pixel(x, y));
    return n;
}

class WheelPicture : public testing::Test {
protected:
    // The wheel at `side` pixels with the glyph size that follows from it.
    const QImage &Draw(const ClockChart &chart, const Settings &settings, int side)
    {
        return Draw(chart, settings, WheelOptionsFor(settings, side));
    }
    const QImage &Draw(const ClockChart &chart, const Settings &settings, const WheelOptions &options)
    {
        EXPECT_TRUE(renderer.DrawWheel(chart, settings, options));
        return renderer.Picture();
    }
    WheelRenderer renderer;
    const WheelGeometry g = WheelGeometryFor(547);
};

TEST_F(WheelPicture, RingsAndSpokesAtTheirPixels)
{
    Settings s = Quiet();
    const QImage &img = Draw(ChartWithAscendant(60), s, 547);  // SignShift 0
    for (const RingBox &ring : g.Rings) {
        for (int edge : {ring.Lo, ring.Hi - 1}) {
            EXPECT_EQ(img.pixel(edge, 273), kBlack) << edge;  // 273: the rings' own centre
            EXPECT_EQ(img.pixel(273, edge), kBlack) << edge;
        }
    }
    EXPECT_EQ(img.pixel(142, 273), kWhite);  // inside the outer hub, pen width 2
    // Spokes on the horizontal (180 and 360 degrees) and every 30 degrees.
    for (int x = 0; x <= 40; ++x) EXPECT_EQ(img.pixel(x, 274), kBlack) << x;
    for (int x = 508; x <= 546; ++x) EXPECT_EQ(img.pixel(x, 274), kBlack) << x;
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(img.pixel(WheelPoint(274, 254, 30 * n)), kBlack) << n;
    EXPECT_EQ(Draw(ChartWithAscendant(70), s, 547).pixel(20, 274), kWhite);  // SignShift 10: none there
}

// Black pixels in the middle of the tick band, binned by tenths of a degree
// from the sign boundary.  A line of pen width 1 has one pixel per step
// along its longer axis, so a tick leaves 12 x max(|cos|, |sin|) of them,
// 8.5 to 13; a thick one twice as many.
TEST_F(WheelPicture, TicksEveryDegreeThickEveryFifth)
{
    const int side = 2160;  // 16 pixels per degree in the tick band
    Settings s = Quiet();
    const ClockChart chart = ChartWithAscendant(97.25);  // SignShift 7.25
    const QImage &img = Draw(chart, s, side);
    const WheelGeometry big = WheelGeometryFor(side);
    std::vector<int> bins(3600, 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double dx = x - big.Centre, dy = y - big.Centre, r = std::hypot(dx, dy);
            if (r < big.TickRadius + 2.5 || r > big.SignRingRadius - 3.5 || img.pixel(x, y) != kBlack) continue;
            const double fromBoundary = std::fmod(std::atan2(dy, dx) * 180 / M_PI - chart.SignShift + 720.05, 360);
            ++bins[static_cast<int>(fromBoundary * 10) % 3600];
        }
    for (int i = 0; i < 360; ++i) {
        int tick = 0;
        for (int b = -4; b <= 4; ++b) tick += bins[(i * 10 + b + 3600) % 3600];
        EXPECT_GE(tick, i % 5 == 0 ? 17 : 8) << "tick " << i;
        EXPECT_LE(tick, i % 5 == 0 ? 26 : 13) << "tick " << i;
        EXPECT_EQ(bins[i * 10 + 5], 0) << "between ticks " << i << " and " << i + 1;
    }
}

TEST_F(WheelPicture, TheFirstCuspLiesAtNineOClock)
{
    std::vector<ClockChart> charts;
    for (double asc : {0.5, 75.5, 100.0, 184.2, 359.9}) charts.push_back(ChartWithAscendant(asc));
    const PlanetTable table;
    Settings london = Quiet(51);
    london.LongMin = 7;
    for (bool &shown : london.ShowBody) shown = true;
    for (int houses : {QVCALC32_PLACIDUS, QVCALC32_KOCH, QVCALC32_EQUAL}) {
        london.HouseSys = static_cast<uint8_t>(houses);
        ComputeChartAt(london, At(2026, 12, 7, 21, 40), table, charts.emplace_back());
    }
    for (const ClockChart &chart : charts) {
        london.CuspMode = CuspLines::kAngles;
        const QImage &img = Draw(chart, london, 547);
        // Rim, sign ring, tick band, body ring, hub: red from R_out in to len.
        for (int x : {0, 3, 20, 42, 47, 100, 157, 274 + 227})
            EXPECT_EQ(img.pixel(x, 274), kRed) << chart.CuspPos[1] << " at " << x;
    }
}

TEST_F(WheelPicture, AxesRedAndBlueButBlackAndShortForEqualHouses)
{
    Settings s = Quiet();
    s.CuspMode = CuspLines::kAngles;
    const ClockChart chart = ChartWithAscendant(85);  // SignShift 25: no spoke or glyph on the vertical
    const QImage &quadrant = Draw(chart, s, 547);
    for (QPoint p : {QPoint(274, 47), QPoint(273, 47), QPoint(274, 501), QPoint(274, 1), QPoint(274, 157)})
        EXPECT_EQ(quadrant.pixel(p), kBlue) << p.x() << "," << p.y();  // MC up, IC down, rim to hub
    EXPECT_EQ(quadrant.pixel(274, 161), kWhite);

    s.HouseSys = QVCALC32_EQUAL;
    const QImage &equal = Draw(chart, s, 547);
    EXPECT_EQ(equal.pixel(274, 47), kBlack);
    EXPECT_EQ(equal.pixel(273, 47), kWhite);  // pen width 1
    for (int y : {38, 19, 3}) EXPECT_EQ(equal.pixel(274, y), kWhite) << "stops at the sign ring, " << y;
    EXPECT_EQ(equal.pixel(3, 274), kRed);  // the horizon stays red
    EXPECT_EQ(CountAround(equal, QPoint(273, 273), 273, [](QRgb p) { return p == kBlue; }), 0);
}

// Where house number n is centred: opposite the middle of house n's
// opposite, about (trunc(W / 2), trunc(W / 2)); and the ink there between
// the hub rings (radii 117.5 and 133.5), where only numbers go.
int NumberInk(const QImage &img, const ClockChart &chart, const WheelGeometry &g, int n)
{
    const int i = n + 7 > 12 ? n - 5 : n + 7, p = i == 1 ? 12 : i - 1;
    const double middle = chart.CuspPos[i] + GetHouseSize(chart.CuspPos[i], chart.CuspPos[p]) / 2;
    const double theta = ScreenAngle(middle, SignRotation(chart.CuspPos[1]));
    const QPoint at = WheelPoint(g.TextCentre, g.HouseNumberRadius, theta);
    int ink = 0;
    for (int y = at.y() - 6; y <= at.y() + 6; ++y)
        for (int x = at.x() - 6; x <= at.x() + 6; ++x) {
            const double r = std::hypot(x - 273, y - 273);
            ink += r > 120 && r < 131 && img.pixel(x, y) != kWhite;
        }
    return ink;
}

TEST_F(WheelPicture, CuspModesChooseLinesAndNumbers)
{
    const ClockChart chart = ChartWithAscendant(85);
    // Only the ends of a line are exact: look around a point on cusp 2's line.
    const QPoint cusp2 = WheelPoint(274, 200, ScreenAngle(chart.CuspPos[2], SignRotation(chart.CuspPos[1])));
    for (int mode = 0; mode <= 2; ++mode) {
        Settings s = Quiet();
        s.CuspMode = static_cast<CuspLines>(mode);
        const QImage &img = Draw(chart, s, 547);
        EXPECT_EQ(CountAround(img, cusp2, 1, [](QRgb p) { return p == kBlack; }) > 0, mode == 2) << mode;
        EXPECT_EQ(img.pixel(3, 274), mode == 0 ? kWhite : kRed) << mode;
        for (int n = 1; n <= 12; ++n)
            EXPECT_EQ(NumberInk(img, chart, g, n) > 2, mode == 2 || (mode == 1 && n % 3 == 0)) << mode << ", " << n;
    }
}

TEST_F(WheelPicture, SignColourModes)
{
    const ClockChart chart = ChartWithAscendant(70);  // SignShift 10
    for (int mode : {2, 1, 0}) {  // white cells after coloured ones: every draw starts from white
        Settings s = Quiet();
        s.SignColours = static_cast<SignColouring>(mode);
        s.CuspMode = CuspLines::kAll;
        const QImage &img = Draw(chart, s, 547);
        for (int i = 0; i < 12; ++i) {
            const double middle = ScreenAngle(30 * i + 15 - chart.SignShift, SignRotation(chart.CuspPos[1]));
            const QPoint glyph = WheelPoint(274, g.SignGlyphRadius, middle), cell = WheelPoint(274, 254, middle + 8);
            const QRgb colour = FromColourRef(ElementColours[i]).rgb();
            const int own = CountAround(img, glyph, 12, [&](QRgb p) { return p == colour; });
            const int black = CountAround(img, glyph, 12, [](QRgb p) { return p == kBlack; });
            EXPECT_EQ(img.pixel(cell), mode == 2 ? colour : kWhite) << "mode " << mode << ", cell " << i;
            EXPECT_EQ(own > 5, mode != 0) << "mode " << mode << ", glyph or cell " << i;
            EXPECT_EQ(black > 5, mode != 1) << "mode " << mode << ", glyph " << i;
        }
        // The house numbers keep the last sign's colour: blue, or black.
        const QPoint house6 = WheelPoint(g.TextCentre, g.HouseNumberRadius, 15);
        const int blue = CountAround(img, house6, 8, [](QRgb p) { return p == kBlue; });
        EXPECT_EQ(blue > 2, mode == 1) << mode;
    }
}

TEST_F(WheelPicture, NodeChironAndTheMidheavenOnlyWhenShown)
{
    ClockChart chart = ChartWithAscendant(70);
    chart.PlanetPos[11] = 45;
    chart.PlanetPos[12] = 200;
    const int k = SignRotation(chart.CuspPos[1]);
    const auto glyphInk = [&](const QImage &img, int j) {
        return CountAround(img, WheelPoint(274, g.BodyGlyphRadius, ScreenAngle(chart.PlanetPos[j], k)), 12, IsMagenta);
    };
    for (bool shown : {false, true}) {
        Settings s = Quiet();
        s.ShowBody[11] = s.ShowBody[12] = shown;
        s.HouseSys = shown ? QVCALC32_EQUAL : QVCALC32_PLACIDUS;
        const QImage &img = Draw(chart, s, 547);
        for (int j : {11, 12, 14}) EXPECT_EQ(glyphInk(img, j) > 5, shown) << "entry " << j;
        EXPECT_EQ(CountAround(img, QPoint(273, 273), 273, IsMagenta) > 0, shown) << "no other body";
    }
}

// Entry 13 holds the true Ascendant, not a place on the wheel: no glyph
// goes there, whichever bodies and house system are chosen.
TEST_F(WheelPicture, TheTrueAscendantEntryIsNeverDrawn)
{
    ClockChart chart = ChartWithAscendant(200);  // true 200, wheel cusp 1 at 180
    const int k = SignRotation(chart.CuspPos[1]);
    const QPoint asTrue = WheelPoint(274, g.BodyGlyphRadius, ScreenAngle(chart.TrueAscendant(), k));
    for (int houses : {QVCALC32_PLACIDUS, QVCALC32_EQUAL}) {
        Settings s = Quiet();
        for (bool &shown : s.ShowBody) shown = true;
        for (int j = QVCALC32_SUN; j <= QVCALC32_CHIRON; ++j) chart.PlanetPos[j] = 90;  // all far from 200
        s.HouseSys = static_cast<uint8_t>(houses);
        EXPECT_EQ(CountAround(Draw(chart, s, 547), asTrue, 12, IsMagenta), 0) << houses;
        EXPECT_FALSE(DrawnEntries(chart, s)[kTrueAscendantEntry]) << houses;
    }
}

// What the options carry comes from the picture, not the settings: the
// glyph size as given (not as PlanetSize would make it) and a colour that
// stands in for PlanetColor.
TEST_F(WheelPicture, TheOptionsGiveTheGlyphSizeAndColour)
{
    ClockChart chart = ChartWithAscendant(70);
    chart.PlanetPos[7] = 100;  // Saturn, alone
    Settings s = Quiet();
    s.ShowBody[7] = true;
    const QPoint glyph = WheelPoint(274, g.BodyGlyphRadius, ScreenAngle(100, SignRotation(chart.CuspPos[1])));
    const auto ink = [&](const WheelOptions &options, auto test) {
        return CountAround(Draw(chart, s, options), glyph, 20, test);
    };
    WheelOptions options = WheelOptionsFor(s, 547);
    EXPECT_EQ(options.Side, 547);
    EXPECT_EQ(options.GlyphSize, GlyphSizeFor(s.PlanetSize, 547));
    const int usual = ink(options, IsMagenta);
    EXPECT_GT(usual, 5);

    struct Case { const char *name; uint16_t glyphSize; std::optional<uint32_t> colour; bool magenta, larger; };
    const Case cases[] = {
        {"the settings' colour", options.GlyphSize, std::nullopt, true, false},
        {"a colour that stands in", options.GlyphSize, 0x00FF00u, false, false},  // green
        {"a larger glyph", static_cast<uint16_t>(2 * options.GlyphSize), std::nullopt, true, true},
    };
    for (const Case &c : cases) {
        WheelOptions o = options;
        o.GlyphSize = c.glyphSize;
        o.PlanetColor = c.colour;
        const int magenta = ink(o, IsMagenta);
        const int green = ink(o, [](QRgb p) { return qGreen(p) > qRed(p) + 80 && qGreen(p) > qBlue(p) + 80; });
        EXPECT_EQ(magenta > 5, c.magenta) << c.name;
        EXPECT_EQ(green > 5, !c.magenta) << c.name;
        if (c.larger) {
            EXPECT_GT(magenta, usual * 3 / 2) << c.name;
        }
    }
}

// Centre of mass, as (screen angle, radius), of the magenta ink near
// `around` whose distance from the centre lies in lo..hi.
std::pair<double, double> InkCentre(const QImage &img, int centre, QPoint around, double lo, double hi)
{
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = around.y() - 50; y <= around.y() + 50; ++y)
        for (int x = around.x() - 50; x <= around.x() + 50; ++x) {
            const double dx = x - centre, dy = y - centre, r = std::hypot(dx, dy);
            if (r < lo || r > hi || !IsMagenta(img.pixel(x, y))) continue;
            sx += dx, sy += dy, ++n;
        }
    if (n < 20) return {NAN, NAN};
    return {std::atan2(sy, sx) * 180 / M_PI, std::hypot(sx, sy) / n};
}

TEST_F(WheelPicture, ARetrogradeMarkerSitsOnItsGlyphsRadius)
{
    const int side = 1094;
    const WheelGeometry big = WheelGeometryFor(side);
    ClockChart chart = ChartWithAscendant(70);
    chart.PlanetPos[7] = 100;  // Saturn, alone: not moved
    const double theta = ScreenAngle(100, SignRotation(chart.CuspPos[1]));
    const double split = (big.BodyGlyphRadius + big.MarkerRadius) / 2.0;
    const QPoint between = WheelPoint(big.Centre, split, theta);
    for (char mark : {'R', ' '}) {
        chart.PlanetText[7].chars[8] = mark;
        Settings s = Quiet();
        s.ShowBody[7] = true;
        const QImage &img = Draw(chart, s, side);
        const auto [glyphAngle, glyphRadius] = InkCentre(img, big.Centre, between, split, big.BodyRingRadius);
        EXPECT_NEAR(std::remainder(glyphAngle - theta, 360), 0, 1.0);
        EXPECT_NEAR(glyphRadius, big.BodyGlyphRadius, 4);
        const auto [markAngle, markRadius] = InkCentre(img, big.Centre, between, 0, split);
        if (mark == 'R') {
            EXPECT_NEAR(std::remainder(markAngle - theta, 360), 0, 1.0) << "on the glyph's radius line";
            EXPECT_NEAR(markRadius, big.MarkerRadius, 4);
        } else {
            EXPECT_TRUE(std::isnan(markAngle)) << "a direct body shows no marker";
        }
    }
}

TEST_F(WheelPicture, CrowdedGlyphsFanOutFromTheirTruePositions)
{
    ClockChart chart = ChartWithAscendant(70);
    Settings s = Quiet();
    const double trueLon[] = {10, 12, 14}, spread[] = {10, 16.5, 21.5};
    for (int j = 1; j <= 3; ++j) chart.PlanetPos[j] = trueLon[j - 1], s.ShowBody[j] = true;
    const int k = SignRotation(chart.CuspPos[1]);
    const QImage &img = Draw(chart, s, 547);
    for (int j = 1; j <= 3; ++j) {
        EXPECT_EQ(img.pixel(WheelPoint(274, g.BodyRingRadius, ScreenAngle(trueLon[j - 1], k))), kRed) << j;
        const QPoint glyph = WheelPoint(274, g.BodyGlyphRadius, ScreenAngle(spread[j - 1], k));
        EXPECT_GT(CountAround(img, glyph, 6, IsMagenta), 3) << j;
    }
}

// On small wheels the leaders reach the sign ring's inner edge and the
// glyph centres come close to the rim: a cell's colour must still stay in
// the sign ring.
TEST_F(WheelPicture, SmallWheelsKeepTheSignColoursInTheSignRing)
{
    const PlanetTable table;
    Settings base = Quiet(51);
    for (bool &shown : base.ShowBody) shown = true;
    base.SignColours = SignColouring::kBackground;
    base.PlanetColor = 0;
    ClockChart chart;
    ComputeChartAt(base, At(2026, 12, 7, 21, 40), table, chart);
    for (int side = 50; side <= 140; ++side) {
        const QImage &img = Draw(chart, base, side);
        const double mid = (side - 1) / 2.0, inner = WheelGeometryFor(side).SignRingRadius - 2.0;
        int inside = 0, outside = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QRgb p = img.pixel(x, y);
                const double r = std::hypot(x - mid, y - mid);
                const bool limeOrYellow = qGreen(p) > 200 && qBlue(p) < 50;
                const bool blue = qBlue(p) > 200 && qRed(p) < 50 && qGreen(p) < 50;
                inside += (limeOrYellow || blue) && r < inner;  // red is the leaders' colour too
                const int spread = std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
                outside += spread > 100 && r > mid + 1.5;  // past the rim only spoke ends and glyph edges
            }
        EXPECT_EQ(inside, 0) << "into the wheel, side " << side;
        EXPECT_EQ(outside, 0) << "past the rim, side " << side;
    }
}

TEST_F(WheelPicture, OddChartsAndSidesDrawSafely)
{
    const PlanetTable table;
    Settings s = Quiet(70);  // Placidus has no intermediate cusps beyond the polar circle
    s.CuspMode = CuspLines::kAll;
    ClockChart polar;
    ComputeChartAt(s, At(2026, 12, 7, 12, 0), table, polar);
    ASSERT_TRUE(std::isnan(polar.CuspPos[2]));
    EXPECT_EQ(Draw(polar, s, 547).pixel(3, 274), kRed);
    for (int side : {1, 2, 3, 7, 20, 49}) {
        s.SignColours = SignColouring::kBackground;
        EXPECT_EQ(Draw(polar, s, side).width(), side);
    }
    EXPECT_FALSE(renderer.DrawWheel(polar, s, WheelOptionsFor(s, 0)));
}

}  // namespace
