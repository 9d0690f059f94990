// Where a window saved at one geometry may open now: the settings file
// keeps the geometry as it was written (by hand, or on another set of
// monitors), and the window opens at the nearest geometry that fits one of
// the screens there are and lies wholly on it.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace zenlume {

// The smallest side a restored window gets: the wheel stays readable and
// the window easy to catch.
constexpr int kMinWindowSide = 150;

// `left`, `top`, `width` and `height` are the saved place and size, any
// 32-bit numbers; `screens` the available geometry of
// each screen (work areas, without panels), the first the primary one;
// `fallback` the size a side that is zero or negative gets instead.  The
// window goes to the screen the saved rectangle covers most, or, when it
// covers none, to the one nearest its centre; its sides are cut to that
// screen (and to kMinWindowSide at least, unless the screen is smaller),
// and it is moved the least distance that puts it wholly on the screen.
// A Square window gets the shorter of its two fitted sides for both.
// Without any screen the saved place comes back, with sane sides.
enum class Shape { AsSaved, Square };
QRect PlaceOnScreens(int left, int top, int width, int height, const QList<QRect> &screens, const QSize &fallback,
                     Shape shape = Shape::AsSaved);

}  // namespace zenlume
