#pragma once

namespace timer {

// A timer listener: `OnTimer` is called once at the end of each of its periods.
class ITimerSenseObj {
public:
    virtual void OnTimer() = 0;

protected:
    ~ITimerSenseObj() = default;
};

} // namespace timer
