// Creation, repair and compaction, restructuring of the archive file.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <map>

#include "Ambiente.h"
#include "console/VotiSuperati.h"
#include "platform/Database.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"
#include "shell/Schema.h"
#include "support/ArchivioProva.h"
#include "support/ScriptedUI.h"

using namespace obx;
using obx::test::Impronta;

namespace {

class ManutenzioneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        cPathArchivio = dir.Percorso("consiglio.db");
        dbArchivio.Close();
    }
    void TearDown() override { dbArchivio.Close(); }

    // The archive made as an older program left it: the tables given,
    // each from the schema without the fields named in `senza`, no indexes.
    void ArchivioVecchio(const std::vector<int>& tabelle, const QStringList& senza = {})
    {
        Database db;
        db.Create(cPathArchivio);
        for (int i : tabelle) {
            const tTabella t = DefinisceTabella(i);
            std::vector<DefCampo> campi;
            for (int j = 0; j < t.NumCampi(); ++j)
                if (!senza.contains(t.cNomeCampo[j])) campi.push_back(t.Campo(j));
            db.CreateTable(t.cNomeTabella, campi);
        }
        db.Close();
    }

    test::Cartella dir;
};

void ConfrontaConSchema(Database& db)
{
    EXPECT_EQ(db.TableNames(), QStringList({"ANAGRAFE", "DELIBERE", "EVENTI", "VOTI", "LEGGI"}));
    for (int i = 1; i <= 5; ++i) {
        const tTabella t = DefinisceTabella(i);
        const auto campi = db.Fields(t.cNomeTabella);
        ASSERT_EQ(int(campi.size()), t.NumCampi()) << t.cNomeTabella.toStdString();
        for (int j = 0; j < t.NumCampi(); ++j) {
            const DefCampo atteso = t.Campo(j);
            EXPECT_EQ(campi[j].nome, atteso.nome);
            EXPECT_EQ(campi[j].tipo, atteso.tipo) << atteso.nome.toStdString();
            EXPECT_EQ(campi[j].dimensione, atteso.dimensione) << atteso.nome.toStdString();
            EXPECT_EQ(campi[j].attributi, atteso.attributi) << atteso.nome.toStdString();
        }
        const auto indici = db.Indexes(t.cNomeTabella);
        ASSERT_EQ(int(indici.size()), t.bNumIndici) << t.cNomeTabella.toStdString();
        for (int k = 1; k <= t.bNumIndici; ++k) {
            const DefIndice atteso = t.Indice(k);
            EXPECT_EQ(indici[k - 1].nome, atteso.nome);
            EXPECT_EQ(indici[k - 1].campi, atteso.campi);
            EXPECT_EQ(indici[k - 1].primario, k == 1);
            EXPECT_EQ(indici[k - 1].unico, k == 1);
        }
    }
}

}  // namespace

TEST(Schema, RecordDelleTabelle)
{
    struct Caso {
        int i;
        int campi;
        int indici;
        const char* ultimo;
        const char* tagB;
    };
    const Caso casi[] = {{1, 14, 2, "cIrideIdAN", "cNomeAN"},
                         {2, 13, 1, "cGruppoDE", nullptr},
                         {3, 13, 1, "cExtraDescEV", nullptr},
                         {4, 25, 1, "cSegretario2VT", nullptr},
                         {5, 16, 2, "cIDSubSubSubLG", "cTreeKeyLG"}};
    for (const Caso& c : casi) {
        const tTabella t = DefinisceTabella(c.i);
        EXPECT_EQ(t.cNomeTabella, cTabelle[c.i]);
        EXPECT_EQ(t.NumCampi(), c.campi);
        EXPECT_EQ(t.bNumIndici, c.indici);
        EXPECT_EQ(t.cNomeCampo.back(), c.ultimo);
        EXPECT_EQ(t.cIndice[0], "1");
        if (c.tagB) EXPECT_EQ(t.Indice(2).campi, QStringList({c.tagB}));
        EXPECT_EQ(t.iAttributi[0], (c.i == 3 || c.i == 4) ? 48 : 32);
    }
    EXPECT_EQ(DefinisceTabella(5).cNomeCampo[14], "iCodAttoAbbinatoLG");
    EXPECT_EQ(DefinisceTabella(3).iDimensione[7], 2);  // iPresentiEV, a number: the size is the engine's
    EXPECT_EQ(DefinisceTabella(3).Campo(7).dimensione, 0);
    EXPECT_EQ(NomeIndice(1), "TAG_A");
    EXPECT_EQ(NomeIndice(2), "TAG_B");
}

