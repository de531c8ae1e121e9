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
#include "support/ArchivioProva.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"
#include "support/Simulatore.h"

namespace obx::test {

inline void GiraVoto(int ms = 30)
{
    QElapsedTimer t;
    t.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < ms);
}

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

class BancoVoto : public ::testing::Test {
protected:
    virtual int Modello() const { return 4010; }

    void SetUp() override
    {
        AppTest();
        servizi = std::make_unique<FakeServices>();
        ImpostaOrologio(&orologio);
        ui = std::make_unique<ScriptedUI>();
        iPrenotazioni = 0;
        iOpzioniConsole = 0;
        iModoVoto = 0;
        iConfigOBX = 0;
        iPortaTAB = 0;
        iTipoTAB = 5;
        xLampo = false;
        xEsitoVideo = false;
        iModoAttivazione = 0;
        cConsiglio = QStringLiteral("Consiglio Comunale di Prova");
        cSepara = QStringLiteral("\\");
        lMonitor[0] = {1, 0, 0, 768, 1024};
        lMonitor[1] = {};
        cTipoVoto = QStringLiteral("-");
        cArgomentoPendente.clear();
        cNotaArgomento.clear();
        iRichiedenti = {};
        cVotiPrecedenti.Azzera(QChar(u'0'));
        oTabellone = std::make_unique<Tabellone>();
        FrmVideo::CaricaAnagrafe = nullptr;
        archivio = std::make_unique<ArchivioProva>(1);
        ASSERT_TRUE(archivio->Valido());
        archivio->Consiglieri();
        archivio->Argomenti();

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

        f = ApreConsole();
        ASSERT_NE(f, nullptr);
        QElapsedTimer t;
        t.start();
        while ((!f->Attiva() || iModoAttivazione == 128) && t.elapsed() < 3000) GiraVoto(5);
        GiraVoto(10);
        f->cmdConsiglio(0)->click();
        ASSERT_EQ(f->cmdConsiglio(0)->text(), QStringLiteral("Chiusura"));
        // Everybody in, an item open.
        for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].iStato |= 1 | 8;
        iPresenti = int(aPosti.size()) - 1;
        iDelibera = 1;
        cTipoArg = QStringLiteral("D");
        cTipoVoto = QStringLiteral("P");
    }

    void TearDown() override
    {
        if (frmCons* c = frmConsAperto()) {
            iModoVoto = 0;
            c->cmdConsiglio(0)->setText(QStringLiteral("Apertura"));
            c->Chiude();
        }
        ChiudeComVotatori(0);
        ScaricaFrmVideo();
        GiraVoto(5);
        sim.reset();
        oTabellone.reset();
        archivio.reset();
        ui.reset();
        ImpostaOrologio(nullptr);
        servizi.reset();
        iModoOBX = 0;
    }

    // Clicks "Aperta" (or "Prova") and runs passo from inside the vote loop
    // until it returns true; fails when the click does not come back.
    void Vota(const std::function<bool()>& passo, int indice = 0)
    {
        bool finito = false;
        QTimer t;
        t.setInterval(10);
        QObject::connect(&t, &QTimer::timeout, [&] {
            if (finito) return;
            finito = passo();
        });
        t.start();
        QElapsedTimer guardia;
        guardia.start();
        // A vote that never ends would hang here: the guard drops it.
        QTimer fermo;
        fermo.setSingleShot(true);
        QObject::connect(&fermo, &QTimer::timeout, [&] {
            ADD_FAILURE() << "the vote loop did not end";
            ChiudeSpoglio(kAbbandono);
        });
        fermo.start(15000);
        f->cmdVoto(indice)->click();
        t.stop();
        fermo.stop();
    }

    OrologioVeloce orologio{10};
    std::unique_ptr<FakeServices> servizi;
    std::unique_ptr<ScriptedUI> ui;
    std::unique_ptr<ArchivioProva> archivio;
    std::unique_ptr<Simulatore> sim;
    frmCons* f = nullptr;
};

}  // namespace obx::test
