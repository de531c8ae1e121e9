// The archive keeps its own widths and ranges: whatever writes a row (a
// statement, a command file, the Qt connection of the grids, a record set)
// a text longer than its field or a number outside its type's range is
// refused by the engine and nothing changes.
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "Ambiente.h"
#include "platform/Database.h"
#include "shell/Configurazione.h"
#include "shell/FileComandi.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"
#include "shell/Schema.h"
#include "support/ScriptedUI.h"

using namespace obx;
using obx::test::NumeroErrore;

namespace {

class LimitiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        test::Vocabolari(1);
        cFileConfig = dir.Percorso("limiti.ini");
        ASSERT_TRUE(test::NuovoArchivio(dir.Percorso("limiti.db")));
        dbArchivio.Execute("INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN, cTipoAN, iVotatoreAN) "
                           "VALUES (1, 'Rossi Mario', 'C', 101)");
        dbArchivio.Execute("INSERT INTO EVENTI (cNomeEV, lCodVotoEV) VALUES ('Apertura', 0)");
    }
    void TearDown() override { dbArchivio.Close(); }

    // The archive's rows, to tell that a refused write changed nothing.
    QString Istantanea()
    {
        QString s;
        for (const char* t : {"ANAGRAFE", "EVENTI", "DELIBERE", "VOTI"}) {
            QSqlQuery q(dbArchivio.Connessione());
            q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QLatin1String(t)));
            while (q.next())
                for (int i = 0; i < q.record().count(); ++i) s += q.value(i).toString() + u'|';
            s += u'\n';
        }
        return s;
    }

    test::Cartella dir;
};

const QString kTrenta = QString(30, u'x');

}  // namespace

TEST_F(LimitiTest, StatementsOutsideTheFieldsAreRefusedAndChangeNothing)
{
    struct Caso {
        const char* sql;
        int errore;
    };
    const Caso casi[] = {
        // Texts: counted as characters, accented ones included.
        {"INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN) VALUES (2, '%1y')", errdb::kCampoTroppoPiccolo},
        {"UPDATE ANAGRAFE SET cNomeAN = '%1%1' WHERE bCodiceAN = 1", errdb::kCampoTroppoPiccolo},
        {"UPDATE ANAGRAFE SET cTipoAN = 'XYZ'", errdb::kCampoTroppoPiccolo},
        {"UPDATE ANAGRAFE SET cNomeAN = cNomeAN & ' e Bianchi Luigi Giovanni Maria'", errdb::kCampoTroppoPiccolo},
        {"INSERT INTO EVENTI (cNomeEV, cExtraDescEV) VALUES ('a', '%1%1%1y')", errdb::kCampoTroppoPiccolo},
        // Byte, Integer and Long.
        {"INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN) VALUES (400, 'Bianchi')", errdb::kOverflow},
        {"INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN) VALUES (-1, 'Bianchi')", errdb::kOverflow},
        {"UPDATE ANAGRAFE SET iVotatoreAN = 32768", errdb::kOverflow},
        {"UPDATE ANAGRAFE SET iVotatoreAN = -32769", errdb::kOverflow},
        {"UPDATE ANAGRAFE SET iVotatoreAN = iVotatoreAN * 1000", errdb::kOverflow},
        {"UPDATE EVENTI SET lCodVotoEV = 2147483648", errdb::kOverflow},
        {"INSERT INTO VOTI (iFavorevoliVT) VALUES (40000)", errdb::kOverflow},
        // A text where a number belongs.
        {"UPDATE ANAGRAFE SET iVotatoreAN = 'dodici'", errdb::kConversione},
    };
    const QString prima = Istantanea();
    for (const Caso& c : casi) {
        QString sql = QString::fromUtf8(c.sql);
        sql.replace(QStringLiteral("%1"), kTrenta);
        SCOPED_TRACE(sql.toStdString());
        EXPECT_EQ(NumeroErrore([&] { dbArchivio.Execute(sql); }), c.errore);
        EXPECT_EQ(Istantanea(), prima);
    }
}

