// The notification area coming and going while the clock runs: a panel
// that starts after the clock (as at login), a panel that restarts, and no
// panel at all.  These run on a display without a tray host of its own
// (clock.TrayHost: with_tray.sh with WITH_TRAY_HOST=none) and start and end
// their own trayer.
#include "clock_window.h"
#include "tray_icon.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

namespace {

using namespace zenlume;
using namespace zenlume::test;

class TrayHost : public ClockWindow {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(TTrayIcon::TrayAvailable()) << "run through with_tray.sh with WITH_TRAY_HOST=none";
    }
    void TearDown() override
    {
        ClockWindow::TearDown();
        StopTray();
    }
    void StartTray()
    {
        trayer_.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "100",
                                 "--height", "32"});
        ASSERT_TRUE(trayer_.waitForStarted(10000)) << "trayer is missing";
        ASSERT_TRUE(QTest::qWaitFor([] { return TTrayIcon::TrayAvailable(); }, 30000)) << "trayer took no tray";
    }
    void StopTray()
    {
        if (trayer_.state() == QProcess::NotRunning) return;
        trayer_.kill();
        trayer_.waitForFinished(10000);
        EXPECT_TRUE(QTest::qWaitFor([] { return !TTrayIcon::TrayAvailable(); }, 10000));
    }
    // The clock's icon, embedded in trayer's panel: a window of this
    // program's class among the panel's children.
    static bool IconInPanel()
    {
        QProcess tree;
        tree.start("xwininfo", {"-root", "-tree"});
        if (!tree.waitForFinished(10000)) return false;
        const QString program = QCoreApplication::applicationName();
        bool inPanel = false;
        for (const QString &line : QString::fromLocal8Bit(tree.readAllStandardOutput()).split('\n')) {
            if (line.contains("(\"panel\" \"trayer\")")) inPanel = true;
            else if (inPanel && line.contains("(\"" + program + "\"")) return true;
            else if (inPanel && line.startsWith("     0x")) inPanel = false;  // the panel's next sibling
        }
        return false;
    }
    // What the clock's tray timer finds, once it has looked.
    bool WaitForTheClockToSee(bool trayThere)
    {
        return QTest::qWaitFor([&] { return clock_->TrayMissing() == !trayThere; }, 10000);
    }

    QProcess trayer_;
};

TEST_F(TrayHost, APanelAfterTheClockGetsTheIconAndClosingHides)
{
    Start();
    QElapsedTimer sinceShown;
    sinceShown.start();
    clock_->show();
    Settle();
    EXPECT_TRUE(clock_->TrayMissing());
    EXPECT_TRUE(clock_->TrayTimer()->isActive());
    StartTray();
    const bool cameWithinTheGrace = sinceShown.elapsed() < 8000;  // trayer is slow on a loaded machine
    ASSERT_TRUE(WaitForTheClockToSee(true));
    EXPECT_TRUE(QTest::qWaitFor(IconInPanel, 10000));
    clock_->close();
    Settle();
    EXPECT_FALSE(clock_->isVisible());
    EXPECT_FALSE(clock_->Ended()) << "closing ended the clock";
    EXPECT_TRUE(clock_->TrayIcon()->Active());
    EXPECT_EQ(ReadAll(path_).find("Top="), std::string::npos);  // nothing saved
    // A panel that came within the grace hears no word of a missing one.
    if (cameWithinTheGrace) {
        QTest::qWait(11000);
        EXPECT_TRUE(messages_.empty()) << messages_[0].first;
    }
}

TEST_F(TrayHost, APanelThatRestartsGetsTheIconAgain)
{
    StartTray();
    Start();
    clock_->show();
    Settle();
    ASSERT_TRUE(QTest::qWaitFor(IconInPanel, 10000));
    StopTray();
    ASSERT_TRUE(WaitForTheClockToSee(false));
    EXPECT_FALSE(IconInPanel());
    StartTray();
    ASSERT_TRUE(WaitForTheClockToSee(true));
    EXPECT_TRUE(QTest::qWaitFor(IconInPanel, 10000));
    clock_->close();
    Settle();
    EXPECT_FALSE(clock_->isVisible());
    EXPECT_FALSE(clock_->Ended());
    clock_->TrayIcon()->OnClick(clock_->TrayIcon());
    Settle();
    EXPECT_TRUE(clock_->isVisible());
}

// With no panel at all the clock says so, once, and closing ends it.
TEST_F(TrayHost, WithoutAnyPanelClosingEndsTheClock)
{
    Start();
    clock_->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.empty(); }, 20000));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].first.find("no notification area"), std::string::npos) << messages_[0].first;
    clock_->close();
    Settle();
    EXPECT_TRUE(clock_->Ended());
    EXPECT_NE(ReadAll(path_).find("Top="), std::string::npos);  // as "Exit" does
}

}  // namespace
