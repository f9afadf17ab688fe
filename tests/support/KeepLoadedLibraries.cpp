#include "support/KeepLoadedLibraries.h"

#include "platform/GlRenderDevice.h"
#include "platform/SdlWindow.h"

#include <dlfcn.h>
#include <link.h>

namespace qv::test {

void keepLoadedLibraries() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

void keepTheGlDriverLoaded() {
    static const bool kept = [] {
        SdlWindow window("test", 64, 48, false);
        GlRenderDevice device(window, 64, 48);
        keepLoadedLibraries();
        return true;
    }();
    (void)kept;
}

} // namespace qv::test
