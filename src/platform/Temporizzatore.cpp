#include "platform/Temporizzatore.h"

namespace obx {

Temporizzatore::Temporizzatore(QObject* genitore) : QObject(genitore), m_timer(this)
{
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (Timer) Timer();
    });
}

void Temporizzatore::SetEnabled(bool acceso)
{
    if (acceso == m_abilitato) return;
    m_abilitato = acceso;
    Applica();
}

void Temporizzatore::SetInterval(int millisecondi)
{
    m_intervallo = millisecondi < 0 ? 0 : millisecondi;
    if (m_abilitato) m_timer.stop();
    Applica();
}

void Temporizzatore::Applica()
{
    if (m_abilitato && m_intervallo > 0) {
        if (!m_timer.isActive() || m_timer.interval() != m_intervallo) m_timer.start(m_intervallo);
    } else {
        m_timer.stop();
    }
}

}  // namespace obx
