#include "shell/VotoInCorso.h"

#include "platform/Dialoghi.h"

namespace obx {

bool RifiutaDuranteVoto()
{
    if (!VotoInCorso()) return false;
    UI().MsgBox(QString::fromUtf8(kMsgVotoInCorso), vbExclamation);
    return true;
}

int GuardiaVoto::Apre(int modo)
{
    ++m_id;
    m_modo = modo;
    m_stato = Stato::Aperto;
    return m_id;
}

bool GuardiaVoto::Chiude(int iId)
{
    if (m_stato != Stato::Aperto || (iId != 0 && iId != m_id)) return false;
    m_stato = Stato::Chiuso;
    return true;
}

bool GuardiaVoto::Abbandona(int iId)
{
    if (m_stato != Stato::Aperto || (iId != 0 && iId != m_id)) return false;
    m_stato = Stato::Abbandonato;
    return true;
}

}  // namespace obx
