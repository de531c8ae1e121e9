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
    cStatiArgomento = {QStringLiteral("Non Votato"),  QStringLiteral("Votato"),      QStringLiteral("Sospeso"),
                       QStringLiteral("Ritirato"),    QStringLiteral("Decaduto"),    QStringLiteral("Assorbito"),
                       QStringLiteral("RinviatoSed"), QStringLiteral("RinviatoComm")};
    cLettereStati = QStringLiteral("NVSRDAGC");
}

void AzzeraStatoSeduta()
{
    iPresenti = 0;
    cOspitiPresenti = QString(120, QChar(0));
    cTipoVoto = QStringLiteral("-");
    iFlagQuorum = 0;
    iDelibera = 0;
    iCodiceAtto = 0;
    iRadiceLegge = 0;
    for (QString& a : cArgomento) a.clear();
    for (size_t i = 1; i <= 6; ++i) iRichiedenti[i] = 0;
    // No item kind chosen yet: the kind list's first selection opens nothing.
    cTipoArg = QStringLiteral("*");
}

}  // namespace obx
