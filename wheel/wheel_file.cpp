#include "wheel_file.h"

#include "ini_file.h"
#include "offscreen_app.h"
#include "wheel_renderer.h"
#include "write_all.h"

#include <QBuffer>
#include <QImageWriter>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace zenlume {

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

    if (path == kStandardOutputName) {
        if (!WriteAll(STDOUT_FILENO, png.constData(), static_cast<size_t>(png.size())))
            return fail(std::string("cannot write the picture to standard output: ") + std::strerror(errno));
        return true;
    }
    std::string why;
    if (!SaveFile(path, std::string_view(png.constData(), static_cast<size_t>(png.size())), OtherTargets::kWriteInto,
                  &why))
        return fail("cannot write " + path + ": " + why);
    return true;
}

}  // namespace zenlume
