// A protocol library of an older release: it hands out managers but has no entry to give one
// back. A host must refuse it before it takes a manager, since it could never stop its threads.
#include <cstdlib>

#define OLDER_ENTRY extern "C" __attribute__((visibility("default")))

OLDER_ENTRY void* getProtocolManager() {
    std::abort();
}

OLDER_ENTRY void setCallbackDispatcher(void*) {}
