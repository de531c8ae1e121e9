// Times the whole close of a 120-seat open vote as the console makes it
// (the sitting's opening, the notes the writers may overwrite, tally and
// outcome, then in one transaction the vote row, the marking of the votes
// it supersedes, the closing events with the marking of the closings they
// supersede, the notes given back, one commit) on a new archive and on
// the archive of years of sittings that bench_archivio builds (200,000
// events, 20,000 votes), and prints both and their ratio.  The goal: the
// close on the large archive within 1.5 times the close on the new one.
//
//   bench_chiusura [cartella [chiusure]]   (default: a temporary folder, 200
//                                           closes on each archive)
//
// Not timed: the console window, and the link's closing handshake with
// the central, which waits on the central's replies; both cost the same
// on any archive.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

#include "BancoArchivio.h"
#include "BancoVoto.h"
#include "console/Registri.h"
#include "console/Spoglio.h"
#include "console/TastiVoto.h"
#include "console/VotiSuperati.h"
#include "platform/Database.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"

using namespace obx;

namespace {

constexpr int kSeggi = 120;
constexpr int kEventi = 200000;
constexpr int kVoti = 20000;

struct Misure {
    std::vector<qint64> ns;
    double Quantile(double q) const
    {
        std::vector<qint64> v = ns;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : double(v[size_t(q * double(v.size() - 1))]) / 1000.0;
    }
};

// One close of the vote just keyed, as the console's own close makes it.
bool Chiusura(Recordset& rsVoti, Recordset& rsEventi)
{
    const QString tipo = cTipoVoto;
    const QDateTime inizioSeduta = InizioSeduta();
    const NoteVoti note = FotografaNote(tipo, iDelibera, inizioSeduta);
    const ChiusuraVoto r = ChiudeSpoglio(kChiusura);
    if (!r.xEseguita || r.iFavorevoli + r.iContrari + r.iAstenuti != kSeggi) {
        std::fprintf(stderr, "chiusura non eseguita o spoglio incompleto\n");
        return false;
    }
    dFineVoto = r.dFineVoto;
    RegistrazioneUnica registrazione;
    const MarcaturaNellaSeduta seduta(inizioSeduta);
    SalvaVotazione(rsVoti, false);
    if (!bench::ScriveEventiChiusura(rsEventi, r, kSeggi)) return false;
    RipristinaNote(note, true, false, inizioSeduta);
    return registrazione.Conclude(QStringLiteral("Voti"));
}

// The sitting opened now in the archive at cPathArchivio.
void ApreSeduta()
{
    dbArchivio.Open(cPathArchivio);
    Recordset ev = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    ev.AddNew();
    ev.SetField(QStringLiteral("dDataOraEV"), QDateTime::currentDateTime().addSecs(-60));
    ev.SetField(QStringLiteral("cTipoEventoEV"), QStringLiteral("A"));
    ev.SetField(QStringLiteral("cDescEventoEV"), QStringLiteral("Apertura Seduta"));
    ev.Update();
    ev.Close();
    dbArchivio.Close();
}

// n more closes on the archive at cPathArchivio, the v-th of the sitting
// first: a few votes on each of twenty items, as in a sitting.
bool Chiusure(int& v, int n, Misure& m)
{
    dbArchivio.Open(cPathArchivio);
    Recordset rsVoti, rsEventi;
    for (const int fine = v + n; v < fine; ++v) {
        iDelibera = 1 + v % 20;
        IniziaVoto(cTipoVoto, false, false);
        for (int k = 1; k <= kSeggi; ++k) MemorizzaVoti(k, QString(QChar::fromLatin1("365"[(k * 7 + v) % 3])));
        dInizioVoto = QDateTime::currentDateTime();
        QElapsedTimer t;
        t.start();
        if (!Chiusura(rsVoti, rsEventi)) return false;
        m.ns.push_back(t.nsecsElapsed());
    }
    rsVoti.Close();
    rsEventi.Close();
    dbArchivio.Close();
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bench::BancoArchivio banco(argc, argv, QStringLiteral("chiusura_vuoto.db"));
    const int nChiusure = argc > 2 ? std::max(1, atoi(argv[2])) : 200;
    const QString vuoto = cPathArchivio;
    const QString grande = vuoto.left(vuoto.lastIndexOf(u'/') + 1) + QStringLiteral("chiusura_grande.db");
    for (const QString& f : {vuoto, grande}) {
        QFile::remove(f);
        QFile::remove(PercorsoCopiaOld(f));
    }

    iTipoAssemblea = 1;
    cLettereVoti = QStringLiteral("PMH-----A--");
    iTraccia = 0;
    iFlagQuorum = 0;
    iStatoConsole = 0;
    cTipoVoto = QStringLiteral("P");
    iPrimoTLV = 1;
    iUltimoTLV = kSeggi;
    iModoOBX = 0;  // no device: the handshake is not timed
    bench::SeggiPresenti(kSeggi);

    cPathArchivio = vuoto;
    GestisceArchivi(QStringLiteral("C"), true);
    cPathArchivio = grande;
    QElapsedTimer t;
    t.start();
    bench::CostruisceArchivio(kEventi, kVoti);
    const qint64 msCostruzione = t.elapsed();
    // The upkeep the program makes at start-up, as on any day.
    GestisceArchivi(QStringLiteral("I"), true);
    GestisceArchivi(QStringLiteral("R"), true);
    dbArchivio.Close();
    // What the building left for the disk is written out first: every
    // commit of a close waits for the disk, and would wait for it too.
    ::sync();

    // The two archives take turns, twenty closes at a time, so that what
    // else the machine does weighs on both alike.
    Misure mVuoto, mGrande;
    for (const QString& f : {vuoto, grande}) {
        cPathArchivio = f;
        ApreSeduta();
    }
    int vVuoto = 0, vGrande = 0;
    while (vVuoto < nChiusure) {
        const int n = std::min(20, nChiusure - vVuoto);
        cPathArchivio = vuoto;
        if (!Chiusure(vVuoto, n, mVuoto)) return 1;
        cPathArchivio = grande;
        if (!Chiusure(vGrande, n, mGrande)) return 1;
    }

    std::printf("archivio grande: %d eventi, %d voti (costruito in %lld ms)\n", kEventi, kVoti,
                static_cast<long long>(msCostruzione));
    std::printf("%d chiusure di %d seggi per archivio, in una seduta aperta ora\n", nChiusure, kSeggi);
    auto riga = [](const char* cosa, const Misure& m) {
        std::printf("%-36s mediana %8.1f us  95%% %8.1f us  max %8.1f us\n", cosa, m.Quantile(0.5), m.Quantile(0.95),
                    m.Quantile(1.0));
    };
    riga("chiusura intera, archivio nuovo", mVuoto);
    riga("chiusura intera, archivio grande", mGrande);
    const double rapporto = mGrande.Quantile(0.5) / std::max(mVuoto.Quantile(0.5), 0.001);
    std::printf("%-36s %8.2f  (obiettivo: al massimo 1,50)\n", "rapporto delle mediane", rapporto);
    return rapporto <= 1.5 ? 0 : 2;
}
