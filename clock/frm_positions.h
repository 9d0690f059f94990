// TfrmPositions, the positions window: the chart of the moment as text.
// Row k (1..12) lists body k's glyph and sign notation on the left and house
// cusp k's number and sign notation on the right.  The clock refills it at
// every computation, shown or hidden, so it is current whenever it opens.
#pragma once

#include "glyph_face.h"

#include <QWidget>

#include <cstdint>

class QPushButton;

namespace zenlume {

struct ChartMoment;
struct TGridDrawState;
class TColorStringGrid;

class TfrmPositions : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 192;
    static constexpr int kClientHeight = 353;
    static constexpr int kLeft = 149;
    static constexpr int kTop = 77;
    static constexpr int kFontPixels = 11;
    static constexpr int kNarrowColWidth = 30;  // the glyph and house-number columns
    static constexpr char kHeadingFace[] = "Arial";

    // Draws the symbols in the symbol face when it is installed, else as
    // their Unicode stand-ins.
    explicit TfrmPositions(QWidget *parent = nullptr);
    // `face` chooses how symbols are drawn.
    explicit TfrmPositions(const GlyphFace &face, QWidget *parent = nullptr);

    // Writes rows 1..12 from the computed chart: glyph, body's sign notation,
    // house number, cusp's sign notation.  Every body is listed, whatever the
    // wheel shows.
    void FillGrid(const ChartMoment &moment);

    // The look of a grid cell: headings in a plain sans face, the glyph and
    // house-number columns white on blue, the sign notations black on white.
    void CellColour(TColorStringGrid *sender, int32_t row, int32_t col, TGridDrawState state, QBrush &brush,
                    QFont &font, QColor &fontColour);
    // "Keep On Top": the window stays above others while the button is down.
    void ToggleOnTop();
    // "Close": hides the window; the clock goes on filling it.
    void HideWindow();

    TColorStringGrid *Grid() const { return grid_; }
    QPushButton *btnClose() const { return btnClose_; }
    QPushButton *btnTop() const { return btnTop_; }
    const GlyphFace &Face() const { return face_; }

    // A symbol-face text as this window draws it: byte codes as they are in
    // the symbol face, else each one as its Unicode stand-in.
    QString SymbolText(const char *chars, int length) const;

private:
    void SetUpGrid();

    GlyphFace face_;
    TColorStringGrid *grid_ = nullptr;
    QPushButton *btnClose_ = nullptr;
    QPushButton *btnTop_ = nullptr;
};

}  // namespace zenlume
