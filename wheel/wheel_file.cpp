#include "wheel_file.h"

#include "offscreen_app.h"
#include "wheel_renderer.h"

#include <QImageWriter>
#include <QSaveFile>

namespace zenlume {

bool WriteWheelPng(const ClockChart &chart, Settings settings, int side, const std::string &path, std::string *error)
{
    const auto fail = [&](const std::string &why) {
        if (error) *error = why;
        return false;
    };
    const OffscreenApplication app;
    WheelRenderer renderer;
    if (!renderer.DrawWheel(chart, settings, side))
        return fail("cannot make a picture of " + std::to_string(side) + " x " + std::to_string(side) + " pixels");

    const QString name = QString::fromStdString(path);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) return fail("cannot write " + path + ": " + file.errorString().toStdString());
    QImageWriter writer(&file, "png");
    if (!writer.write(renderer.Picture()))
        return fail("cannot write " + path + ": " + writer.errorString().toStdString());
    if (!file.commit()) return fail("cannot write " + path + ": " + file.errorString().toStdString());
    return true;
}

}  // namespace zenlume
