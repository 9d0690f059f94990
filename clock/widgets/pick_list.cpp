#include "pick_list.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace zenlume {
namespace {

// Draws the items of a TPickList: the box, crossed for a selected item, then
// the text.  Every item is the list's item height tall.
class PickItemDelegate : public QStyledItemDelegate {
public:
    explicit PickItemDelegate(TPickList *list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        const int width = list_->TextIndent() + TextWidth(QFontMetrics(option.font), text) + 4;
        return QSize(width, list_->ItemHeight());
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        const QColor fontColour = option.palette.color(QPalette::Text);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillRect(r, option.palette.base());
        DrawBox(painter, r, selected, fontColour, option.palette.base().color());
        DrawText(painter, r, index.data(Qt::DisplayRole).toString(), option.font, fontColour);
        if (option.state & QStyle::State_HasFocus) DrawFocus(painter, option);
        painter->restore();
    }

private:
    // The box runs from 2 px right of the item's left edge and 1 px below
    // its top to the item height right of the left edge and 1 px above its
    // bottom (both ends exclusive); a selected item's box holds a cross of
    // its two diagonals.
    void DrawBox(QPainter *painter, const QRect &r, bool selected, const QColor &fontColour,
                 const QColor &listColour) const
    {
        const int h = list_->ItemHeight();
        const int x0 = r.left() + 2, y0 = r.top() + 1;
        const int x1 = r.left() + h - 1, y1 = r.top() + h - 2;
        if (x1 <= x0 || y1 <= y0) return;  // no room for a box
        painter->fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), listColour);
        painter->setPen(QPen(fontColour, 0));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRect(x0, y0, x1 - x0, y1 - y0));
        if (selected) {
            painter->drawLine(x0, y0, x1, y1);
            painter->drawLine(x0, y1, x1, y0);
        }
    }

    void DrawText(QPainter *painter, const QRect &r, QString text, const QFont &font, const QColor &colour) const
    {
        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setWrapMode(QTextOption::NoWrap);
        if (list_->UseTabStops())
            ApplyTabs(layout);
        else
            text.replace(QLatin1Char('\t'), QLatin1Char(' '));
        const int x = r.left() + list_->TextIndent();
        painter->setFont(font);
        painter->setPen(colour);
        painter->drawText(QRectF(x, r.top(), std::max(0, r.right() + 1 - x), r.height()), text, layout);
    }

    void ApplyTabs(QTextOption &layout) const
    {
        const QList<qreal> stops = list_->TabPositions();
        if (stops.isEmpty())
            layout.setTabStopDistance(TPickList::kDefaultTabWidth * list_->fontMetrics().averageCharWidth());
        else
            layout.setTabArray(stops);
    }

    int TextWidth(const QFontMetrics &metrics, QString text) const
    {
        if (!list_->UseTabStops()) return metrics.horizontalAdvance(text.replace(QLatin1Char('\t'), QLatin1Char(' ')));
        QList<int> stops;
        for (qreal stop : list_->TabPositions())
            if (stop >= 1) stops.append(static_cast<int>(stop));
        stops.append(0);  // the array ends with a zero
        const int tabWidth = TPickList::kDefaultTabWidth * list_->fontMetrics().averageCharWidth();
        return metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, text, tabWidth, stops.data()).width();
    }

    void DrawFocus(QPainter *painter, const QStyleOptionViewItem &option) const
    {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = option.palette.color(QPalette::Base);
        list_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, list_);
    }

    TPickList *list_;
};

}  // namespace

TPickList::TPickList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::MultiSelection);
    setItemDelegate(new PickItemDelegate(this));
}

void TPickList::SetItemHeight(int height)
{
    height = std::max(1, height);
    if (height == itemHeight_) return;
    itemHeight_ = height;
    Relayout();
}

void TPickList::SetUseTabStops(bool on)
{
    if (on == useTabStops_) return;
    useTabStops_ = on;
    Relayout();
}

bool TPickList::SetTabStops(const QStringList &entries, std::string *error)
{
    QList<int> stops;
    for (const QString &entry : entries) {
        bool whole = false;
        const int stop = entry.trimmed().toInt(&whole, 10);
        if (!whole || stop < 0) {
            if (error) *error = entry.toStdString() + " is an invalid tab stop";
            return false;
        }
        stops.append(stop);
    }
    std::sort(stops.begin(), stops.end());
    tabStops_ = stops;
    Relayout();
    return true;
}

bool TPickList::Selected(int index) const
{
    const QListWidgetItem *it = item(index);
    return it && it->isSelected();
}

void TPickList::SetSelected(int index, bool selected)
{
    if (QListWidgetItem *it = item(index)) it->setSelected(selected);
}

QList<qreal> TPickList::TabPositions() const
{
    const int average = fontMetrics().averageCharWidth();
    QList<qreal> positions;
    for (int stop : tabStops_) positions.append(qreal(stop) * average);
    return positions;
}

void TPickList::Relayout()
{
    doItemsLayout();
    viewport()->update();
}

}  // namespace zenlume
