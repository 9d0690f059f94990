// The entry points of the wheel-rendering module that zenlume-chart loads
// only for --render, so that printing a chart never pays for loading Qt.
#include "render_module.h"

#include "wheel_file.h"

#include <cstring>

#define ZENLUME_MODULE_EXPORT __attribute__((visibility("default")))

extern "C" {

ZENLUME_MODULE_EXPORT int zenlume_RenderModuleVersion(void) { return zenlume::kRenderModuleVersion; }

ZENLUME_MODULE_EXPORT int zenlume_WriteWheelPng(const zenlume::ClockChart *chart, const zenlume::Settings *settings,
                                                int side, const char *path, char *error, int errorSize)
{
    std::string why;
    const bool written = chart && settings && path && zenlume::WriteWheelPng(*chart, *settings, side, path, &why);
    if (!written && why.empty()) why = "the wheel renderer was called without a chart";
    if (error && errorSize > 0) {
        std::strncpy(error, why.c_str(), static_cast<size_t>(errorSize) - 1);
        error[errorSize - 1] = '\0';
    }
    return written ? 0 : 1;
}

}  // extern "C"
