#include "app/qt_dispatcher.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace app {

void QtCallbackDispatcher::post(std::function<void()> task) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        return; // the program is ending; nobody is left to answer
    QMetaObject::invokeMethod(application, std::move(task), Qt::QueuedConnection);
}

} // namespace app
