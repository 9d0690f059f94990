// zenlume: the live astrological clock.  Starts in the order its windows
// depend on each other: the main window (whose session reads the settings),
// then the positions window, the options dialog and the two information
// windows; then the event loop shows the main window, which computes and
// draws the chart of the present minute at once.
//
// The clock itself takes no arguments.  "--autostart on|off" turns the
// entry that starts it with the desktop session on or off, then ends.  A
// start while a clock runs on the session bus brings that clock's window
// forward and ends.
#include "autostart.h"
#include "clock_activation.h"
#include "dde_server.h"
#include "frm_about.h"
#include "frm_clock.h"
#include "frm_options.h"
#include "frm_positions.h"
#include "frm_qv4.h"
#include "zenlume_version.h"

#include <QApplication>
#include <QDBusConnection>
#include <QSessionManager>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The program's title and version head the usage; the windows carry their
// own captions ("Zenlume"), so the title is not set as Qt's display name,
// which X11 window titles would repeat.
const char kUsage[] =
    "Zenlume %s, a live astrological clock\n"
    "\n"
    "usage: zenlume                   start the clock (or show the one that runs)\n"
    "       zenlume --autostart on    start the clock with the desktop session from now on\n"
    "       zenlume --autostart off   do not\n"
    "\n"
    "The settings live in %s; the clock's \"Options\" menu edits them.\n";

int Autostart(const char *choice)
{
    const bool on = std::strcmp(choice, "on") == 0;
    if (!on && std::strcmp(choice, "off") != 0) {
        std::fprintf(stderr, "zenlume: --autostart takes \"on\" or \"off\", not \"%s\"\n", choice);
        return 2;
    }
    std::string error;
    if (!zenlume::SetAutostart(on, &error)) {
        std::fprintf(stderr, "zenlume: %s\n", error.c_str());
        return 1;
    }
    std::printf("Zenlume %s with the desktop session (%s).\n", on ? "now starts" : "no longer starts",
                zenlume::AutostartPath().c_str());
    return 0;
}

// A clock already runs on this session: bring its window forward instead.
int ActivateRunningClock()
{
    std::string error;
    if (!zenlume::ClockActivation::ActivateRunning(QDBusConnection::sessionBus(), &error)) {
        std::fprintf(stderr, "zenlume: the clock already runs, but %s\n", error.c_str());
        return 1;
    }
    std::fprintf(stderr, "zenlume: the clock already runs; its window is brought forward.\n");
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--autostart") == 0) return Autostart(argv[2]);
    if (argc > 1) {
        const bool help = std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0;
        if (!help) std::fprintf(stderr, "zenlume: unknown option \"%s\"\n\n", argv[1]);
        std::fprintf(help ? stdout : stderr, kUsage, zenlume::kZenlumeVersion, zenlume::SettingsPath().c_str());
        return help ? 0 : 2;
    }

    QApplication app(argc, argv);
    // The name panels show for the tray icon (a StatusNotifierItem's title
    // and id are the application's name); the desktop entry keeps "zenlume".
    QApplication::setApplicationName(QStringLiteral("Zenlume"));
    QApplication::setApplicationVersion(QLatin1String(zenlume::kZenlumeVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("zenlume"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/MAINICON")));
    // The clock lives on in the tray when its window is closed.
    QApplication::setQuitOnLastWindowClosed(false);

    // One clock per session: it holds the name before it reads the settings.
    zenlume::ClockActivation activation;
    if (activation.ClaimOn(QDBusConnection::sessionBus()) == zenlume::ClockActivation::Claim::HeldByAnother)
        return ActivateRunningClock();

    zenlume::TfrmClock frmClock;
    zenlume::TfrmPositions frmPositions;
    zenlume::TfrmOptions frmOptions;
    zenlume::TfrmQV4 frmQV4;
    zenlume::TfrmAbout frmAbout(&frmQV4);
    frmClock.SetWindows(&frmPositions, &frmOptions, &frmAbout, &frmQV4);
    activation.OnActivate = [&frmClock] { frmClock.ShowClock(); };

    // The end of the desktop session ends the clock without saving its place.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmClock,
                     [&frmClock](QSessionManager &) { frmClock.SessionEnding(); });

    // The chart's numbers for other programs, as org.zenlume.<program name>.
    frmClock.PublishOn(QDBusConnection::sessionBus(),
                       zenlume::TDdeServer::ServiceName(QCoreApplication::applicationFilePath()));

    frmClock.show();
    return app.exec();
}
