// The publication's memory under hostile pokes and floods, measured in a
// process that holds nothing else (dde_memory_server, which reads its own
// /proc/self/status): a 100 MiB poke is refused with the usual reply, and a
// flood of requests for a 60 KiB item leaves the resident size within a
// bound once it is over.  Runs under dbus-run-session (with_tray.sh).
#include "dde_server.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

using namespace zenlume;

struct Memory {
    long peakKiB = -1, residentKiB = -1;
};

class PublicationMemory : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(client_.isConnected()) << "run through with_tray.sh (dbus-run-session)";
        server_.start(ZENLUME_DDE_MEMORY_SERVER, {kService});
        ASSERT_TRUE(server_.waitForStarted(10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return server_.canReadLine(); }, 30000));
        ASSERT_EQ(server_.readLine().trimmed(), "ready");
    }
    void TearDown() override
    {
        server_.closeWriteChannel();
        if (!server_.waitForFinished(10000)) server_.kill();
    }
    Memory Measure()
    {
        server_.write("memory\n");
        Memory m;
        if (!QTest::qWaitFor([&] { return server_.canReadLine(); }, 30000)) return m;
        std::sscanf(server_.readLine().constData(), "VmHWM %ld VmRSS %ld", &m.peakKiB, &m.residentKiB);
        return m;
    }
    QDBusPendingCall Send(const char *method, const QVariantList &args)
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, TDdeServer::kObjectPath, TDdeServer::kInterface, method);
        call.setArguments(args);
        return client_.asyncCall(call, 120000);
    }
    QDBusMessage Call(const char *method, const QVariantList &args)
    {
        QDBusPendingCall pending = Send(method, args);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 120000));
        return pending.reply();
    }
    static void Print(const char *when, const Memory &m)
    {
        std::printf("[ memory   ] %-34s peak %7.1f MiB, resident %7.1f MiB\n", when, m.peakKiB / 1024.0,
                    m.residentKiB / 1024.0);
    }

    const QString kService = QStringLiteral("org.zenlume.memory_test");
    QDBusConnection client_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "flooding-program");
    QProcess server_;
};

// The resident size the floods and the huge poke may leave above the size
// at start: they left 3 to 7 MiB with large blocks going back to the
// system, 10 to 65 MiB before.
constexpr long kFloodResidentBoundKiB = 12 * 1024;

TEST_F(PublicationMemory, HugePokesAreRefusedAndFloodsLeaveTheResidentSizeBounded)
{
    const Memory start = Measure();
    Print("at start", start);
    ASSERT_GT(start.residentKiB, 0);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's allocator keeps freed blocks aside on purpose.
    const long bound = 1L << 40;
#else
    const long bound = start.residentKiB + kFloodResidentBoundKiB;
#endif

    // An item of 60 KiB, then floods of 2000 requests for it at once: 120 MiB
    // of replies each.
    const QString item(60 << 10, QLatin1Char('7'));
    const QDBusMessage poked = Call("Poke", {TDdeServer::kItem, "text/plain", item});
    ASSERT_EQ(poked.type(), QDBusMessage::ReplyMessage) << poked.errorMessage().toStdString();
    const auto flood = [&] {
        std::vector<QDBusPendingCall> calls;
        for (int i = 0; i < 2000; ++i) calls.push_back(Send("Request", {TDdeServer::kItem, "text/plain"}));
        // Each reply is let go once checked: a client holding them all
        // would reach its own bus library's limit and stop reading.
        for (QDBusPendingCall &call : calls) {
            if (!QTest::qWaitFor([&] { return call.isFinished(); }, 120000)) return false;
            if (call.reply().arguments().value(0).toString().size() != item.size() + 2) return false;
            call = QDBusPendingCall::fromCompletedCall(QDBusMessage());
        }
        return true;
    };
    ASSERT_TRUE(flood());
    const Memory afterFlood = Measure();
    Print("after a flood of 2000 requests", afterFlood);
    EXPECT_LE(afterFlood.residentKiB, bound);

    // Refused with the reply of any poke over the limit; the clock answers
    // on (the bus library's pause for unread messages would otherwise
    // stop it reading at times).
    const QDBusMessage huge =
        Call("Poke", {TDdeServer::kItem, "text/plain", QString(100 << 20, QLatin1Char('x'))});
    EXPECT_EQ(huge.errorName(), "org.zenlume.DDE.Error.TooLarge");
    EXPECT_EQ(huge.errorMessage(), QString("a poke may hold at most %1 bytes").arg(TDdeServer::kMaxPokeBytes));
    const Memory afterHuge = Measure();
    Print("after a 100 MiB poke", afterHuge);
    EXPECT_LE(afterHuge.residentKiB, bound);
    for (int round = 0; round < 3; ++round) ASSERT_TRUE(flood()) << "round " << round;
    const Memory afterFloods = Measure();
    Print("after three more floods", afterFloods);
    EXPECT_LE(afterFloods.residentKiB, bound);
}

}  // namespace
