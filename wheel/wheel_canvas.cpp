#include "wheel_canvas.h"

#include "flood_fill.h"

#include <QFontMetrics>

#include <cstdlib>

namespace zenlume {

WheelCanvas::WheelCanvas(QImage &picture, const WheelGeometry &geometry) : picture_(picture), g_(geometry)
{
    Begin();
}

void WheelCanvas::Begin()
{
    painter_.begin(&picture_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void WheelCanvas::Ring(const RingBox &ring)
{
    const int span = ring.Hi - ring.Lo - 1;  // an ellipse of box w covers w + 1 pixels
    if (span < 0) return;
    painter_.setPen(QPen(Qt::black, ring.PenWidth));
    painter_.setBrush(ring.Filled ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    painter_.drawEllipse(QRect(ring.Lo, ring.Lo, span, span));
}

void WheelCanvas::Line(QPoint from, QPoint to, const QColor &colour, int penWidth)
{
    // The painter's own lines are not quite the pixels between the two end
    // points (one end may be left out, or a pixel set beside it); the flood
    // fills need spokes that reach the rings they meet, and the tests find
    // each line at its pixels, so the pixels are chosen here and set as
    // points.
    LinePixels(from, to, pixels_);
    if (penWidth >= 2) {
        const bool steep = std::abs(to.y() - from.y()) > std::abs(to.x() - from.x());
        const QPoint beside = steep ? QPoint(-1, 0) : QPoint(0, -1);
        const size_t n = pixels_.size();
        for (size_t i = 0; i < n; ++i) pixels_.push_back(pixels_[i] + beside);
    }
    painter_.setPen(QPen(colour, 1));
    painter_.drawPoints(pixels_.data(), static_cast<int>(pixels_.size()));
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
    painter_.drawText(QPoint(centre.x() - width / 2, centre.y() - height / 2 + metrics.ascent()), text);
}

void WheelCanvas::FillBoundedByBlack(QPoint seed, const QColor &colour)
{
    // The fill works on the picture's memory, so the painter lets go of it
    // meanwhile; every drawing call sets its own pen, brush and font.
    painter_.end();
    FloodFill(picture_, seed, colour.rgb(), qRgb(0, 0, 0));
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
