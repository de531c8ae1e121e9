#include "support/ConsoleProva.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QPushButton>

#include "board/frmVideo.h"
#include "links/Tabellone.h"
#include "platform/Database.h"
#include "platform/Temporizzatore.h"
#include "shell/Globali.h"
#include "support/QtApp.h"

namespace obx::test {

void GiraConsole(int ms)
{
    QElapsedTimer t;
    t.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < ms);
}

std::vector<EventoProva> EventiRegistrati()
{
    std::vector<EventoProva> v;
    Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    if (rs.RecordCount() == 0) return v;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        v.push_back({rs.Field(QStringLiteral("cTipoEventoEV")).toString(),
                     rs.Field(QStringLiteral("cNomeEV")).toString().trimmed()});
    return v;
}

void ConsoleProva::SetUp()
{
    EnsureQApp();
    servizi = std::make_unique<FakeServices>();
    ui = std::make_unique<ScriptedUI>();

    // An installation with no sitting, voting units wired, one monitor.
    iPrenotazioni = 0;
    iOpzioniConsole = 0;
    iModoOBX = 4;
    iModoVoto = 0;
    iConfigOBX = 0;
    iPortaTAB = 0;
    iTipoTAB = 5;
    xLampo = false;
    xEsitoVideo = false;
    xColoriVoto = false;
    iModoAttivazione = 0;
    iTraccia = 0;
    iTempoRelatore = 5;
    iTempoMaxPartito = 10;
    iNMaxInterventi = 9999;
    cConsiglio = QStringLiteral("Consiglio Comunale di Valdoria");
    cSepara = QStringLiteral("\\");
    lMonitor[0] = {1, 0, 0, 768, 1024};
    lMonitor[1] = {};
    cTipoVoto = QStringLiteral("-");
    cEsito.clear();
    cArgomentoPendente.clear();
    cNotaArgomento.clear();
    cSegretari = {};
    aPrenotati.assign(1, Prenotato{});
    oTabellone = std::make_unique<Tabellone>();
    FrmVideo::CaricaAnagrafe = nullptr;

    archivio = std::make_unique<ArchivioProva>(1);
    ASSERT_TRUE(archivio->Valido());
    archivio->Consiglieri();
    archivio->Argomenti();
}

void ConsoleProva::TearDown()
{
    if (frmCons* f = frmConsAperto()) {
        // Closed without questions: no sitting, no vote.
        iModoVoto = 0;
        f->cmdConsiglio(0)->setText(QStringLiteral("Apertura"));
        f->Chiude();
    }
    ScaricaFrmVideo();
    GiraConsole(5);
    oTabellone.reset();
    archivio.reset();
    ui.reset();
    servizi.reset();
    iModoOBX = 0;
    iStatoConsole = 0;
}

frmCons* ConsoleProva::Apre()
{
    frmCons* f = ApreConsole();
    EXPECT_NE(f, nullptr);
    QElapsedTimer t;
    t.start();
    while (f && (!f->Attiva() || iModoAttivazione == 128) && t.elapsed() < 3000) GiraConsole(5);
    GiraConsole(10);
    EXPECT_TRUE(f && f->Attiva());
    if (f) f->croTimer().SetEnabled(false);
    return f;
}

void ConsoleProva::ApreSeduta(frmCons* f)
{
    f->cmdConsiglio(0)->click();
    ASSERT_EQ(f->cmdConsiglio(0)->text(), QStringLiteral("Chiusura"));
}

void ConsoleProva::Ora(int h, int m, int s)
{
    servizi->clock.Imposta(QDateTime(QDate(2026, 1, 15), QTime(h, m, s)));
}

}  // namespace obx::test
