// A window of which at most one is open: asking for it again brings the open
// one forward and re-runs its activation instead of opening a second.
#pragma once

#include <QEventLoop>
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

// The same window shown modal over the whole program (one already open
// modeless becomes modal); returns when it is closed and destroyed.
template <class T>
void MostraUnicaModale(QPointer<T>& istanza, QWidget* padre)
{
    QPointer<T> w = istanza;
    const bool giaAperta = bool(w);
    if (!w) istanza = w = new T(padre);
    if (w->isVisible()) w->hide();  // modality changes only while hidden
    w->setWindowModality(Qt::ApplicationModal);
    QEventLoop attesa;
    QObject::connect(w.data(), &QObject::destroyed, &attesa, &QEventLoop::quit);
    w->show();
    if (giaAperta) w->Form_Activate();
    attesa.exec();
}

}  // namespace obx
