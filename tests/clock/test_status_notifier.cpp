// The clock in a panel that hosts tray icons over D-Bus (StatusNotifierItem,
// its menu over com.canonical.dbusmenu), as Plasma, waybar, recent XFCE
// panels and GNOME's AppIndicator extension do, instead of XEmbed.
//
// Qt 6 takes this path only through the platform themes of the generic Unix
// family (those of the xcb platform): at the first tray icon it asks, once
// per process, whether org.kde.StatusNotifierWatcher says a host is there.
// The offscreen platform's theme has no D-Bus tray at all, so these tests run
// on xcb, on a virtual display without an XEmbed tray host, and on a private
// session bus (with_tray.sh with WITH_TRAY_HOST=none).  The watcher is the
// test's own (sni_watcher.h) and starts before any tray icon exists; the test
// plays the panel: it reads the item's properties, activates it and clicks
// the exported menu, always with asynchronous calls, since the item answers
// from this same thread.
#include "clock_window.h"
#include "sni_item.h"
#include "sni_watcher.h"
#include "tray_icon.h"

#include <QProcess>
#include <QThread>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

using namespace zenlume;
using namespace zenlume::test;

SniWatcher *watcher = nullptr;  // lives in its own thread for the whole run

bool StartWatcher()
{
    bool started = false;
    QMetaObject::invokeMethod(watcher, &SniWatcher::Start, Qt::BlockingQueuedConnection, &started);
    return started;
}

void StopWatcher() { QMetaObject::invokeMethod(watcher, &SniWatcher::Stop, Qt::BlockingQueuedConnection); }

class StatusNotifier : public ClockWindow {
protected:
    void SetUp() override
    {
        watcher->Clear();  // the items of the clocks before
        ASSERT_TRUE(TTrayIcon::TrayAvailable())
            << "no D-Bus tray: run on xcb through with_tray.sh (the offscreen platform has none)";
    }

    // The item the clock registered last, once it has and it answers: its
    // bus name and path.  A registration from a connection the clock has
    // since dropped (it re-adds its icon when a panel comes back) does not
    // count, as a panel forgets such an item when its name leaves the bus.
    bool WaitForItem()
    {
        return QTest::qWaitFor(
            [this] {
                const QList<SniWatcher::Registration> all = watcher->Registrations();
                if (all.isEmpty()) return false;
                const SniWatcher::Registration &r = all.last();
                // A service may name a bus name, or a bus name and a path;
                // without a path the item sits at /StatusNotifierItem.
                const qsizetype slash = r.Service.indexOf('/');
                item_.Service = slash > 0 ? r.Service.left(slash) : r.Service.startsWith('/') ? r.Sender : r.Service;
                item_.Path = slash >= 0 ? r.Service.mid(slash) : QStringLiteral("/StatusNotifierItem");
                return item_.Property("Status").toString() == "Active";
            },
            20000);
    }

    // Closes a modal dialog once it opens, as its Cancel would; the flag
    // tells when it has.
    static std::shared_ptr<bool> RejectWhenShown(QDialog &dialog)
    {
        auto rejected = std::make_shared<bool>(false);
        auto *poll = new QTimer(&dialog);
        QObject::connect(poll, &QTimer::timeout, &dialog, [poll, &dialog, rejected] {
            if (!dialog.isVisible()) return;
            dialog.reject();
            *rejected = true;
            poll->deleteLater();
        });
        poll->start(20);
        return rejected;
    }

    SniItem item_;
};

TEST_F(StatusNotifier, TheClockRegistersItsItemWithTheWatcher)
{
    Start();
    clock_->show();
    Settle();
    ASSERT_TRUE(WaitForItem()) << "the clock registered no item";
    EXPECT_FALSE(clock_->TrayMissing());
    EXPECT_EQ(item_.Property("Status").toString().toStdString(), "Active");
    EXPECT_EQ(item_.ToolTipTitle().toStdString(), "Zenlume");
}

// The pictures are compared with each other, never with a size or a pixel:
// the same rising sign gives the same picture, another sign another one.
TEST_F(StatusNotifier, TheIconIsTheRisingSignsAndFollowsIt)
{
    Start();
    clock_->show();
    Settle();
    ASSERT_TRUE(WaitForItem());
    const int firstSign = clock_->Session().Moment().RisingSign;
    EXPECT_EQ(clock_->RisingIcon(), firstSign);
    EXPECT_EQ(firstSign, static_cast<int>(clock_->Session().Chart().CuspPos[1] / 30) + 1);
    const QByteArray first = item_.IconPixmap();
    ASSERT_FALSE(first.isEmpty()) << "the item shows no picture";

    // Step on ten minutes at a time until the Ascendant enters the next sign.
    const LocalDateTime start = now_;
    for (int step = 1; step <= 24 && clock_->Session().Moment().RisingSign == firstSign; ++step) {
        const int minutes = 21 * 60 + 40 + step * 10;
        now_ = Minute(7 + minutes / 1440, minutes / 60 % 24, minutes % 60);
        clock_->Session().ComputeChart();
    }
    const int nextSign = clock_->Session().Moment().RisingSign;
    ASSERT_NE(nextSign, firstSign) << "no sign change within four hours";
    EXPECT_EQ(clock_->RisingIcon(), nextSign);
    EXPECT_TRUE(QTest::qWaitFor([&] { return item_.IconPixmap() != first; }, 5000)) << "the picture stayed";
    EXPECT_FALSE(item_.IconPixmap().isEmpty());

    now_ = start;
    clock_->Session().ComputeChart();
    EXPECT_EQ(clock_->RisingIcon(), firstSign);
    EXPECT_TRUE(QTest::qWaitFor([&] { return item_.IconPixmap() == first; }, 5000)) << "the first sign's picture is back";
}

