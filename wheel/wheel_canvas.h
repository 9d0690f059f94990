// A painter on the wheel's picture that works in the wheel's own units:
// rings by their boxes, lines between radii on a screen angle, text centred
// on a point the way the wheel measures it.  Rings and lines are drawn
// without antialiasing, so that every ring, spoke and tick lands on known
// pixels and the flood fills find closed borders; text is antialiased.
//
// On a high-density screen the picture holds `ratio` device pixels for each
// of the wheel's pixels.  Every call still takes the wheel's own units; a
// wheel pixel p becomes the device pixels around floor((p + 0.5) * ratio),
// rings and lines are drawn one device pixel at a time and text at the
// device resolution, so no edge shows steps of more than one device pixel.
// At ratio 1 every pixel is the one the plain wheel gets.
#pragma once

#include "wheel_geometry.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdint>
#include <vector>

namespace zenlume {

class WheelCanvas {
public:
    // `picture` has round(side * ratio) device pixels a side.
    WheelCanvas(QImage &picture, const WheelGeometry &geometry, double ratio = 1);

    const WheelGeometry &Geometry() const { return g_; }

    // The pixel at `radius` on screen angle `theta` about the centre c.
    QPoint Point(double radius, double theta) const { return WheelPoint(g_.Centre, radius, theta); }

    // The ellipse of the ring's box, black; filled white when the ring says so.
    void Ring(const RingBox &ring);
    // Every pixel of the straight line from `from` to `to`, both ends
    // included, one per step along the longer axis; a pen of width 2 adds
    // the neighbouring pixel toward lower x (steep lines) or lower y.
    void Line(QPoint from, QPoint to, const QColor &colour, int penWidth);
    // A line on screen angle `theta` from radius `inner` to radius `outer`.
    void Radial(double theta, double inner, double outer, const QColor &colour, int penWidth);
    // `text` centred on `centre`: its extent is measured in `font` and its
    // top left corner lies half the extent (in whole pixels, the odd pixel
    // dropped) left of and above `centre`.
    void CentredText(const QString &text, QPoint centre, const QFont &font, const QColor &colour);
    // Paints `colour` over the region around `seed` bounded by black.
    void FillBoundedByBlack(QPoint seed, const QColor &colour);

private:
    void Begin();
    int ToDevice(int p) const;
    QPoint ToDevice(QPoint p) const { return {ToDevice(p.x()), ToDevice(p.y())}; }
    void ThickenLine(QPoint from, QPoint to, int penWidth);

    QImage &picture_;
    const WheelGeometry &g_;
    const double ratio_;
    QPainter painter_;
    std::vector<QPoint> pixels_;  // reused by every line
};

// A colour as the settings and the element table keep it: red in the low
// byte, then green, then blue.
inline QColor FromColourRef(uint32_t colourRef)
{
    return QColor(colourRef & 0xFF, (colourRef >> 8) & 0xFF, (colourRef >> 16) & 0xFF);
}

// The pixels of the line from `from` to `to` (Bresenham), both ends included.
void LinePixels(QPoint from, QPoint to, std::vector<QPoint> &pixels);

}  // namespace zenlume
