#include "dde_server.h"

#include "dde_adaptor.h"
#include "publication.h"

#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QRegularExpression>

#include <dlfcn.h>
#include <malloc.h>

namespace zenlume {
namespace {

const QString kUnknownItem = QStringLiteral("org.zenlume.DDE.Error.UnknownItem");
const QString kUnsupportedFormat = QStringLiteral("org.zenlume.DDE.Error.UnsupportedFormat");
const QString kTooLarge = QStringLiteral("org.zenlume.DDE.Error.TooLarge");

bool IsPlainText(const QString &format)
{
    return format == QLatin1String("text/plain") || format == QLatin1String("CF_TEXT");
}

// The bus library beneath QtDBus stops reading a connection while the
// messages it has read and not yet freed pass 63 MiB, and starts again
// when the last of them is freed.  QtDBus 6.4 loses that restart when the
// window's thread frees the message ("Socket notifiers cannot be enabled or
// disabled from another thread"): after one poke of 100 MiB the clock at
// times answered nothing more.  Twice the largest message the bus library
// takes at all (128 MiB) keeps any one poke from stopping it.  QtDBus does
// not offer this setting; the library's own function is found at run time,
// as QtDBus may have loaded the library itself.
constexpr long kMaxUnfreedBusBytes = 256L << 20;

void KeepReadingAfterLargeMessages(const QDBusConnection &connection)
{
    using SetMaxReceivedSize = void (*)(void *, long);
    const auto set =
        reinterpret_cast<SetMaxReceivedSize>(::dlsym(RTLD_DEFAULT, "dbus_connection_set_max_received_size"));
    if (set && connection.internalPointer()) set(connection.internalPointer(), kMaxUnfreedBusBytes);
}

// Blocks of this size and more come from the system and go back to it when
// freed.  A flood of requests for a 60 KiB item makes thousands of replies
// of 60 to 120 KiB, below the allocator's usual threshold (128 KiB, and
// rising with use); once freed they would stay resident in its free lists.
constexpr int kOwnMappingBytes = 32 * 1024;

void ReturnLargeBlocksToTheSystem()
{
#ifdef __GLIBC__
    ::mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
#endif
}

}  // namespace

TDdeServer::TDdeServer(QObject *parent) : QObject(parent)
{
    new DdeAdaptor(this);  // owned by this object; forwards the bus's calls here
}

TDdeServer::~TDdeServer() { Withdraw(); }

QString TDdeServer::ServiceName(const QString &programPath)
{
    QString name = QFileInfo(programPath).fileName();
    name = name.left(name.indexOf(QLatin1Char('.')));  // all of it when there is no "."
    static const QRegularExpression kNotAllowed(QStringLiteral("[^A-Za-z0-9_-]"));
    name.replace(kNotAllowed, QStringLiteral("_"));
    if (name.isEmpty() || name.front().isDigit()) name.prepend(QLatin1Char('_'));
    return QStringLiteral("org.zenlume.") + name;
}

bool TDdeServer::Publish(const QDBusConnection &connection, const QString &serviceName, std::string *error)
{
    const auto fail = [&](const QString &why) {
        if (error) *error = why.toStdString();
        return false;
    };
    Withdraw();
    if (!connection.isConnected()) return fail(QStringLiteral("there is no session bus to publish the chart on"));
    QDBusConnectionInterface *bus = connection.interface();
    if (bus && bus->isServiceRegistered(serviceName))
        return fail(QStringLiteral("another program (another clock?) already publishes as %1").arg(serviceName));
    connection_ = connection;
    KeepReadingAfterLargeMessages(connection_);
    ReturnLargeBlocksToTheSystem();
    if (!connection_.registerObject(kObjectPath, this))
        return fail(QStringLiteral("the object %1 is taken on the session bus").arg(kObjectPath));
    if (!connection_.registerService(serviceName)) {
        connection_.unregisterObject(kObjectPath);
        return fail(QStringLiteral("the name %1 is taken on the session bus (another clock?): %2")
                        .arg(serviceName, connection_.lastError().message()));
    }
    service_ = serviceName;
    published_ = true;
    return true;
}

void TDdeServer::Withdraw()
{
    if (!published_) return;
    connection_.unregisterService(service_);
    connection_.unregisterObject(kObjectPath);
    published_ = false;
}

void TDdeServer::SetLines(const std::vector<std::string> &lines)
{
    lines_.clear();
    for (const std::string &line : lines) lines_ << QString::fromStdString(line);
    emit Ticked(kItem, Text());
}

QString TDdeServer::Text() const
{
    QString text;
    for (const QString &line : lines_) text += line + QStringLiteral("\r\n");
    return text;
}

bool TDdeServer::Refuse(const QString &item, const QString &format)
{
    if (item != QLatin1String(kItem)) {
        if (calledFromDBus()) sendErrorReply(kUnknownItem, QStringLiteral("no item \"%1\"; the item is DDEItem").arg(item));
        return true;
    }
    if (!IsPlainText(format)) {
        if (calledFromDBus())
            sendErrorReply(kUnsupportedFormat,
                           QStringLiteral("DDEItem is only served as text/plain, not \"%1\"").arg(format));
        return true;
    }
    return false;
}

QString TDdeServer::Request(const QString &item, const QString &format)
{
    if (Refuse(item, format)) return {};
    return Text();
}

void TDdeServer::Poke(const QString &item, const QString &format, const QString &text)
{
    if (Refuse(item, format)) return;
    // The bus has already checked the text is valid UTF-8; its size is ours
    // to bound (a UTF-16 unit never takes less than one byte of UTF-8).
    // This is as early as QtDBus allows: it decodes every argument before
    // any code of the clock sees the call, and a connection whose largest
    // message is capped is dropped from the bus by a larger one.
    if (text.size() > kMaxPokeBytes || text.toUtf8().size() > kMaxPokeBytes) {
        if (calledFromDBus())
            sendErrorReply(kTooLarge, QStringLiteral("a poke may hold at most %1 bytes").arg(kMaxPokeBytes));
        return;
    }
    lines_.clear();
    for (const std::string &line : SplitPokedText(text.toStdString())) lines_ << QString::fromStdString(line);
    emit Advise(kItem, Text());
}

}  // namespace zenlume
