// The flood fill bounded by a colour: it stays inside its border, does not
// leak through diagonal one-pixel lines, and fills regions of any size and
// shape without recursion.
#include "flood_fill.h"

#include <gtest/gtest.h>

namespace {

using namespace zenlume;

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0), kRed = qRgb(255, 0, 0);

QImage White(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

long Count(const QImage &image, QRgb colour)
{
    long n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

TEST(FloodFill, StaysInsideItsBorder)
{
    QImage image = White(40, 30);
    for (int i = 5; i <= 25; ++i) {  // the outline of the square 5..25
        image.setPixel(i, 5, kBlack);
        image.setPixel(i, 25, kBlack);
        image.setPixel(5, i, kBlack);
        image.setPixel(25, i, kBlack);
    }
    image.setPixel(10, 10, qRgb(0, 0, 255));  // any other colour inside is painted over
    FloodFill(image, QPoint(15, 15), kRed, kBlack);
    EXPECT_EQ(Count(image, kRed), 19 * 19);
    EXPECT_EQ(Count(image, kWhite), 40 * 30 - 21 * 21);

    const QImage before = image;
    FloodFill(image, QPoint(5, 9), kRed, kBlack);   // on the border
    FloodFill(image, QPoint(-1, 4), kRed, kBlack);  // outside the picture
    EXPECT_EQ(image, before);
}

TEST(FloodFill, DoesNotLeakThroughADiagonalLine)
{
    QImage image = White(50, 50);
    for (int i = 0; i < 50; ++i) image.setPixel(i, i, kBlack);  // steps corner to corner only
    FloodFill(image, QPoint(40, 2), kRed, kBlack);
    EXPECT_EQ(Count(image, kRed), 50 * 49 / 2);
}

// A serpentine corridor one pixel wide through a 2001 x 2001 picture: a
// recursive fill would go some two million calls deep.
TEST(FloodFill, ALongWindingRegionWithoutRecursion)
{
    const int n = 2001;
    QImage image = White(n, n);
    for (int y = 1; y < n; y += 2) {
        for (int x = 0; x < n; ++x) image.setPixel(x, y, kBlack);
        image.setPixel((y / 2) % 2 == 0 ? n - 1 : 0, y, kWhite);  // the gap alternates sides
    }
    FloodFill(image, QPoint(0, 0), kRed, kBlack);
    EXPECT_EQ(Count(image, kRed), 1001L * n + 1000);
}

}  // namespace
