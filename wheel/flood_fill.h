// A flood fill bounded by one colour, as the wheel uses it to colour the
// sign cells and the picture keeps no record of what is inside a region.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace zenlume {

// Paints `fill` over the 4-connected region around `seed` whose pixels are
// neither `border` nor already `fill` (diagonal steps do not leak through
// one-pixel lines).  Nothing happens when the seed lies outside the picture
// or on the border colour, or when the two colours are the same.  Works
// scan line by scan line with a stack of pending seeds on the heap, so a
// region of any size or shape needs no recursion.  The picture must be
// RGB32 or ARGB32; returns false (and paints nothing) for any other format.
bool FloodFill(QImage &image, QPoint seed, QRgb fill, QRgb border);

}  // namespace zenlume
