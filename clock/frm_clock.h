// TfrmClock, the clock's main window: the wheel of the present minute, the
// pop-up menu shared with the tray icon, the minute tick and the window's
// life in the notification area (closing hides it; only "Exit" or the end
// of the desktop session ends the program).
//
// The window owns the program-wide state: the settings variables, the chart
// record, the element table and the renderer.  One guarded path computes
// the chart, fills the positions grid, sets the tray icon and draws the
// wheel, so that no computation or drawing starts while another one runs.
#pragma once

#include "chart.h"
#include "settings.h"
#include "wheel_renderer.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QDBusConnection;
class QMenu;
class QTimer;
class QSessionManager;

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
    // The minute tick, counted from the window's creation.
    static constexpr int kTickMs = 60000;

    // FormCreate: fills the element table, reads the settings from
    // `settingsPath` and places the window as they say.
    explicit TfrmClock(std::string settingsPath = SettingsPath(), QWidget *parent = nullptr);
    ~TfrmClock() override;

    // The other windows, created after this one; they live as long as the program.
    void SetWindows(TfrmPositions *positions, TfrmOptions *options, TfrmAbout *about, TfrmQV4 *qv4);

    // Where the clock reads the local time (tests step the minute with it).
    void SetTimeSource(std::function<LocalDateTime()> now) { now_ = std::move(now); }
    // How the clock tells the user something: by default a message box;
    // tests record the messages instead.
    using Notifier = std::function<void(const QString &title, const QString &text, bool isError)>;
    void SetNotifier(Notifier notify) { notify_ = std::move(notify); }

    void LoadSettings();
    // Reads the clock once and computes the chart of that minute; fills the
    // positions grid and sets the tray icon to the rising sign.
    void ComputeChart();
    // Redraws the wheel from the present chart record into the picture.
    void DrawWheel();
    // The rising sign's icon ("ICON_1" Aries .. "ICON_12" Pisces) in the tray.
    void SetTrayIcon(int n);

    // Publishes the chart's numbers on `connection` under `serviceName`
    // (TDdeServer::ServiceName of the program).  When another clock holds
    // the name, says so once and runs on without publishing.
    bool PublishOn(const QDBusConnection &connection, const QString &serviceName);

    // Handlers, named after component and event.
    void Timer1Timer();
    void TrayIcon1Click();
    void mnuShowClick();
    void OnTop1Click();
    void Positions1Click();
    void About1Click();
    void mnuQV4Click();
    void Options1Click();
    void mnuExitClick();
    // The desktop session is ending: the window may close, nothing is saved.
    void SessionEnding();

    // Read access for the tests and the publication.
    const Settings &ClockSettings() const { return settings_; }
    std::optional<uint16_t> PreviewPlanetSize() const { return previewPlanetSize_; }
    const ClockChart &Chart() const { return chart_; }
    const ChartMoment &Moment() const { return moment_; }
    const QImage &WheelImage() const { return renderer_.Picture(); }
    TTrayIcon *TrayIcon1() const { return trayIcon1_; }
    TDdeServer *Server() const { return server_; }
    QMenu *PopupMenu1() const { return popupMenu1_; }
    QTimer *Timer1() const { return timer1_; }
    TWheelPicture *picWheel() const { return picWheel_; }
    bool ShuttingDown() const { return shuttingDown_; }
    int RisingIcon() const { return risingIcon_; }
    const std::string &SettingsFile() const { return settingsPath_; }

signals:
    // After every computation (each tick, each showing, each use of the options).
    void ChartComputed();
    // After each minute tick's computation, drawing and publication.
    void Ticked();

protected:
    void showEvent(QShowEvent *event) override;     // FormShow
    void resizeEvent(QResizeEvent *event) override;  // FormResize
    void closeEvent(QCloseEvent *event) override;    // FormCloseQuery

private:
    void FormCreate();
    void BuildMenu();
    void Notify(const QString &title, const QString &text, bool isError);
    void WarnAboutMissingCusps();
    void WarnAboutSettings();

    std::string settingsPath_;
    Settings settings_;
    PlanetTable planetTable_;
    ClockChart chart_;
    ChartMoment moment_;
    WheelRenderer renderer_;
    std::function<LocalDateTime()> now_ = LocalNow;
    Notifier notify_;

    TWheelPicture *picWheel_ = nullptr;
    QMenu *popupMenu1_ = nullptr;
    QAction *onTop1_ = nullptr;
    QTimer *timer1_ = nullptr;
    TTrayIcon *trayIcon1_ = nullptr;
    TDdeServer *server_ = nullptr;  // Server and its item DDEItem
    TfrmPositions *frmPositions_ = nullptr;
    TfrmOptions *frmOptions_ = nullptr;
    TfrmAbout *frmAbout_ = nullptr;
    TfrmQV4 *frmQV4_ = nullptr;

    bool shuttingDown_ = false;
    bool trayMissing_ = false;      // the desktop has no notification area
    bool toldTrayMissing_ = false;
    bool busy_ = false;             // a computation or drawing is under way
    int risingIcon_ = 0;            // the sign the tray shows, 1..12; 0 none yet
    int settingsGeneration_ = 0;    // counts LoadSettings calls
    int warnedGeneration_ = -1;     // the settings the missing-cusps warning was given for
    std::string settingsNotice_;    // the out-of-range values of the last LoadSettings, or empty
    int noticedGeneration_ = -1;    // the settings that notice was given for
    uint16_t glyphSize_ = 1;                     // follows the planet size and the picture's width
    std::optional<uint16_t> previewPlanetSize_;  // the options dialog's slider, until the settings are read again
    std::optional<uint32_t> previewPlanetColor_; // the options dialog's colour, until the settings are read again
};

}  // namespace zenlume
