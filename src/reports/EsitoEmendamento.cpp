#include "reports/EsitoEmendamento.h"

#include "platform/Servizi.h"
#include "reports/Stampa.h"
#include "shell/Globali.h"

namespace obx {

void StampaEsitoEmendamento(const QString& cNuovoStato)
{
    if (!ImpostaStampante(0, QStringLiteral("Esito_Emendamento"))) return;
    const QDateTime ora = Clock().Adesso();
    StampaXY(2, 10, cConsiglio);
    StampaXY(4, 10, DataDiStampa(ora) + QStringLiteral(" alle ore ") + ora.time().toString(QStringLiteral("HH:mm:ss")));
    QString riga = QStringLiteral("Emendamento ") + cArgomento[6];
    if (cNuovoStato == u"R")
        riga += QStringLiteral("  RITIRATO");
    else if (cNuovoStato == u"D")
        riga += QStringLiteral("  DECADUTO");
    StampaXY(7, 10, riga);
    FineStampa();
}

}  // namespace obx
