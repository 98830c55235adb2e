#include "platform/GnutlsDeferredInit.h"

#include <dlfcn.h>

#include <mutex>

namespace fv {

void GnutlsDeferredInit::initializeForUse() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Resolved at run time: GnuTLS is no direct dependency, and may not be loaded at all.
        using GlobalInit = int (*)();
        if (auto init = reinterpret_cast<GlobalInit>(::dlsym(RTLD_DEFAULT, "gnutls_global_init")))
            init();
    });
}

}  // namespace fv
