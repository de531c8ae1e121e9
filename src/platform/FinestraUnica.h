// A modeless window of which at most one is open: asking for it again brings
// the open one forward and re-runs its activation instead of opening a second.
#pragma once

#include <QPointer>
#include <QWidget>

namespace obx {

template <class T>
T* MostraUnica(QPointer<T>& istanza, QWidget* padre)
{
    if (istanza) {
        istanza->show();
        istanza->raise();
        istanza->activateWindow();
        istanza->Form_Activate();
        return istanza;
    }
    istanza = new T(padre);
    istanza->show();
    return istanza;
}

}  // namespace obx
