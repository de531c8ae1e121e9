// The archive's own safety nets: an empty or foreign file at start-up, a
// commit that meets a full disk, a command file that would leave its group,
// a grid expression that would hold the program.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <QSqlDriver>

#include <sqlite3.h>

#include <csignal>
#include <sys/resource.h>

#include "platform/Database.h"
#include "platform/Errore.h"
#include "platform/GrigliaDati.h"
#include "shell/Avvio.h"
#include "shell/Configurazione.h"
#include "shell/FileComandi.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"
#include "support/ArchivioProva.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"

using namespace obx;
using obx::test::Impronta;

namespace {

int Eventi(Database& db) { return int(db.RowCount(QStringLiteral("EVENTI"))); }

// While alive, no file of the process may grow past `byte`: a write beyond
// fails as on a full disk.
class DiscoPieno {
public:
    explicit DiscoPieno(rlim_t byte)
    {
        m_segnale = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_prima);
        rlimit r = m_prima;
        r.rlim_cur = byte;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~DiscoPieno()
    {
        setrlimit(RLIMIT_FSIZE, &m_prima);
        std::signal(SIGXFSZ, m_segnale);
    }

private:
    rlimit m_prima{};
    void (*m_segnale)(int) = nullptr;
};

}  // namespace

// ---------------------------------------------------------------------------
// Empty and foreign files at start-up

TEST(ArchivioVuotoOEstraneo, NeverBecomesAnEmptyArchiveNorReplacesTheGoodCopy)
{
    test::EnsureQApp();
    struct Caso {
        const char* nome;
        std::function<void(const QString&)> prepara;
    };
    const std::vector<Caso> casi = {
        {"file di 0 byte",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         }},
        {"database senza le tabelle dell'archivio",
         [](const QString& p) {
             Database db;
             db.Create(p);
             db.Execute(QStringLiteral("CREATE TABLE Clienti (Nome TEXT(20))"));
         }},
        {"database del tutto vuoto",
         [](const QString& p) {
             Database db;
             db.Create(p);
         }},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir dir;
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        dbArchivio.Close();
        ASSERT_TRUE(ImpostaPercorsi(dir.path() + QStringLiteral("/aula.db")));
        const QString old = PercorsoCopiaOld(cPathArchivio);
        // The last good copy: a whole archive.
        {
            test::ScriptedUI ui;
            const QString prima = cPathArchivio;
            cPathArchivio = old;
            ASSERT_TRUE(GestisceArchivi(QStringLiteral("C"), true));
            cPathArchivio = prima;
        }
        c.prepara(cPathArchivio);
        const QByteArray archivio = Impronta(cPathArchivio), copia = Impronta(old);
        test::ScriptedUI ui;
        ui->AttendiMsg(QStringLiteral(" Errore  3343"), vbOK, true);
        ui->AttendiMsg(QStringLiteral("Riorganizzazione Fallita"));
        ui->AttendiMsg(QStringLiteral("Archivio danneggiato: ") + cPathArchivio, vbOK, true);
        EXPECT_FALSE(ManutieneArchivio(true));
        const QString testo = ui->Storia().empty() ? QString() : ui->Storia().back().testo;
        EXPECT_TRUE(testo.contains(old)) << testo.toStdString();
        EXPECT_FALSE(dbArchivio.IsOpen());
        EXPECT_EQ(Impronta(cPathArchivio), archivio);
        EXPECT_EQ(Impronta(old), copia);
        EXPECT_FALSE(QFileInfo::exists(cPathArchivio + QStringLiteral(".compatta")));
    }
}

TEST(ArchivioVuotoOEstraneo, AnArchiveWithSomeTablesIsStillBroughtToTheSchema)
{
    QTemporaryDir dir;
    ImpostaConfigurazionePredefinita();
    dbArchivio.Close();
    ASSERT_TRUE(ImpostaPercorsi(dir.path() + QStringLiteral("/vecchio.db")));
    {
        Database db;
        db.Create(cPathArchivio);
        db.CreateTable(QStringLiteral("EVENTI"), {{QStringLiteral("lCodiceEV"), TipoCampo::Long, 0},
                                                  {QStringLiteral("cNomeEV"), TipoCampo::Text, 30}});
    }
    test::ScriptedUI ui;
    EXPECT_TRUE(ManutieneArchivio(true));
    ASSERT_TRUE(dbArchivio.IsOpen());
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(dbArchivio.TableExists(cTabelle[i])) << i;
    dbArchivio.Close();
}

