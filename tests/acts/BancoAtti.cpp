#include "BancoAtti.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include "board/frmVideo.h"
#include "links/Tabellone.h"
#include "platform/Database.h"
#include "shell/Globali.h"
#include "shell/RecordAtti.h"
#include "support/QtApp.h"

namespace obx::test {

void GiraAtti(int ms)
{
    QElapsedTimer t;
    t.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < ms);
}

void AggiungeVoto(const VotoProva& v)
{
    QString votanti(120, QChar(0));
    QString voti(120, u'0');
    for (const auto& [persona, tasto] : v.tasti) {
        votanti[persona - 1] = QChar(char16_t(persona));
        voti[persona - 1] = tasto;
    }
    dbArchivio.Execute(
        QStringLiteral("INSERT INTO VOTI (lCodiceVT, iCodLeggeVT, iDeliberaVT, cPaleseVT, cNotaVotoVT, "
                       "iPresentiVT, iFavorevoliVT, iContrariVT, iAstenutiVT, cVotantiVT, cVotiVT) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {v.codice, v.atto, v.delibera != 0 ? v.delibera : v.atto, v.tipo, v.nota.leftJustified(120, u' '),
         v.presenti, v.favorevoli, v.contrari, v.astenuti, votanti, voti});
}

void BancoAtti::SetUp()
{
    EnsureQApp();
    servizi = std::make_unique<FakeServices>();
    ui = std::make_unique<ScriptedUI>();

    // Regional assembly, voting units wired, one monitor, no sitting.
    iPrenotazioni = 0;
    iOpzioniConsole = 0;
    iModoOBX = 4;
    iModoVoto = 0;
    iConfigOBX = 0;
    iPortaTAB = 0;
    iTipoTAB = 5;
    xLampo = false;
    xEsitoVideo = false;
    iModoAttivazione = 0;
    cConsiglio = QStringLiteral("Consiglio Regionale");
    cSepara = QStringLiteral("\\");
    lMonitor[0] = {1, 0, 0, 768, 1024};
    lMonitor[1] = {};
    cTipoVoto = QStringLiteral("-");
    cAttoCorrente = {};
    cTitoloTabellone = {};
    oTabellone = std::make_unique<Tabellone>();
    FrmVideo::CaricaAnagrafe = nullptr;

    archivio = std::make_unique<ArchivioProva>(4);
    ASSERT_TRUE(archivio->Valido());
    archivio->Consiglieri();
    archivio->Atti();
}

void BancoAtti::TearDown()
{
    if (frmCons* f = frmConsAperto()) {
        iModoVoto = 0;
        f->cmdConsiglio(0)->setText(QStringLiteral("Apertura"));
        f->Chiude();
    }
    ScaricaFrmVideo();
    GiraAtti(5);
    oTabellone.reset();
    archivio.reset();
    ui.reset();
    servizi.reset();
}

frmCons* BancoAtti::Apre()
{
    frmCons* f = ApreConsole();
    EXPECT_NE(f, nullptr);
    QElapsedTimer t;
    t.start();
    while (f && (!f->Attiva() || iModoAttivazione == 128) && t.elapsed() < 3000) GiraAtti(5);
    GiraAtti(10);
    EXPECT_TRUE(f && f->Attiva());
    return f;
}

void BancoAtti::Sceglie(frmCons* f, const QString& chiaveNodo)
{
    NodoAlbero* n = chiaveNodo.isEmpty() ? nullptr : f->oAlbero().Find(chiaveNodo);
    ASSERT_TRUE(chiaveNodo.isEmpty() || n) << chiaveNodo.toStdString();
    f->oAlbero().SetSelectedItem(n);
}

int BancoAtti::Righe() { return ArchivioProva::Righe(cTabelle[5]); }

bool BancoAtti::Esiste(int codice)
{
    RecordAtto r;
    return CercaAtto(codice, r);
}

}  // namespace obx::test
