// The wheel drawn for a high-density screen: a picture of side * ratio
// device pixels whose edges step by one device pixel, with the geometry of
// the plain wheel.  The rim's top edge is traced column by column over its
// flat part (within 40 degrees of the top, where it climbs less than one
// pixel per column): a drawing at full resolution climbs one device pixel at
// a time, a plain enlargement of the ratio-1 wheel by `ratio` pixels.
#include "wheel_renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ostream>
#include <vector>

namespace {

using namespace zenlume;

constexpr int kSide = 400;
constexpr QRgb kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

ClockChart Chart()
{
    ClockChart c{};
    c.SignShift = 12.5;
    for (int i = 1; i <= 12; ++i) c.CuspPos[i] = std::fmod(17.5 + 30.0 * (i - 1), 360);
    return c;
}

Settings Plain(SignColouring colouring = SignColouring::kGlyphs)
{
    Settings s;
    for (bool &shown : s.ShowBody) shown = false;
    s.SignColours = colouring;
    return s;
}

QImage Draw(double ratio, const Settings &settings = Plain(), int side = kSide)
{
    WheelRenderer renderer;
    WheelOptions options = WheelOptionsFor(settings, side);
    options.DevicePixelRatio = ratio;
    EXPECT_TRUE(renderer.DrawWheel(Chart(), settings, options));
    return renderer.Picture().copy();
}

// The ratio-1 wheel enlarged `factor` times, each pixel a factor x factor block.
QImage Enlarged(const QImage &image, int factor)
{
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The largest climb of the rim's top edge from one column to the next over
// its flat part.
int LargestTopStep(const QImage &image)
{
    const int n = image.width(), centre = n / 2, reach = static_cast<int>(n / 2 * std::sin(40 * M_PI / 180));
    std::vector<int> top;
    for (int x = centre - reach; x <= centre + reach; ++x) {
        int y = 0;
        while (y < n && image.pixel(x, y) != kBlack) ++y;
        top.push_back(y);
    }
    int largest = 0;
    for (size_t i = 1; i < top.size(); ++i) largest = std::max(largest, std::abs(top[i] - top[i - 1]));
    return largest;
}

// The share of pixels whose darkness (black or not) differs between two pictures of one size.
double DifferingShare(const QImage &a, const QImage &b)
{
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) differing += (a.pixel(x, y) == kBlack) != (b.pixel(x, y) == kBlack);
    return static_cast<double>(differing) / (a.width() * a.height());
}

struct RatioCase {
    const char *Name;
    double Ratio;
    int DeviceSide;
};

void PrintTo(const RatioCase &c, std::ostream *os) { *os << c.Name; }

class WheelRatio : public testing::TestWithParam<RatioCase> {};

TEST_P(WheelRatio, PictureHoldsTheDevicePixelsAndSaysItsRatio)
{
    const QImage image = Draw(GetParam().Ratio);
    EXPECT_EQ(image.width(), GetParam().DeviceSide);
    EXPECT_EQ(image.height(), GetParam().DeviceSide);
    EXPECT_DOUBLE_EQ(image.devicePixelRatio(), GetParam().Ratio);
}

TEST_P(WheelRatio, RimStepsByOneDevicePixel) { EXPECT_EQ(LargestTopStep(Draw(GetParam().Ratio)), 1); }

TEST_P(WheelRatio, SignCellFillsStayInsideTheirCells)
{
    const QImage image = Draw(GetParam().Ratio, Plain(SignColouring::kBackground));
    const int last = image.width() - 1, centre = image.width() / 2;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        EXPECT_EQ(image.pixel(corner), kWhite) << "a fill ran past the rim at " << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixel(centre, centre), kWhite) << "a fill ran into the hub";
    // Halfway between the rim and ring 2 on the left, in the cell of the ascendant: filled.
    const WheelGeometry g = WheelGeometryFor(kSide);
    const int cellX = static_cast<int>((g.SignRingInset / 4.0 + 0.5) * GetParam().Ratio);
    EXPECT_NE(image.pixel(cellX, centre + 3), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Ratios, WheelRatio,
                         testing::Values(RatioCase{"One", 1, kSide}, RatioCase{"OneAndAQuarter", 1.25, 500},
                                         RatioCase{"OneAndAHalf", 1.5, 600}, RatioCase{"Two", 2, 800}),
                         [](const testing::TestParamInfo<RatioCase> &info) { return info.param.Name; });

TEST(WheelRatioTwo, IsNotAnEnlargementButHasItsGeometry)
{
    const QImage sharp = Draw(2), enlarged = Enlarged(Draw(1), 2);
    EXPECT_EQ(LargestTopStep(enlarged), 2);  // the measure sees an enlargement's steps
    EXPECT_GT(DifferingShare(sharp, enlarged), 0.0);
    // The same rings, spokes and ticks in the same places: only the edges differ.
    EXPECT_LT(DifferingShare(sharp, enlarged), 0.03);
}

TEST(WheelRatioTwo, DrawsTheSamePictureEveryTime) { EXPECT_EQ(Draw(2), Draw(2)); }

TEST(WheelRatioOne, IsThePlainWheelAfterADrawingAtAnotherRatio)
{
    const Settings settings = Plain(SignColouring::kBackground);
    WheelRenderer renderer;
    WheelOptions options = WheelOptionsFor(settings, kSide);
    options.DevicePixelRatio = 2;
    ASSERT_TRUE(renderer.DrawWheel(Chart(), settings, options));
    options.DevicePixelRatio = 1;
    ASSERT_TRUE(renderer.DrawWheel(Chart(), settings, options));
    EXPECT_EQ(renderer.Picture().devicePixelRatio(), 1.0);
    EXPECT_EQ(renderer.Picture(), Draw(1, settings));
    EXPECT_EQ(Draw(1, settings), Draw(std::nan(""), settings));  // a ratio no screen has draws as 1
}

TEST(WheelRatioOne, UnusableRatiosDrawThePlainWheel)
{
    for (const double ratio : {0.0, -2.0, 1e9, double(INFINITY)}) {
        const QImage image = Draw(ratio);
        EXPECT_EQ(image.width(), kSide) << ratio;
        EXPECT_EQ(image.devicePixelRatio(), 1.0) << ratio;
    }
}

}  // namespace
