#include "shell/Globali.h"

namespace obx {

void ImpostaTabelleFisse()
{
    // The double and trailing blanks are part of the names.
    cTipiTabellone = {QString(),
                      QStringLiteral("1 riga  x 24 car."),
                      QStringLiteral("8 righe x 20 car."),
                      QStringLiteral("1 riga  x 16 car."),
                      QStringLiteral("Tabellone Demo   "),
                      QStringLiteral("Video Proiezione "),
                      QStringLiteral("2 righe x 24 car.")};
    cStatiArgomento = {QStringLiteral("Non Votato"), QStringLiteral("Votato"),
                       QStringLiteral("Sospeso"), QStringLiteral("Ritirato"),
                       QStringLiteral("Decaduto"), QStringLiteral("Assorbito"),
                       QStringLiteral("RinviatoSed"), QStringLiteral("RinviatoComm")};
    cLettereStati = QStringLiteral("NVSRDAGC");
}

}  // namespace obx
