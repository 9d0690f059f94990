// The publication on the session bus, as another program sees it: empty
// before the first tick, the 15 lines of the chart after one, plain text
// only, pokes that replace the lines and advise, oversized pokes refused,
// a second clock that runs without the name, the name withdrawn at the end,
// and the README's gdbus line.  Runs under dbus-run-session (with_tray.sh);
// the client is a second bus connection, as another program's would be.
#include "bus_listener.h"
#include "dde_server.h"
#include "frm_clock.h"
#include "publication.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace zenlume;

class Publication : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run through with_tray.sh (dbus-run-session)";
        clock_ = MakeClock();
        ASSERT_TRUE(clock_->PublishOn(QDBusConnection::sessionBus(), kService));
        for (const char *name : {"Advise", "Ticked"})
            client_.connect(kService, TDdeServer::kObjectPath, TDdeServer::kInterface, name, &listener_,
                            (std::string("1") + name + "(QString,QString)").c_str());
    }
    std::unique_ptr<TfrmClock> MakeClock()
    {
        auto clock = std::make_unique<TfrmClock>("/nonexistent/zenlume.ini");
        clock->Session().SetTimeSource([this, c = clock.get()] { return c->Session().Zone().Resolve(now_).Earlier; });
        clock->SetNotifier([this](const QString &, const QString &text, bool) { messages_ << text; });
        return clock;
    }
    // A call from the other program, answered while this one's events run.
    QDBusMessage Call(const char *method, const QVariantList &args)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, TDdeServer::kObjectPath, TDdeServer::kInterface,
                                                           method);
        call.setArguments(args);
        QDBusPendingCall pending = client_.asyncCall(call, 5000);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 6000));
        return pending.reply();
    }
    QString Request(const QString &format = "text/plain")
    {
        const QDBusMessage reply = Call("Request", {TDdeServer::kItem, format});
        return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toString() : QString();
    }
    void Settle() { QTest::qWait(50); }

    const QString kService = QStringLiteral("org.zenlume.publication_test");
    QDBusConnection client_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "other-program");
    LocalDateTime now_{2000, 1, 1, 12, 0, 0, 0};
    QStringList messages_;
    BusListener listener_;
    std::unique_ptr<TfrmClock> clock_;
};

TEST_F(Publication, EmptyUntilTheFirstTickThenTheFifteenLines)
{
    clock_->show();  // showing computes the chart but does not publish it
    EXPECT_EQ(Request(), "");

    clock_->Session().MinuteTick();
    const QStringList lines = Request().split("\r\n");
    ASSERT_EQ(lines.size(), 16) << "15 lines, each ended by CR LF";
    EXPECT_TRUE(lines.last().isEmpty());
    const ClockChart &chart = clock_->Session().Chart();
    for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k)
        EXPECT_EQ(lines[k - 1].toStdString(), PublishedNumber(chart.PlanetPos[k])) << "body " << k;
    EXPECT_EQ(lines[12].toStdString(), PublishedNumber(chart.CuspPos[1]));
    EXPECT_EQ(std::fmod(chart.CuspPos[1], 30.0), 0.0);  // the rising sign begins at a multiple of 30
    EXPECT_EQ(lines[13].toStdString(), PublishedNumber(chart.CuspPos[10]));
    EXPECT_EQ(lines[14], " 3.65265000000000E+0004");  // noon, 1 January 2000
    Settle();
    ASSERT_EQ(listener_.ticked.size(), 1);
    EXPECT_EQ(listener_.ticked[0], "DDEItem|" + lines.join("\r\n"));
    EXPECT_TRUE(listener_.advised.isEmpty());  // a tick does not advise
}

