// What the timed programs of a vote's close share: the seats of a chamber
// where everyone is present and votes, and the closing events written as
// the console writes them.
#pragma once

#include <QDateTime>

#include "console/Registri.h"
#include "console/Spoglio.h"
#include "console/VotiSuperati.h"
#include "platform/Database.h"
#include "shell/Globali.h"

namespace obx::bench {

// seggi seats, all present and voting; the first 72 with a button, the
// first conLed with a lamp on the LED panel.
inline void SeggiPresenti(int seggi, int conLed = 0)
{
    aPosti.assign(1, Posto{});
    for (int i = 1; i <= seggi; ++i) {
        Posto p;
        p.cNomeBreveAN = QStringLiteral("Cons%1").arg(i);
        p.cNomeAN = QStringLiteral("Consigliere %1").arg(i);
        p.iVotatoreAN = p.iVotatoreUso = i;
        p.bCodiceAN = i;
        p.iPulsanteAN = i <= 72 ? i : 0;
        p.iPannelloAN = i <= conLed ? i : 0;
        p.iStato = 9;  // present, voting
        p.cVoto = QStringLiteral("0");
        aPosti.push_back(p);
    }
}

// The closing events of the vote r closed, a row each through the console's
// event writer pieces (the texts themselves are composed by the window),
// each "T" marking the closings it supersedes.  False when the table cannot
// take a row.
inline bool ScriveEventiChiusura(Recordset& rsEventi, const ChiusuraVoto& r, int presenti, int* scritti = nullptr)
{
    for (const QString& lettera : r.cEventi) {
        if (!ApreTabella(rsEventi, 3) || !IniziaRiga(rsEventi, 3)) return false;
        rsEventi.SetField(QStringLiteral("dDataOraEV"), QDateTime::currentDateTime());
        rsEventi.SetField(QStringLiteral("cTipoEventoEV"), lettera);
        rsEventi.SetField(QStringLiteral("cNomeEV"), QStringLiteral("Votazione Palese"));
        rsEventi.SetField(QStringLiteral("lCodVotoEV"), lCodVoto);
        rsEventi.SetField(QStringLiteral("iDeliberaEV"), iDelibera);
        rsEventi.SetField(QStringLiteral("iPresentiEV"), presenti);
        rsEventi.SetField(QStringLiteral("cDescEventoEV"), r.esito.cTesto.left(20));
        rsEventi.SetField(QStringLiteral("cExtraDescEV"), QStringLiteral("Favorevoli %1 Contrari %2 Astenuti %3")
                                                              .arg(r.iFavorevoli)
                                                              .arg(r.iContrari)
                                                              .arg(r.iAstenuti));
        rsEventi.Update();
        const int codice = CodiceRiga(rsEventi, QStringLiteral("lCodiceEV"), QVariant()).toInt();
        if (lettera == u"T") SegnaChiusureSuperate(iDelibera, codice);
        if (scritti) ++*scritti;
    }
    return true;
}

}  // namespace obx::bench
