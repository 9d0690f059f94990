// TPickList, the clock's own list box: a list of texts in which a single
// click selects or deselects an item, any number being selected at once.
// Each item starts with a square box, crossed when the item is selected,
// followed by the item's text.
#pragma once

#include <QList>
#include <QListWidget>
#include <QStringList>

#include <string>

namespace zenlume {

class TPickList : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultItemHeight = 16;

    explicit TPickList(QWidget *parent = nullptr);

    // The height of every item in pixels; values below 1 count as 1.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);

    // Whether tab characters in an item's text move on to the next tab stop
    // (true, the default) or show as a single blank.
    bool UseTabStops() const { return useTabStops_; }
    void SetUseTabStops(bool on);

    // The tab stops, in average character widths of the list's font,
    // measured from where the text starts, in ascending order.  Without
    // any, a tab stop falls every kDefaultTabWidth average characters.
    const QList<int> &TabStops() const { return tabStops_; }
    // Each entry must be a whole number (surrounding blanks are allowed).
    // On the first entry that is not, nothing changes and `error` (when
    // given) becomes "<entry> is an invalid tab stop".
    bool SetTabStops(const QStringList &entries, std::string *error);
    static constexpr int kDefaultTabWidth = 8;

    // The selection state of item `index` (0 based); an index outside the
    // list reads as not selected, and setting it does nothing.
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);

    // Where item text starts, in pixels right of the item's left edge: past
    // the box, one item height plus 4.
    int TextIndent() const { return itemHeight_ + 4; }
    // The tab stops in pixels from the start of the text, for the present font.
    QList<qreal> TabPositions() const;

private:
    void Relayout();

    int itemHeight_ = kDefaultItemHeight;
    bool useTabStops_ = true;
    QList<int> tabStops_;
};

}  // namespace zenlume
