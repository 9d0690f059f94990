// The application object that Qt's fonts need, for programs that draw the
// wheel without showing a window (the command-line render, the tests, the
// benchmarks).
#pragma once

#include <memory>

class QGuiApplication;

namespace zenlume {

class OffscreenApplication {
public:
    // Creates the QGuiApplication on the "offscreen" platform, whatever
    // QT_QPA_PLATFORM or DISPLAY say: a picture for a file or a test needs no
    // display, and one that is named but cannot be reached would end the
    // program.  (Qt's fonts do not work without an application object.)
    // Does nothing when an application exists.
    OffscreenApplication();
    ~OffscreenApplication();
    OffscreenApplication(const OffscreenApplication &) = delete;
    OffscreenApplication &operator=(const OffscreenApplication &) = delete;

private:
    // The command line the application keeps for its lifetime; the option
    // outranks QT_QPA_PLATFORM.
    int argc_ = 3;
    char *argv_[4];
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace zenlume
