// The seat registry loaded from "ANAGRAFE" and the positions saved back.
#include <QSqlQuery>

#include "Ambiente.h"
#include "platform/Database.h"
#include "shell/Anagrafe.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"
#include "support/ScriptedUI.h"

using namespace obx;

namespace {

class AnagrafeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        test::Vocabolari(1);
        ASSERT_TRUE(test::NuovoArchivio(dir.Percorso("anagrafe.db")));
    }
    void TearDown() override { dbArchivio.Close(); }

    void Persona(int codice, const QVariant& nome, const QVariant& ruolo, const QVariant& partito,
                 const QVariant& unita = QVariant(), const QVariant& carta = QVariant())
    {
        Recordset rs = dbArchivio.OpenTable("ANAGRAFE", "TAG_A");
        rs.AddNew();
        rs.SetField("bCodiceAN", codice);
        rs.SetField("cNomeAN", nome);
        rs.SetField("cNomeBreveAN", nome);
        rs.SetField("cTipoAN", ruolo);
        rs.SetField("cPartitoAN", partito);
        rs.SetField("iVotatoreAN", unita);
        rs.SetField("iSmartCardAN", carta);
        rs.SetField("iPulsanteAN", codice);
        rs.Update();
    }

    test::Cartella dir;
};

}  // namespace

TEST_F(AnagrafeTest, TabellaVuotaLasciaGliArchiInMemoria)
{
    aPosti.assign(3, Posto{});
    aPosti[2].cNomeAN = "precedente";
    aOspiti.assign(2, Ospite{});
    aPartiti.assign(2, Partito{"PRIMA", 0});
    test::ScriptedUI ui;
    ui->AttendiMsg("Archivio Anagrafico Vuoto");
    EXPECT_FALSE(GestisceAnagrafe(true));
    EXPECT_EQ(ui->Storia()[0].stile & 0x70, int(vbCritical));
    EXPECT_EQ(ui->Storia()[0].titolo, "O.B.X.");
    ASSERT_EQ(aPosti.size(), 3u);
    EXPECT_EQ(aPosti[2].cNomeAN, "precedente");
    EXPECT_EQ(aOspiti.size(), 2u);
    ASSERT_EQ(aPartiti.size(), 2u);
    EXPECT_EQ(aPartiti[1].cPartito, "PRIMA");
}

TEST_F(AnagrafeTest, CaricamentoDiSeggiOspitiEPartiti)
{
    Persona(1, "Presidente", "P", "Lista Civica", 11, 501);
    Persona(2, "Bianchi", "C", "LISTA CIVICA ", 12);
    Persona(3, "Assessore", "A", "Gruppo Misto");  // no seat in kinds 1 and 2
    Persona(4, "Aggiunto", "R", QVariant(), 14);   // seat without a voting unit
    Persona(5, "Vuoto", "C", "");                  // empty party, not Null
    Persona(6, "Senza ruolo", "", "Altri");        // blank role: no seat
    Persona(7, "Ruolo nullo", QVariant(), QVariant());
    // A unit that is not a number, as an archive written before the file
    // checked its fields may hold.
    {
        QSqlQuery q(dbArchivio.Connessione());
        ASSERT_TRUE(q.exec("DROP TRIGGER obx_limiti_ins_ANAGRAFE"));
        ASSERT_TRUE(q.exec("INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN, cTipoAN, iVotatoreAN, iSmartCardAN) "
                           "VALUES (8, 'Testo', 'C', 'x', 'y')"));
    }
    test::ScriptedUI ui;
    ASSERT_TRUE(GestisceAnagrafe(true));

    ASSERT_EQ(aPosti.size(), 6u);   // 1, 2, 4, 5, 8
    ASSERT_EQ(aOspiti.size(), 4u);  // 3, 6, 7
    EXPECT_EQ(aPosti[1].cNomeAN, QString("Presidente").leftJustified(30));
    EXPECT_EQ(aPosti[1].cNomeBreveAN.size(), 16);
    EXPECT_EQ(aPosti[1].iStato, 8);
    EXPECT_EQ(aPosti[1].iVotatoreAN, 11);
    EXPECT_EQ(aPosti[1].iVotatoreUso, 11);
    EXPECT_EQ(aPosti[1].iSmartCardAN, 501);
    EXPECT_EQ(aPosti[2].iSmartCardAN, 12);  // no card: the unit stands for it
    EXPECT_EQ(aPosti[1].iPartito, aPosti[2].iPartito);
    EXPECT_EQ(aPosti[1].cPartitoAN, QString("Lista Civica").leftJustified(20));
    EXPECT_EQ(aPartiti[aPosti[1].iPartito].cPartito, QString("LISTA CIVICA").leftJustified(20));
    EXPECT_EQ(aPosti[1].cTipoOrigine, "P");
    EXPECT_EQ(aPosti[1].iPulsanteAN, 1);
    EXPECT_EQ(aPosti[1].cVoto, " ");
    // Role R: seated, no vote, no unit.
    EXPECT_EQ(aPosti[3].bCodiceAN, 4);
    EXPECT_EQ(aPosti[3].iStato, 0);
    EXPECT_EQ(aPosti[3].iVotatoreAN, 0);
    EXPECT_EQ(aPosti[3].iPartito, 0);
    EXPECT_EQ(aPosti[3].cPartitoAN, QString(20, u' '));
    // An empty party is a party of 20 blanks.
    EXPECT_EQ(aPartiti[aPosti[4].iPartito].cPartito, QString(20, u' '));
    EXPECT_EQ(aPosti[5].iVotatoreAN, 0);
    EXPECT_EQ(aPosti[5].iSmartCardAN, 0);
    EXPECT_EQ(aOspiti[1].bCodiceAN, 3);
    EXPECT_EQ(aOspiti[1].cTipoAN, "A");
    EXPECT_EQ(aOspiti[2].bCodiceAN, 6);
    EXPECT_EQ(aOspiti[3].bCodiceAN, 7);
    // Parties of guests are collected too, in order of the rows.
    QStringList partiti;
    for (size_t i = 1; i < aPartiti.size(); ++i) partiti << aPartiti[i].cPartito.trimmed();
    EXPECT_EQ(partiti, QStringList({"LISTA CIVICA", "GRUPPO MISTO", "", "ALTRI"}));
}

