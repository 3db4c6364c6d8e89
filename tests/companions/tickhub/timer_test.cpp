#include "tickhub/timer.h"
#include "tickhub/timer_adapter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

#include <gtest/gtest.h>

namespace {

struct CountingListener : timer::ITimerSenseObj {
    int calls = 0;
    void OnTimer() override { ++calls; }
};

// Runs the event loop until `done` holds; gives up after a generous bound so that a broken
// timer fails the test instead of hanging it.
template <typename Done> bool runEventsUntil(Done done) {
    QDeadlineTimer bound(30000);
    while (!done() && !bound.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

TEST(Timer, TheAdapterRegistersWithTheProcessWideTimer) {
    tickhub::TimerAdapter adapter;
    timer::ITimerService& service = adapter;
    CountingListener listener;
    service.registerListener(&listener, 1000);
    EXPECT_TRUE(tickhub::CTimer::Instance()->IsRegistered(&listener));
    service.unregisterListener(&listener);
    EXPECT_FALSE(tickhub::CTimer::Instance()->IsRegistered(&listener));
}

TEST(Timer, TicksOnTheEventLoopOfTheApplication) {
    int argc = 1;
    char name[] = "tickhub_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    tickhub::CTimer* timer = tickhub::CTimer::Instance();
    timer->SetTick(5);
    EXPECT_EQ(timer->GetTick(), 5u);
    CountingListener listener;
    timer->RegisterListener(&listener, 10);
    EXPECT_TRUE(runEventsUntil([&] { return listener.calls >= 2; }));
    timer->UnRegisterListener(&listener);
    timer->SetTick(tickhub::CTimer::kDefaultTickMs);
}

} // namespace
