#include "offscreen_app.h"

#include <QGuiApplication>

namespace zenlume {
namespace {

QtMessageHandler previousHandler = nullptr;

// Qt warns that XDG_RUNTIME_DIR is unset whenever it starts without a
// desktop session, which is the normal case here; other messages pass.
void QuietAboutRuntimeDir(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

char programName[] = "zenlume", platformOption[] = "-platform", platformName[] = "offscreen";

}  // namespace

OffscreenApplication::OffscreenApplication() : argv_{programName, platformOption, platformName, nullptr}
{
    if (QGuiApplication::instance()) return;
    // Once only: installed twice, the filter would hand messages to itself.
    static bool quiet = false;
    if (!quiet) {
        previousHandler = qInstallMessageHandler(QuietAboutRuntimeDir);
        quiet = true;
    }
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

OffscreenApplication::~OffscreenApplication() = default;

}  // namespace zenlume
