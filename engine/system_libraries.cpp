#include "engine/engine_detail.h"

#include <dlfcn.h>

namespace engine_detail {

// In sanitizer builds, keeps the system libraries that SDL loads and unloads
// at run time (the GL and EGL drivers, the audio back ends) loaded until the
// process ends. They keep a few allocations for the life of the process; once
// unloaded, LeakSanitizer can no longer name the library those came from,
// and so cannot match them against the suppressions for system libraries.
void pin_system_libraries() {
#if defined(__SANITIZE_ADDRESS__)
    static bool pinned = false;
    if (pinned) return;
    pinned = true;
    const char* const libraries[] = {
        "libEGL.so.1",   "libEGL_mesa.so.0",     "libGLdispatch.so.0",
        "libGLX.so.0",   "libGLX_mesa.so.0",     "libGL.so.1",
        "libglapi.so.0", "libgbm.so.1",          "libasound.so.2",
        "libpulse.so.0", "libpulse-simple.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
    };
    for (const char* name : libraries) {
        // The handle is dropped on purpose: RTLD_NODELETE keeps the library.
        dlopen(name, RTLD_LAZY | RTLD_NODELETE);
    }
#endif
}

}  // namespace engine_detail
