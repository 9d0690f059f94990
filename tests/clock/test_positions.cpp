// The positions window and its colour grid: the cells' faces and colours as
// drawn, the rows the chart fills (every body, whatever the wheel shows), the
// retrograde mark, refreshing while hidden, and "Keep On Top".  Chart values
// come from the chart core itself, so only the window is under test.
#include "chart.h"
#include "color_string_grid.h"
#include "frm_positions.h"
#include "glyph_codes.h"

#include <QFontMetrics>
#include <QImage>
#include <QPushButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

using namespace zenlume;

const PlanetTable &Table()
{
    static const PlanetTable table;
    return table;
}

ChartMoment MomentAt(int y, int mo, int d, int h, int mi, const Settings &settings = Settings())
{
    LocalDateTime t;
    t.Year = y;
    t.Month = mo;
    t.Day = d;
    t.Hour = h;
    t.Minute = mi;
    ClockChart chart;
    return ComputeChartAt(settings, t, Table(), chart);
}

// 15 October 2023: Jupiter and Saturn retrograde, Sun and Mars direct.
ChartMoment RetrogradeMoment() { return MomentAt(2023, 10, 15, 12, 0); }

struct DrawnCell {
    QFont Font;
    QColor Brush, Text;
    bool Fixed = false;
};

// Paints the grid once, recording what each cell was drawn with after the
// window's handler had its say.
std::map<std::pair<int, int>, DrawnCell> PaintAndRecord(TfrmPositions &form)
{
    std::map<std::pair<int, int>, DrawnCell> drawn;
    TColorEvent handler = form.Grid()->OnGetCellColor;
    form.Grid()->OnGetCellColor = [&](TColorStringGrid *sender, int32_t row, int32_t col, TGridDrawState state,
                                        QBrush &brush, QFont &font, QColor &colour) {
        handler(sender, row, col, state, brush, font, colour);
        drawn[{col, row}] = {font, brush.color(), colour, state.Fixed};
    };
    form.Grid()->grab();
    form.Grid()->OnGetCellColor = handler;
    return drawn;
}

TEST(PositionsWindow, WindowAsLaidOut)
{
    TfrmPositions form{GlyphFace(false)};
    EXPECT_EQ(form.windowTitle(), "Zenlume Positions");
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(form.size(), QSize(192, 353));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.pos(), QPoint(149, 77));
    EXPECT_EQ(form.btnClose()->text(), "&Close");
    EXPECT_EQ(form.btnTop()->text(), "Keep On Top");
    EXPECT_TRUE(form.btnTop()->isCheckable());
    EXPECT_FALSE(form.btnTop()->isChecked());

    TColorStringGrid *grid = form.Grid();
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->RowCount(), 13);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedCols(), 0);
    const int widths[] = {30, 64, 30, 64};
    for (int col = 0; col < 4; ++col) EXPECT_EQ(grid->ColWidths(col), widths[col]) << "column " << col;
    int height = 0;
    for (int row = 0; row < 13; ++row) height += grid->RowHeights(row);
    EXPECT_EQ(height, 13 * 24);
    EXPECT_LE(height, grid->viewport()->height()) << "all 13 rows show without scrolling";
    EXPECT_LE(30 + 64 + 30 + 64, form.width() - grid->x() - grid->frameWidth());
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    struct { int col, row; const char *text; } headings[] = {
        {0, 0, ""}, {1, 0, "Planet"}, {2, 0, ""}, {3, 0, "House"},
    };
    for (const auto &h : headings) EXPECT_EQ(grid->Cells(h.col, h.row), h.text) << "column " << h.col;
}

TEST(PositionsWindow, HeadingsInASansFaceOtherRowsInTheGlyphFace)
{
    for (bool symbolFace : {false, true}) {
        TfrmPositions form{GlyphFace(symbolFace)};
        form.FillGrid(RetrogradeMoment());
        const auto drawn = PaintAndRecord(form);
        ASSERT_EQ(drawn.size(), 4u * 13u);
        for (const auto &[cell, how] : drawn) {
            const auto [col, row] = cell;
            SCOPED_TRACE(testing::Message() << "symbol face " << symbolFace << ", column " << col << ", row " << row);
            EXPECT_EQ(how.Fixed, row == 0);
            EXPECT_EQ(how.Font.pixelSize(), 11);
            if (row == 0) {
                EXPECT_EQ(how.Font.family(), "Arial");
                EXPECT_EQ(how.Font.styleHint(), QFont::SansSerif);
            } else {
                EXPECT_EQ(how.Font.family(), form.Face().Family());
            }
        }
    }
}

