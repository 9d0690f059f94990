#include "wheel_file.h"

#include "ini_file.h"
#include "offscreen_app.h"
#include "wheel_renderer.h"

#include <QBuffer>
#include <QImageWriter>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace zenlume {
namespace {

// All of `data` to standard output; false with the system's reason.
bool WriteStandardOutput(const QByteArray &data, std::string &why)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, data.constData() + done, static_cast<size_t>(data.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            why = std::strerror(n == 0 ? EIO : errno);
            return false;
        }
        done += n;
    }
    return true;
}

}  // namespace

bool WriteWheelPng(const ClockChart &chart, const Settings &settings, int side, const std::string &path, std::string *error)
{
    const auto fail = [&](const std::string &why) {
        if (error) *error = why;
        return false;
    };
    const OffscreenApplication app;
    WheelRenderer renderer;
    if (!renderer.DrawWheel(chart, settings, WheelOptionsFor(settings, side)))
        return fail("cannot make a picture of " + std::to_string(side) + " x " + std::to_string(side) + " pixels");

    // The whole picture is encoded in memory first, so a failing disk is
    // reported with the system's reason, not by the PNG encoder.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(renderer.Picture()))
        return fail("cannot encode the picture as PNG: " + writer.errorString().toStdString());
    buffer.close();

    std::string why;
    if (path == kStandardOutputName) {
        if (!WriteStandardOutput(png, why)) return fail("cannot write the picture to standard output: " + why);
        return true;
    }
    if (!SaveFile(path, std::string_view(png.constData(), static_cast<size_t>(png.size())), OtherTargets::kWriteInto,
                  &why))
        return fail("cannot write " + path + ": " + why);
    return true;
}

}  // namespace zenlume
