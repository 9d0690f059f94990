#include "frm_clock.h"

#include "chart_words.h"
#include "dde_server.h"
#include "frm_about.h"
#include "frm_options.h"
#include "frm_positions.h"
#include "frm_qv4.h"
#include "home_place.h"
#include "ini_file.h"
#include "publication.h"
#include "stay_on_top.h"
#include "tray_icon.h"
#include "wheel_picture.h"
#include "window_place.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace zenlume {
namespace {

constexpr char kCaption[] = "Zenlume";

// How often the clock looks for a notification area: one that comes after
// the clock (a panel started later at login, or restarted) is found within
// this time.
constexpr int kTrayPollMs = 2000;
// How long after its first showing the clock waits for a notification area
// before it says that there is none.
constexpr int kTrayGraceMs = 10000;
// Room for a window manager's frame beside the client area (its borders and
// title bar), which is not known before the window is first shown.
constexpr QSize kFrameRoom(16, 40);

// Title bar with the system menu, maximise and close, but no minimise: a
// hidden clock comes back from the tray, not from a taskbar.  A tool window
// on X11 is also left out of the taskbar and the window switcher.
constexpr Qt::WindowFlags kClockWindowFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                              Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                                              Qt::WindowCloseButtonHint;

}  // namespace

TfrmClock::TfrmClock(std::string settingsPath, QWidget *parent) : QWidget(parent, kClockWindowFlags)
{
    setWindowTitle(kCaption);
    wheelPicture_ = new TWheelPicture(this);
    BuildMenu();
    wheelPicture_->SetPopupMenu(popupMenu_);

    session_ = new ClockSession(std::move(settingsPath), this);
    // On a screen of another ratio the wheel is drawn again at that ratio.
    connect(wheelPicture_, &TWheelPicture::RatioChanged, this, &TfrmClock::DrawWheel);

    trayIcon_ = new TTrayIcon(this);
    trayIcon_->SetToolTip(kCaption);
    trayIcon_->SetIcon(QIcon(QStringLiteral(":/MAINICON")));
    trayIcon_->SetPopupMenu(popupMenu_);
    trayIcon_->OnClick = [this](QObject *) { ShowClock(); };
    trayIcon_->SetActive(true);
    trayMissing_ = !TTrayIcon::TrayAvailable();
    trayTimer_ = new QTimer(this);
    trayTimer_->setInterval(kTrayPollMs);
    connect(trayTimer_, &QTimer::timeout, this, &TfrmClock::FollowTray);
    trayTimer_->start();
    server_ = new TDdeServer(this);

    SubscribeToSession();
    const Settings &settings = session_->ClockSettings();
    FollowSettings(settings);  // the session read them before anyone listened
    PlaceWindow(settings);
}

void TfrmClock::PlaceWindow(const Settings &settings)
{
    // The settings keep the geometry as the file says; the window opens at
    // the nearest one that fits a screen there is and lies on it.  The saved
    // place is the frame's and the size the client area's, so the frame
    // needs room to the right and below as well.
    const auto room = [](const QScreen *screen) {
        return screen->availableGeometry().adjusted(0, 0, -kFrameRoom.width(), -kFrameRoom.height());
    };
    QList<QRect> screens;
    if (QScreen *primary = QGuiApplication::primaryScreen()) screens << room(primary);
    for (QScreen *screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) screens << room(screen);
    // The window is a square of its height (the width has no say), and
    // square from the start, so that the window manager places it at the
    // size it keeps.
    const int fallback = Settings{}.WindowHeight;
    const QRect place = PlaceOnScreens(settings.WindowLeft, settings.WindowTop, settings.WindowHeight,
                                       settings.WindowHeight, screens, QSize(fallback, fallback), Shape::Square);
    move(place.topLeft());
    resize(place.size());
}

TfrmClock::~TfrmClock() = default;

