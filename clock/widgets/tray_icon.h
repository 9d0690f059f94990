// The clock's icon in the desktop's notification area (the system tray):
// it shows an image and a tip, reports left clicks through OnClick, and
// opens its pop-up menu on a right click.  Wraps QSystemTrayIcon; where the
// desktop has no tray the component keeps its state and shows nothing.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QSystemTrayIcon;

namespace zenlume {

class TTrayIcon : public QObject {
    Q_OBJECT
public:
    // Tips longer than this are cut, as the notification area takes no more.
    static constexpr int kMaxToolTip = 62;

    explicit TTrayIcon(QObject *parent = nullptr);
    ~TTrayIcon() override;

    bool Active() const { return active_; }
    // Adds the icon to the notification area (true) or removes it (false);
    // setting the value it already has does nothing.
    void SetActive(bool active);

    const QIcon &Icon() const { return icon_; }
    // The component keeps its own copy of the image.
    void SetIcon(const QIcon &icon);
    const QString &ToolTip() const { return toolTip_; }
    void SetToolTip(const QString &tip);
    QMenu *PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu *menu);

    // Called with the icon on a left click.
    std::function<void(QObject *sender)> OnClick;

    // Whether the desktop has a notification area at all.
    static bool TrayAvailable();
    // Whether the icon is in the notification area now.
    bool Visible() const;
    // Adds an active icon to the notification area again, unless it is
    // in one already: after a tray came or came back (a panel started
    // late, or restarted), which does not take the icons of the one before.
    void Reinstall();

private:
    bool active_ = false;
    QIcon icon_;
    QString toolTip_;
    QMenu *popupMenu_ = nullptr;
    QSystemTrayIcon *tray_;
};

}  // namespace zenlume