TEST_F(ManutenzioneTest, NuovoArchivioConCinqueTabelleCampiEIndici)
{
    test::ScriptedUI ui;  // silent: no message at all
    EXPECT_TRUE(GestisceArchivi("C", true));
    EXPECT_FALSE(dbArchivio.IsOpen());
    Database db;
    db.Open(cPathArchivio);
    ConfrontaConSchema(db);
    // The events and the votes number their rows; TAG_B admits duplicates.
    db.Execute("INSERT INTO EVENTI (cNomeEV) VALUES ('a')");
    db.Execute("INSERT INTO EVENTI (cNomeEV) VALUES ('b')");
    Recordset ev = db.OpenTable("EVENTI", "TAG_A");
    ev.MoveLast();
    EXPECT_EQ(ev.Field("lCodiceEV").toInt(), 2);
    db.Execute("INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN) VALUES (1, 'Rossi'), (2, 'Rossi')");
    db.Execute("INSERT INTO LEGGI (iCodLeggeLG, cTreeKeyLG) VALUES (1, 'B1'), (2, 'B1')");
    EXPECT_EQ(db.RowCount("LEGGI"), 2);
}

TEST_F(ManutenzioneTest, CreazioneConMessaggioEFallitaSuFileEsistente)
{
    test::ScriptedUI ui;
    ui->AttendiMsg("Creazione Completata");
    EXPECT_TRUE(GestisceArchivi("C", false));
    ui->AttendiMsg(" Errore  3204");
    ui->AttendiMsg("Creazione Fallita");
    EXPECT_FALSE(GestisceArchivi("C", true));
    EXPECT_EQ(ui->Storia().back().titolo, "O.B.X.");
}

TEST_F(ManutenzioneTest, RistrutturazioneAggiungeCiòCheMancaESerbaLeRighe)
{
    // VOTI lacks its last field, ANAGRAFE its indexes, LEGGI is missing;
    // DELIBERE carries a field of its own and an extra table stands beside.
    ArchivioVecchio({1, 2, 3, 4}, {"cSegretario2VT"});
    {
        Database db;
        db.Open(cPathArchivio);
        db.AddField("DELIBERE", {"cMioCampo", TipoCampo::Text, 8, 32});
        db.CreateTable("EXTRA", {{"x", TipoCampo::Long, 0, 32}});
        db.Execute("INSERT INTO VOTI (cPaleseVT, iFavorevoliVT, cVotiVT) VALUES ('P', 12, '336')");
        db.Execute("INSERT INTO VOTI (cPaleseVT, iFavorevoliVT) VALUES ('H', 3)");
        db.Execute("INSERT INTO DELIBERE (iDeliberaDE, cMioCampo) VALUES (1, 'mio')");
        db.Execute("INSERT INTO EXTRA (x) VALUES (7)");
    }
    {
        test::ScriptedUI ui;
        EXPECT_TRUE(GestisceArchivi("R", true));
    }
    ASSERT_TRUE(dbArchivio.IsOpen());
    EXPECT_EQ(dbArchivio.Fields("VOTI").back().nome, "cSegretario2VT");
    Recordset v = dbArchivio.OpenTable("VOTI", "TAG_A");
    EXPECT_EQ(v.RecordCount(), 2);
    EXPECT_EQ(v.Field("iFavorevoliVT").toInt(), 12);
    EXPECT_EQ(v.Field("cVotiVT").toString(), "336");
    EXPECT_FALSE(v.Field("cSegretario2VT").isValid());
    v.Close();
    EXPECT_TRUE(dbArchivio.IndexExists("ANAGRAFE", "TAG_B"));
    EXPECT_TRUE(dbArchivio.TableExists("LEGGI"));
    EXPECT_TRUE(dbArchivio.TableExists("EXTRA"));
    EXPECT_EQ(dbArchivio.RowCount("EXTRA"), 1);
    EXPECT_TRUE(dbArchivio.FieldExists("DELIBERE", "cMioCampo"));
    Recordset d = dbArchivio.OpenQuery("SELECT cMioCampo FROM DELIBERE");
    EXPECT_EQ(d.Field("cMioCampo").toString(), "mio");
    d.Close();
    // Twice: nothing to do, nothing reported; from the menu only success.
    {
        test::ScriptedUI ui;
        EXPECT_TRUE(GestisceArchivi("R", true));
        ui->AttendiMsg("Ristrutturazione Completata");
        EXPECT_TRUE(GestisceArchivi("R", false));
    }
    EXPECT_EQ(dbArchivio.RowCount("VOTI"), 2);
}