void TfrmClock::BuildMenu()
{
    popupMenu_ = new QMenu(this);
    const auto item = [this](const char *caption, void (TfrmClock::*command)()) {
        QAction *action = popupMenu_->addAction(QString::fromUtf8(caption));
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    item("Instructions for use", &TfrmClock::ShowInstructions);
    popupMenu_->addSeparator();
    onTopAction_ = item("On Top", &TfrmClock::ToggleOnTop);
    onTopAction_->setCheckable(true);
    item("Show", &TfrmClock::ShowClock);
    item("Options", &TfrmClock::EditOptions);
    item("Positions", &TfrmClock::ShowPositions);
    popupMenu_->addSeparator();
    item("Quorvane Astrology Software", &TfrmClock::ShowAstrologySoftware);
    item("Exit", &TfrmClock::Exit);
}

// Each computation reaches, in this order: the positions window, the tray
// icon, the wheel picture; then the session's notices; and at the minute
// tick the publication after them all.
void TfrmClock::SubscribeToSession()
{
    connect(session_, &ClockSession::SettingsLoaded, this, &TfrmClock::FollowSettings);
    // The positions window is known once SetWindows has run; it is refilled
    // at every computation, shown or hidden, so it is current when it opens.
    connect(session_, &ClockSession::ChartComputed, this, [this](const ClockChart &, const ChartMoment &moment) {
        if (frmPositions_) frmPositions_->FillGrid(moment);
    });
    connect(session_, &ClockSession::ChartComputed, this, [this](const ClockChart &, const ChartMoment &moment) {
        if (moment.RisingSign >= 1 && moment.RisingSign <= 12) SetTrayIcon(moment.RisingSign);
    });
    connect(session_, &ClockSession::ChartComputed, this, &TfrmClock::DrawWheel);
    // A screen reader hears the wheel as the chart in words.
    connect(session_, &ClockSession::ChartComputed, this, [this](const ClockChart &, const ChartMoment &moment) {
        wheelPicture_->SetChartWords(QString::fromStdString(ChartWords(session_->ClockSettings(), moment)));
    });
    connect(session_, &ClockSession::Notice, this, [this](const QString &text) { Notify(kCaption, text, false); });
    // Other programs see the chart of each minute tick (not of a showing or
    // of the options), until one of them pokes the item.
    connect(session_, &ClockSession::MinuteTicked, server_,
            [server = server_](const ClockChart &chart, const ChartMoment &moment) {
                server->SetLines(PublishedLines(chart, moment.Local));
            });
}

void TfrmClock::SetWindows(TfrmPositions *positions, TfrmOptions *options, TfrmAbout *about, TfrmQV4 *qv4)
{
    frmPositions_ = positions;
    frmOptions_ = options;
    frmAbout_ = about;
    frmQV4_ = qv4;
    if (frmAbout_) {
        // The About window names the theory of the settings in use, and
        // follows each reading of them (after the options too) even while
        // it is open.
        frmAbout_->FollowSettings(session_->ClockSettings());
        connect(session_, &ClockSession::SettingsLoaded, frmAbout_, &TfrmAbout::FollowSettings);
    }
    if (frmOptions_) {
        // The slider's size shows from the next resize on, the colour at once.
        connect(frmOptions_, &TfrmOptions::PlanetSizeChanged, this,
                [this](int position) { previewPlanetSize_ = static_cast<uint16_t>(position); });
        connect(frmOptions_, &TfrmOptions::PlanetColorChanged, this, [this](uint32_t colour) {
            previewPlanetColor_ = colour;
            DrawWheel();
        });
    }
}

void TfrmClock::FollowSettings(const Settings &settings)
{
    previewPlanetSize_.reset();
    previewPlanetColor_.reset();
    glyphPlanetSize_ = settings.PlanetSize;
}

void TfrmClock::DrawWheel()
{
    WheelOptions options;
    options.Side = wheelPicture_->height();
    options.DevicePixelRatio = wheelPicture_->devicePixelRatioF();
    // The glyphs suit the side the wheel is drawn at now.
    options.GlyphSize = GlyphSizeFor(glyphPlanetSize_, options.Side);
    options.PlanetColor = previewPlanetColor_;
    if (options.Side > 0 && renderer_.DrawWheel(session_->Chart(), session_->ClockSettings(), options)) {
        drawnGlyphSize_ = options.GlyphSize;
        wheelPicture_->SetPicture(&renderer_.Picture());
    }
}

void TfrmClock::SetTrayIcon(int sign)
{
    risingIcon_ = sign;
    // The 32-pixel picture and the one at twice its size: the tray takes
    // the one that suits its slot and the screen's device pixel ratio.
    QIcon icon(QStringLiteral(":/ICON_%1").arg(sign));
    icon.addFile(QStringLiteral(":/ICON_%1@2x").arg(sign));
    trayIcon_->SetIcon(icon);
}

void TfrmClock::Notify(const QString &title, const QString &text, bool isError)
{
    if (notify_) {
        notify_(title, text, isError);
        return;
    }
    if (isError) {
        QMessageBox::critical(isVisible() ? this : nullptr, title, text);
        return;
    }
    // Information does not stop the clock: the box stays open beside it.
    auto *box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, isVisible() ? this : nullptr);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

void TfrmClock::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) return;  // the window system re-showing it; the picture is current
    session_->ComputeChart();
    // A panel that starts with the desktop session may come after the
    // clock: the notice waits a while for it, and is told once if none came.
    if (!trayNoticeScheduled_) {
        trayNoticeScheduled_ = true;
        QTimer::singleShot(kTrayGraceMs, this, [this] {
            FollowTray();
            if (!trayMissing_) return;
            Notify(kCaption,
                   "This desktop has no notification area (yet), so Zenlume shows no tray icon. "
                   "Until one appears, closing the window ends the clock, as \"Exit\" does.",
                   false);
        });
    }
}

