#pragma once

#include "protocol_binding/protocol_binding.h"
#include "testsupport/queue_dispatcher.h"

#include <gtest/gtest.h>

namespace wirekit_testing {

using testsupport::QueueDispatcher;

// The protocol library as the client binds it: loaded by name, with a queue dispatcher
// installed that the test thread drains. One per test program, since the library's manager is.
struct Wirekit {
    QueueDispatcher dispatcher;
    protocol_binding::ProtocolBinding binding;

    Wirekit() {
        std::u16string error;
        if (!binding.bind(error))
            ADD_FAILURE() << "wirekit did not load";
        binding.installDispatcher(&dispatcher);
    }
    ~Wirekit() { binding.unbind(); }

    protocol::ProtocolManager& manager() { return *binding.manager(); }
};

inline Wirekit& wirekit() {
    static Wirekit instance;
    return instance;
}

} // namespace wirekit_testing