// ---------------------------------------------------------------------------
// A commit on a full disk

TEST(TransazioneSuDiscoPieno, AfterAFailedCommitTheNextGroupIsAgainOneTransaction)
{
    test::EnsureQApp();
    test::ArchivioProva archivio;
    ASSERT_TRUE(archivio.Valido());
    const QString file = cPathArchivio;
    const qint64 dimensione = QFileInfo(file).size();

    dbArchivio.BeginTrans();
    for (int i = 0; i < 300; ++i)
        dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV, cExtraDescEV) VALUES (?, ?)"),
                           {QStringLiteral("perso %1").arg(i), QString(80, u'x')});
    {
        DiscoPieno pieno{rlim_t(dimensione)};
        EXPECT_THROW(dbArchivio.CommitTrans(), Errore);
    }
    // The caller undoes what failed, as every writer does; that is no error.
    EXPECT_NO_THROW(dbArchivio.Rollback());
    EXPECT_EQ(Eventi(dbArchivio), 0);

    // The next close of the sitting: one transaction again, all or nothing.
    {
        Transazione t;
        dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES ('voto')"));
        dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES ('chiusura')"));
        EXPECT_NO_THROW(t.Commit());
    }
    EXPECT_EQ(Eventi(dbArchivio), 2);
    {
        Transazione t;
        dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES ('annullato')"));
    }
    EXPECT_EQ(Eventi(dbArchivio), 2);
    // A commit without a transaction is still refused.
    EXPECT_THROW(dbArchivio.CommitTrans(), Errore);
}

// ---------------------------------------------------------------------------
// Command files

TEST(FileComandiFuoriGruppo, StatementsThatLeaveTheGroupOrChangeTheConnectionAreRefused)
{
    test::EnsureQApp();
    const char* righe[] = {
        "Q:END",
        "Q:/**/END",
        "Q:/* c */ COMMIT",
        "Q:/* r */ ROLLBACK",
        "Q:  \t/* a */ /* b */BEGIN",
        "Q:SAVEPOINT x",
        "Q:/**/RELEASE x",
        "Q:PRAGMA journal_mode = OFF",
        "Q:/**/PRAGMA query_only = 1",
        "Q:pragma synchronous = OFF",
        "Q:PRAGMA locking_mode = NORMAL",
        "Q:/* w */ PRAGMA writable_schema = 1",
        "Q:ATTACH DATABASE 'altro.db' AS altro",
        "Q:/**/DETACH altro",
        "Q:VACUUM INTO 'copia.db'",
    };
    for (const char* r : righe) {
        const QString riga = QString::fromLatin1(r);
        SCOPED_TRACE(r);
        test::ArchivioProva archivio;
        ASSERT_TRUE(archivio.Valido());
        QString modo;
        {
            QSqlQuery q(dbArchivio.Connessione());
            ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next());
            modo = q.value(0).toString();
        }
        const QString file = archivio.Cartella() + QStringLiteral("comandi.txt");
        {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("R:1\nQ:INSERT INTO EVENTI (cNomeEV) VALUES ('prima')\n" + riga.toLatin1() +
                    "\nQ:INSERT INTO EVENTI (cNomeEV) VALUES ('dopo')\n");
        }
        test::ScriptedUI ui;
        ui->AttendiMsg(riga + u'\n', vbOK, true);
        ui->AttendiMsg(QStringLiteral("eseguite 2 istruzioni"));
        EsegueFileComandi(file, false);
        // Nothing of the group, the connection as it was, and the next
        // group is one transaction.
        EXPECT_EQ(Eventi(dbArchivio), 0);
        QSqlQuery q(dbArchivio.Connessione());
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next());
        EXPECT_EQ(q.value(0).toString(), modo);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA database_list")));
        int basi = 0;
        while (q.next()) ++basi;
        EXPECT_EQ(basi, 1);
        q.finish();
        EXPECT_NO_THROW({
            Transazione t;
            dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES ('poi')"));
            t.Commit();
        });
        EXPECT_EQ(Eventi(dbArchivio), 1);
        EXPECT_FALSE(QFileInfo::exists(archivio.Cartella() + QStringLiteral("copia.db")));
    }
}

// ---------------------------------------------------------------------------
// A grid expression that would hold the program