namespace {

// The indexes a close looks up through, as the file holds them: name ->
// fields in order.
std::map<QString, QStringList> IndiciInterniNelFile(const Database& db)
{
    std::map<QString, QStringList> out;
    QSqlQuery q(db.Connessione());
    EXPECT_TRUE(
        q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND substr(name, 1, 4) = 'obx_'")));
    QStringList nomi;
    while (q.next()) nomi << q.value(0).toString();
    for (const QString& n : nomi) {
        QSqlQuery c(db.Connessione());
        EXPECT_TRUE(c.exec(QStringLiteral("PRAGMA index_info(\"%1\")").arg(n)));
        while (c.next()) out[n] << c.value(2).toString();
    }
    return out;
}

// How the engine would run sql: the details of its plan, one a line.
QString Piano(const Database& db, const QString& sql, const QVariantList& valori)
{
    QSqlQuery q(db.Connessione());
    EXPECT_TRUE(q.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + sql)) << sql.toStdString();
    for (const QVariant& v : valori) q.addBindValue(v.typeId() == QMetaType::QDateTime ? TestoData(v.toDateTime()) : v);
    EXPECT_TRUE(q.exec()) << sql.toStdString();
    QStringList righe;
    while (q.next()) righe << q.value(3).toString();
    return righe.join(u'\n');
}

}  // namespace

