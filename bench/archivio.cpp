// Times the archive at the size of years of sittings: 200,000 events and
// 20,000 votes; the start-up upkeep (repair and compaction, restructuring),
// the restructuring that adds the indexes of a vote's close to an archive
// of an older program, and 10,000 seeks on the record sets the console uses,
// beside the same lookups through SQLite's own interface on the same file.
//
//   bench_archivio [cartella]    (default: a temporary folder)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <vector>

#include <sqlite3.h>

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
        // The same keys for the record set and for the engine's own lookup;
        // each side runs them once to warm its cache, then once timed.
        std::vector<int> chiavi(kRicerche);
        for (int& k : chiavi) k = int(caso.bounded(1, kVoti + 1));
        Recordset vt = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
        auto nostre = [&](size_t da, size_t a) {
            int trovati = 0;
            for (size_t i = da; i < a; ++i) {
                const int k = chiavi[i];
                vt.Seek(QStringLiteral("="), k);
                if (!vt.NoMatch() && vt.Field(QStringLiteral("cVotiVT")).toString().size() == 120) ++trovati;
            }
            return trovati;
        };

        // SQLite's own indexed lookup on the same file: prepared once, then
        // bind, step, every column read, reset.
        QString campo;
        for (const DefIndice& i : dbArchivio.Indexes(cTabelle[4]))
            if (i.nome == u"TAG_A") campo = i.campi.value(0);
        sqlite3* h = nullptr;
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = QStringLiteral("SELECT * FROM \"%1\" WHERE \"%2\" = ?").arg(cTabelle[4], campo).toUtf8();
        if (sqlite3_open_v2(QFile::encodeName(cPathArchivio).constData(), &h, SQLITE_OPEN_READONLY, nullptr) !=
                SQLITE_OK ||
            sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "SQLite: %s\n", sqlite3_errmsg(h));
            return 1;
        }
        const int colVoti = [&] {
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                if (qstricmp(sqlite3_column_name(st, c), "cVotiVT") == 0) return c;
            return -1;
        }();
        long long somma = 0;
        auto dirette = [&](size_t da, size_t a) {
            int trovati = 0;
            for (size_t i = da; i < a; ++i) {
                const int k = chiavi[i];
                sqlite3_bind_int(st, 1, k);
                if (sqlite3_step(st) == SQLITE_ROW) {
                    for (int c = 0; c < sqlite3_column_count(st); ++c) {
                        switch (sqlite3_column_type(st, c)) {
                        case SQLITE_INTEGER: somma += sqlite3_column_int64(st, c); break;
                        case SQLITE_FLOAT: somma += static_cast<long long>(sqlite3_column_double(st, c)); break;
                        case SQLITE_TEXT:
                            somma += *sqlite3_column_text(st, c);
                            somma += sqlite3_column_bytes(st, c);
                            break;
                        case SQLITE_BLOB: somma += sqlite3_column_bytes(st, c); break;
                        default: break;
                        }
                    }
                    if (sqlite3_column_bytes(st, colVoti) == 120) ++trovati;
                }
                sqlite3_reset(st);
            }
            return trovati;
        };

        QElapsedTimer tn;
        // The two sides take turns over slices of the keys, so that a
        // machine busy with other work weighs on both alike.
        auto confronto = [&](const char* nome) {
            nostre(0, chiavi.size());
            dirette(0, chiavi.size());
            int trovati = 0, trovatiSql = 0;
            qint64 nsNostra = 0, nsSql = 0;
            constexpr size_t kFetta = 500;
            for (size_t da = 0; da < chiavi.size(); da += kFetta) {
                const size_t a = std::min(chiavi.size(), da + kFetta);
                tn.start();
                trovati += nostre(da, a);
                nsNostra += tn.nsecsElapsed();
                tn.start();
                trovatiSql += dirette(da, a);
                nsSql += tn.nsecsElapsed();
            }
            if (trovati != kRicerche) std::fprintf(stderr, "trovati solo %d\n", trovati);
            if (trovatiSql != kRicerche) std::fprintf(stderr, "SQLite: trovati solo %d (%lld)\n", trovatiSql, somma);
            std::printf("%-44s %8.1f us contro %.1f us: %.2f volte\n", nome, nsNostra / 1000.0 / kRicerche,
                        nsSql / 1000.0 / kRicerche, double(nsNostra) / double(nsSql));
            return nsNostra;
        };
        const qint64 nsNostra = confronto("Seek \"=\" rispetto a SQLite diretto");
        Riga("10.000 Seek \"=\" su VOTI TAG_A e lettura", nsNostra / 1000000, kRicerche);
        // The same with the whole file in each connection's cache: the cost
        // of the lookup itself, without the reads of the file.
        for (sqlite3* c : {dbArchivio.Motore(), h})
            sqlite3_exec(c, "PRAGMA cache_size = -262144", nullptr, nullptr, nullptr);
        confronto("  con tutto l'archivio nella cache");
        // And inside one transaction on each side: the lookup without the
        // locks the engine takes and leaves at every statement of its own.
        dbArchivio.BeginTrans();
        sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
        confronto("  dentro una transazione");
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        dbArchivio.CommitTrans();
        sqlite3_finalize(st);
        sqlite3_close(h);
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