TEST(EspressioneGriglia, AnExpressionStillRunningPastTheLimitIsStoppedAndTheGridKeepsItsRows)
{
    test::EnsureQApp();
    test::ArchivioProva archivio;
    ASSERT_TRUE(archivio.Valido());
    for (int i = 0; i < 20; ++i)
        dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES (?)"), {QStringLiteral("e%1").arg(i)});
    GrigliaDati g;
    g.ApriTabella(cTabelle[3]);
    ASSERT_EQ(g.Righe(), 20);
    struct Caso {
        const char* ordine;
        int limiteMs;
        bool rifiutata;  // else it just ends at once (the engine's text comes out cut)
    };
    // A huge value in one step (refused at once, whatever the limit); many
    // heavy steps, row after row, past a limit made short for the test.
    for (const Caso c : {Caso{"zeroblob(100000000)", 3000, true},
                         Caso{"length(printf('%999999999d', 1)) DESC", 3000, false},
                         Caso{"length(zeroblob(9000000)) + length(printf('%9000000d', 1))", 1, true}}) {
        SCOPED_TRACE(c.ordine);
        GrigliaDati::ImpostaLimiteCalcolo(c.limiteMs);
        QElapsedTimer t;
        t.start();
        try {
            g.ApriTabella(cTabelle[3], QStringLiteral("TAG_A"), QString(), QString::fromLatin1(c.ordine));
            EXPECT_FALSE(c.rifiutata) << "not stopped";
        } catch (const Errore& e) {
            EXPECT_TRUE(TestoErrore(e).startsWith(QStringLiteral("Errore: 3000 Calcolo interrotto")))
                << TestoErrore(e).toStdString();
        }
        EXPECT_LT(t.elapsed(), 2000);
        EXPECT_EQ(g.Righe(), 20);
        EXPECT_EQ(g.Valore(0, QStringLiteral("cNomeEV")).toString().trimmed(), QStringLiteral("e0"));
    }
    GrigliaDati::ImpostaLimiteCalcolo(3000);
    // A quick expression is not stopped, and the archive still answers.
    g.ApriTabella(cTabelle[3], QStringLiteral("TAG_A"), QString(), QStringLiteral("cNomeEV DESC"));
    EXPECT_EQ(g.Righe(), 20);
    dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES ('ancora')"));
}

// The engine ends the transaction in the middle of a group (a write that
// meets the full disk while the engine makes room in its memory is rolled
// back whole): the writes that follow are not stored one by one, and the
// group ends as a failure.
TEST(TransazioneSuDiscoPieno, WritesAfterTheEngineEndedTheTransactionAreNotStoredAlone)
{
    test::EnsureQApp();
    test::ArchivioProva archivio;
    ASSERT_TRUE(archivio.Valido());
    const QVariant h = dbArchivio.Connessione().driver()->handle();
    ASSERT_EQ(qstrcmp(h.typeName(), "sqlite3*"), 0);
    sqlite3* db = *static_cast<sqlite3* const*>(h.constData());
    {
        QSqlQuery q(dbArchivio.Connessione());
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA cache_size = 2")));
    }
    const qint64 dimensione = QFileInfo(cPathArchivio).size();

    dbArchivio.BeginTrans();
    dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES ('voto')"));
    bool fallita = false;
    {
        DiscoPieno pieno{rlim_t(dimensione)};
        for (int i = 0; i < 2000 && !fallita; ++i) {
            try {
                dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV, cExtraDescEV) VALUES (?, ?)"),
                                   {QStringLiteral("evento %1").arg(i), QString(80, u'x')});
            } catch (const Errore&) {
                fallita = true;
            }
        }
    }
    ASSERT_TRUE(fallita);
    ASSERT_NE(sqlite3_get_autocommit(db), 0);  // the engine rolled the transaction back
    EXPECT_THROW(dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES ('chiusura')")), Errore);
    EXPECT_THROW(dbArchivio.CommitTrans(), Errore);
    EXPECT_NO_THROW(dbArchivio.Rollback());
    EXPECT_EQ(Eventi(dbArchivio), 0);
    // Then writes stand alone again, as outside any transaction, and the
    // next group is one transaction.
    dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES ('dopo')"));
    {
        Transazione t;
        dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV) VALUES ('gruppo')"));
        t.Commit();
    }
    EXPECT_EQ(Eventi(dbArchivio), 2);
}