TEST_F(ManutenzioneTest, RistrutturazioneDaGliIndiciDellaChiusuraNonElencati)
{
    // An archive of an older program: the tables, TAG_A and TAG_B, rows,
    // none of the indexes a close looks up through.
    ArchivioVecchio({1, 2, 3, 4, 5});
    {
        Database db;
        db.Open(cPathArchivio);
        for (int i = 1; i <= 5; ++i) {
            const tTabella t = DefinisceTabella(i);
            for (int k = 1; k <= t.bNumIndici; ++k) db.CreateIndex(t.cNomeTabella, t.Indice(k));
        }
        db.Execute("INSERT INTO EVENTI (cTipoEventoEV, iDeliberaEV) VALUES ('A', 0), ('T', 4)");
        db.Execute("INSERT INTO VOTI (cPaleseVT, iCodLeggeVT) VALUES ('P', 4)");
        EXPECT_TRUE(IndiciInterniNelFile(db).empty());
    }
    {
        test::ScriptedUI ui;  // silent: no message at all
        EXPECT_TRUE(GestisceArchivi("R", true));
    }
    ASSERT_TRUE(dbArchivio.IsOpen());
    std::map<QString, QStringList> attesi;
    for (const IndiceInterno& i : IndiciInterni()) attesi[i.nome] = i.campi;
    ASSERT_EQ(attesi.size(), 3u);
    EXPECT_EQ(IndiciInterniNelFile(dbArchivio), attesi);
    // The tables list, seek and drop only the schema's own.
    ConfrontaConSchema(dbArchivio);
    for (const auto& [nome, campi] : attesi) {
        EXPECT_FALSE(dbArchivio.IndexExists("EVENTI", nome));
        EXPECT_FALSE(dbArchivio.IndexExists("VOTI", nome));
    }
    EXPECT_EQ(dbArchivio.RowCount("EVENTI"), 2);
    EXPECT_EQ(dbArchivio.RowCount("VOTI"), 1);

    // Each lookup of a close goes through its index (the sitting's span
    // within it), none reads a whole table or sorts it.
    const QDateTime seduta(QDate(2026, 3, 2), QTime(9, 0));
    struct Caso {
        QString sql;
        QVariantList valori;
        const char* indice;
    };
    const Filtro voti = FiltroVoti("P", 4, seduta), chiusure = FiltroChiusure(4, seduta),
                 tutteLeChiusure = FiltroChiusure(4, QDateTime());
    const Caso casi[] = {
        {"SELECT dDataOraEV FROM EVENTI WHERE cTipoEventoEV = 'A' ORDER BY dDataOraEV DESC LIMIT 1",
         {},
         "obx_indice_aperture"},
        {"UPDATE VOTI SET cNotaVotoVT = 'x' WHERE " + voti.sql, voti.valori,
         "obx_indice_voti_superati (iCodLeggeVT=? AND cPaleseVT=? AND dDataOraIniVT>?)"},
        {"UPDATE EVENTI SET cExtraDescEV = 'x' WHERE " + chiusure.sql, chiusure.valori,
         "obx_indice_chiusure (iDeliberaEV=? AND dDataOraEV>?)"},
        {"SELECT lCodiceEV FROM EVENTI WHERE " + tutteLeChiusure.sql, tutteLeChiusure.valori,
         "obx_indice_chiusure (iDeliberaEV=?)"},
    };
    for (const Caso& c : casi) {
        const QString piano = Piano(dbArchivio, c.sql, c.valori);
        EXPECT_TRUE(piano.contains(QLatin1String(c.indice))) << c.sql.toStdString() << "\n" << piano.toStdString();
        for (const QString& riga : piano.split(u'\n'))
            EXPECT_FALSE(riga == u"SCAN EVENTI" || riga == u"SCAN VOTI" || riga.contains(QLatin1String("TEMP B-TREE")))
                << c.sql.toStdString() << "\n"
                << piano.toStdString();
    }

    // Once they stand the restructuring writes nothing.
    dbArchivio.Close();
    const QByteArray prima = Impronta(cPathArchivio);
    {
        test::ScriptedUI ui;
        EXPECT_TRUE(GestisceArchivi("R", true));
    }
    dbArchivio.Close();
    EXPECT_EQ(Impronta(cPathArchivio), prima);
}

TEST_F(ManutenzioneTest, NuovoArchivioHaGliIndiciDellaChiusura)
{
    test::ScriptedUI ui;
    EXPECT_TRUE(GestisceArchivi("C", true));
    Database db;
    db.Open(cPathArchivio);
    EXPECT_EQ(IndiciInterniNelFile(db).size(), IndiciInterni().size());
    ConfrontaConSchema(db);
}

TEST_F(ManutenzioneTest, TabellaConPariNumeroDiCampiNonEsaminata)
{
    // ANAGRAFE with 14 fields, one of them under another name.
    {
        Database db;
        db.Create(cPathArchivio);
        const tTabella t = DefinisceTabella(1);
        std::vector<DefCampo> campi;
        for (int j = 0; j < t.NumCampi(); ++j) campi.push_back(t.Campo(j));
        campi[13].nome = "cAltroNome";
        db.CreateTable("ANAGRAFE", campi);
    }
    test::ScriptedUI ui;
    EXPECT_TRUE(GestisceArchivi("R", true));
    EXPECT_FALSE(dbArchivio.FieldExists("ANAGRAFE", "cIrideIdAN"));
    EXPECT_TRUE(dbArchivio.FieldExists("ANAGRAFE", "cAltroNome"));
}