TEST_F(AnagrafeTest, CodiceOltre120CaricatoESegnalatoUnaVolta)
{
    Persona(120, "Ultimo", "C", "A", 1);
    Persona(121, "Fuori", "C", "A", 2);
    {
        test::ScriptedUI ui;
        ui->AttendiMsg("121 Fuori", vbOK, true);
        ASSERT_TRUE(GestisceAnagrafe(true));
    }
    ASSERT_EQ(aPosti.size(), 3u);
    EXPECT_EQ(aPosti[2].bCodiceAN, 121);
    // The seat never reaches past a per-seat string.
    StringaPosti voti(u'0');
    for (size_t i = 1; i < aPosti.size(); ++i) voti.Set(aPosti[i].bCodiceAN, u'3');
    EXPECT_EQ(voti.Testo().size(), 120);
    EXPECT_EQ(voti.At(120), u'3');
    EXPECT_EQ(voti.Conta(u'3'), 1);
    // Told once: a reload is silent.
    test::ScriptedUI ui;
    ASSERT_TRUE(GestisceAnagrafe(true));
}

TEST_F(AnagrafeTest, SalvataggioDellePosizioni)
{
    Persona(1, "Uno", "C", "A", 1);
    Persona(2, "Due", "C", "A", 2);
    Persona(3, "Tre", "C", "A", 3);
    test::ScriptedUI ui;
    ASSERT_TRUE(GestisceAnagrafe(true));
    ASSERT_EQ(aPosti.size(), 4u);
    aPosti[1].iPulsanteAN = 40;
    aPosti[1].nTopAN = 1200.5f;
    aPosti[1].nLeftAN = 300;
    aPosti[1].nTopTvAN = 10;
    aPosti[1].nSinTvAN = 20;
    aPosti[3].iPulsanteAN = 42;
    aPosti[2].nTopAN = 77;
    dbArchivio.Execute("DELETE * FROM ANAGRAFE WHERE bCodiceAN = 2");
    EXPECT_TRUE(GestisceAnagrafe(false));
    Recordset rs = dbArchivio.OpenTable("ANAGRAFE", "TAG_A");
    EXPECT_EQ(rs.Field("iPulsanteAN").toInt(), 40);
    EXPECT_DOUBLE_EQ(rs.Field("nTopAN").toDouble(), 1200.5);
    EXPECT_DOUBLE_EQ(rs.Field("nSinTvAN").toDouble(), 20);
    EXPECT_EQ(rs.Field("cNomeAN").toString().trimmed(), "Uno");  // nothing else written
    rs.MoveNext();
    EXPECT_EQ(rs.Field("bCodiceAN").toInt(), 3);
    EXPECT_EQ(rs.Field("iPulsanteAN").toInt(), 42);
    EXPECT_EQ(rs.RecordCount(), 2);
}

TEST(ChiavePartito, MaiuscoleSenzaSpaziInizialiLarga20)
{
    EXPECT_EQ(ChiavePartito("  Lista civica"), QString("LISTA CIVICA").leftJustified(20));
    EXPECT_EQ(ChiavePartito(QString(30, u'x')), QString(20, u'X'));
    EXPECT_EQ(ChiavePartito(""), QString(20, u' '));
}
