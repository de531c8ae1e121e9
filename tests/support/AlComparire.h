// Answers a modal dialog of the console: dialogs run their own event loop,
// so the answer is given from a timer as soon as the dialog is up.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace obx::test {

// Runs azione on the first visible top-level window of type T, once.
template <typename T>
void AlComparire(std::function<void(T*)> azione)
{
    auto* t = new QTimer;
    t->setInterval(5);
    QObject::connect(t, &QTimer::timeout, [t, azione] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<T*>(w);
            if (d && d->isVisible()) {
                t->stop();
                t->deleteLater();
                azione(d);
                return;
            }
        }
    });
    t->start();
}

}  // namespace obx::test