TEST_F(Publication, OnlyPlainTextAndOnlyTheItem)
{
    clock_->Session().MinuteTick();
    EXPECT_FALSE(Request("CF_TEXT").isEmpty());
    const QDBusMessage png = Call("Request", {TDdeServer::kItem, "image/png"});
    EXPECT_EQ(png.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(png.errorName(), "org.zenlume.DDE.Error.UnsupportedFormat");
    EXPECT_TRUE(png.arguments().isEmpty() || png.arguments().value(0).toString().contains("text/plain"));
    EXPECT_EQ(Call("Request", {"OtherItem", "text/plain"}).errorName(), "org.zenlume.DDE.Error.UnknownItem");
}

TEST_F(Publication, APokeReplacesAndAdvisesUntilTheNextTick)
{
    clock_->Session().MinuteTick();
    const QDBusMessage poke = Call("Poke", {TDdeServer::kItem, "text/plain", "first\r\nsecond\nthird\r"});
    EXPECT_EQ(poke.type(), QDBusMessage::ReplyMessage) << poke.errorMessage().toStdString();
    EXPECT_EQ(Request(), "first\r\nsecond\r\nthird\r\n");
    Settle();
    ASSERT_EQ(listener_.advised.size(), 1);
    EXPECT_EQ(listener_.advised[0], "DDEItem|first\r\nsecond\r\nthird\r\n");

    now_.Minute = 1;
    clock_->Session().MinuteTick();
    EXPECT_EQ(Request().count("\r\n"), 15);
}

TEST_F(Publication, AnOversizedPokeIsRefusedAndTheClockTicksOn)
{
    clock_->Session().MinuteTick();
    const QString before = Request();
    const QDBusMessage big =
        Call("Poke", {TDdeServer::kItem, "text/plain", QString(TDdeServer::kMaxPokeBytes + 1, QLatin1Char('x'))});
    EXPECT_EQ(big.errorName(), "org.zenlume.DDE.Error.TooLarge");
    EXPECT_EQ(Request(), before);
    // Just within the bound, in characters of two bytes each.
    const QDBusMessage fits =
        Call("Poke", {TDdeServer::kItem, "text/plain", QString(TDdeServer::kMaxPokeBytes / 2, QChar(0x00E9))});
    EXPECT_EQ(fits.type(), QDBusMessage::ReplyMessage);
    now_.Minute = 2;
    clock_->Session().MinuteTick();
    EXPECT_EQ(Request().count("\r\n"), 15);
}

// What is not a text poke to the one item changes nothing and says why:
// another format, another item, bytes in place of text, a missing argument.
TEST_F(Publication, PokesThatAreNotTextToTheItemAreRefused)
{
    clock_->Session().MinuteTick();
    const QString before = Request();
    struct Case {
        const char *name;
        QVariantList args;
        const char *error;
    };
    const Case cases[] = {
        {"a picture", {TDdeServer::kItem, "image/png", "PNG"}, "org.zenlume.DDE.Error.UnsupportedFormat"},
        {"another item", {"OtherItem", "text/plain", "x"}, "org.zenlume.DDE.Error.UnknownItem"},
        {"bytes for text", {TDdeServer::kItem, "text/plain", QByteArray("\x00\xff\xfe", 3)}, nullptr},
        {"no text at all", {TDdeServer::kItem, "text/plain"}, nullptr},
    };
    for (const Case &c : cases) {
        const QDBusMessage reply = Call("Poke", c.args);
        EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage) << c.name;
        if (c.error) {
            EXPECT_EQ(reply.errorName(), c.error) << c.name;
        }
        EXPECT_EQ(Request(), before) << c.name;
    }
    Settle();
    EXPECT_TRUE(listener_.advised.isEmpty());
}

TEST_F(Publication, ASecondClockRunsWithoutTheNameAndTheNameGoesWithTheClock)
{
    QDBusConnection second = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second-clock");
    auto other = MakeClock();
    EXPECT_FALSE(other->PublishOn(second, kService));
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains(kService)) << messages_[0].toStdString();
    other->Session().MinuteTick();  // it still ticks
    EXPECT_FALSE(other->Server()->Published());
    clock_->Session().MinuteTick();
    EXPECT_FALSE(Request().isEmpty());  // the first clock still serves

    clock_.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !client_.interface()->isServiceRegistered(kService).value(); }, 3000));
    QDBusConnection::disconnectFromBus("second-clock");
}

// The line the README gives a script, run as a script would run it.
TEST_F(Publication, TheReadmeLineReadsTheItem)
{
    clock_->Session().MinuteTick();
    QProcess gdbus;
    gdbus.start("gdbus", {"call", "--session", "--dest", kService, "--object-path", "/Server", "--method",
                          "org.zenlume.DDE.Request", "DDEItem", "text/plain"});
    ASSERT_TRUE(gdbus.waitForStarted(5000)) << "gdbus (libglib2.0-bin) is missing";
    ASSERT_TRUE(QTest::qWaitFor([&] { return gdbus.state() == QProcess::NotRunning; }, 10000));
    const QString out = QString::fromUtf8(gdbus.readAllStandardOutput());
    EXPECT_TRUE(out.startsWith("(' ")) << out.toStdString();
    EXPECT_EQ(out.count("\\r\\n"), 15) << out.toStdString();
}

TEST(PublicationName, TheProgramsFileNameUpToItsFirstDot)
{
    EXPECT_EQ(TDdeServer::ServiceName("/usr/bin/zenlume"), "org.zenlume.zenlume");
    EXPECT_EQ(TDdeServer::ServiceName("/opt/x/zenlume.bin.old"), "org.zenlume.zenlume");
    EXPECT_EQ(TDdeServer::ServiceName("zen lume+2"), "org.zenlume.zen_lume_2");
    EXPECT_EQ(TDdeServer::ServiceName("/tmp/2clock"), "org.zenlume._2clock");
    EXPECT_EQ(TDdeServer::ServiceName("/tmp/.hidden"), "org.zenlume._");
}

}  // namespace
