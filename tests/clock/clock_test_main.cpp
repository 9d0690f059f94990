// The clock's widget tests need a QApplication; it runs on the offscreen
// platform (set by CTest), so the tests need no display.  Through
// with_tray.sh they run on a virtual X display with a tray host, which
// may take a while to claim the tray on a loaded machine: the tests start
// once the tray is there (or after 60 s, and then fail saying so), unless
// the display has no tray host of its own (WITH_TRAY_HOST=none).
#include <QApplication>
#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <QThread>

#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The home place of a settings file without a place follows the
    // computer's zone: the tests run as on a computer kept in UT.
    setenv("TZ", "UTC", 1);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool trayHost = qgetenv("WITH_TRAY_HOST") != "none";
    if (QGuiApplication::platformName() == QLatin1String("xcb") && trayHost) {
        QElapsedTimer waited;
        waited.start();
        while (!QSystemTrayIcon::isSystemTrayAvailable() && waited.elapsed() < 60000) {
            QCoreApplication::processEvents();
            QThread::msleep(100);
        }
    }
    return RUN_ALL_TESTS();
}