void TfrmClock::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    glyphPlanetSize_ = previewPlanetSize_.value_or(session_->ClockSettings().PlanetSize);
    const int side = height();
    wheelPicture_->setGeometry(0, 0, side, side);
    // The window follows its height: the wheel is a square of the client height.
    if (width() != side) resize(side, side);
    DrawWheel();
}

void TfrmClock::closeEvent(QCloseEvent *event)
{
    // Without a tray icon a hidden clock could never be brought back, so
    // closing it ends the program the way "Exit" does.  The tray is looked
    // for afresh: it may have come or gone since the timer last looked.
    FollowTray();
    if (trayMissing_ && !shuttingDown_) {
        event->ignore();
        Exit();
        return;
    }
    hide();
    if (shuttingDown_) {
        event->accept();
        return;
    }
    event->ignore();
}

bool TfrmClock::PublishOn(const QDBusConnection &connection, const QString &serviceName)
{
    std::string why;
    if (server_->Publish(connection, serviceName, &why)) return true;
    // Without a session bus there is nobody to publish to; a name held by
    // another clock is worth telling the user, once.
    if (connection.isConnected())
        Notify(kCaption, QStringLiteral("This clock does not publish the chart to other programs: %1.")
                             .arg(QString::fromStdString(why)), false);
    return false;
}

void TfrmClock::ShowClock()
{
    show();
    raise();
    activateWindow();
}

void TfrmClock::ToggleOnTop()
{
    // Only the stacking changes: the window is not hidden, nothing is computed.
    const bool onTop = !(windowFlags() & Qt::WindowStaysOnTopHint);
    SetStaysOnTop(this, onTop);
    onTopAction_->setChecked(onTop);
}

void TfrmClock::ShowPositions()
{
    if (!frmPositions_) return;
    frmPositions_->show();
    frmPositions_->raise();
}

void TfrmClock::ShowInstructions()
{
    if (frmAbout_) frmAbout_->exec();
}

void TfrmClock::ShowAstrologySoftware()
{
    if (!frmQV4_) return;
    frmQV4_->show();
    frmQV4_->raise();
}

void TfrmClock::EditOptions()
{
    if (!frmOptions_) return;
    const std::string &path = session_->SettingsFile();
    IniFile ini;
    ini.Load(path);
    // While the file names no place, the dialog offers the home place the
    // clock shows.
    const OptionValues values = ReadOptions(ini);
    frmOptions_->Fill(session_->HomePlaceInUse() ? WithPlaceOf(values, session_->ClockSettings()) : values);
    frmOptions_->SetPlanetColor(previewPlanetColor_.value_or(session_->ClockSettings().PlanetColor));
    if (frmOptions_->exec() == QDialog::Accepted) {
        std::string error;
        if (!WriteOptions(path, frmOptions_->Values(), &error)) {
            // The rest of the command is abandoned: the file is as it was,
            // and the clock goes on with the settings it has.
            Notify(kCaption, QString::fromStdString(error), true);
            return;
        }
    }
    session_->LoadSettings();
    session_->ComputeChart();
}

void TfrmClock::Exit()
{
    std::string error;
    // Wayland keeps a window's place from the program: there the place the
    // file holds stays, and only the size is the window's.
    const bool placeKnown = QGuiApplication::platformName() != QLatin1String("wayland");
    const Settings &stored = session_->ClockSettings();
    const int top = placeKnown ? y() : stored.WindowTop, left = placeKnown ? x() : stored.WindowLeft;
    if (!WriteGeometry(session_->SettingsFile(), top, left, height(), width(), &error) &&
        !AskQuitWithoutSaving(QString::fromStdString(error)))
        return;  // the clock keeps running; "Exit" can be chosen again
    ended_ = true;
    trayIcon_->SetActive(false);
    hide();
    QCoreApplication::quit();
}

bool TfrmClock::AskQuitWithoutSaving(const QString &text)
{
    if (askQuit_) return askQuit_(kCaption, text);
    QMessageBox box(QMessageBox::Critical, kCaption, text, QMessageBox::NoButton, isVisible() ? this : nullptr);
    box.setInformativeText(QStringLiteral("Quit without saving the window's place and size, "
                                          "or cancel and keep the clock running?"));
    QPushButton *quit = box.addButton(QStringLiteral("Quit without saving"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == quit;
}

void TfrmClock::FollowTray()
{
    const bool missing = !TTrayIcon::TrayAvailable();
    if (missing == trayMissing_) return;
    trayMissing_ = missing;
    // A notification area that came (back) gets the icon anew.
    if (!missing) trayIcon_->Reinstall();
}

void TfrmClock::SessionEnding()
{
    shuttingDown_ = true;
    trayIcon_->SetActive(false);
    close();
    QCoreApplication::quit();
}

}  // namespace zenlume