TEST(PositionsWindow, ColumnColoursAsDrawn)
{
    TfrmPositions form{GlyphFace(false)};
    form.FillGrid(RetrogradeMoment());
    form.Grid()->setCurrentCell(5, 1);  // a selected cell is coloured like any other
    const QImage image = form.Grid()->grab().toImage();
    const QColor blue(0, 0, 255), white(255, 255, 255);
    struct { int col, row; QColor fill; const char *what; } cases[] = {
        {0, 0, blue, "heading row, glyph column"},  {1, 0, white, "heading row, Planet"},
        {2, 0, blue, "heading row, house column"},  {3, 0, white, "heading row, House"},
        {0, 5, blue, "body glyph"},                 {1, 5, white, "body's sign text (selected)"},
        {2, 12, blue, "house number"},              {3, 12, white, "cusp's sign text"},
    };
    for (const auto &c : cases) {
        const QRect cell = form.Grid()->visualRect(form.Grid()->model()->index(c.row, c.col));
        // The cell's right end, clear of the left-aligned text and the grid line.
        const QPoint where = form.Grid()->viewport()->mapTo(form.Grid(), cell.topRight() + QPoint(-3, 3));
        EXPECT_EQ(image.pixelColor(where * image.devicePixelRatio()), c.fill) << c.what;
    }

    // The text colours the handler chose: white on blue, black on white.
    const auto drawn = PaintAndRecord(form);
    for (int col = 0; col < 4; ++col) {
        const bool glyphColumn = col == 0 || col == 2;
        EXPECT_EQ(drawn.at({col, 3}).Text, glyphColumn ? white : QColor(0, 0, 0)) << "column " << col;
        EXPECT_EQ(drawn.at({col, 3}).Brush, glyphColumn ? blue : white) << "column " << col;
    }
}

TEST(PositionsWindow, FillGridListsEveryBodyWhateverTheWheelShows)
{
    Settings settings;  // Node and Chiron hidden on the wheel
    ASSERT_FALSE(settings.ShowBody[QVCALC32_NODE]);
    ASSERT_FALSE(settings.ShowBody[QVCALC32_CHIRON]);
    const ChartMoment moment = MomentAt(2026, 12, 7, 21, 40, settings);
    struct { bool symbolFace; int row; QString glyph; } cases[] = {
        {false, 1, QString::fromUtf8("\u2609")}, {false, 10, QString::fromUtf8("\u2647")},
        {false, 11, QString::fromUtf8("\u260A")}, {false, 12, QString::fromUtf8("\u26B7")},
        {true, 1, QString(QChar(128))}, {true, 11, QString(QChar(138))}, {true, 12, QString(QChar(139))},
    };
    for (const auto &c : cases) {
        TfrmPositions form{GlyphFace(c.symbolFace)};
        form.FillGrid(moment);
        SCOPED_TRACE(testing::Message() << "symbol face " << c.symbolFace << ", row " << c.row);
        const GridRow &row = moment.Grid[c.row];
        EXPECT_EQ(form.Grid()->Cells(0, c.row), c.glyph);
        EXPECT_EQ(form.Grid()->Cells(1, c.row), form.SymbolText(row.Planet.chars, row.Planet.length));
        EXPECT_EQ(form.Grid()->Cells(2, c.row), QString::number(c.row));
        EXPECT_EQ(form.Grid()->Cells(3, c.row), form.SymbolText(row.Cusp.chars, row.Cusp.length));
        EXPECT_FALSE(form.Grid()->Cells(1, c.row).isEmpty());
        EXPECT_EQ(form.Grid()->Cells(1, 0), "Planet") << "the headings stay";
    }
}

TEST(PositionsWindow, SignTextsShowTheSignSymbolAndTheRetrogradeMark)
{
    const ChartMoment moment = RetrogradeMoment();
    ASSERT_EQ(moment.Grid[QVCALC32_JUPITER].Planet.chars[8], 'R');
    ASSERT_EQ(moment.Grid[QVCALC32_SUN].Planet.chars[8], ' ');
    const uint8_t jupiterSign = static_cast<uint8_t>(moment.Grid[QVCALC32_JUPITER].Planet.chars[3]);
    struct { bool symbolFace; QString mark; } cases[] = {{false, QString::fromUtf8("\u211E")}, {true, "R"}};
    for (const auto &c : cases) {
        TfrmPositions form{GlyphFace(c.symbolFace)};
        form.FillGrid(moment);
        const QString jupiter = form.Grid()->Cells(1, QVCALC32_JUPITER);
        EXPECT_TRUE(jupiter.endsWith(c.mark)) << jupiter.toStdString();
        EXPECT_TRUE(jupiter.contains(form.Face().Text(jupiterSign))) << "the sign's symbol";
        EXPECT_FALSE(form.Grid()->Cells(1, QVCALC32_SUN).contains(c.mark)) << "a direct body has no mark";
        for (int k = 1; k <= 12; ++k)
            EXPECT_FALSE(form.Grid()->Cells(3, k).contains(c.mark)) << "cusp " << k << " never retrograde";
    }
}

