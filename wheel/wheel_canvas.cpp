#include "wheel_canvas.h"

#include "flood_fill.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zenlume {

WheelCanvas::WheelCanvas(QImage &picture, const WheelGeometry &geometry, double ratio)
    : picture_(picture), g_(geometry), ratio_(ratio)
{
    Begin();
}

void WheelCanvas::Begin()
{
    painter_.begin(&picture_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

int WheelCanvas::ToDevice(int p) const
{
    return ratio_ == 1 ? p : static_cast<int>(std::floor((p + 0.5) * ratio_));
}

void WheelCanvas::Ring(const RingBox &ring)
{
    const int span = ring.Hi - ring.Lo - 1;  // an ellipse of box w covers w + 1 pixels
    if (span < 0) return;
    painter_.setBrush(ring.Filled ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    if (ratio_ == 1) {
        painter_.setPen(QPen(Qt::black, ring.PenWidth));
        painter_.drawEllipse(QRect(ring.Lo, ring.Lo, span, span));
        return;
    }
    // The same ellipse through the middles of the device pixels that stand
    // for the box's wheel pixels, its pen as wide as the wheel's pen.
    const double lo = (ring.Lo + 0.5) * ratio_ - 0.5;
    painter_.setPen(QPen(Qt::black, std::max(1.0, ring.PenWidth * ratio_)));
    painter_.drawEllipse(QRectF(lo, lo, span * ratio_, span * ratio_));
}

void WheelCanvas::Line(QPoint from, QPoint to, const QColor &colour, int penWidth)
{
    // The painter's own lines are not quite the pixels between the two end
    // points (one end may be left out, or a pixel set beside it); the flood
    // fills need spokes that reach the rings they meet, and the tests find
    // each line at its pixels, so the pixels are chosen here and set as
    // points.
    ThickenLine(ToDevice(from), ToDevice(to), penWidth);
    painter_.setPen(QPen(colour, 1));
    painter_.drawPoints(pixels_.data(), static_cast<int>(pixels_.size()));
}

void WheelCanvas::ThickenLine(QPoint from, QPoint to, int penWidth)
{
    // A pen of w wheel pixels is w * ratio device pixels across (at least
    // one); the copies go toward lower x (steep lines) or lower y, so at
    // ratio 1 a pen of width 2 adds the pixel beside, and at ratio 2 a pen
    // of width 1 covers both device pixels of its wheel pixel.
    LinePixels(from, to, pixels_);
    const int across = std::max(1, static_cast<int>(std::lround(penWidth * ratio_)));
    if (across < 2) return;
    const bool steep = std::abs(to.y() - from.y()) > std::abs(to.x() - from.x());
    const QPoint beside = steep ? QPoint(1, 0) : QPoint(0, 1);
    const size_t n = pixels_.size();
    for (int k = -(across / 2); k < across - across / 2; ++k) {
        if (k == 0) continue;
        for (size_t i = 0; i < n; ++i) pixels_.push_back(pixels_[i] + k * beside);
    }
}

void WheelCanvas::Radial(double theta, double inner, double outer, const QColor &colour, int penWidth)
{
    Line(Point(inner, theta), Point(outer, theta), colour, penWidth);
}

void WheelCanvas::CentredText(const QString &text, QPoint centre, const QFont &font, const QColor &colour)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text), height = metrics.height();
    painter_.setFont(font);
    painter_.setPen(colour);
    // The text is measured and placed in wheel units and rasterised at the
    // device resolution.
    if (ratio_ != 1) painter_.setTransform(QTransform::fromScale(ratio_, ratio_));
    painter_.drawText(QPoint(centre.x() - width / 2, centre.y() - height / 2 + metrics.ascent()), text);
    if (ratio_ != 1) painter_.resetTransform();
}

void WheelCanvas::FillBoundedByBlack(QPoint seed, const QColor &colour)
{
    // The fill works on the picture's memory, so the painter lets go of it
    // meanwhile; every drawing call sets its own pen, brush and font.
    painter_.end();
    FloodFill(picture_, ToDevice(seed), colour.rgb(), qRgb(0, 0, 0));
    Begin();
}

void LinePixels(QPoint from, QPoint to, std::vector<QPoint> &pixels)
{
    pixels.clear();
    const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1, sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy, x = from.x(), y = from.y();
    for (;;) {
        pixels.push_back(QPoint(x, y));
        if (x == to.x() && y == to.y()) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

}  // namespace zenlume