TEST_F(ManutenzioneTest, ChiaviRipetuteImpedisconoTagAEVengonoSegnalate)
{
    ArchivioVecchio({1, 2, 3, 4, 5});
    {
        Database db;
        db.Open(cPathArchivio);
        db.Execute("INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN) VALUES (4, 'Uno'), (4, 'Due')");
        // A non-unique TAG_A stands on the table: it is kept when the
        // unique one cannot be built.
        db.CreateIndex("ANAGRAFE", {"TAG_A", {"bCodiceAN"}, false, false});
    }
    test::ScriptedUI ui;
    ui->AttendiMsg("ANAGRAFE: Errore  3022");
    ui->AttendiMsg("Ristrutturazione Fallita");
    EXPECT_FALSE(GestisceArchivi("R", true));
    EXPECT_EQ(ui->Storia().front().stile & 0x70, int(vbCritical));
    EXPECT_TRUE(ui->Storia().front().titolo.contains("duplicati"));
    EXPECT_EQ(dbArchivio.RowCount("ANAGRAFE"), 2);
    const auto indici = dbArchivio.Indexes("ANAGRAFE");
    ASSERT_EQ(indici.size(), 2u);
    EXPECT_EQ(indici[0].nome, "TAG_A");
    EXPECT_FALSE(indici[0].unico);
    EXPECT_EQ(indici[1].nome, "TAG_B");
    // The other tables were brought up to date all the same.
    EXPECT_TRUE(dbArchivio.IndexExists("LEGGI", "TAG_B"));
}

TEST_F(ManutenzioneTest, IndiciInPiùOltreLoSchemaTolti)
{
    ArchivioVecchio({1, 2, 3, 4, 5});
    {
        Database db;
        db.Open(cPathArchivio);
        db.CreateIndex("DELIBERE", {"TAG_A", {"iDeliberaDE"}, true, true});
        db.CreateIndex("DELIBERE", {"TAG_B", {"cTitolinoDE"}, false, false});
    }
    test::ScriptedUI ui;
    EXPECT_TRUE(GestisceArchivi("R", true));
    EXPECT_FALSE(dbArchivio.IndexExists("DELIBERE", "TAG_B"));
    EXPECT_TRUE(dbArchivio.IndexExists("DELIBERE", "TAG_A"));
}

TEST_F(ManutenzioneTest, RiorganizzazioneTieneLaCopiaOld)
{
    {
        test::ScriptedUI ui;
        ASSERT_TRUE(GestisceArchivi("C", true));
    }
    const QString old = dir.Percorso("consiglio.old");
    EXPECT_EQ(PercorsoCopiaOld(cPathArchivio), old);
    {
        Database db;
        db.Open(cPathArchivio);
        for (int i = 0; i < 50; ++i) db.Execute("INSERT INTO EVENTI (cExtraDescEV) VALUES (?)", {QString(80, u'x')});
        db.Execute("DELETE * FROM EVENTI WHERE lCodiceEV > 10");
    }
    const QByteArray prima = Impronta(cPathArchivio);
    {
        test::ScriptedUI ui;
        ui->AttendiMsg("Riorganizzazione Completata");
        EXPECT_TRUE(GestisceArchivi("I", false));
    }
    EXPECT_FALSE(dbArchivio.IsOpen());
    EXPECT_EQ(Impronta(old), prima);
    EXPECT_FALSE(QFile::exists(cPathArchivio + ".compatta"));
    {
        Database db;
        db.Open(cPathArchivio);
        EXPECT_EQ(db.RowCount("EVENTI"), 10);
        ConfrontaConSchema(db);
        db.Execute("INSERT INTO EVENTI (cExtraDescEV) VALUES ('dopo')");
    }
    // A second repair overwrites the copy.
    const QByteArray seconda = Impronta(cPathArchivio);
    {
        test::ScriptedUI ui;
        EXPECT_TRUE(GestisceArchivi("I", true));
    }
    EXPECT_EQ(Impronta(old), seconda);
    // After a repair the autonumbering goes on where it was.
    Database db;
    db.Open(cPathArchivio);
    db.Execute("INSERT INTO EVENTI (cExtraDescEV) VALUES ('ancora')");
    Recordset ev = db.OpenTable("EVENTI", "TAG_A");
    ev.MoveLast();
    EXPECT_EQ(ev.Field("lCodiceEV").toInt(), 52);
}

