// A window timer as the program's windows use it: an Enabled switch that
// starts and stops it (switching on a running timer does not restart its
// count), an Interval in milliseconds, and the handler `Timer` run at every
// interval on the user-interface thread.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace obx {

class Temporizzatore : public QObject {
public:
    explicit Temporizzatore(QObject* genitore = nullptr);

    std::function<void()> Timer;

    bool Enabled() const { return m_abilitato; }
    void SetEnabled(bool acceso);
    int Interval() const { return m_intervallo; }
    // A running timer starts counting the new interval at once; 0 stops
    // the ticks without switching the timer off.
    void SetInterval(int millisecondi);

private:
    void Applica();
    QTimer m_timer;
    bool m_abilitato = false;
    int m_intervallo = 0;
};

}  // namespace obx
