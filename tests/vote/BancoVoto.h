// The console on a fixture archive with its voting units wired to obx-sim
// on a pseudo-terminal (port 3), a sitting open and the eight seats of the
// fixture present.  The vote runs inside the opening click; the test acts
// meanwhile through Durante, a step run every few milliseconds from inside
// the vote loop until it returns true.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "board/frmVideo.h"
#include "console/Spoglio.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "links/Votatori.h"
#include "platform/Database.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"
#include "support/Simulatore.h"

namespace obx::test {

inline void GiraVoto(int ms = 30) { Gira(ms); }

struct RigaVoto {
    int codice = 0, favorevoli = 0, contrari = 0, astenuti = 0, delibera = 0, codLegge = 0;
    QString tipo, voti, votanti, nota;
};

inline std::vector<RigaVoto> Voti()
{
    std::vector<RigaVoto> v;
    Recordset rs = dbArchivio.OpenQuery(QStringLiteral("SELECT * FROM ") + cTabelle[4] +
                                        QStringLiteral(" ORDER BY lCodiceVT;"));
    for (; !rs.Eof(); rs.MoveNext()) {
        RigaVoto r;
        r.codice = rs.Field(QStringLiteral("lCodiceVT")).toInt();
        r.favorevoli = rs.Field(QStringLiteral("iFavorevoliVT")).toInt();
        r.contrari = rs.Field(QStringLiteral("iContrariVT")).toInt();
        r.astenuti = rs.Field(QStringLiteral("iAstenutiVT")).toInt();
        r.delibera = rs.Field(QStringLiteral("iDeliberaVT")).toInt();
        r.codLegge = rs.Field(QStringLiteral("iCodLeggeVT")).toInt();
        r.tipo = rs.Field(QStringLiteral("cPaleseVT")).toString();
        r.voti = rs.Field(QStringLiteral("cVotiVT")).toString();
        r.votanti = rs.Field(QStringLiteral("cVotantiVT")).toString();
        r.nota = rs.Field(QStringLiteral("cNotaVotoVT")).toString();
        v.push_back(r);
    }
    return v;
}

// The letters of the events, without the entries and exits that the close's
// pass over the non-voters makes (those belong to the attendance tests).
inline QStringList LettereEventi()
{
    QStringList l;
    Recordset rs = dbArchivio.OpenQuery(QStringLiteral("SELECT cTipoEventoEV FROM ") + cTabelle[3] +
                                        QStringLiteral(" ORDER BY lCodiceEV;"));
    for (; !rs.Eof(); rs.MoveNext()) {
        const QString e = rs.Field(QStringLiteral("cTipoEventoEV")).toString();
        if (e.compare(QStringLiteral("E"), Qt::CaseInsensitive) != 0 &&
            e.compare(QStringLiteral("U"), Qt::CaseInsensitive) != 0)
            l << e;
    }
    return l;
}

class BancoVoto : public BancoConsole {
protected:
    virtual int Modello() const { return 4010; }

    void SetUp() override
    {
        BancoConsole::SetUp();
        if (HasFatalFailure()) return;
        // A clock running faster than the real one, so that waits pass quickly.
        ImpostaOrologio(&orologio);
        cConsiglio = QStringLiteral("Consiglio Comunale di Prova");
        iRichiedenti = {};
        cVotiPrecedenti.Azzera(QChar(u'0'));

        sim = std::make_unique<Simulatore>(PercorsoSimulatore(),
                                           QStringList{QStringLiteral("--device"), QString::number(Modello())});
        ASSERT_FALSE(sim->Percorso().isEmpty()) << "obx-sim did not start";
        ScrivePorte(archivio->Cartella(), {{3, sim->Percorso()}});
        iModoOBX = 4;
        iPortaTLV = 3;
        iProtocolloTLV = Modello();
        iPrimoTLV = 1;
        iUltimoTLV = 8;
        iTraccia = 0;

        f = Apre();
        ASSERT_NE(f, nullptr);
        ApreSeduta(f);
        // Everybody in, an item open.
        for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].iStato |= 1 | 8;
        iPresenti = int(aPosti.size()) - 1;
        iDelibera = 1;
        cTipoArg = QStringLiteral("D");
        cTipoVoto = QStringLiteral("P");
    }

    void TearDown() override
    {
        iModoVoto = 0;
        ChiudeComVotatori(0);
        BancoConsole::TearDown();
        sim.reset();
        ImpostaOrologio(nullptr);
        iModoOBX = 0;
    }

    // Clicks "Aperta" (or "Prova") and runs passo from inside the vote loop
    // until it returns true; fails when the click does not come back.
    void Vota(const std::function<bool()>& passo, int indice = 0) { CliccaDurante(f->cmdVoto(indice), passo); }

    OrologioVeloce orologio{10};
    std::unique_ptr<Simulatore> sim;
    frmCons* f = nullptr;
};

}  // namespace obx::test
