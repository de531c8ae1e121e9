// Times the data grid over 200,000 events: how soon it shows its first
// rows, a jump to the last row, and a scan of every row end to end through
// the grid, beside the same scan through SQLite's own C API and through a
// table record set in the same run.
//
//   bench_griglia [cartella]    (default: a temporary folder; an archive
//                                left there by an earlier run is used again)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <cstdio>

#include <sqlite3.h>

#include "BancoArchivio.h"
#include "platform/Database.h"
#include "platform/GrigliaDati.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"

using namespace obx;

namespace {

constexpr int kEventi = 200000;

void Riga(const char* cosa, double ms, int quanti = 0)
{
    if (quanti > 0)
        std::printf("%-48s %9.1f ms  (%.2f us la riga)\n", cosa, ms, 1000.0 * ms / quanti);
    else
        std::printf("%-48s %9.1f ms\n", cosa, ms);
}

double Ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

void CostruisceArchivio()
{
    GestisceArchivi(QStringLiteral("C"), true);
    dbArchivio.Open(cPathArchivio);
    dbArchivio.BeginTrans();
    Recordset ev = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    bench::AggiungeEventi(ev, kEventi, QStringLiteral("E"), QStringLiteral("Entrata"), QVariant(QString()));
    ev.Close();
    dbArchivio.CommitTrans();
}

// Every row and every column read through SQLite's own interface, texts as
// UTF-16 as the grid takes them.
int ScansioneSQLite(const QString& percorso, qint64* somma)
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(percorso.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "SELECT rowid, * FROM EVENTI ORDER BY lCodiceEV, rowid", -1, &st, nullptr);
    int righe = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        for (int i = 0; i < n; ++i) {
            switch (sqlite3_column_type(st, i)) {
            case SQLITE_INTEGER: *somma += sqlite3_column_int64(st, i); break;
            case SQLITE_FLOAT: *somma += qint64(sqlite3_column_double(st, i)); break;
            case SQLITE_TEXT:
                sqlite3_column_text16(st, i);
                *somma += sqlite3_column_bytes16(st, i);
                break;
            default: break;
            }
        }
        ++righe;
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
    return righe;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // As the program does at start-up (src/main.cpp).
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    const bench::BancoArchivio banco(argc, argv, QStringLiteral("griglia.db"));
    QElapsedTimer t;
    t.start();
    if (QFile::exists(cPathArchivio)) {
        dbArchivio.Open(cPathArchivio);
    } else {
        CostruisceArchivio();
        Riga("costruzione (200.000 eventi)", Ms(t));
    }

    // The same scans twice: the second, with the file in the system's
    // cache, is the one printed.
    qint64 somma = 0;
    double msSQLite = 0, msRecordset = 0, msGriglia = 0;
    int righeSQLite = 0, righeRecordset = 0, righeGriglia = 0;
    for (int giro = 0; giro < 2; ++giro) {
        t.restart();
        righeSQLite = ScansioneSQLite(cPathArchivio, &somma);
        msSQLite = Ms(t);

        Recordset ev = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
        t.restart();
        righeRecordset = 0;
        const int campi = ev.FieldCount();
        for (ev.MoveFirst(); !ev.Eof(); ev.MoveNext()) {
            for (int c = 0; c < campi; ++c) somma += ev.FieldAt(c).isValid();
            ++righeRecordset;
        }
        msRecordset = Ms(t);
        ev.Close();
    }

    // Opening: the rows a window shows first, read; then painted.  The same
    // on an empty table of the same archive, for comparison.
    for (const QString& tabella : {cTabelle[3], cTabelle[1]}) {
        GrigliaDati g;
        t.restart();
        g.ApriTabella(tabella);
        for (int r = 0; r < 40; ++r)
            for (int c = 0; c < int(g.Campi().size()); ++c) somma += g.TestoCella(r, c).size();
        Riga(tabella == cTabelle[3] ? "griglia: apertura su EVENTI, prime 40 righe lette"
                                    : "griglia: apertura su una tabella vuota",
             Ms(t));
    }
    GrigliaDati griglia;
    griglia.resize(1000, 700);
    t.restart();
    griglia.ApriTabella(cTabelle[3]);
    griglia.show();
    const QPixmap prima = griglia.grab();  // the first rows painted
    Riga("griglia: apertura e prime righe dipinte", Ms(t));
    const int visibili = griglia.rowAt(griglia.viewport()->height() - 1) + 1;

    QCoreApplication::processEvents();  // the rest of the rows counted
    t.restart();
    griglia.scrollToBottom();
    griglia.grab();
    Riga("griglia: salto all'ultima riga e pittura", Ms(t));

    // End to end, a page at a time as the operator scrolls: every cell of
    // every row asked of the grid, as each page's painting asks.
    GrigliaDati scorre;
    scorre.ApriTabella(cTabelle[3]);
    const int colonne = int(scorre.Campi().size());
    t.restart();
    righeGriglia = scorre.Righe();
    for (int r = 0; r < righeGriglia; ++r)
        for (int c = 0; c < colonne; ++c) somma += scorre.TestoCella(r, c).size();
    msGriglia = Ms(t);

    // Some hundred pages really painted, to show what painting adds.
    const int pagine = 500;
    griglia.scrollToTop();
    t.restart();
    for (int p = 0; p < pagine; ++p) {
        griglia.verticalScrollBar()->setValue(griglia.verticalScrollBar()->value() + visibili);
        somma += griglia.viewport()->grab().width();
    }
    const double msPagine = Ms(t);

    std::printf("\n%d eventi, %d colonne\n", righeGriglia, colonne);
    Riga("scansione con l'interfaccia C di SQLite", msSQLite, righeSQLite);
    Riga("scansione con un record set di tabella (MoveNext)", msRecordset, righeRecordset);
    Riga("scansione attraverso la griglia (ogni cella)", msGriglia, righeGriglia);
    std::printf("%-48s %9.1f\n", "griglia / SQLite", msGriglia / msSQLite);
    std::printf("%-48s %9.1f\n", "record set / SQLite", msRecordset / msSQLite);
    Riga("500 pagine scorse e dipinte", msPagine, pagine * visibili);
    if (prima.isNull() || somma == 0) std::fprintf(stderr, "nessuna riga?\n");

    griglia.Chiudi();
    scorre.Chiudi();
    dbArchivio.Close();
    return 0;
}
