#include "tray_icon.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace zenlume {

TTrayIcon::TTrayIcon(QObject *parent) : QObject(parent), tray_(new QSystemTrayIcon(this))
{
    // A left click goes to OnClick; on a right click the tray opens the
    // pop-up menu itself (SetPopupMenu).
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger && OnClick) OnClick(this);
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

void TTrayIcon::Reinstall()
{
    // Qt re-embeds the icon itself when it sees the new tray announce
    // itself; an icon with a place on the screen is in a tray already.
    if (!active_ || tray_->geometry().isValid()) return;
    tray_->hide();  // drops what is left of the icon in a tray that went
    tray_->show();
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

}  // namespace zenlume
