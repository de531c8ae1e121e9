// Times the printed minutes of votes of 120 seats written to a PDF file:
// the minutes of the vote just closed, as the console prints them at the
// close, and every stored vote of an archive in one job, as "Stampa" of the
// vote list prints them.  Then the vote list window itself over 20,000
// stored votes: opened until its first rows are painted, and scrolled end
// to end a page at a time, every page painted.
//
//   bench_stampa [voti]    (default: 200 stored votes; 20 closed votes)
//
// Not timed: the printer dialog (answered at once) and a printer's own
// spooling; the file is written by Qt's PDF engine.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/GrigliaDati.h"
#include "platform/Testo.h"
#include "reports/Stampa.h"
#include "reports/VerbaleVoto.h"
#include "reports/frmVoti.h"
#include "shell/Anagrafe.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"

using namespace obx;

namespace {

constexpr int kSeggi = 120;

// Keys of seat (person code) c: 80 yes, 30 no, 10 abstain.
QChar Tasto(int c) { return c <= 80 ? u'3' : c <= 110 ? u'6' : u'5'; }

void RiempieRegistro()
{
    Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
    for (int c = 1; c <= kSeggi; ++c) {
        rs.AddNew();
        rs.SetField(QStringLiteral("bCodiceAN"), c);
        rs.SetField(QStringLiteral("cNomeAN"), QStringLiteral("Consigliere %1").arg(c, 3, 10, QChar(u'0')));
        rs.SetField(QStringLiteral("cTipoAN"), c == 1   ? QStringLiteral("P")
                                               : c == 2 ? QStringLiteral("S")
                                                        : QStringLiteral("C"));
        rs.SetField(QStringLiteral("cNomeBreveAN"), QStringLiteral("CONS %1").arg(c));
        rs.SetField(QStringLiteral("cPartitoAN"), QStringLiteral("Lista"));
        rs.SetField(QStringLiteral("iVotatoreAN"), c);
        rs.Update();
    }
    rs.Close();
}

// Stores n votes of every seat, from 09:00 of 5 May 2026, five minutes apart
// after those already stored.
void VotiMemorizzati(int n)
{
    QString voti(120, u'0'), votanti(120, QChar(0));
    for (int c = 1; c <= kSeggi; ++c) {
        voti[c - 1] = Tasto(c);
        votanti[c - 1] = QChar(c);
    }
    dbArchivio.BeginTrans();
    Recordset rs = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
    const QDateTime inizio(QDate(2026, 5, 5), QTime(9, 0));
    const int gia = rs.RecordCount();
    for (int i = gia; i < gia + n; ++i) {
        rs.AddNew();
        rs.SetField(QStringLiteral("dDataOraIniVT"), inizio.addSecs(qint64(i) * 300));
        rs.SetField(QStringLiteral("dDataOraFinVT"), inizio.addSecs(qint64(i) * 300 + 60));
        rs.SetField(QStringLiteral("cPaleseVT"), QStringLiteral("P"));
        rs.SetField(QStringLiteral("iPresentiVT"), kSeggi);
        rs.SetField(QStringLiteral("iQuorumVT"), 61);
        rs.SetField(QStringLiteral("iFavorevoliVT"), 80);
        rs.SetField(QStringLiteral("iContrariVT"), 30);
        rs.SetField(QStringLiteral("iAstenutiVT"), 10);
        rs.SetField(QStringLiteral("iDeliberaVT"), 1);
        rs.SetField(QStringLiteral("cVotiVT"), voti);
        rs.SetField(QStringLiteral("cVotantiVT"), votanti);
        rs.SetField(QStringLiteral("cPresidenteVT"), PadTaglia(QStringLiteral("Consigliere 001"), 30));
        rs.SetField(QStringLiteral("cArgomentoVT"), PadTaglia(QStringLiteral("Bilancio di previsione"), 30));
        rs.SetField(QStringLiteral("cNotaVotoVT"), QString(120, u' '));
        rs.Update();
    }
    rs.Close();
    dbArchivio.CommitTrans();
}

// The console's state after a vote of every seat.
void VotoChiuso()
{
    cTipoVoto = QStringLiteral("P");
    iDelibera = 1;
    iFlagQuorum = 0;
    iQuorum[3] = 61;
    cArgomento = {};
    cArgomento[5] = QStringLiteral("Bilancio di previsione");
    cNotaArgomento.clear();
    cArgomentoPendente.clear();
    iRichiedenti = {};
    dInizioVoto = QDateTime(QDate(2026, 5, 5), QTime(9, 0));
    iPresenti = kSeggi;
    iFavorevoli = 80;
    iContrari = 30;
    iAstenuti = 10;
    for (size_t i = 1; i < aPosti.size(); ++i) {
        aPosti[i].iStato = 9;
        aPosti[i].cVoto = QString(Tasto(int(i)));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DialoghiScriptati ui;  // only the printer dialog is expected
    ui.Fallimento = [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); };
    ImpostaUI(&ui);
    const int nArchivio = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    constexpr int nConsole = 20;

    QTemporaryDir temp;
    cCartella = temp.path() + u'/';
    iTipoAssemblea = 1;
    ImpostaTabelleFisse();
    ImpostaVocabolari();
    cPathArchivio = cCartella + QStringLiteral("bench.db");
    GestisceArchivi(QStringLiteral("C"), true);
    dbArchivio.Open(cPathArchivio);
    RiempieRegistro();
    if (!GestisceAnagrafe(true)) return 1;

    int pagine = 0;
    ImpostaOsservatoreStampa([&pagine](int pg, int, int, const QString&) { pagine = std::max(pagine, pg); });

    std::printf("verbali di voto di %d seggi (80 favorevoli, 30 contrari, 10 astenuti) in PDF\n", kSeggi);

    // The minutes of the vote just closed, one job each.
    bConsoleAperta = true;
    VotoChiuso();
    const QString fileConsole = cCartella + QStringLiteral("console.pdf");
    Stampante().setOutputFileName(fileConsole);
    QElapsedTimer t;
    t.start();
    StampaVerbaleVoto(false, QString());
    const double primo = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    for (int i = 0; i < nConsole; ++i) StampaVerbaleVoto(false, QString());
    const double console = double(t.nsecsElapsed()) / 1e6;
    std::printf("%-44s %9.1f ms\n", "primo verbale (caricamento del carattere)", primo);
    std::printf("%-44s %9.1f ms  l'uno  (%d pagine, %.0f kB)\n", "verbale alla chiusura (20 volte)", console / nConsole,
                pagine, double(QFileInfo(fileConsole).size()) / 1024.0);

    // Every stored vote in one job.
    VotiMemorizzati(nArchivio);
    bConsoleAperta = false;
    const QString fileArchivio = cCartella + QStringLiteral("archivio.pdf");
    Stampante().setOutputFileName(fileArchivio);
    int pagineTotali = 0;
    ImpostaOsservatoreStampa(
        [&pagineTotali](int pg, int, int, const QString&) { pagineTotali = std::max(pagineTotali, pg); });
    ui.AttendiStampante(true);
    t.restart();
    StampaVerbaleVoto(true, QString());
    const double archivio = double(t.nsecsElapsed()) / 1e6;
    char cosa[64];
    std::snprintf(cosa, sizeof cosa, "%d verbali memorizzati in un lavoro", nArchivio);
    std::printf("%-44s %9.1f ms  (%.1f ms l'uno, %d pagine, %.0f kB)\n", cosa, archivio, archivio / nArchivio,
                pagineTotali, double(QFileInfo(fileArchivio).size()) / 1024.0);

    ImpostaOsservatoreStampa(nullptr);

    // The vote list over 20,000 stored votes.
    constexpr int kLista = 20000;
    t.restart();
    VotiMemorizzati(kLista - nArchivio);
    std::printf("\nlista dei voti su %d voti memorizzati (archivio riempito in %.0f ms)\n", kLista,
                double(t.nsecsElapsed()) / 1e6);
    t.restart();
    frmVoti* w = frmVoti::Mostra();
    w->grab();  // the first rows painted
    std::printf("%-44s %9.1f ms\n", "apertura e prime righe dipinte", double(t.nsecsElapsed()) / 1e6);
    QCoreApplication::processEvents();  // the rest of the rows counted
    GrigliaDati* g = w->broVoti;
    const int visibili = std::max(1, g->rowAt(g->viewport()->height() - 1) - g->rowAt(0) + 1);
    QScrollBar* barra = g->verticalScrollBar();
    int pagineLista = 0;
    qint64 somma = 0;
    t.restart();
    for (barra->setValue(0);; barra->setValue(barra->value() + visibili)) {
        somma += g->viewport()->grab().width();
        ++pagineLista;
        if (barra->value() >= barra->maximum()) break;
    }
    const double scorrimento = double(t.nsecsElapsed()) / 1e6;
    std::printf("%-44s %9.1f ms  (%d pagine di %d righe, %.2f ms la pagina)\n", "scorrimento da capo a fondo",
                scorrimento, pagineLista, visibili, scorrimento / pagineLista);
    t.restart();
    g->scrollToTop();
    g->grab();
    g->scrollToBottom();
    g->grab();
    std::printf("%-44s %9.1f ms\n", "salto in cima e in fondo, dipinti", double(t.nsecsElapsed()) / 1e6);
    if (g->Righe() != kLista || somma == 0) std::fprintf(stderr, "righe: %d\n", g->Righe());
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    dbArchivio.Close();
    ImpostaUI(nullptr);
    return 0;
}
