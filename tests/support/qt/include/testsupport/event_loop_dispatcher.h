#pragma once

#include "protocol/callback_dispatcher.h"

#include <QCoreApplication>

#include <functional>

namespace testsupport {

// Carries the protocol library's answers onto the thread of the application's event loop, as
// the client does; they run while the test waits in that loop.
class EventLoopDispatcher final : public protocol::CallbackDispatcher {
public:
    void post(std::function<void()> task) override {
        QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
    }
};

} // namespace testsupport
