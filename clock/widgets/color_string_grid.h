// TColorStringGrid: a grid of text cells, addressed by column and row, whose
// owner chooses the fill, font and text colour of every cell just before the
// cell is drawn (OnGetCellColor).  The first FixedRows rows and FixedCols
// columns are fixed cells of the grid itself (headings that are never
// selected), not Qt header sections.  The grid shows no scroll bars: it is
// sized to hold its cells.
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTableWidget>

#include <cstdint>
#include <functional>

namespace zenlume {

class TColorStringGrid;

// How a cell is being drawn.
struct TGridDrawState {
    bool Selected = false;
    bool Focused = false;
    bool Fixed = false;
};

// Called before each cell is drawn.  `brush`, `font` and `fontColour` arrive
// with the grid's own choice for the cell (the palette's colours for its state
// and the grid's font); the cell is drawn with whatever the handler leaves in
// them.
using TColorEvent = std::function<void(TColorStringGrid *sender, int32_t row, int32_t col, TGridDrawState state,
                                       QBrush &brush, QFont &font, QColor &fontColour)>;

class TColorStringGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultColWidth = 64;
    static constexpr int kDefaultRowHeight = 24;
    // Text starts this many pixels inside the cell's left edge.
    static constexpr int kTextIndent = 2;

    TColorStringGrid(int colCount, int rowCount, QWidget *parent = nullptr);

    TColorEvent OnGetCellColor;

    // The text of a cell; empty for a cell never written.
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString &text);

    int ColCount() const { return columnCount(); }
    int RowCount() const { return rowCount(); }
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixedRows(int rows);
    void SetFixedCols(int cols);

    int ColWidths(int col) const { return columnWidth(col); }
    void SetColWidths(int col, int width) { setColumnWidth(col, width); }
    int RowHeights(int row) const { return rowHeight(row); }
    // Sets every column's (row's) size.
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);

    bool IsFixed(int col, int row) const { return row < fixedRows_ || col < fixedCols_; }

    // Draws one cell as the grid does: asks OnGetCellColor, fills `rect` with
    // the brush and writes the text in the font and colour it chose.
    void DrawCell(QPainter &painter, const QRect &rect, int col, int row, TGridDrawState state);

private:
    QTableWidgetItem *ItemAt(int col, int row);
    void ApplyFixedFlags();

    int fixedRows_ = 1;
    int fixedCols_ = 0;
};

}  // namespace zenlume
