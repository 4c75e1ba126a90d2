#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

namespace bmtest {

// Runs `action` on the next modal dialog of type T once it shows. A dialog
// that the action leaves open is rejected, so that a failed expectation
// never leaves a test waiting on it.
template <typename T>
void whenModal(std::function<void(T*)> action)
{
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && ++*tries < 400)
            return;
        timer->stop();
        timer->deleteLater();
        if (!dialog)
            return;
        action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start(5);
}

} // namespace bmtest
