// The entry of the wheel-rendering module that zenlume-chart loads only for
// --render, so that printing a chart never pays for loading Qt.
#include "wheel_file.h"

#include <cstring>

extern "C" __attribute__((visibility("default"))) int zenlume_WriteWheelPng(const zenlume::ClockChart *chart,
                                                                          const zenlume::Settings *settings,
                                                                          int side, const char *path,
                                                                          char *error, int errorSize)
{
    const std::string problem = zenlume::WriteWheelPng(*chart, *settings, side, path);
    if (error && errorSize > 0) {
        std::strncpy(error, problem.c_str(), static_cast<size_t>(errorSize) - 1);
        error[errorSize - 1] = '\0';
    }
    return problem.empty() ? 0 : 1;
}
