#pragma once

namespace testsupport {

// The base of a stand-in protocol service: it keeps the one listener the client gives it, and
// the test makes the listener calls itself.
template <typename Service, typename Listener> class OneListenerService : public Service {
public:
    void addListener(Listener* added) override { listener = added; }
    void removeListener(Listener* removed) override {
        if (listener == removed)
            listener = nullptr;
    }

    Listener* listener = nullptr;
};

} // namespace testsupport
