#include "window_place.h"

#include <algorithm>
#include <cstdint>

namespace zenlume {
namespace {

// No arrangement of screens reaches this far; saved numbers beyond it are
// brought in first, so that no sum below can overflow.
constexpr int kFarthest = 1 << 20;

// The squared distance from (x, y) to the nearest point of `area` (0 inside).
int64_t DistanceSquared(int64_t x, int64_t y, const QRect &area)
{
    const int64_t dx = std::max<int64_t>({area.left() - x, 0, x - area.right()});
    const int64_t dy = std::max<int64_t>({area.top() - y, 0, y - area.bottom()});
    return dx * dx + dy * dy;
}

int64_t Overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : int64_t(common.width()) * common.height();
}

// A side as the window may have it: between the smallest sensible side
// (unless the room is smaller) and the room.
int FitSide(int side, int room) { return std::clamp(side, std::min(kMinWindowSide, room), std::max(room, 1)); }

}  // namespace

QRect PlaceOnScreens(int left, int top, int width, int height, const QList<QRect> &screens, const QSize &fallback,
                     Shape shape)
{
    left = std::clamp(left, -kFarthest, kFarthest);
    top = std::clamp(top, -kFarthest, kFarthest);
    width = width > 0 ? std::min(width, kFarthest) : std::clamp(fallback.width(), 1, kFarthest);
    height = height > 0 ? std::min(height, kFarthest) : std::clamp(fallback.height(), 1, kFarthest);
    const QRect wanted(left, top, width, height);
    if (screens.isEmpty()) return wanted;

    const QRect *best = &screens.front();
    int64_t bestOverlap = 0;
    for (const QRect &screen : screens) {
        const int64_t overlap = Overlap(wanted, screen);
        if (overlap > bestOverlap) bestOverlap = overlap, best = &screen;
    }
    if (bestOverlap == 0) {
        const int64_t x = left + width / 2, y = top + height / 2;
        for (const QRect &screen : screens)
            if (DistanceSquared(x, y, screen) < DistanceSquared(x, y, *best)) best = &screen;
    }
    const QRect &area = *best;
    int w = FitSide(width, area.width());
    int h = FitSide(height, area.height());
    if (shape == Shape::Square) w = h = std::min(w, h);
    return QRect(std::clamp(left, area.left(), area.left() + area.width() - w),
                 std::clamp(top, area.top(), area.top() + area.height() - h), w, h);
}

}  // namespace zenlume
