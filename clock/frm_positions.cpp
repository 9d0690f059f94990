#include "frm_positions.h"

#include "chart.h"
#include "color_string_grid.h"
#include "stay_on_top.h"

#include <QPushButton>
#include <QStyle>

namespace zenlume {
namespace {

constexpr int kColCount = 4;
constexpr int kRowCount = 13;  // the heading row and twelve bodies and cusps

}  // namespace

TfrmPositions::TfrmPositions(QWidget *parent) : TfrmPositions(GlyphFace(), parent) {}

TfrmPositions::TfrmPositions(const GlyphFace &face, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), face_(face)
{
    setWindowTitle(QStringLiteral("Zenlume Positions"));
    setFixedSize(kClientWidth, kClientHeight);
    move(kLeft, kTop);

    grid_ = new TColorStringGrid(kColCount, kRowCount, this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setAccessibleName(QStringLiteral("Positions"));
    grid_->setTabKeyNavigation(false);  // Tab goes on to the buttons; the arrows move between cells
    grid_->setGeometry(-1, 0, 263, 328);
    grid_->SetFixedRows(1);
    grid_->SetFixedCols(0);
    QFont gridFont(face_.Family());
    gridFont.setPixelSize(kFontPixels);
    grid_->setFont(gridFont);
    grid_->OnGetCellColor = [this](TColorStringGrid *sender, int32_t row, int32_t col, TGridDrawState state,
                                   QBrush &brush, QFont &font, QColor &fontColour) {
        CellColour(sender, row, col, state, brush, font, fontColour);
    };

    btnClose_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"), this);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    btnClose_->setGeometry(1, 331, 95, 22);
    connect(btnClose_, &QPushButton::clicked, this, &TfrmPositions::HideWindow);

    // A two-state button: down keeps the window on top.
    btnTop_ = new QPushButton(QStringLiteral("Keep On Top"), this);
    btnTop_->setObjectName(QStringLiteral("btnTop"));
    btnTop_->setGeometry(96, 331, 96, 22);
    btnTop_->setCheckable(true);
    connect(btnTop_, &QPushButton::clicked, this, &TfrmPositions::ToggleOnTop);

    SetUpGrid();
}

void TfrmPositions::SetUpGrid()
{
    grid_->SetColWidths(0, kNarrowColWidth);
    grid_->SetColWidths(2, kNarrowColWidth);
    grid_->SetCells(1, 0, QStringLiteral("Planet"));
    grid_->SetCells(3, 0, QStringLiteral("House"));
}

QString TfrmPositions::SymbolText(const char *chars, int length) const
{
    QString text;
    for (int i = 0; i < length; ++i) text += face_.Text(static_cast<uint8_t>(chars[i]));
    return text;
}

void TfrmPositions::FillGrid(const ChartMoment &moment)
{
    for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) {
        const GridRow &row = moment.Grid[k];
        const int planetLength = row.Planet.length > 10 ? 10 : row.Planet.length;
        const int cuspLength = row.Cusp.length > 10 ? 10 : row.Cusp.length;
        grid_->SetCells(0, k, face_.Text(row.Glyph));
        grid_->SetCells(1, k, SymbolText(row.Planet.chars, planetLength));
        grid_->SetCells(2, k, QString::fromStdString(row.House));
        grid_->SetCells(3, k, SymbolText(row.Cusp.chars, cuspLength));
    }
}

void TfrmPositions::CellColour(TColorStringGrid *sender, int32_t row, int32_t col, TGridDrawState state,
                               QBrush &brush, QFont &font, QColor &fontColour)
{
    // The selection state is not consulted: a selected cell looks like any other.
    Q_UNUSED(sender);
    Q_UNUSED(state);
    if (row == 0) {
        // The headings are words, written in a plain sans face (the glyph
        // face's letters are symbols).
        font.setFamily(QLatin1String(kHeadingFace));
        font.setStyleHint(QFont::SansSerif);
    } else {
        font.setFamily(face_.Family());
    }
    const bool glyphColumn = col == 0 || col == 2;
    brush = QBrush(glyphColumn ? QColor(0, 0, 255) : QColor(255, 255, 255));
    fontColour = glyphColumn ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

void TfrmPositions::ToggleOnTop()
{
    // The window stays where it is, shown or hidden: only its stacking changes.
    SetStaysOnTop(this, btnTop_->isChecked());
}

void TfrmPositions::HideWindow() { hide(); }

}  // namespace zenlume
