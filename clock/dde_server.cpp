#include "dde_server.h"

#include "dde_adaptor.h"
#include "publication.h"

#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QRegularExpression>

namespace zenlume {
namespace {

const QString kUnknownItem = QStringLiteral("org.zenlume.DDE.Error.UnknownItem");
const QString kUnsupportedFormat = QStringLiteral("org.zenlume.DDE.Error.UnsupportedFormat");
const QString kTooLarge = QStringLiteral("org.zenlume.DDE.Error.TooLarge");

bool IsPlainText(const QString &format)
{
    return format == QLatin1String("text/plain") || format == QLatin1String("CF_TEXT");
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
