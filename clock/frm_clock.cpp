#include "frm_clock.h"

#include "dde_server.h"
#include "frm_about.h"
#include "frm_options.h"
#include "frm_positions.h"
#include "frm_qv4.h"
#include "ini_file.h"
#include "publication.h"
#include "tray_icon.h"
#include "wheel_picture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <vector>

namespace zenlume {
namespace {

constexpr char kCaption[] = "Zenlume";

// Title bar with the system menu, maximise and close, but no minimise: a
// hidden clock comes back from the tray, not from a taskbar.  A tool window
// on X11 is also left out of the taskbar and the window switcher.
constexpr Qt::WindowFlags kClockWindowFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                              Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                                              Qt::WindowCloseButtonHint;

// The guard of the one path that computes and draws: a request that comes
// while another computation or drawing is under way is dropped; the running
// one shows the newest chart anyway and the next tick computes again.
class BusyGuard {
public:
    explicit BusyGuard(bool &busy) : busy_(busy), entered_(!busy) { busy_ = true; }
    ~BusyGuard()
    {
        if (entered_) busy_ = false;
    }
    bool Entered() const { return entered_; }

private:
    bool &busy_;
    bool entered_;
};

}  // namespace

TfrmClock::TfrmClock(std::string settingsPath, QWidget *parent)
    : QWidget(parent, kClockWindowFlags), settingsPath_(std::move(settingsPath))
{
    setWindowTitle(kCaption);
    picWheel_ = new TWheelPicture(this);
    // The picture starts at the window's default client size, so that the
    // glyph size read with the settings suits a wheel of about that width.
    picWheel_->resize(Settings{}.WindowWidth, Settings{}.WindowHeight);
    BuildMenu();
    picWheel_->SetPopupMenu(popupMenu1_);

    timer1_ = new QTimer(this);
    timer1_->setInterval(kTickMs);
    connect(timer1_, &QTimer::timeout, this, &TfrmClock::Timer1Timer);
    timer1_->start();

    trayIcon1_ = new TTrayIcon(this);
    trayIcon1_->SetToolTip(kCaption);
    trayIcon1_->SetIcon(QIcon(QStringLiteral(":/MAINICON")));
    trayIcon1_->SetPopupMenu(popupMenu1_);
    trayIcon1_->OnClick = [this](QObject *) { TrayIcon1Click(); };
    trayIcon1_->SetActive(true);
    trayMissing_ = !TTrayIcon::TrayAvailable();
    server_ = new TDdeServer(this);

    FormCreate();
}

TfrmClock::~TfrmClock() = default;

void TfrmClock::FormCreate()
{
    // The element table was filled once when planetTable_ was made.
    shuttingDown_ = false;
    LoadSettings();
    move(settings_.WindowLeft, settings_.WindowTop);
    resize(settings_.WindowWidth, settings_.WindowHeight);
}

void TfrmClock::BuildMenu()
{
    popupMenu1_ = new QMenu(this);
    const auto item = [this](const char *caption, void (TfrmClock::*handler)()) {
        QAction *action = popupMenu1_->addAction(QString::fromUtf8(caption));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    item("Instructions for use", &TfrmClock::About1Click);
    popupMenu1_->addSeparator();
    onTop1_ = item("On Top", &TfrmClock::OnTop1Click);
    onTop1_->setCheckable(true);
    item("Show", &TfrmClock::mnuShowClick);
    item("Options", &TfrmClock::Options1Click);
    item("Positions", &TfrmClock::Positions1Click);
    popupMenu1_->addSeparator();
    item("Quorvane Astrology Software", &TfrmClock::mnuQV4Click);
    item("Exit", &TfrmClock::mnuExitClick);
}

void TfrmClock::SetWindows(TfrmPositions *positions, TfrmOptions *options, TfrmAbout *about, TfrmQV4 *qv4)
{
    frmPositions_ = positions;
    frmOptions_ = options;
    frmAbout_ = about;
    frmQV4_ = qv4;
    if (frmOptions_) {
        // The open dialog's slider and colour act on the clock at once.
        connect(frmOptions_, &TfrmOptions::PlanetSizeChanged, this,
                [this](int position) { previewPlanetSize_ = static_cast<uint16_t>(position); });
        connect(frmOptions_, &TfrmOptions::PlanetColorChanged, this, [this](uint32_t colour) {
            previewPlanetColor_ = colour;
            DrawWheel();
        });
    }
}

void TfrmClock::LoadSettings()
{
    IniFile ini;
    ini.Load(settingsPath_);  // an unreadable file gives the defaults, as a missing one does
    std::vector<SettingsProblem> problems;
    settings_ = zenlume::LoadSettings(ini, &problems);
    glyphSize_ = GlyphSizeFor(settings_.PlanetSize, picWheel_->width());
    previewPlanetSize_.reset();
    previewPlanetColor_.reset();
    ++settingsGeneration_;
    // Values that do not read as numbers give the defaults silently; a place
    // beyond the globe is worth telling the user.
    settingsNotice_.clear();
    for (const SettingsProblem &problem : problems)
        if (problem.OutOfRange) settingsNotice_ += "\n" + ProblemText(problem);
    if (!settingsNotice_.empty())
        settingsNotice_ = "The settings file " + settingsPath_ +
                          " holds a place that lies beyond the globe; the clock uses the default 0 instead of:" +
                          settingsNotice_;
}

void TfrmClock::ComputeChart()
{
    const BusyGuard guard(busy_);
    if (!guard.Entered()) return;
    moment_ = ComputeChartAt(settings_, now_(), planetTable_, chart_);
    if (frmPositions_) frmPositions_->FillGrid(moment_);
    if (moment_.RisingSign >= 1 && moment_.RisingSign <= 12) SetTrayIcon(moment_.RisingSign);
    WarnAboutSettings();
    WarnAboutMissingCusps();
    emit ChartComputed();
}

void TfrmClock::DrawWheel()
{
    const BusyGuard guard(busy_);
    if (!guard.Entered()) return;
    const int side = picWheel_->height();
    WheelOptions options;
    options.Side = side;
    options.GlyphSize = glyphSize_;
    options.PlanetColor = previewPlanetColor_;
    if (side > 0 && renderer_.DrawWheel(chart_, settings_, options)) picWheel_->SetPicture(&renderer_.Picture());
}

void TfrmClock::SetTrayIcon(int n)
{
    risingIcon_ = n;
    trayIcon1_->SetIcon(QIcon(QStringLiteral(":/ICON_%1").arg(n)));
}

// Said once per change of the settings, not every minute: the clock goes on
// with the angles and the bodies.
void TfrmClock::WarnAboutMissingCusps()
{
    const std::string message = MissingCuspsMessage(moment_);
    if (message.empty() || warnedGeneration_ == settingsGeneration_) return;
    warnedGeneration_ = settingsGeneration_;
    Notify(kCaption, QString::fromStdString(message), false);
}

// Once per reading of the settings, with the first chart computed from them
// (by then the window can show it).
void TfrmClock::WarnAboutSettings()
{
    if (settingsNotice_.empty() || noticedGeneration_ == settingsGeneration_) return;
    noticedGeneration_ = settingsGeneration_;
    Notify(kCaption, QString::fromStdString(settingsNotice_), false);
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
    ComputeChart();
    DrawWheel();
    if (trayMissing_ && !toldTrayMissing_) {
        toldTrayMissing_ = true;
        QTimer::singleShot(0, this, [this] {
            Notify(kCaption,
                   "This desktop has no notification area, so Zenlume shows no tray icon. "
                   "Closing the window ends the clock, as \"Exit\" does.",
                   false);
        });
    }
}

void TfrmClock::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    glyphSize_ = GlyphSizeFor(previewPlanetSize_.value_or(settings_.PlanetSize), picWheel_->width());
    const int side = height();
    picWheel_->setGeometry(0, 0, side, side);
    // The window follows its height: the wheel is a square of the client height.
    if (width() != side) resize(side, side);
    DrawWheel();
}

void TfrmClock::closeEvent(QCloseEvent *event)
{
    // Without a tray icon a hidden clock could never be brought back, so
    // closing it ends the program the way "Exit" does.
    if (trayMissing_ && !shuttingDown_) {
        event->ignore();
        mnuExitClick();
        return;
    }
    hide();
    if (shuttingDown_) {
        event->accept();
        return;
    }
    event->ignore();
}

void TfrmClock::Timer1Timer()
{
    ComputeChart();
    DrawWheel();
    server_->SetLines(PublishedLines(chart_, moment_.Local));
    emit Ticked();
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

void TfrmClock::TrayIcon1Click() { mnuShowClick(); }

void TfrmClock::mnuShowClick()
{
    show();
    raise();
    activateWindow();
}

void TfrmClock::OnTop1Click()
{
    const bool onTop = !(windowFlags() & Qt::WindowStaysOnTopHint);
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);  // hides the window: show it again
    if (shown) show();
    onTop1_->setChecked(onTop);
}

void TfrmClock::Positions1Click()
{
    if (!frmPositions_) return;
    frmPositions_->show();
    frmPositions_->raise();
}

void TfrmClock::About1Click()
{
    if (frmAbout_) frmAbout_->exec();
}

void TfrmClock::mnuQV4Click()
{
    if (!frmQV4_) return;
    frmQV4_->show();
    frmQV4_->raise();
}

void TfrmClock::Options1Click()
{
    if (!frmOptions_) return;
    IniFile ini;
    ini.Load(settingsPath_);
    frmOptions_->Fill(ReadOptions(ini));
    frmOptions_->SetPlanetColor(previewPlanetColor_.value_or(settings_.PlanetColor));
    if (frmOptions_->exec() == QDialog::Accepted) {
        std::string error;
        if (!WriteOptions(settingsPath_, frmOptions_->Values(), &error)) {
            // The rest of the command is abandoned: the file is as it was,
            // and the clock goes on with the settings it has.
            Notify(kCaption, QString::fromStdString(error), true);
            return;
        }
    }
    LoadSettings();
    ComputeChart();
    DrawWheel();
}

void TfrmClock::mnuExitClick()
{
    std::string error;
    if (!WriteGeometry(settingsPath_, y(), x(), height(), width(), &error)) {
        Notify(kCaption, QString::fromStdString(error), true);
        return;  // the clock keeps running; "Exit" can be chosen again
    }
    trayIcon1_->SetActive(false);
    hide();
    QCoreApplication::quit();
}

void TfrmClock::SessionEnding()
{
    shuttingDown_ = true;
    trayIcon1_->SetActive(false);
    close();
    QCoreApplication::quit();
}

}  // namespace zenlume
