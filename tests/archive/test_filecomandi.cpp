// Command files: manual and automatic runs, update identifiers, failures.
#include <QFile>

#include "Ambiente.h"
#include "platform/Database.h"
#include "platform/Testo.h"
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
        test::Vocabolari(1);
        cPathArchivio = dir.Percorso("cmd.db");
        cFileConfig = dir.Percorso("cmd.ini");
        dbArchivio.Close();
        {
            test::ScriptedUI ui;
            ASSERT_TRUE(GestisceArchivi("C", true));
        }
        dbArchivio.Open(cPathArchivio);
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
                           "Q:DELETE * FROM NESSUNA;\n"
                           "q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (3)\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (2)\n");
    cLastIDAgg = "9.9.9";
    test::ScriptedUI ui;
    ui->AttendiMsg("Q:DELETE * FROM NESSUNA;\n", vbOK, true);
    ui->AttendiMsg("eseguite 3 istruzioni");
    EsegueFileComandi(p, false);
    EXPECT_EQ(ui->Storia()[0].titolo, "File Comandi");
    EXPECT_EQ(ui->Storia()[0].stile & 0x70, int(vbCritical));
    EXPECT_TRUE(ui->Storia()[0].testo.contains("NESSUNA'"));   // the engine's description follows
    EXPECT_TRUE(HaDelibera(1));
    EXPECT_TRUE(HaDelibera(2));
    EXPECT_FALSE(HaDelibera(3));   // lower-case prefix: not a statement
    Recordset rs = dbArchivio.OpenTable("DELIBERE", "TAG_A");
    EXPECT_EQ(rs.Field("cTitoloDE").toString(), QString::fromUtf8("Bilancio à consuntivo"));
    EXPECT_EQ(cLastIDAgg, "9.9.9");   // a manual run leaves it
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
    test::ScriptedUI ui;   // silent
    EsegueFileComandi(p, true);
    EXPECT_FALSE(HaDelibera(1));   // before every update identifier
    EXPECT_FALSE(HaDelibera(2));   // 2.1.10 sorts before 2.1.3
    EXPECT_FALSE(HaDelibera(3));   // the archive's own last update
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
                           "Q:UPDATE NESSUNA SET x = 1\n"
                           "R:3.0.3\n"
                           "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (3)\n");
    cLastIDAgg = "3.0.0";
    {
        test::ScriptedUI ui;
        EsegueFileComandi(p, true);
    }
    EXPECT_EQ(cLastIDAgg, "3.0.1");
    EXPECT_TRUE(HaDelibera(1));
    EXPECT_TRUE(HaDelibera(2));
    EXPECT_TRUE(HaDelibera(3));
    // Mended, the next start-up runs the failed update again and records it.
    File("R:3.0.1\n"
         "Q:INSERT INTO DELIBERE (iDeliberaDE) VALUES (1)\n"
         "R:3.0.2\n"
         "Q:UPDATE DELIBERE SET cGruppoDE = 'x' WHERE iDeliberaDE = 2\n",
         "comandi.txt");
    {
        test::ScriptedUI ui;
        EsegueFileComandi(p, true);
    }
    EXPECT_EQ(Righe("DELIBERE"), 3);
    EXPECT_EQ(cLastIDAgg, Dopo("3.0.2"));
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
    const QString atteso = Formato(kVersioneMajor, "####") + "." + Formato(kVersioneMinor, "####") + "." +
                           Formato(kVersioneRev, "####");
    EXPECT_EQ(IdentificativoVersione(), atteso);
    if (kVersioneMinor == 0) EXPECT_TRUE(IdentificativoVersione().contains(".."));
}
