#include "gsf_library.h"

#include <gsf/gsf-utils.h>

#include <mutex>

namespace compoundfile {
namespace {

// The library describes every oddity of a file it reads on standard error. Damaged files are
// expected here and handled by the caller, so its remarks are dropped.
void dropMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

} // namespace

void ensureGsfInitialised() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        const auto levels =
            static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING |
                                        G_LOG_LEVEL_MESSAGE | G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG);
        for (const char* domain : {"libgsf", "libgsf:msole"})
            g_log_set_handler(domain, levels, dropMessage, nullptr);
    });
}

} // namespace compoundfile