TEST_F(LimitiTest, ValuesAtTheEdgesAreStored)
{
    const QString accentate = QString::fromUtf8("àèìòù").repeated(6);  // 30 characters, 60 bytes
    dbArchivio.Execute("INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN, cTipoAN, iVotatoreAN, iSmartCardAN) "
                       "VALUES (255, ?, 'P', -32768, 32767)",
                       {accentate});
    dbArchivio.Execute("INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN) VALUES (0, ?)", {kTrenta});
    dbArchivio.Execute("UPDATE EVENTI SET lCodVotoEV = -2147483648, cDettaglioEV = ?", {kTrenta});
    dbArchivio.Execute("UPDATE EVENTI SET lCodVotoEV = 2147483647");
    // Memo fields have no width; a number written as text is a number.
    dbArchivio.Execute("INSERT INTO DELIBERE (iDeliberaDE, cTitoloDE, iQuorumDE) VALUES (1, ?, '12')",
                       {QString(20000, u'm')});
    Recordset rs = dbArchivio.OpenTable("ANAGRAFE", "TAG_A");
    rs.Seek("=", 255);
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Field("cNomeAN").toString(), accentate);
    EXPECT_EQ(rs.Field("iVotatoreAN").toInt(), -32768);
    Recordset d = dbArchivio.OpenTable("DELIBERE", "TAG_A");
    EXPECT_EQ(d.Field("cTitoloDE").toString().size(), 20000);
    EXPECT_EQ(d.Field("iQuorumDE").toInt(), 12);
}

TEST_F(LimitiTest, TheGridsConnectionIsHeldToo)
{
    const QString prima = Istantanea();
    QSqlQuery q(dbArchivio.Connessione());
    EXPECT_FALSE(q.exec(QStringLiteral("UPDATE ANAGRAFE SET cTipoAN = 'XYZ'")));
    EXPECT_TRUE(q.lastError().databaseText().contains(QStringLiteral("cTipoAN")));
    EXPECT_FALSE(q.exec(QStringLiteral("INSERT INTO ANAGRAFE (bCodiceAN) VALUES (300)")));
    EXPECT_EQ(Istantanea(), prima);
}

TEST_F(LimitiTest, RecordSetsKeepCuttingTextsAndRefuseNumbers)
{
    Recordset rs = dbArchivio.OpenTable("ANAGRAFE", "TAG_A");
    rs.AddNew();
    rs.SetField("bCodiceAN", 7);
    rs.SetField("cNomeAN", kTrenta + QStringLiteral("tagliato"));
    rs.Update();
    rs.Seek("=", 7);
    EXPECT_EQ(rs.Field("cNomeAN").toString(), kTrenta);
    rs.Edit();
    EXPECT_EQ(NumeroErrore([&] { rs.SetField("iVotatoreAN", 70000); }), errdb::kOverflow);
    rs.CancelUpdate();
}

