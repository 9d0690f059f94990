#include "wheel_picture.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>

namespace zenlume {

TWheelPicture::TWheelPicture(QWidget *parent) : QWidget(parent)
{
    // Every pixel is painted from the picture: no background to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reachable by keyboard, so that a screen reader reads the chart when
    // the window opens.
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Chart wheel"));
}

void TWheelPicture::SetChartWords(const QString &words)
{
    if (words == accessibleDescription()) return;
    setAccessibleDescription(words);
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void TWheelPicture::SetPicture(const QImage *picture)
{
    picture_ = picture;
    update();
}

bool TWheelPicture::event(QEvent *event)
{
    // A move to another screen, or a screen whose ratio changes (which Qt
    // reports as a screen change before 6.6).
    bool screenChange = event->type() == QEvent::ScreenChangeInternal;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    screenChange = screenChange || event->type() == QEvent::DevicePixelRatioChange;
#endif
    const bool handled = QWidget::event(event);
    if (screenChange && picture_ && picture_->devicePixelRatio() != devicePixelRatioF()) emit RatioChanged();
    return handled;
}

void TWheelPicture::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (picture_ && !picture_->isNull()) painter.drawImage(0, 0, *picture_);
}

void TWheelPicture::contextMenuEvent(QContextMenuEvent *event)
{
    if (popupMenu_) popupMenu_->popup(event->globalPos());
}

}  // namespace zenlume
