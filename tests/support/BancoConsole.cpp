#include "support/BancoConsole.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include "console/Spoglio.h"

#include "board/frmVideo.h"
#include "links/Tabellone.h"
#include "platform/Database.h"
#include "platform/Elenchi.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/QtApp.h"

namespace obx::test {

void Gira(int ms)
{
    QElapsedTimer t;
    t.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < ms);
}

bool GiraFinche(const std::function<bool()>& cond, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!cond()) {
        if (t.elapsed() >= ms) return cond();
        Gira(10);
    }
    return true;
}

std::vector<RigaEvento> Eventi()
{
    std::vector<RigaEvento> v;
    Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    if (rs.RecordCount() == 0) return v;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        RigaEvento r;
        r.codice = rs.Field(QStringLiteral("lCodiceEV")).toInt();
        r.lettera = rs.Field(QStringLiteral("cTipoEventoEV")).toString();
        r.descrizione = rs.Field(QStringLiteral("cDescEventoEV")).toString();
        r.nome = rs.Field(QStringLiteral("cNomeEV")).toString();
        r.extra = rs.Field(QStringLiteral("cExtraDescEV")).toString();
        r.tipoArg = rs.Field(QStringLiteral("cTipoArgEV")).toString();
        r.presenti = rs.Field(QStringLiteral("iPresentiEV")).toInt();
        r.delibera = rs.Field(QStringLiteral("iDeliberaEV")).toInt();
        r.codVoto = rs.Field(QStringLiteral("lCodVotoEV")).toInt();
        r.data = rs.Field(QStringLiteral("dDataOraEV")).toDateTime();
        v.push_back(r);
    }
    return v;
}

void CliccaDurante(QAbstractButton* pulsante, const std::function<bool()>& passo, int ms)
{
    bool finito = false;
    QTimer t;
    t.setInterval(10);
    QObject::connect(&t, &QTimer::timeout, [&] {
        if (!finito) finito = passo();
    });
    t.start();
    QTimer fermo;
    fermo.setSingleShot(true);
    QObject::connect(&fermo, &QTimer::timeout, [&] {
        ADD_FAILURE() << "the vote loop did not end";
        ChiudeSpoglio(kAbbandono);
    });
    fermo.start(ms);
    pulsante->click();
    t.stop();
    fermo.stop();
}

void BancoConsole::SetUp()
{
    EnsureQApp();
    servizi = std::make_unique<FakeServices>();
    ui = std::make_unique<ScriptedUI>();

    // An installation with no sitting, voting units wired, one monitor: the
    // default settings and the sitting state of a console just reset, then
    // what the console tests count on beyond them.
    ImpostaConfigurazionePredefinita();
    AzzeraStatoSeduta();
    iPrenotazioni = 0;
    iOpzioniConsole = 0;
    iModoOBX = kCablaggioVotatori;
    iModoVoto = 0;
    iPortaTAB = 0;
    iTipoTAB = 5;
    iModoAttivazione = 0;
    cConsiglio = QStringLiteral("Consiglio Comunale di Valdoria");
    lMonitor[0] = {1, 0, 0, 768, 1024};
    lMonitor[1] = {};
    cArgomentoPendente.clear();
    cNotaArgomento.clear();
    cSegretari = {};
    oTabellone = std::make_unique<Tabellone>();
    FrmVideo::CaricaAnagrafe = nullptr;

    archivio = std::make_unique<ArchivioProva>(Tipo());
    ASSERT_TRUE(archivio->Valido());
    archivio->Consiglieri();
    if (Tipo() == 4)
        archivio->Atti();
    else
        archivio->Argomenti();
}

void BancoConsole::TearDown()
{
    if (frmCons* f = frmConsAperto()) {
        // Closed without questions: no sitting, no vote.
        iModoVoto = 0;
        f->cmdConsiglio(0)->setText(QStringLiteral("Apertura"));
        f->Chiude();
    }
    ScaricaFrmVideo();
    Gira(5);
    oTabellone.reset();
    archivio.reset();
    ui.reset();
    servizi.reset();
}

frmCons* BancoConsole::Apre()
{
    frmCons* f = ApreConsole();
    EXPECT_NE(f, nullptr);
    QElapsedTimer t;
    t.start();
    while (f && (!f->Attiva() || iModoAttivazione == 128) && t.elapsed() < 3000) Gira(5);
    Gira(10);
    EXPECT_TRUE(f && f->Attiva());
    EXPECT_EQ(iModoAttivazione, 0);
    return f;
}

void BancoConsole::ApreSeduta(frmCons* f)
{
    f->cmdConsiglio(0)->click();
    ASSERT_EQ(f->cmdConsiglio(0)->text(), QStringLiteral("Chiusura"));
}

void BancoConsole::TuttiPresentiArgomentoAperto()
{
    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].iStato |= 1 | 8;
    iPresenti = int(aPosti.size()) - 1;
    iDelibera = 1;
    cTipoArg = QStringLiteral("D");
    cTipoVoto = QStringLiteral("P");
}

frmCons* BancoConsole::ApreConSeduta()
{
    frmCons* f = Apre();
    if (f) ApreSeduta(f);
    return f;
}

void BancoConsole::ChiudeConConferma(frmCons* f, const std::function<void()>& prima)
{
    if (f->lstVotanti()->ListCount() > 0) (*ui)->AttendiMsg(QStringLiteral("Confermi chiusura votazione ?"), vbOK);
    if (prima) prima();
    f->cmdVoto_Click(3);
}

void BancoConsole::Riattiva(frmCons* f)
{
    f->activateWindow();
    QElapsedTimer t;
    t.start();
    while (!f->Attiva() && t.elapsed() < 3000) Gira(5);
    Gira(10);
}

}  // namespace obx::test