TEST(PositionsWindow, EveryTextFitsItsColumn)
{
    TfrmPositions form{GlyphFace(false)};
    form.FillGrid(RetrogradeMoment());
    const QFontMetrics glyphs(form.Grid()->font());
    for (int row = 1; row <= 12; ++row)
        for (int col = 0; col < 4; ++col) {
            const int needed = glyphs.horizontalAdvance(form.Grid()->Cells(col, row)) + TColorStringGrid::kTextIndent;
            EXPECT_LE(needed, form.Grid()->ColWidths(col) - 1) << "column " << col << ", row " << row;
        }
}

TEST(PositionsWindow, RefreshedWhileHiddenShowsTheCurrentValuesWhenShown)
{
    TfrmPositions form{GlyphFace(false)};
    form.FillGrid(MomentAt(2023, 10, 15, 12, 0));
    form.show();
    form.btnClose()->click();
    EXPECT_FALSE(form.isVisible());

    const ChartMoment later = MomentAt(2023, 10, 16, 12, 0);  // the Moon moves about 13 degrees a day
    form.FillGrid(later);
    form.show();
    EXPECT_TRUE(form.isVisible());
    const GridRow &moon = later.Grid[QVCALC32_MOON];
    EXPECT_EQ(form.Grid()->Cells(1, QVCALC32_MOON), form.SymbolText(moon.Planet.chars, moon.Planet.length));
}

TEST(PositionsWindow, KeepOnTopFollowsTheButton)
{
    TfrmPositions form{GlyphFace(false)};
    form.show();
    // The native window stays: it is not re-created, which would hide it.
    const WId native = form.winId();
    struct { bool down; const char *what; } steps[] = {{true, "pressed: stays on top"}, {false, "released: normal"}};
    for (const auto &s : steps) {
        form.btnTop()->click();
        EXPECT_EQ(form.btnTop()->isChecked(), s.down) << s.what;
        EXPECT_EQ(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), s.down) << s.what;
        EXPECT_EQ(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), s.down) << s.what;
        EXPECT_TRUE(form.windowFlags().testFlag(Qt::Tool)) << s.what;
        EXPECT_TRUE(form.isVisible()) << s.what;
        EXPECT_EQ(form.winId(), native) << s.what;
    }
    form.hide();
    form.btnTop()->click();
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.isVisible()) << "a hidden window stays hidden";
}

TEST(ColorStringGrid, CellsByColumnAndRowAndTheGridsOwnColours)
{
    TColorStringGrid grid(3, 4);
    EXPECT_EQ(grid.ColWidths(1), TColorStringGrid::kDefaultColWidth);
    EXPECT_EQ(grid.RowHeights(2), TColorStringGrid::kDefaultRowHeight);
    grid.SetCells(2, 1, "col 2 row 1");
    grid.SetCells(5, 1, "outside");  // ignored
    EXPECT_EQ(grid.Cells(2, 1), "col 2 row 1");
    EXPECT_EQ(grid.Cells(1, 2), "");
    EXPECT_EQ(grid.Cells(5, 1), "");
    grid.SetFixedCols(1);

    // Without a handler each cell keeps the grid's own choice.
    std::map<std::pair<int, int>, bool> fixedSeen;
    int calls = 0;
    grid.OnGetCellColor = [&](TColorStringGrid *sender, int32_t row, int32_t col, TGridDrawState state, QBrush &,
                              QFont &font, QColor &) {
        EXPECT_EQ(sender, &grid);
        EXPECT_EQ(font, grid.font());
        fixedSeen[{col, row}] = state.Fixed;
        ++calls;
    };
    grid.resize(3 * 64 + 8, 4 * 24 + 8);
    grid.grab();
    EXPECT_EQ(calls, 12);
    struct { int col, row; bool fixed; } cases[] = {{0, 0, true}, {1, 0, true}, {0, 3, true}, {1, 1, false}, {2, 3, false}};
    for (const auto &c : cases) EXPECT_EQ(fixedSeen.at({c.col, c.row}), c.fixed) << c.col << "," << c.row;
}

}  // namespace