TEST_F(ManutenzioneTest, CompattazioneFallitaLasciaArchivioEOldIntatti)
{
    struct Caso {
        const char* nome;
        std::function<void(const QString&)> ostacolo;
    };
    const Caso casi[] = {
        // Something that is not a file stands where the compacted copy goes.
        {"cartella",
         [](const QString& p) {
             QDir().mkpath(p);
             QFile f(p + "/dentro");
             f.open(QIODevice::WriteOnly);
         }},
        // The compacted copy cannot be written at all.
        {"collegamento", [](const QString& p) { QFile::link("/nessuna/cartella/x.db", p); }},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        test::Cartella qui;
        cPathArchivio = qui.Percorso("consiglio.db");
        {
            test::ScriptedUI ui;
            ASSERT_TRUE(GestisceArchivi("C", true));
        }
        const QString old = PercorsoCopiaOld(cPathArchivio);
        {
            QFile f(old);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("copia precedente");
        }
        const QByteArray archivio = Impronta(cPathArchivio);
        const QByteArray copia = Impronta(old);
        c.ostacolo(cPathArchivio + ".compatta");
        test::ScriptedUI ui;
        ui->AttendiMsg(" Errore ", vbOK, true);
        ui->AttendiMsg("Riorganizzazione Fallita");
        EXPECT_FALSE(GestisceArchivi("I", true));
        EXPECT_EQ(Impronta(cPathArchivio), archivio);
        EXPECT_EQ(Impronta(old), copia);
        Database db;
        db.Open(cPathArchivio);
        EXPECT_EQ(db.TableNames().size(), 5);
    }
}

TEST_F(ManutenzioneTest, FileCheNonEUnArchivioNonVieneToccato)
{
    {
        QFile f(cPathArchivio);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2048, 'z'));
    }
    const QByteArray prima = Impronta(cPathArchivio);
    test::ScriptedUI ui;
    ui->AttendiMsg(" Errore  3343");
    ui->AttendiMsg("Riorganizzazione Fallita");
    EXPECT_FALSE(GestisceArchivi("I", true));
    ui->AttendiMsg(" Errore  3343");
    ui->AttendiMsg("Ristrutturazione Fallita");
    EXPECT_FALSE(GestisceArchivi("R", true));
    EXPECT_EQ(Impronta(cPathArchivio), prima);
    EXPECT_FALSE(QFile::exists(PercorsoCopiaOld(cPathArchivio)));
}

TEST_F(ManutenzioneTest, RistrutturazioneDiUnArchivioMancanteNonLoCrea)
{
    test::ScriptedUI ui;
    ui->AttendiMsg(" Errore  3024");
    ui->AttendiMsg("Ristrutturazione Fallita");
    EXPECT_FALSE(GestisceArchivi("R", false));
    EXPECT_FALSE(QFile::exists(cPathArchivio));
}

TEST(CopiaOld, NomeDellaCopia)
{
    EXPECT_EQ(PercorsoCopiaOld("/a/consiglio.mdb"), "/a/consiglio.old");
    EXPECT_EQ(PercorsoCopiaOld("/a/consiglio.db"), "/a/consiglio.old");
    EXPECT_EQ(PercorsoCopiaOld("/a/sede.2024.db"), "/a/sede.2024.old");
    EXPECT_EQ(PercorsoCopiaOld("/a.b/archivio"), "/a.b/archivio.old");
}
