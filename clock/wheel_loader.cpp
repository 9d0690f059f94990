#include "wheel_loader.h"

#include <dlfcn.h>
#include <unistd.h>

namespace zenlume {
namespace {

using RenderEntry = int (*)(const ClockChart *, const Settings *, int, const char *, char *, int);

// The folder of the running program.
std::string ProgramFolder()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return ".";
    std::string path(buffer, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

std::string RenderWheelPng(const ClockChart &chart, const Settings &settings, int side, const std::string &path)
{
    // Beside the program in a build tree; in lib/zenlume once installed.
    const std::string folder = ProgramFolder();
    const std::string candidates[] = {folder + "/libzenlume-render.so", folder + "/../" ZENLUME_LIBDIR "/zenlume/libzenlume-render.so",
                                      ZENLUME_MODULE_PATH};
    std::string why;
    for (const std::string &candidate : candidates) {
        if (::access(candidate.c_str(), F_OK) != 0) continue;
        void *module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            why = ::dlerror();
            continue;
        }
        const auto render = reinterpret_cast<RenderEntry>(::dlsym(module, "zenlume_WriteWheelPng"));
        if (!render) {
            why = candidate + " has no wheel renderer";
            continue;
        }
        char error[1024] = {};
        render(&chart, &settings, side, path.c_str(), error, sizeof error);
        return error;  // the module stays loaded: Qt does not expect to be unloaded
    }
    return "cannot load the wheel renderer libzenlume-render.so" + (why.empty() ? std::string() : ": " + why);
}

}  // namespace zenlume
