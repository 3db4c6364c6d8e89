#pragma once

#include "protocol/callback_dispatcher.h"

namespace app {

// Carries the protocol library's listener calls onto the Qt event loop of the application.
class QtCallbackDispatcher final : public protocol::CallbackDispatcher {
public:
    void post(std::function<void()> task) override;
};

} // namespace app
