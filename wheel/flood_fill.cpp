#include "flood_fill.h"

#include <vector>

namespace zenlume {
namespace {

// Both colours compared opaque: RGB32 keeps 0xFF in the alpha byte.
constexpr QRgb Opaque(QRgb c) { return c | 0xFF000000u; }

class ScanlineFill {
public:
    ScanlineFill(QImage &image, QRgb fill, QRgb border)
        : image_(image), fill_(Opaque(fill)), border_(Opaque(border)), width_(image.width()), height_(image.height())
    {
    }

    void Run(QPoint seed)
    {
        pending_.push_back(seed);
        while (!pending_.empty()) {
            const QPoint p = pending_.back();
            pending_.pop_back();
            QRgb *row = Row(p.y());
            if (!Open(row[p.x()])) continue;  // filled since it was pushed
            int left = p.x(), right = p.x();
            while (left > 0 && Open(row[left - 1])) --left;
            while (right + 1 < width_ && Open(row[right + 1])) ++right;
            for (int x = left; x <= right; ++x) row[x] = fill_;
            if (p.y() > 0) PushRuns(p.y() - 1, left, right);
            if (p.y() + 1 < height_) PushRuns(p.y() + 1, left, right);
        }
    }

private:
    bool Open(QRgb pixel) const
    {
        const QRgb c = Opaque(pixel);
        return c != border_ && c != fill_;
    }
    QRgb *Row(int y) { return reinterpret_cast<QRgb *>(image_.scanLine(y)); }

    // One seed for every run of open pixels of row y within left..right.
    void PushRuns(int y, int left, int right)
    {
        const QRgb *row = Row(y);
        bool inRun = false;
        for (int x = left; x <= right; ++x) {
            const bool open = Open(row[x]);
            if (open && !inRun) pending_.push_back(QPoint(x, y));
            inRun = open;
        }
    }

    QImage &image_;
    const QRgb fill_, border_;
    const int width_, height_;
    std::vector<QPoint> pending_;
};

}  // namespace

bool FloodFill(QImage &image, QPoint seed, QRgb fill, QRgb border)
{
    const QImage::Format f = image.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32) return false;
    if (!image.rect().contains(seed) || Opaque(fill) == Opaque(border)) return true;
    ScanlineFill(image, fill, border).Run(seed);
    return true;
}

}  // namespace zenlume
