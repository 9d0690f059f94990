#include "clock_activation.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace zenlume {

ClockActivation::ClockActivation(QObject *parent) : QObject(parent) {}

// The name goes with the clock, so that the next start runs a clock again.
ClockActivation::~ClockActivation()
{
    if (service_.isEmpty()) return;
    connection_.unregisterService(service_);
    connection_.unregisterObject(kObjectPath);
}

ClockActivation::Claim ClockActivation::ClaimOn(const QDBusConnection &bus, const QString &service)
{
    QDBusConnection connection = bus;
    if (!connection.isConnected() || !connection.interface()) return Claim::NoBus;
    // The object first: a second start that finds the name finds the method too.
    if (!connection.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots)) return Claim::NoBus;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = connection.interface()->registerService(
        service, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        connection_ = connection;
        service_ = service;
        return Claim::Held;
    }
    connection.unregisterObject(kObjectPath);
    return reply.isValid() ? Claim::HeldByAnother : Claim::NoBus;
}

bool ClockActivation::ActivateRunning(const QDBusConnection &connection, std::string *error, const QString &service)
{
    // The holder is another process: a blocking call waits for its answer.
    const QDBusMessage call = QDBusMessage::createMethodCall(service, kObjectPath, kInterface, "Activate");
    const QDBusMessage reply = QDBusConnection(connection).call(call, QDBus::Block, kAnswerMs);
    if (reply.type() == QDBusMessage::ReplyMessage) return true;
    if (error)
        *error = "the running clock (" + service.toStdString() + ") did not answer: " +
                 reply.errorMessage().toStdString();
    return false;
}

void ClockActivation::Activate()
{
    if (OnActivate) OnActivate();
}

}  // namespace zenlume
