#include "scene/engine/DriverWarmUp.h"

#include <dlfcn.h>
#include <linux/limits.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

namespace vtx {

namespace {

// Where Mesa looks for its drivers: the folder its override names, or "dri" beside the GL
// dispatch library the program is linked with. Since Mesa 22 every driver there (swrast, iris,
// radeonsi, ...) is one file under many names, and the loader knows a file it has loaded by its
// identity, not its name: loading the software one loads the one the context will ask for.
std::string mesaDriverPath() {
    if (const char* override = std::getenv("LIBGL_DRIVERS_PATH"); override && *override) {
        const std::string first(override, std::strcspn(override, ":"));
        return first + "/swrast_dri.so";
    }
    void* dispatch = dlopen("libOpenGL.so.0", RTLD_LAZY | RTLD_NOLOAD);
    if (!dispatch) return {};
    char origin[PATH_MAX] = {};
    const bool found = dlinfo(dispatch, RTLD_DI_ORIGIN, origin) == 0;
    dlclose(dispatch);
    return found ? std::string(origin) + "/dri/swrast_dri.so" : std::string();
}

bool otherVendorInUse() {
    const char* vendor = std::getenv("__GLX_VENDOR_LIBRARY_NAME");
    if (vendor && *vendor && std::strcmp(vendor, "mesa") != 0) return true;
    std::error_code error;
    return std::filesystem::exists("/proc/driver/nvidia", error);
}

} // namespace

void warmUpGlDriver() {
    if (otherVendorInUse()) return;
    std::string path = mesaDriverPath();
    if (path.empty()) return;
    // The flags Mesa's own loader uses, so its later load finds the same library as it wants it.
    // Never closed: the driver stays loaded for the context.
    try {
        std::thread([path = std::move(path)] { dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL); }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the first context loads the driver itself, as it would anyway.
    }
}

} // namespace vtx
