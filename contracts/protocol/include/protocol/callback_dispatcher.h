#pragma once

#include <functional>

namespace protocol {

// Carries the protocol library's listener calls onto the user-interface thread. The host
// implements it and installs it with the library's "setCallbackDispatcher" entry.
//
// `post` is called from the library's transfer threads (and sometimes from the user-interface
// thread itself). It must not run the task inside the call: it queues it so that the thread
// running the user interface runs it later, once, in the order posted. A Qt host posts the task
// to the event loop (QMetaObject::invokeMethod(qApp, task, Qt::QueuedConnection)); a test can
// push it onto a queue that the test thread drains.
class CallbackDispatcher {
public:
    virtual void post(std::function<void()> task) = 0;

protected:
    ~CallbackDispatcher() = default;
};

} // namespace protocol
