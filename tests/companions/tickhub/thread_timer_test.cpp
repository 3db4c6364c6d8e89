#include "tickhub/thread_timer.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct CountingListener : timer::ITimerSenseObj {
    int calls = 0;
    std::function<void()> onCall;
    void OnTimer() override {
        ++calls;
        if (onCall)
            onCall();
    }
};

TEST(ThreadTimer, CallsAListenerOncePerPeriod) {
    tickhub::CThreadTimer timer;
    CountingListener listener;
    timer.RegisterListener(&listener, 10000);
    for (int tick = 0; tick < 99; ++tick)
        timer.advance(100);
    EXPECT_EQ(listener.calls, 0);
    timer.advance(100);
    EXPECT_EQ(listener.calls, 1);
    for (int tick = 0; tick < 100; ++tick)
        timer.advance(100);
    EXPECT_EQ(listener.calls, 2);
}

TEST(ThreadTimer, RegisteringAgainRestartsThePeriodWithoutADuplicate) {
    tickhub::CThreadTimer timer;
    CountingListener listener;
    timer.RegisterListener(&listener, 300);
    timer.advance(200);
    timer.RegisterListener(&listener, 300);
    EXPECT_EQ(timer.ListenerCount(), 1u);
    timer.advance(200);
    EXPECT_EQ(listener.calls, 0);
    timer.advance(100);
    EXPECT_EQ(listener.calls, 1);
}

TEST(ThreadTimer, UnregisteredListenersAreNotCalled) {
    tickhub::CThreadTimer timer;
    CountingListener listener;
    timer.RegisterListener(&listener, 100);
    timer.UnRegisterListener(&listener);
    timer.advance(100);
    EXPECT_EQ(listener.calls, 0);
    EXPECT_FALSE(timer.IsRegistered(&listener));
    timer.RegisterListener(nullptr, 100);
    EXPECT_EQ(timer.ListenerCount(), 0u);
}

TEST(ThreadTimer, AListenerRemovedByAnotherWithinTheSameTickIsSkipped) {
    tickhub::CThreadTimer timer;
    CountingListener first;
    CountingListener second;
    first.onCall = [&] { timer.UnRegisterListener(&second); };
    timer.RegisterListener(&first, 100);
    timer.RegisterListener(&second, 100);
    timer.advance(100);
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(second.calls, 0);
}

TEST(ThreadTimer, AListenerMayUnregisterItselfAndNestedTicksAreIgnored) {
    tickhub::CThreadTimer timer;
    CountingListener listener;
    listener.onCall = [&] {
        timer.advance(100); // as a modal loop inside the listener would
        timer.UnRegisterListener(&listener);
    };
    timer.RegisterListener(&listener, 100);
    timer.advance(100);
    timer.advance(100);
    EXPECT_EQ(listener.calls, 1);
}

} // namespace
