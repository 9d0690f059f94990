#include "tray_icon.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

namespace zenlume {

TTrayIcon::TTrayIcon(QObject *parent) : QObject(parent), tray_(new QSystemTrayIcon(this))
{
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        Activated(static_cast<int>(reason));
    });
}

// The tray icon is a child object: it leaves the notification area with us.
TTrayIcon::~TTrayIcon() { tray_->hide(); }

bool TTrayIcon::TrayAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool TTrayIcon::Visible() const { return tray_->isVisible(); }

void TTrayIcon::SetActive(bool active)
{
    if (active == active_) return;
    active_ = active;
    tray_->setVisible(active);
}

void TTrayIcon::SetIcon(const QIcon &icon)
{
    icon_ = icon;
    tray_->setIcon(icon_);
}

void TTrayIcon::SetToolTip(const QString &tip)
{
    toolTip_ = tip.left(kMaxToolTip);
    tray_->setToolTip(toolTip_);
}

void TTrayIcon::SetPopupMenu(QMenu *menu)
{
    popupMenu_ = menu;
    // The tray opens the menu itself on a right click, at the pointer.
    tray_->setContextMenu(menu);
}

void TTrayIcon::Activated(int reason)
{
    switch (static_cast<QSystemTrayIcon::ActivationReason>(reason)) {
    case QSystemTrayIcon::Trigger:
        if (OnClick) OnClick(this);
        break;
    case QSystemTrayIcon::DoubleClick:
        if (OnDblClick) OnDblClick(this);
        break;
    case QSystemTrayIcon::Context:
        if (OnRightClick) OnRightClick(this, Qt::RightButton, Qt::NoModifier, QCursor::pos());
        break;
    default:
        break;
    }
}

}  // namespace zenlume
