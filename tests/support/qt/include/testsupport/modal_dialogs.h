#pragma once

// Acting on modal dialogs from inside their event loops, the way a user answers them. Both
// ways below look every 5 ms from the running event loop.
#include <QMetaObject>

#include <functional>

class QDialog;
class QTimer;
class QWidget;

namespace testsupport {

// While it lives, hands every modal dialog that opens to `action`, once per dialog, so that a
// test can fill it in and end it; by default it is cancelled.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QDialog*)> action = {});
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    int seen() const { return seen_; }

private:
    void check();
    std::function<void(QDialog*)> action_;
    QTimer* timer_;
    int seen_ = 0;
};

// Runs `action` once the active modal widget is a shown `type`. Gives up after about ten
// seconds without one: closes whatever modal widget is active and fails the test.
void whenModalShown(const QMetaObject& type, std::function<void(QWidget*)> action);

template <typename Dialog> void whenShown(std::function<void(Dialog*)> action) {
    whenModalShown(Dialog::staticMetaObject,
                   [action](QWidget* shown) { action(static_cast<Dialog*>(shown)); });
}

} // namespace testsupport
