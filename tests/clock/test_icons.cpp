// The icons the program carries as resources: the twelve rising-sign icons
// ICON_1 (Aries) .. ICON_12 (Pisces) at 32 by 32 pixels on a transparent
// background, coloured by element (red, green, yellow, blue in turn), and
// the program's own MAINICON.
#include <QImage>

#include <gtest/gtest.h>

namespace {

// The element of a sign's icon from its brightest, most saturated pixels.
enum Element { kFire, kEarth, kAir, kWater, kNone };

Element DominantElement(const QImage &icon)
{
    int votes[4] = {};
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            const QColor c = icon.pixelColor(x, y);
            if (c.alpha() < 200 || c.hsvSaturation() < 120 || c.value() < 120) continue;
            const int h = c.hsvHue();
            if (h < 20 || h >= 340) ++votes[kFire];
            else if (h >= 30 && h < 70) ++votes[kAir];
            else if (h >= 90 && h < 160) ++votes[kEarth];
            else if (h >= 190 && h < 250) ++votes[kWater];
        }
    int best = kNone, most = 0;
    for (int e = 0; e < 4; ++e)
        if (votes[e] > most) best = e, most = votes[e];
    return static_cast<Element>(best);
}

TEST(Icons, TwelveSignsColouredByElement)
{
    const Element cycle[4] = {kFire, kEarth, kAir, kWater};
    for (int n = 1; n <= 12; ++n) {
        const QImage icon(QStringLiteral(":/ICON_%1").arg(n));
        ASSERT_FALSE(icon.isNull()) << "ICON_" << n;
        EXPECT_EQ(icon.size(), QSize(32, 32)) << "ICON_" << n;
        // The glyph may touch the edges; the background around it is clear.
        int clear = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) clear += icon.pixelColor(x, y).alpha() == 0;
        EXPECT_GT(clear, 32 * 32 / 8) << "ICON_" << n << " has no transparent background";
        EXPECT_EQ(DominantElement(icon), cycle[(n - 1) % 4]) << "ICON_" << n;
    }
}

// The pictures for screens of ratio 2: twice the size, the same sign in
// the same element's colour.
TEST(Icons, EachSignAtTwiceTheSize)
{
    const Element cycle[4] = {kFire, kEarth, kAir, kWater};
    for (int n = 1; n <= 12; ++n) {
        const QImage icon(QStringLiteral(":/ICON_%1@2x").arg(n));
        ASSERT_FALSE(icon.isNull()) << "ICON_" << n << "@2x";
        EXPECT_EQ(icon.size(), QSize(64, 64)) << "ICON_" << n << "@2x";
        EXPECT_EQ(DominantElement(icon), cycle[(n - 1) % 4]) << "ICON_" << n << "@2x";
    }
}

TEST(Icons, TheProgramIconAndNoThirteenthSign)
{
    EXPECT_FALSE(QImage(QStringLiteral(":/MAINICON")).isNull());
    EXPECT_TRUE(QImage(QStringLiteral(":/ICON_13")).isNull());
    EXPECT_TRUE(QImage(QStringLiteral(":/ICON_0")).isNull());
}

}  // namespace
