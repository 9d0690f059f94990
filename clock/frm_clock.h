// TfrmClock, the clock's main window: it shows the wheel of the session's
// chart, holds the pop-up menu shared with the tray icon, and lives in the
// notification area (closing hides it; only "Exit" or the end of the
// desktop session ends the program).
//
// The state and the minute tick belong to its ClockSession; the window
// subscribes its views to the session's signals (the positions window, the
// tray icon's rising sign, the wheel picture, the publication's item) and
// tells the user the session's notices.  After the options dialog it asks
// the session to read the settings again.
#pragma once

#include "clock_session.h"
#include "wheel_renderer.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QDBusConnection;
class QMenu;
class QTimer;

namespace zenlume {

class TDdeServer;
class TTrayIcon;
class TWheelPicture;
class TfrmPositions;
class TfrmOptions;
class TfrmAbout;
class TfrmQV4;

class TfrmClock : public QWidget {
    Q_OBJECT
public:
    // Starts the session on `settingsPath` and places the window where the
    // settings say.
    explicit TfrmClock(std::string settingsPath = SettingsPath(), QWidget *parent = nullptr);
    ~TfrmClock() override;

    // The other windows, created after this one; they live as long as the
    // program.  The positions window is filled at every computation from
    // then on, the About window names the theory of each reading of the
    // settings, and the options dialog's size and colour show on the wheel
    // while it is open.
    void SetWindows(TfrmPositions *positions, TfrmOptions *options, TfrmAbout *about, TfrmQV4 *qv4);

    // How the clock tells the user something: by default a message box;
    // tests record the messages instead.
    using Notifier = std::function<void(const QString &title, const QString &text, bool isError)>;
    void SetNotifier(Notifier notify) { notify_ = std::move(notify); }
    // How "Exit" asks, when the window's place cannot be saved, whether to
    // quit all the same (true) or keep the clock running (false): by
    // default a message box with "Quit without saving" and "Cancel".
    using QuitQuestion = std::function<bool(const QString &title, const QString &text)>;
    void SetQuitQuestion(QuitQuestion ask) { askQuit_ = std::move(ask); }

    // Publishes the chart's numbers on `connection` under `serviceName`
    // (TDdeServer::ServiceName of the program).  When another clock holds
    // the name, says so once and runs on without publishing.
    bool PublishOn(const QDBusConnection &connection, const QString &serviceName);

    // The menu's commands (the tray icon's click is ShowClock).
    void ShowInstructions();
    void ToggleOnTop();
    void ShowClock();
    void EditOptions();
    void ShowPositions();
    void ShowAstrologySoftware();
    void Exit();
    // The desktop session is ending: the window may close, nothing is saved.
    void SessionEnding();
    // Follows the notification area coming and going (the tray timer's
    // work): while there is one, closing hides the window, and a tray that
    // comes (back) gets the icon again.
    void FollowTray();

    ClockSession &Session() const { return *session_; }
    const QImage &WheelImage() const { return renderer_.Picture(); }
    TTrayIcon *TrayIcon() const { return trayIcon_; }
    TDdeServer *Server() const { return server_; }
    QMenu *PopupMenu() const { return popupMenu_; }
    TWheelPicture *WheelPicture() const { return wheelPicture_; }
    bool ShuttingDown() const { return shuttingDown_; }
    // "Exit" ended the clock (saved, or the user chose to quit without saving).
    bool Ended() const { return ended_; }
    bool TrayMissing() const { return trayMissing_; }
    QTimer *TrayTimer() const { return trayTimer_; }
    // The glyph size of the last drawing of the wheel.
    uint16_t DrawnGlyphSize() const { return drawnGlyphSize_; }
    int RisingIcon() const { return risingIcon_; }
    // The options dialog's slider position while it stands in for the
    // settings' PlanetSize (until the settings are read again).
    std::optional<uint16_t> PreviewPlanetSize() const { return previewPlanetSize_; }

protected:
    // The first showing (and each one after the window was hidden)
    // computes and draws at once.
    void showEvent(QShowEvent *event) override;
    // Keeps the window square and the wheel at its client height.
    void resizeEvent(QResizeEvent *event) override;
    // Hides the window into the tray instead of closing it.
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildMenu();
    // Opens the window at the saved geometry, brought onto a screen there is.
    void PlaceWindow(const Settings &settings);
    bool AskQuitWithoutSaving(const QString &text);
    void SubscribeToSession();
    void FollowSettings(const Settings &settings);
    // Redraws the wheel from the session's chart into the picture.
    void DrawWheel();
    // The rising sign's icon ("ICON_1" Aries .. "ICON_12" Pisces) in the tray.
    void SetTrayIcon(int sign);
    void Notify(const QString &title, const QString &text, bool isError);

    ClockSession *session_ = nullptr;
    WheelRenderer renderer_;
    Notifier notify_;
    QuitQuestion askQuit_;

    TWheelPicture *wheelPicture_ = nullptr;
    QMenu *popupMenu_ = nullptr;
    QAction *onTopAction_ = nullptr;
    TTrayIcon *trayIcon_ = nullptr;
    TDdeServer *server_ = nullptr;  // Server and its item DDEItem
    QTimer *trayTimer_ = nullptr;   // looks for the notification area
    TfrmPositions *frmPositions_ = nullptr;
    TfrmOptions *frmOptions_ = nullptr;
    TfrmAbout *frmAbout_ = nullptr;
    TfrmQV4 *frmQV4_ = nullptr;

    bool shuttingDown_ = false;
    bool ended_ = false;
    bool trayMissing_ = false;  // the desktop has no notification area
    bool trayNoticeScheduled_ = false;  // the look for the tray after the first showing
    int risingIcon_ = 0;        // the sign the tray shows, 1..12; 0 none yet

    // The planet size the glyphs follow: the settings' when they are read,
    // the options dialog's slider from the next resize on.  Each drawing
    // turns it into a glyph size for the side the wheel is drawn at.
    uint16_t glyphPlanetSize_ = Settings{}.PlanetSize;
    uint16_t drawnGlyphSize_ = 0;
    // What the open options dialog shows before it is written: they stand in
    // for the settings' PlanetSize and PlanetColor on the wheel until the
    // settings are read again.
    std::optional<uint16_t> previewPlanetSize_;
    std::optional<uint32_t> previewPlanetColor_;
};

}  // namespace zenlume
