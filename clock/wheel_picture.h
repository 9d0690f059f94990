// TWheelPicture: the control that shows the wheel's retained picture.  It paints
// the picture the renderer keeps, never draws the wheel itself, and hands a
// right click to the clock's pop-up menu.  The picture carries its device
// pixel ratio and is shown at its own size in the control's units, one
// picture pixel to each device pixel; when the window reaches a screen of
// another ratio, RatioChanged asks for a new drawing.  For assistive
// technology it is "Chart wheel", described by the chart in words.
#pragma once

#include <QWidget>

class QImage;
class QMenu;

namespace zenlume {

class TWheelPicture : public QWidget {
    Q_OBJECT
public:
    explicit TWheelPicture(QWidget *parent = nullptr);
    // The picture to show (owned by the renderer; may be null).
    void SetPicture(const QImage *picture);
    void SetPopupMenu(QMenu *menu) { popupMenu_ = menu; }
    // The chart in words as the accessible description; assistive
    // technology hears of each change.
    void SetChartWords(const QString &words);

signals:
    // The screen's device pixel ratio differs from the shown picture's.
    void RatioChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    const QImage *picture_ = nullptr;
    QMenu *popupMenu_ = nullptr;
};

}  // namespace zenlume
