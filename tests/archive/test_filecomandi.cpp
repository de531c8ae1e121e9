// Command files: manual and automatic runs, update identifiers, failures.
#include <QFile>

#include "Ambiente.h"
#include "platform/Database.h"
#include "platform/Testo.h"
#include "shell/Configurazione.h"
#include "shell/FileComandi.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"
#include "support/ScriptedUI.h"

using namespace obx;

namespace {

// The identifier left by a run whose newest applied update is `id`.
QString Dopo(const QString& id)
{
    const QString v = IdentificativoVersione();
    return v.compare(id) > 0 ? v : id;
}

class FileComandiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        test::Vocabolari(1);
        cFileConfig = dir.Percorso("cmd.ini");
        ASSERT_TRUE(test::NuovoArchivio(dir.Percorso("cmd.db")));
    }
    void TearDown() override { dbArchivio.Close(); }

    QString File(const QByteArray& contenuto, const QString& nome = "comandi.txt")
    {
        const QString p = dir.Percorso(nome);
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(contenuto);
        return p;
    }
    int Righe(const QString& tabella) { return int(dbArchivio.RowCount(tabella)); }
    bool HaDelibera(int n)
    {
        Recordset rs = dbArchivio.OpenTable("DELIBERE", "TAG_A");
        rs.Seek("=", n);
        return !rs.NoMatch();
    }

    test::Cartella dir;
};

}  // namespace

TEST_F(FileComandiTest, ManualeConUnaIstruzioneCheFallisce)
{
    const QString p = File("' aggiornamento di prova\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE, cTitoloDE) VALUES (1, 'Bilancio \xe0 consuntivo')\n"
                           "R:9.9.9\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (2)\n"
                           "Q:DELETE * FROM NESSUNA;\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (4)\n"
                           "R:9.9.10\n"
                           "q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (3)\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (5)\n");
    cLastIDAgg = "9.9.9";
    test::ScriptedUI ui;
    ui->AttendiMsg("Q:DELETE * FROM NESSUNA;\n", vbOK, true);
    ui->AttendiMsg("eseguite 4 istruzioni");
    EsegueFileComandi(p, false);
    EXPECT_EQ(ui->Storia()[0].titolo, "File Comandi");
    EXPECT_EQ(ui->Storia()[0].stile & 0x70, int(vbCritical));
    EXPECT_TRUE(ui->Storia()[0].testo.contains("NESSUNA'"));  // the engine's description follows
    EXPECT_TRUE(HaDelibera(1));
    // The failed update is applied whole or not at all: its statement
    // before the failure is undone, the one after it not run.
    EXPECT_FALSE(HaDelibera(2));
    EXPECT_FALSE(HaDelibera(4));
    EXPECT_FALSE(HaDelibera(3));  // lower-case prefix: not a statement
    EXPECT_TRUE(HaDelibera(5));   // the next update runs
    Recordset rs = dbArchivio.OpenTable("DELIBERE", "TAG_A");
    EXPECT_EQ(rs.Field("cTitoloDE").toString(), QString::fromUtf8("Bilancio à consuntivo"));
    EXPECT_EQ(cLastIDAgg, "9.9.9");  // a manual run leaves it
}

TEST_F(FileComandiTest, ManualeFileVuotoEFileMancante)
{
    test::ScriptedUI ui;
    ui->AttendiMsg("eseguite 0 istruzioni");
    EsegueFileComandi(File(""), false);
    ui->AttendiMsg("\nImpossibile aprire", vbOK, true);
    EsegueFileComandi(dir.Percorso("manca.txt"), false);
    EXPECT_EQ(ui->Storia().back().titolo, "File Comandi");
}

TEST_F(FileComandiTest, AutomaticoSoloGliAggiornamentiPiùRecenti)
{
    const QString p = File("Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (1)\n"
                           "R:2.1.10\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (2)\n"
                           "R:2.1.3\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (3)\n"
                           "R:2.2.0\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (4)\n"
                           "Q:DELETE * FROM DELIBERE WHERE iDeliberaDE = 99;\n");
    cLastIDAgg = "2.1.3";
    test::ScriptedUI ui;  // silent
    EsegueFileComandi(p, true);
    EXPECT_FALSE(HaDelibera(1));  // before every update identifier
    EXPECT_FALSE(HaDelibera(2));  // 2.1.10 sorts before 2.1.3
    EXPECT_FALSE(HaDelibera(3));  // the archive's own last update
    EXPECT_TRUE(HaDelibera(4));
    EXPECT_EQ(cLastIDAgg, Dopo("2.2.0"));
    // The configuration was written with the new identifier.
    QFile ini(cFileConfig);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(FromCp1252(ini.readAll()).contains("cLastIDAgg=" + cLastIDAgg));
    // Run again, nothing is repeated.
    EsegueFileComandi(p, true);
    EXPECT_EQ(Righe("DELIBERE"), 1);
}

