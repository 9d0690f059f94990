#include "wheel_loader.h"

#include "render_module.h"

#include <dlfcn.h>
#include <unistd.h>

namespace zenlume {
namespace {

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

// The module's entry point once its version is the one this program was
// built with; null, with the reason in `why`, otherwise.
RenderModuleEntryFn EntryOf(void *module, const std::string &file, std::string &why)
{
    const auto version = reinterpret_cast<RenderModuleVersionFn>(::dlsym(module, kRenderModuleVersionEntry));
    if (!version) {
        why = file + " is not a wheel renderer of this version of zenlume-chart (it has no version); reinstall Zenlume";
        return nullptr;
    }
    if (const int found = version(); found != kRenderModuleVersion) {
        why = file + " is wheel renderer version " + std::to_string(found) + ", but this zenlume-chart needs version " +
              std::to_string(kRenderModuleVersion) + "; reinstall Zenlume";
        return nullptr;
    }
    const auto entry = reinterpret_cast<RenderModuleEntryFn>(::dlsym(module, kRenderModuleEntry));
    if (!entry) why = file + " has no wheel renderer";
    return entry;
}

}  // namespace

bool RenderWheelPng(const ClockChart &chart, const Settings &settings, int side, const std::string &path,
                    std::string *error)
{
    // Beside the program in a build tree; in lib/zenlume once installed.
    const std::string folder = ProgramFolder();
    const std::string candidates[] = {folder + "/" + kRenderModuleFile,
                                      folder + "/../" ZENLUME_LIBDIR "/zenlume/" + kRenderModuleFile,
                                      ZENLUME_MODULE_DIR "/" + std::string(kRenderModuleFile)};
    std::string why;
    for (const std::string &candidate : candidates) {
        if (::access(candidate.c_str(), F_OK) != 0) continue;
        void *module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            why = ::dlerror();
            continue;
        }
        const RenderModuleEntryFn render = EntryOf(module, candidate, why);
        if (!render) continue;  // left loaded: a module that started Qt is not safe to unload
        char message[1024] = {};
        const bool written = render(&chart, &settings, side, path.c_str(), message, sizeof message) == 0;
        if (!written && error) *error = message;
        return written;  // the module stays loaded: Qt does not expect to be unloaded
    }
    if (error)
        *error = std::string("cannot load the wheel renderer ") + kRenderModuleFile + (why.empty() ? "" : ": " + why);
    return false;
}

}  // namespace zenlume
