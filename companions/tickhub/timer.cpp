#include "tickhub/timer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

namespace tickhub {

// The QTimer belongs to the application object, so it goes away with it; the pointer then
// reads null and a later application gets a new one.
struct CTimer::Driver {
    QPointer<QTimer> timer;
};

CTimer::CTimer() : driver_(std::make_unique<Driver>()) {}

CTimer::~CTimer() = default;

CTimer* CTimer::Instance() {
    static CTimer instance;
    instance.ensureTicking();
    return &instance;
}

void CTimer::SetTick(std::uint32_t tickMs) {
    tickMs_ = tickMs == 0 ? 1 : tickMs;
    ensureTicking();
    if (driver_->timer)
        driver_->timer->setInterval(static_cast<int>(tickMs_));
}

void CTimer::ensureTicking() {
    if (driver_->timer)
        return;
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        return;
    auto* timer = new QTimer(application);
    timer->setInterval(static_cast<int>(tickMs_));
    QObject::connect(timer, &QTimer::timeout, timer, [this] { advance(tickMs_); });
    timer->start();
    driver_->timer = timer;
}

} // namespace tickhub
