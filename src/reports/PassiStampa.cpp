#include "reports/PassiStampa.h"

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "reports/Stampa.h"

namespace obx {

void PassiStampa::Segnala(const QString& descrizione)
{
    if (m_segnalato) return;
    m_segnalato = true;
    UI().MsgBox(descrizione, vbCritical, kTitoloOBX);
}

void AvanzaRigaStampa(const std::function<void()>& intestazione)
{
    ++iRigaStampa;
    if (iRigaStampa > iRighePagina) {
        NuovaPagina();
        iRigaStampa = 0;
        ++iPaginaStampa;
        intestazione();
    }
}

int PresentiVotazione(const Recordset& rsVoti)
{
    const QString tipo = rsVoti.Field(QStringLiteral("cPaleseVT")).toString().left(1);
    if (tipo != u"A") return rsVoti.Field(QStringLiteral("iFavorevoliVT")).toInt();
    const QString voti = rsVoti.Field(QStringLiteral("cVotiVT")).toString();
    const QString votanti = rsVoti.Field(QStringLiteral("cVotantiVT")).toString();
    int n = 0;
    const int fino = int(std::min(voti.size(), votanti.size()));
    for (int p = 1; p <= fino; ++p)
        if (votanti.at(p - 1) == QChar(p) && voti.at(p - 1) == u'+') ++n;
    return n;
}

QString OreMinuti(qint64 secondi)
{
    if (secondi < 0) secondi = 0;
    const qint64 minuti = secondi / 60;
    return QStringLiteral("%1:%2").arg((minuti / 60) % 24, 2, 10, QChar(u'0')).arg(minuti % 60, 2, 10, QChar(u'0'));
}

}  // namespace obx
