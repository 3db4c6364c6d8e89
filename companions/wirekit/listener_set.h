#pragma once

#include <algorithm>
#include <vector>

namespace wirekit {

// The listeners registered with a service, in the order they were added. Used only on the
// user-interface thread.
template <typename Listener> class ListenerSet {
public:
    void add(Listener* listener) {
        if (listener && !contains(listener))
            listeners_.push_back(listener);
    }
    void remove(Listener* listener) { std::erase(listeners_, listener); }
    bool contains(Listener* listener) const {
        return std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
    }

    // Calls `call(listener)` for each listener registered now. A listener that a call removes
    // (its own or another's) is not called afterwards.
    template <typename Call> void forEach(Call call) const {
        const std::vector<Listener*> snapshot = listeners_;
        for (Listener* listener : snapshot)
            if (contains(listener))
                call(listener);
    }

private:
    std::vector<Listener*> listeners_;
};

} // namespace wirekit