TEST_F(FileComandiTest, AggiornamentoFallitoNonRisultaApplicato)
{
    const QString p = File("R:3.0.1\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (1)\n"
                           "R:3.0.2\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (2)\n"
                           "Q:INSERT INTO EVENTI (cNomeEV) VALUES ('aggiornamento 3.0.2')\n"
                           "Q:UPDATE NESSUNA SET x = 1\n"
                           "R:3.0.3\n"
                           "Q:INSERT INTO EVENTI (cNomeEV) VALUES ('aggiornamento 3.0.3')\n");
    cLastIDAgg = "3.0.0";
    // Start after start: the failed update leaves nothing behind and the
    // one after it waits; nothing is applied twice.
    for (int avvio = 0; avvio < 3; ++avvio) {
        test::ScriptedUI ui;
        EsegueFileComandi(p, true);
        EXPECT_EQ(cLastIDAgg, "3.0.1");
        EXPECT_TRUE(HaDelibera(1));
        EXPECT_FALSE(HaDelibera(2));
        EXPECT_EQ(Righe("DELIBERE"), 1);
        EXPECT_EQ(Righe("EVENTI"), 0);
    }
    // Mended, the next start-up applies it and the one after it, once.
    File("R:3.0.1\n"
         "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (1)\n"
         "R:3.0.2\n"
         "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (2)\n"
         "Q:INSERT INTO EVENTI (cNomeEV) VALUES ('aggiornamento 3.0.2')\n"
         "R:3.0.3\n"
         "Q:INSERT INTO EVENTI (cNomeEV) VALUES ('aggiornamento 3.0.3')\n",
         "comandi.txt");
    for (int avvio = 0; avvio < 2; ++avvio) {
        test::ScriptedUI ui;
        EsegueFileComandi(p, true);
        EXPECT_EQ(Righe("DELIBERE"), 2);
        EXPECT_EQ(Righe("EVENTI"), 2);
        EXPECT_EQ(cLastIDAgg, Dopo("3.0.3"));
    }
}

TEST_F(FileComandiTest, AggiornamentiNellOrdineDegliIdentificativi)
{
    // Written out of order, and one update named twice: applied in the
    // order of the identifiers, the two parts of 4.0.1 as one.
    const QString p = File("R:4.0.2\n"
                           "Q:UPDATE DELIBERE SET cGruppoDE = 'b' WHERE iDeliberaDE = 1\n"
                           "R:4.0.1\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE, cGruppoDE) VALUES (1, 'a')\n"
                           "R:4.0.1\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (2)\n");
    cLastIDAgg = "4.0.0";
    test::ScriptedUI ui;
    EsegueFileComandi(p, true);
    Recordset rs = dbArchivio.OpenTable("DELIBERE", "TAG_A");
    EXPECT_EQ(rs.Field("cGruppoDE").toString(), "b");
    EXPECT_EQ(Righe("DELIBERE"), 2);
    EXPECT_EQ(cLastIDAgg, Dopo("4.0.2"));
}

TEST_F(FileComandiTest, AutomaticoSenzaArchivioApertoNonAvanza)
{
    const QString p = File("R:5.0.0\nQ:INSERT INTO DELIBERE (iDeliberaDE) VALUES (1)\n");
    dbArchivio.Close();
    cLastIDAgg = "4.0.0";
    test::ScriptedUI ui;
    EsegueFileComandi(p, true);
    EXPECT_EQ(cLastIDAgg, "4.0.0");
}

TEST_F(FileComandiTest, AutomaticoSenzaFileNonFaNulla)
{
    cLastIDAgg = "1.2.3";
    test::ScriptedUI ui;
    EsegueFileComandi(dir.Percorso("ListaPro.txt"), true);
    EXPECT_EQ(cLastIDAgg, "1.2.3");
    EXPECT_FALSE(QFile::exists(cFileConfig));
}

TEST_F(FileComandiTest, FineRigaCRLFComeLF)
{
    // With the CR kept the identifier would read "2.0.0\r", newer than 2.0.0.
    const QString p = File("R:2.0.0\r\nQ:INSERT INTO DELIBERE (iDeliberaDE) VALUES (1)\r\n"
                           "R:2.0.1\r\nQ:INSERT INTO DELIBERE (iDeliberaDE, cGruppoDE) VALUES (2, 'g')\r\n");
    cLastIDAgg = "2.0.0";
    test::ScriptedUI ui;
    EsegueFileComandi(p, true);
    EXPECT_FALSE(HaDelibera(1));
    EXPECT_TRUE(HaDelibera(2));
    Recordset rs = dbArchivio.OpenTable("DELIBERE", "TAG_A");
    EXPECT_EQ(rs.Field("cGruppoDE").toString(), "g");
}

TEST(Versione, IdentificativoConFormatoQuattroCancelletti)
{
    const QString atteso =
        Formato(kVersioneMajor, "####") + "." + Formato(kVersioneMinor, "####") + "." + Formato(kVersioneRev, "####");
    EXPECT_EQ(IdentificativoVersione(), atteso);
    if (kVersioneMinor == 0) EXPECT_TRUE(IdentificativoVersione().contains(".."));
}
