// Debug builds check the thread of each life-cycle and audio call against CLAP's rules through
// the host's thread-check extension, where offered, and report a wrong one through its log.
// Release builds ask nothing.
#include "clap/clap_plugin.h"

#include <cstdio>

namespace {

#ifdef NDEBUG
constexpr bool CheckThreads = false;
#else
constexpr bool CheckThreads = true;
#endif

} // namespace

void ClapPlugin::ExpectThread(CallThread thread, const char* call) const {
    if constexpr (!CheckThreads) {
        return;
    }
    const auto* check =
        static_cast<const clap_host_thread_check*>(HostExtension(CLAP_EXT_THREAD_CHECK));
    const auto* log = static_cast<const clap_host_log*>(HostExtension(CLAP_EXT_LOG));
    if (check == nullptr || log == nullptr || log->log == nullptr) {
        return;
    }
    const bool main = thread == CallThread::Main;
    const auto is = main ? check->is_main_thread : check->is_audio_thread;
    if (is == nullptr || is(host_)) {
        return;
    }
    char message[128];
    std::snprintf(message, sizeof message, "%s called outside the %s thread", call,
                  main ? "main" : "audio");
    log->log(host_, CLAP_LOG_HOST_MISBEHAVING, message);
}
