#include "color_string_grid.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zenlume {
namespace {

// Hands the drawing of every cell back to the grid, so that each cell gets
// the colours and font its owner chose.
class CellPainter : public QStyledItemDelegate {
public:
    explicit CellPainter(TColorStringGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        TGridDrawState state;
        state.Selected = option.state.testFlag(QStyle::State_Selected);
        state.Focused = option.state.testFlag(QStyle::State_HasFocus);
        state.Fixed = grid_->IsFixed(index.column(), index.row());
        grid_->DrawCell(*painter, option.rect, index.column(), index.row(), state);
    }

private:
    TColorStringGrid *grid_;
};

}  // namespace

TColorStringGrid::TColorStringGrid(int colCount, int rowCount, QWidget *parent) : QTableWidget(rowCount, colCount, parent)
{
    // The grid's cells are its whole surface: no header sections, no scroll
    // bars, no editing.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setItemDelegate(new CellPainter(this));
    SetDefaultColWidth(kDefaultColWidth);
    SetDefaultRowHeight(kDefaultRowHeight);
    ApplyFixedFlags();
}

QString TColorStringGrid::Cells(int col, int row) const
{
    const QTableWidgetItem *cell = item(row, col);
    return cell ? cell->text() : QString();
}

void TColorStringGrid::SetCells(int col, int row, const QString &text)
{
    if (QTableWidgetItem *cell = ItemAt(col, row)) cell->setText(text);
}

void TColorStringGrid::SetFixedRows(int rows)
{
    fixedRows_ = rows < 0 ? 0 : rows;
    ApplyFixedFlags();
}

void TColorStringGrid::SetFixedCols(int cols)
{
    fixedCols_ = cols < 0 ? 0 : cols;
    ApplyFixedFlags();
}

void TColorStringGrid::SetDefaultColWidth(int width)
{
    horizontalHeader()->setDefaultSectionSize(width);
    for (int col = 0; col < columnCount(); ++col) setColumnWidth(col, width);
}

void TColorStringGrid::SetDefaultRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
    for (int row = 0; row < rowCount(); ++row) setRowHeight(row, height);
}

void TColorStringGrid::DrawCell(QPainter &painter, const QRect &rect, int col, int row, TGridDrawState state)
{
    // The grid's own choice: button colours for fixed cells, the highlight for
    // the selected cell, the base colours otherwise.
    const QPalette &pal = palette();
    QBrush brush = state.Fixed ? pal.button() : state.Selected ? pal.highlight() : pal.base();
    QColor fontColour = state.Fixed      ? pal.color(QPalette::ButtonText)
                        : state.Selected ? pal.color(QPalette::HighlightedText)
                                         : pal.color(QPalette::Text);
    QFont cellFont = font();
    if (OnGetCellColor) OnGetCellColor(this, row, col, state, brush, cellFont, fontColour);

    painter.save();
    painter.fillRect(rect, brush);
    painter.setFont(cellFont);
    painter.setPen(fontColour);
    painter.drawText(rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, Cells(col, row));
    painter.restore();
}

QTableWidgetItem *TColorStringGrid::ItemAt(int col, int row)
{
    if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount()) return nullptr;
    QTableWidgetItem *cell = item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setFlags(IsFixed(col, row) ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, col, cell);
    }
    return cell;
}

void TColorStringGrid::ApplyFixedFlags()
{
    // Fixed cells are headings: never selected.
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            QTableWidgetItem *cell = ItemAt(col, row);
            cell->setFlags(IsFixed(col, row) ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
    }
}

}  // namespace zenlume