TEST_F(StatusNotifier, ActivatingTheItemShowsTheClock)
{
    Start();
    clock_->show();
    Settle();
    ASSERT_TRUE(WaitForItem());
    clock_->close();
    Settle();
    ASSERT_FALSE(clock_->isVisible());
    item_.Activate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return clock_->isVisible(); }, 5000));
    EXPECT_FALSE(clock_->Ended());
}

TEST_F(StatusNotifier, TheExportedMenuHoldsTheNineItemsAndEachActs)
{
    Start();
    clock_->show();
    Settle();
    ASSERT_TRUE(WaitForItem());
    QStringList labels;
    for (const MenuNode &item : item_.Layout().Children) labels << item.Label;
    EXPECT_EQ(labels.join("|").toStdString(),
              "Instructions for use|-|On Top|Show|Options|Positions|-|Quorvane Astrology Software|Exit");

    // The click travels over the bus: wait for it to arrive.
    const auto onTop = [&] { return bool(clock_->windowFlags() & Qt::WindowStaysOnTopHint); };
    ASSERT_TRUE(item_.Click("On Top"));
    EXPECT_TRUE(QTest::qWaitFor(onTop, 5000));
    const auto exportedChecked = [&] {
        bool checked = false;
        for (const MenuNode &item : item_.Layout().Children) checked |= item.Label == "On Top" && item.Checked;
        return checked;
    };
    EXPECT_TRUE(QTest::qWaitFor(exportedChecked, 5000)) << "the exported item is not checked";
    ASSERT_TRUE(item_.Click("On Top"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !onTop(); }, 5000));

    clock_->close();
    Settle();
    ASSERT_TRUE(item_.Click("Show"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return clock_->isVisible(); }, 5000));
    ASSERT_TRUE(item_.Click("Positions"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return positions_.isVisible(); }, 5000));
    ASSERT_TRUE(item_.Click("Quorvane Astrology Software"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return qv4_.isVisible(); }, 5000));

    // The two dialogs wait for their answer; each is cancelled as it opens.
    const auto aboutClosed = RejectWhenShown(about_);
    EXPECT_TRUE(item_.Click("Instructions for use"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return *aboutClosed; }, 5000)) << "the instructions did not open";
    const auto optionsClosed = RejectWhenShown(options_);
    EXPECT_TRUE(item_.Click("Options"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return *optionsClosed; }, 5000)) << "the options did not open";
    Settle();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    ASSERT_TRUE(item_.Click("Exit"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return clock_->Ended(); }, 5000));
    EXPECT_NE(ReadAll(path_).find("Top="), std::string::npos) << "Exit saved no place";
}

// A panel that restarts takes the watcher's name anew; the item is told to
// the new watcher, and the clock still runs in the tray.
TEST_F(StatusNotifier, TheItemRegistersAgainWhenThePanelRestarts)
{
    Start();
    clock_->show();
    Settle();
    ASSERT_TRUE(WaitForItem());
    StopWatcher();
    EXPECT_TRUE(QTest::qWaitFor([&] { return clock_->TrayMissing(); }, 10000)) << "the clock missed the panel's end";
    ASSERT_TRUE(StartWatcher());
    // Qt tells the new watcher of the item at once; the clock, when it next
    // looks for the tray, adds its icon again (as an XEmbed tray needs), on a
    // new connection.  The item that counts is the one after both.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !clock_->TrayMissing(); }, 10000)) << "the clock missed the panel";
    ASSERT_TRUE(WaitForItem()) << "the item was not registered with the new watcher";
    EXPECT_EQ(item_.ToolTipTitle().toStdString(), "Zenlume");
    EXPECT_FALSE(item_.IconPixmap().isEmpty());
    EXPECT_EQ(item_.Layout().Children.size(), 9) << "the menu did not come back with the item";
    clock_->close();
    Settle();
    EXPECT_FALSE(clock_->isVisible());
    EXPECT_FALSE(clock_->Ended()) << "closing ended the clock while the panel is there";
}

// The program itself, as a desktop session starts it: its item is titled
// "Zenlume" (Qt takes the title from the application's name), and "Exit"
// from the panel's menu ends it with its place saved.
TEST_F(StatusNotifier, TheProgramsItemIsTitledZenlumeAndItsExitEndsIt)
{
    TempDir config{"zenlume-sni"};
    std::ofstream(config.Path() + "/zenlume.ini") << "[Place]\nNS=1\nLatD=51\nLatM=30\nEW=1\nLongD=0\nLongM=7\n";
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(config.Path()));
    program.setProcessEnvironment(env);
    program.start(ZENLUME_PROGRAM, {});
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(WaitForItem()) << program.readAllStandardError().toStdString();
    EXPECT_EQ(item_.Property("Title").toString().toStdString(), "Zenlume");
    EXPECT_EQ(item_.ToolTipTitle().toStdString(), "Zenlume");
    EXPECT_TRUE(item_.Click("Exit"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 10000));
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished(5000);
    }
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_NE(ReadAll(config.Path() + "/zenlume.ini").find("Top="), std::string::npos) << "Exit saved no place";
}

}  // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    setenv("TZ", "UTC", 1);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QThread thread;
    watcher = new SniWatcher;
    watcher->moveToThread(&thread);
    thread.start();
    // The watcher comes before the first tray icon: Qt decides once.
    if (!StartWatcher()) {
        std::fprintf(stderr, "the test's watcher could not take org.kde.StatusNotifierWatcher\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    StopWatcher();
    QMetaObject::invokeMethod(watcher, [] { delete watcher; }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    return result;
}