TEST_F(LimitiTest, ACommandFileStatementIsRefusedWithTheEnginesWords)
{
    QFile f(dir.Percorso("comandi.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Q:UPDATE ANAGRAFE SET cNomeAN = 'Rossi Mario Giuseppe Maria Antonio Luigi'\n");
    f.close();
    const QString prima = Istantanea();
    test::ScriptedUI ui;
    ui->AttendiMsg("Q:UPDATE ANAGRAFE SET cNomeAN = 'Rossi Mario Giuseppe Maria Antonio Luigi'\n", vbOK, true);
    ui->AttendiMsg("eseguite 1 istruzioni");
    EsegueFileComandi(f.fileName(), false);
    EXPECT_TRUE(ui->Storia().front().testo.contains(QStringLiteral("al massimo 30 caratteri")));
    EXPECT_EQ(Istantanea(), prima);
}

TEST_F(LimitiTest, AnOlderArchiveGetsTheChecksAtItsRestructuring)
{
    dbArchivio.Close();
    const QString vecchio = dir.Percorso("vecchio.db");
    {
        // As an older program left it: tables without the checks, and a row
        // already holding a name longer than its field.
        Database db;
        db.Create(vecchio);
        QSqlQuery q(db.Connessione());
        for (int i = 1; i <= 5; ++i) {
            const tTabella t = DefinisceTabella(i);
            QStringList campi;
            for (int j = 0; j < t.NumCampi(); ++j) {
                const DefCampo c = t.Campo(j);
                QString tipo;
                switch (c.tipo) {
                case TipoCampo::Text: tipo = QStringLiteral("VARCHAR(%1)").arg(c.dimensione); break;
                case TipoCampo::Byte: tipo = QStringLiteral("TINYINT"); break;
                case TipoCampo::Integer: tipo = QStringLiteral("SMALLINT"); break;
                case TipoCampo::Long: tipo = QStringLiteral("INTEGER"); break;
                default: tipo = QStringLiteral("LONGTEXT"); break;
                }
                campi << QStringLiteral("\"%1\" %2").arg(c.nome, tipo);
            }
            ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(t.cNomeTabella, campi.join(u','))));
        }
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN, cTipoAN) VALUES (1, '%1', 'XY')")
                               .arg(kTrenta + kTrenta)));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO ANAGRAFE (bCodiceAN, cTipoAN) VALUES (2, 'ABC')")));
    }
    cPathArchivio = vecchio;
    {
        test::ScriptedUI ui;
        ASSERT_TRUE(GestisceArchivi("R", true));
    }
    EXPECT_EQ(NumeroErrore([] { dbArchivio.Execute("UPDATE ANAGRAFE SET cTipoAN = 'XYZ' WHERE bCodiceAN = 1"); }),
              errdb::kCampoTroppoPiccolo);
    EXPECT_EQ(NumeroErrore([] { dbArchivio.Execute("INSERT INTO ANAGRAFE (bCodiceAN) VALUES (256)"); }),
              errdb::kOverflow);
    // A row written before can still be mended field by field.
    dbArchivio.Execute("UPDATE ANAGRAFE SET cTipoAN = 'C' WHERE bCodiceAN = 1");
    dbArchivio.Execute("UPDATE ANAGRAFE SET cNomeAN = 'Rossi Mario' WHERE bCodiceAN = 1");
    EXPECT_EQ(dbArchivio.RowCount("ANAGRAFE"), 2);
    // A second restructuring finds them standing and writes nothing.
    dbArchivio.Close();
    QFile file(vecchio);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray primo = file.readAll();
    file.close();
    {
        test::ScriptedUI ui;
        ASSERT_TRUE(GestisceArchivi("R", true));
    }
    dbArchivio.Close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), primo);
}

TEST_F(LimitiTest, FieldsAddedOrDroppedByStatementsKeepTheChecksRight)
{
    dbArchivio.Execute("ALTER TABLE DELIBERE ADD COLUMN cSiglaDE TEXT(4)");
    EXPECT_EQ(NumeroErrore([] { dbArchivio.Execute("UPDATE DELIBERE SET cSiglaDE = 'ABCDE'"); }), 0);  // no rows
    dbArchivio.Execute("INSERT INTO DELIBERE (iDeliberaDE, cSiglaDE) VALUES (1, 'ABCD')");
    EXPECT_EQ(NumeroErrore([] { dbArchivio.Execute("UPDATE DELIBERE SET cSiglaDE = 'ABCDE'"); }),
              errdb::kCampoTroppoPiccolo);
    // A field the checks name can still be dropped; the others stay checked.
    dbArchivio.Execute("ALTER TABLE DELIBERE DROP COLUMN cSiglaDE");
    EXPECT_FALSE(dbArchivio.FieldExists("DELIBERE", "cSiglaDE"));
    EXPECT_EQ(NumeroErrore([] { dbArchivio.Execute("UPDATE DELIBERE SET cTipoArgDE = 'DM'"); }),
              errdb::kCampoTroppoPiccolo);
    // A table made by a statement is checked at once; dropping the checks
    // is not a way around them.
    dbArchivio.Execute("CREATE TABLE EXTRA (bNumero BYTE, cSigla TEXT(2))");
    EXPECT_EQ(NumeroErrore([] { dbArchivio.Execute("INSERT INTO EXTRA (bNumero, cSigla) VALUES (1, 'ABC')"); }),
              errdb::kCampoTroppoPiccolo);
    EXPECT_NE(NumeroErrore([] { dbArchivio.Execute("DROP TRIGGER obx_limiti_ins_EXTRA"); }), 0);
    EXPECT_EQ(NumeroErrore([] { dbArchivio.Execute("INSERT INTO EXTRA (bNumero) VALUES (999)"); }), errdb::kOverflow);
}
