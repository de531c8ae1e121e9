// Times the archive at the size of years of sittings: 200,000 events and
// 20,000 votes; the start-up upkeep (repair and compaction, restructuring),
// the restructuring that adds the indexes of a vote's close to an archive
// of an older program, and 10,000 seeks on the record sets the console uses.
//
//   bench_archivio [cartella]    (default: a temporary folder)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <cstdio>

#include "BancoArchivio.h"
#include "platform/Database.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"
#include "shell/Schema.h"

using namespace obx;

namespace {

constexpr int kEventi = 200000;
constexpr int kVoti = 20000;
constexpr int kRicerche = 10000;

void Riga(const char* cosa, qint64 ms, int quanti = 0)
{
    if (quanti > 0)
        std::printf("%-44s %8lld ms  (%.1f us l'una)\n", cosa, static_cast<long long>(ms),
                    1000.0 * double(ms) / quanti);
    else
        std::printf("%-44s %8lld ms\n", cosa, static_cast<long long>(ms));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bench::BancoArchivio banco(argc, argv, QStringLiteral("bench.db"));
    QFile::remove(cPathArchivio);
    QFile::remove(PercorsoCopiaOld(cPathArchivio));
    QElapsedTimer t;

    t.start();
    bench::CostruisceArchivio(kEventi, kVoti);
    Riga("costruzione (200.000 eventi, 20.000 voti)", t.elapsed());
    std::printf("%-44s %8.1f MB\n", "dimensione dell'archivio", QFileInfo(cPathArchivio).size() / 1048576.0);

    t.restart();
    GestisceArchivi(QStringLiteral("I"), true);
    const qint64 msI = t.elapsed();
    Riga("riorganizzazione (verifica, compattazione, .old)", msI);
    t.restart();
    GestisceArchivi(QStringLiteral("R"), true);
    const qint64 msR = t.elapsed();
    Riga("ristrutturazione (archivio aggiornato)", msR);
    Riga("manutenzione all'avvio, totale", msI + msR);
    // The same archive as an older program left it, without the indexes
    // of a vote's close: what they add to the check and the compaction,
    // and the restructuring that makes them, once.
    for (const IndiceInterno& i : IndiciInterni()) {
        QSqlQuery q(dbArchivio.Connessione());
        q.exec(QStringLiteral("DROP INDEX \"%1\"").arg(i.nome));
    }
    dbArchivio.Close();
    t.restart();
    GestisceArchivi(QStringLiteral("I"), true);
    Riga("riorganizzazione, senza gli indici interni", t.elapsed());
    t.restart();
    GestisceArchivi(QStringLiteral("R"), true);
    Riga("ristrutturazione che li crea (una volta)", t.elapsed());

    QRandomGenerator caso(42);
    {
        Recordset vt = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
        t.restart();
        int trovati = 0;
        for (int i = 0; i < kRicerche; ++i) {
            vt.Seek(QStringLiteral("="), int(caso.bounded(1, kVoti + 1)));
            if (!vt.NoMatch() && vt.Field(QStringLiteral("cVotiVT")).toString().size() == 120) ++trovati;
        }
        Riga("10.000 Seek \"=\" su VOTI TAG_A e lettura", t.elapsed(), kRicerche);
        if (trovati != kRicerche) std::fprintf(stderr, "trovati solo %d\n", trovati);
    }
    {
        Recordset ev = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
        t.restart();
        for (int i = 0; i < kRicerche; ++i) ev.Seek(QStringLiteral(">="), int(caso.bounded(1, kEventi + 1)));
        Riga("10.000 Seek \">=\" su EVENTI TAG_A", t.elapsed(), kRicerche);
        t.restart();
        int n = 0;
        for (ev.MoveFirst(); !ev.Eof(); ev.MoveNext()) ++n;
        Riga("scorrimento di tutti gli eventi (MoveNext)", t.elapsed(), n);
        t.restart();
        for (int i = 0; i < 1000; ++i) {
            ev.AddNew();
            ev.SetField(QStringLiteral("cNomeEV"), QStringLiteral("Nuovo"));
            ev.Update();
        }
        Riga("1.000 eventi scritti uno per transazione", t.elapsed(), 1000);
    }
    dbArchivio.Close();
    return 0;
}
