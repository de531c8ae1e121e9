// A chamber of seats for the vote tests: seat i holds unit i (unless told
// otherwise), person code i, console label i and LED position i.
#pragma once

#include "console/MappaVotatori.h"
#include "console/Spoglio.h"
#include "console/TastiVoto.h"
#include "shell/Globali.h"

namespace obx::test {

inline void Seggi(int n, int iStato = 9)
{
    aPosti.assign(1, Posto{});
    for (int i = 1; i <= n; ++i) {
        Posto p;
        p.cNomeBreveAN = QStringLiteral("Cons%1").arg(i);
        p.iVotatoreAN = p.iVotatoreUso = i;
        p.bCodiceAN = i;
        p.iPulsanteAN = i <= 72 ? i : 0;
        p.iPannelloAN = i <= 48 ? i : 0;
        p.iStato = iStato;
        p.cVoto = QStringLiteral("0");
        aPosti.push_back(p);
    }
}

// State of an assembly with nothing running.
inline void Assemblea(int tipo)
{
    iTipoAssemblea = tipo;
    cLettereVoti = tipo == 4 ? QStringLiteral("PMHCIJVW-RS") : QStringLiteral("PMH-----A--");
    iProtocolloTLV = 4010;
    iModoOBX = 0;
    iConfigOBX = 0;
    iFlagQuorum = 0;
    iStatoConsole = 0;
    iQuorum = {};
    iRichiedenti = {};
    cOratore.clear();
    cEsito.clear();
    iModoVoto = 0;
    cResiduoTLV.clear();
}

}  // namespace obx::test
