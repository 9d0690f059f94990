// One clock per session: the running clock holds org.zenlume.Clock, and a
// second start of the program brings that clock's window forward and ends
// with exit code 0, leaving the publication with the first clock.  The
// first clock runs in this test, the second start is the real program, in
// a process of its own on the same private session bus (with_tray.sh).
#include "clock_activation.h"
#include "frm_clock.h"
#include "temp_dir.h"

#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace zenlume;

bool NameHeld(const QString &name)
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(name).value();
}

TEST(ClockActivation, TheNameIsHeldByOneClockAndGoesWithIt)
{
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run through with_tray.sh (dbus-run-session)";
    const QString name = QStringLiteral("org.zenlume.ClockActivationTest");
    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "another-start");
    {
        ClockActivation first, second;
        EXPECT_EQ(first.ClaimOn(QDBusConnection::sessionBus(), name), ClockActivation::Claim::Held);
        EXPECT_EQ(second.ClaimOn(other, name), ClockActivation::Claim::HeldByAnother);
        EXPECT_TRUE(NameHeld(name));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !NameHeld(name); }, 5000));
    ClockActivation next;
    EXPECT_EQ(next.ClaimOn(other, name), ClockActivation::Claim::Held);
    EXPECT_EQ(ClockActivation().ClaimOn(QDBusConnection(QString()), name), ClockActivation::Claim::NoBus);
    QDBusConnection::disconnectFromBus("another-start");
}

TEST(SecondStart, BringsTheRunningClockForwardAndEnds)
{
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run through with_tray.sh (dbus-run-session)";
    test::TempDir dir("zenlume-second");
    TfrmClock clock(dir.Path() + "/zenlume.ini");
    clock.SetNotifier([](const QString &, const QString &, bool) {});
    ClockActivation activation;
    ASSERT_EQ(activation.ClaimOn(QDBusConnection::sessionBus()), ClockActivation::Claim::Held);
    activation.OnActivate = [&clock] { clock.ShowClock(); };
    ASSERT_FALSE(clock.isVisible());  // closed into the tray, say

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.Path()));  // should it start a clock after all
    second.setProcessEnvironment(env);
    second.start(ZENLUME_PROGRAM, {});
    ASSERT_TRUE(second.waitForStarted(10000));
    const bool ended = QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 30000);
    if (!ended) second.kill(), second.waitForFinished(5000);
    ASSERT_TRUE(ended) << "the second start runs a second clock";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    const QString said = QString::fromLocal8Bit(second.readAllStandardError());
    EXPECT_TRUE(said.contains("the clock already runs")) << said.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return clock.isVisible(); }, 5000));
    EXPECT_FALSE(NameHeld(QStringLiteral("org.zenlume.zenlume")));  // the second one published nothing
}

}  // namespace
