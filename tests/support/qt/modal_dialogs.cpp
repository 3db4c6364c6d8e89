#include "testsupport/modal_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

namespace {

constexpr int kPollMilliseconds = 5;
// About ten seconds of looking before whenModalShown gives up.
constexpr int kPollsBeforeGivingUp = 2000;

} // namespace

ModalWatcher::ModalWatcher(std::function<void(QDialog*)> action)
    : action_(std::move(action)), timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, [this] { check(); });
    timer_->start(kPollMilliseconds);
}

ModalWatcher::~ModalWatcher() {
    delete timer_;
}

void ModalWatcher::check() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(window);
        if (dialog == nullptr || !dialog->isVisible() || !dialog->isModal() ||
            dialog->property("testsupportSeen").toBool())
            continue;
        dialog->setProperty("testsupportSeen", true);
        ++seen_;
        if (action_)
            action_(dialog);
        else
            dialog->reject();
        return;
    }
}

void whenModalShown(const QMetaObject& type, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    timer->setInterval(kPollMilliseconds);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, &type, action] {
        auto* shown = qobject_cast<QWidget*>(type.cast(QApplication::activeModalWidget()));
        const bool ready = shown && shown->isVisible();
        if (!ready && ++*tries < kPollsBeforeGivingUp)
            return;
        timer->stop();
        timer->deleteLater();
        if (ready) {
            action(shown);
            return;
        }
        if (QWidget* other = QApplication::activeModalWidget())
            other->close();
        ADD_FAILURE() << "no modal " << type.className() << " was shown";
    });
    timer->start();
}

} // namespace testsupport
