#include "testsupport/fault_injection.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {
namespace {

constexpr uid_t kNobody = 65534;

bool setFileSizeLimit(std::size_t bytes) {
    const rlimit limit{bytes, bytes};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

} // namespace

int inChild(const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0)
        ::_exit(work());
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return -1;
    return status;
}

int exitCodeOf(int status) {
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool limitFileSize(std::size_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    return setFileSizeLimit(bytes);
}

bool dieOnFileSize(std::size_t bytes) {
    std::signal(SIGXFSZ, SIG_DFL);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    return setFileSizeLimit(bytes);
}

bool dropToOrdinaryUser() {
    return ::geteuid() != 0 || ::setuid(kNobody) == 0;
}

} // namespace testsupport
