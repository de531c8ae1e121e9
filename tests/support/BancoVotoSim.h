// The console on a fixture archive with its voting units wired to obx-sim
// on a pseudo-terminal (port 3), of the model Modello() names, and a clock
// running faster than the real one so that the link's waits pass quickly.
// A vote runs inside its opening click; the test acts meanwhile through
// Vota's step, run every few milliseconds from inside the vote loop until
// it returns true.  Also the rows a vote leaves: Voti() and LettereEventi().
#pragma once

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMap>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "console/Spoglio.h"
#include "console/frmCons.h"
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
    Recordset rs =
        dbArchivio.OpenQuery(QStringLiteral("SELECT * FROM ") + cTabelle[4] + QStringLiteral(" ORDER BY lCodiceVT;"));
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

class BancoVotoSim : public BancoConsole {
protected:
    virtual int Modello() const { return 4010; }
    // The simulator's log line that says the central has started a vote
    // (keys flow from then on).
    QString Apertura() const { return Modello() == 4010 ? QStringLiteral("EV open") : QStringLiteral("RX BB"); }

    // The archive, the central's simulator and its port; the console is
    // not opened yet.
    void SetUp() override
    {
        BancoConsole::SetUp();
        if (HasFatalFailure()) return;
        ImpostaOrologio(&orologio);
        cConsiglio = QStringLiteral("Consiglio Comunale di Prova");
        iRichiedenti = {};
        cVotiPrecedenti.Azzera(QChar(u'0'));

        sim = std::make_unique<Simulatore>(PercorsoSimulatore(),
                                           QStringList{QStringLiteral("--device"), QString::number(Modello())});
        ASSERT_FALSE(sim->Percorso().isEmpty()) << "obx-sim did not start";
        AggiungePorta(3, sim->Percorso());
        iModoOBX = kCablaggioVotatori;
        iPortaTLV = 3;
        iProtocolloTLV = Modello();
        iPrimoTLV = 1;
        iUltimoTLV = 8;
        iTraccia = 0;
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

    // Names one more device in the archive's "Porte.txt".
    void AggiungePorta(int porta, const QString& percorso)
    {
        porte[porta] = percorso;
        ScrivePorte(archivio->Cartella(), porte);
    }

    // Clicks "Aperta" (or "Prova") and runs passo from inside the vote loop
    // until it returns true; fails when the click does not come back.
    void Vota(const std::function<bool()>& passo, int indice = 0) { CliccaDurante(f->cmdVoto(indice), passo); }

    // One round of a vote: the keys the central is told to send, the keys
    // counted that end the round, and what runs then.
    struct Turno {
        QString tasti;
        int voti = 0;
        std::function<void()> poi;
    };
    // Opens the vote and, once the central has started it, plays the rounds
    // one after the other; after the last the vote is closed with
    // "Chiusura" (confirmed where the console asks), allaChiusura running
    // just before.
    void VotaATurni(const std::vector<Turno>& turni, const std::function<void()>& allaChiusura = {})
    {
        size_t turno = 0;
        bool aperta = false;
        const int aperture = sim->Conta(Apertura());
        Vota([&] {
            if (!aperta) {
                if (sim->Conta(Apertura()) <= aperture) return false;
                aperta = true;
                sim->Comando(turni[0].tasti);
                return false;
            }
            if (iVotiRicevuti < turni[turno].voti) return false;
            if (turni[turno].poi) turni[turno].poi();
            if (++turno < turni.size()) {
                sim->Comando(turni[turno].tasti);
                return false;
            }
            ChiudeConConferma(f, allaChiusura);
            return true;
        });
    }

    OrologioVeloce orologio{10};
    std::unique_ptr<Simulatore> sim;
    QMap<int, QString> porte;
    frmCons* f = nullptr;
};

}  // namespace obx::test
