// Seek on a table record set: for every comparison and key type, the row
// found, the values and types of its fields (the same a query gives for
// that row), where a failed seek leaves the record set, and that editing
// after a seek acts on the row found.
#include <QDateTime>

#include "Ambiente.h"
#include "platform/Database.h"

using namespace obx;
using obx::test::NumeroErrore;

namespace {

class RicercaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.Create(dir.Percorso("ricerca.db"));
        db.CreateTable("PROVE", {{"lCodice", TipoCampo::Long, 0, kAttrAggiornabile},
                                 {"cNome", TipoCampo::Text, 8, kAttrAggiornabile},
                                 {"dQuando", TipoCampo::Date, 0, kAttrAggiornabile},
                                 {"nValore", TipoCampo::Double, 0, kAttrAggiornabile},
                                 {"iNumero", TipoCampo::Integer, 0, kAttrAggiornabile},
                                 {"cNote", TipoCampo::Memo, 0, kAttrAggiornabile}});
        db.CreateIndex("PROVE", {"TAG_A", {"lCodice"}, true, true});
        db.CreateIndex("PROVE", {"TAG_B", {"cNome"}, false, false});
        db.CreateIndex("PROVE", {"TAG_C", {"dQuando"}, false, false});
        db.CreateIndex("PROVE", {"TAG_D", {"nValore"}, false, false});
        const QDateTime d15(QDate(2024, 3, 15), QTime(10, 0));
        Aggiungi(1, "Rossi", d15, 2.5, 7, "nota");
        Aggiungi(2, "bianchi", QDateTime(QDate(2024, 3, 14), QTime(9, 30)), -1.25, QVariant(), QVariant());
        Aggiungi(3, QVariant(), QVariant(), QVariant(), -3, QVariant());
        Aggiungi(4, "ROSSI", d15, 2.5, 0, "");
        // Rows written by statements: a text without its blanks, values the
        // record set would not store in those fields, a blob.
        db.Execute("INSERT INTO PROVE (lCodice, cNome, dQuando, nValore, cNote) "
                   "VALUES (5, 'Verdi', 'domani', 'abc', X'00FF41')");
        db.Execute("INSERT INTO PROVE (lCodice, cNome, dQuando, nValore, cNote) VALUES (6, 'ZETA', 45000.5, 7, 42)");
    }

    void Aggiungi(int codice, const QVariant& nome, const QVariant& quando, const QVariant& valore,
                  const QVariant& numero, const QVariant& note)
    {
        Recordset rs = db.OpenTable("PROVE", "TAG_A");
        rs.AddNew();
        rs.SetField("lCodice", codice);
        rs.SetField("cNome", nome);
        rs.SetField("dQuando", quando);
        rs.SetField("nValore", valore);
        rs.SetField("iNumero", numero);
        rs.SetField("cNote", note);
        rs.Update();
    }

    // The fields of the current row match, value and type, those a query
    // gives for the row of that code.
    void StessiValoriDellaQuery(Recordset& rs, const std::string& caso)
    {
        const int codice = rs.Field("lCodice").toInt();
        Recordset q = db.OpenQuery("SELECT * FROM PROVE WHERE lCodice = ?", {codice});
        ASSERT_FALSE(q.Eof()) << caso;
        ASSERT_EQ(q.FieldCount(), rs.FieldCount()) << caso;
        for (int i = 0; i < rs.FieldCount(); ++i) {
            const QVariant a = rs.FieldAt(i), b = q.FieldAt(i);
            EXPECT_EQ(a.typeId(), b.typeId()) << caso << " campo " << rs.FieldNames().at(i).toStdString();
            EXPECT_EQ(a, b) << caso << " campo " << rs.FieldNames().at(i).toStdString();
        }
    }

    test::Cartella dir;
    Database db;
};

struct Caso {
    const char* indice;
    const char* op;
    QVariant chiave;
    int trovato;  // code of the row found; 0: no match
};

}  // namespace

TEST_F(RicercaTest, OgniConfrontoTrovaLaRigaGiustaConValoriETipiDellaQuery)
{
    const QDateTime d15(QDate(2024, 3, 15), QTime(10, 0));
    const Caso casi[] = {
        // Long: whole numbers, rounded numbers, numbers as text, out of range.
        {"TAG_A", "=", 3, 3},
        {"TAG_A", "=", 3.4, 3},
        {"TAG_A", "=", "4", 4},
        {"TAG_A", ">", 6, 0},
        {"TAG_A", "<", 1, 0},
        {"TAG_A", "<=", 100, 6},
        {"TAG_A", ">=", 0, 1},
        {"TAG_A", "=", 3e10, 0},
        {"TAG_A", "<", "2", 1},
        {"TAG_A", "=", QVariant(), 0},
        {"TAG_A", "=", "tre", 0},
        {"TAG_A", ">=", 2, 2},
        // Text: case and trailing blanks ignored, duplicates in order of
        // entry, rows without a key never found, a number as text.
        {"TAG_B", "=", "ROSSI", 1},
        {"TAG_B", "=", "Verdi", 5},
        {"TAG_B", "=", "Verdi   ", 5},
        {"TAG_B", ">=", "S", 5},
        {"TAG_B", ">", "Rossi", 5},
        {"TAG_B", "<=", "rossi", 4},
        {"TAG_B", "<", "Rossi", 2},
        {"TAG_B", "<", "b", 0},
        {"TAG_B", "=", "Neri", 0},
        {"TAG_B", "=", 5, 0},
        {"TAG_B", "=", QString(), 0},
        {"TAG_B", ">", "zeta", 0},
        {"TAG_B", "<=", "zz", 6},
        // Date: as a date, as typed text, numbers before texts in the file.
        {"TAG_C", "=", d15, 1},
        {"TAG_C", ">", d15, 5},
        {"TAG_C", "<", d15, 2},
        {"TAG_C", "<=", d15, 4},
        {"TAG_C", ">=", "14/03/2024", 2},
        {"TAG_C", "=", "non una data", 0},
        {"TAG_C", "<", QDateTime(QDate(1900, 1, 1), QTime(0, 0)), 6},
        {"TAG_C", "=", QDate(2024, 3, 14), 0},
        {"TAG_C", "=", "2024-03-14 09:30:00", 2},
        // Double: numbers, Italian decimals, a text stored in the field.
        {"TAG_D", "=", 2.5, 1},
        {"TAG_D", "=", 2, 0},
        {"TAG_D", ">", 2.5, 6},
        {"TAG_D", ">=", "2,5", 1},
        {"TAG_D", "<", 2.5, 2},
        {"TAG_D", "<=", 2.5, 4},
        {"TAG_D", "<", -1.25, 0},
        {"TAG_D", ">", 7, 5},
        {"TAG_D", "=", "xyz", 0},
        {"TAG_D", "=", 7, 6},
    };
    Recordset rs = db.OpenTable("PROVE", "TAG_A");
    QString indice = "TAG_A";
    int corrente = 1;
    for (const Caso& c : casi) {
        const std::string caso = std::string(c.indice) + " " + c.op + " " + c.chiave.toString().toStdString();
        if (indice != c.indice) {
            rs.SetIndex(c.indice);
            indice = c.indice;
            corrente = rs.Field("lCodice").toInt();
        }
        rs.Seek(c.op, c.chiave);
        EXPECT_EQ(rs.NoMatch(), c.trovato == 0) << caso;
        if (c.trovato) corrente = c.trovato;
        ASSERT_EQ(rs.Field("lCodice").toInt(), corrente) << caso;
        StessiValoriDellaQuery(rs, caso);
    }
}

TEST_F(RicercaTest, ValoriETipiDellaRigaTrovata)
{
    Recordset rs = db.OpenTable("PROVE", "TAG_A");
    rs.Seek("=", 1);
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Field("lCodice").typeId(), QMetaType::Int);
    EXPECT_EQ(rs.Field("cNome"), QVariant(QString("Rossi   ")));
    EXPECT_EQ(rs.Field("dQuando"), QVariant(QDateTime(QDate(2024, 3, 15), QTime(10, 0))));
    EXPECT_EQ(rs.Field("nValore").typeId(), QMetaType::Double);
    EXPECT_EQ(rs.Field("nValore").toDouble(), 2.5);
    EXPECT_EQ(rs.Field("iNumero"), QVariant(7));
    EXPECT_EQ(rs.Field("cNote"), QVariant(QString("nota")));
    rs.Seek("=", 3);
    for (const char* campo : {"cNome", "dQuando", "nValore", "cNote"}) EXPECT_FALSE(rs.Field(campo).isValid()) << campo;
    EXPECT_EQ(rs.Field("iNumero"), QVariant(-3));
    rs.Seek("=", 4);
    EXPECT_EQ(rs.Field("cNote"), QVariant(QString("")));
    // What statements stored, as it is in the file.
    rs.Seek("=", 5);
    EXPECT_EQ(rs.Field("cNome"), QVariant(QString("Verdi")));
    EXPECT_EQ(rs.Field("dQuando"), QVariant(QString("domani")));
    EXPECT_EQ(rs.Field("nValore"), QVariant(QString("abc")));
    EXPECT_EQ(rs.Field("cNote").typeId(), QMetaType::QString);
    rs.Seek("=", 6);
    EXPECT_EQ(rs.Field("nValore"), QVariant(7.0));
    EXPECT_EQ(rs.Field("cNote"), QVariant(QString("42")));
    EXPECT_EQ(rs.Field("dQuando").typeId(), QMetaType::QDateTime);
}

TEST_F(RicercaTest, UnaRicercaFallitaLasciaLaRigaDovEra)
{
    Recordset rs = db.OpenTable("PROVE", "TAG_B");
    rs.Seek("=", "bianchi");
    ASSERT_FALSE(rs.NoMatch());
    const qint64 segno = rs.Bookmark();
    rs.Seek("=", "Neri");
    EXPECT_TRUE(rs.NoMatch());
    EXPECT_EQ(rs.Bookmark(), segno);
    EXPECT_EQ(rs.Field("lCodice").toInt(), 2);
    // The walk goes on from there in the order of the index.
    rs.MoveNext();
    EXPECT_EQ(rs.Field("lCodice").toInt(), 1);
    rs.MoveNext();
    EXPECT_EQ(rs.Field("lCodice").toInt(), 4);
    rs.MovePrevious();
    rs.MovePrevious();
    EXPECT_EQ(rs.Field("lCodice").toInt(), 2);
    // A found row after a failed one clears NoMatch.
    rs.Seek("<", "b");
    EXPECT_TRUE(rs.NoMatch());
    rs.Seek(">=", "v");
    EXPECT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Field("lCodice").toInt(), 5);
    // Past the end it stays past the end; on a deleted row it stays there.
    rs.MoveLast();
    rs.MoveNext();
    ASSERT_TRUE(rs.Eof());
    rs.Seek("=", "Neri");
    EXPECT_TRUE(rs.NoMatch());
    EXPECT_TRUE(rs.Eof());
    rs.Seek("=", "ZETA");
    rs.Delete();
    rs.Seek("=", "Neri");
    EXPECT_TRUE(rs.NoMatch());
    EXPECT_EQ(NumeroErrore([&] { rs.Field("lCodice"); }), errdb::kRecordEliminato);
    rs.MovePrevious();
    EXPECT_EQ(rs.Field("lCodice").toInt(), 5);
    // A seek drops an edit in progress, found or not.
    rs.Edit();
    rs.SetField("cNome", "Altro");
    rs.Seek("=", "Neri");
    EXPECT_EQ(rs.EditMode(), dbEditNone);
    EXPECT_EQ(rs.Field("cNome").toString(), "Verdi");
}

TEST_F(RicercaTest, ModificheDopoLaRicercaSullaRigaTrovata)
{
    Recordset rs = db.OpenTable("PROVE", "TAG_D");
    rs.Seek("<=", 2.5);
    ASSERT_EQ(rs.Field("lCodice").toInt(), 4);
    rs.Edit();
    EXPECT_EQ(rs.Field("cNome").toString(), "ROSSI   ");
    rs.SetField("iNumero", 44);
    rs.Update();
    rs.Seek("=", 2.5);
    ASSERT_EQ(rs.Field("lCodice").toInt(), 1);
    rs.Delete();
    Recordset q = db.OpenQuery("SELECT lCodice, iNumero FROM PROVE ORDER BY lCodice");
    QList<int> codici;
    for (; !q.Eof(); q.MoveNext()) {
        codici << q.Field("lCodice").toInt();
        if (q.Field("lCodice").toInt() == 4) EXPECT_EQ(q.Field("iNumero").toInt(), 44);
    }
    EXPECT_EQ(codici, QList<int>({2, 3, 4, 5, 6}));
    rs.Seek("=", 2.5);
    EXPECT_EQ(rs.Field("lCodice").toInt(), 4);
    // A row changed by a statement is read as it is now.
    db.Execute("UPDATE PROVE SET cNote = 'dopo' WHERE lCodice = 4");
    rs.Seek("=", 2.5);
    EXPECT_EQ(rs.Field("cNote").toString(), "dopo");
    rs.Close();
    db.Close();
    EXPECT_EQ(NumeroErrore([&] { rs.Seek("=", 2.5); }), errdb::kDatabaseChiuso);
}

TEST_F(RicercaTest, LaConnessioneSiChiudeConRicercheFatte)
{
    // Record sets that sought stay open while the connection goes, and go after it.
    auto rs = std::make_unique<Recordset>(db.OpenTable("PROVE", "TAG_B"));
    rs->Seek("=", "Rossi");
    rs->Seek("=", "verdi");
    Recordset altro = db.OpenTable("PROVE", "TAG_A");
    altro.Seek(">", 2);
    db.Close();
    EXPECT_FALSE(rs->IsOpen());
    EXPECT_EQ(NumeroErrore([&] { rs->Seek("=", "Rossi"); }), errdb::kDatabaseChiuso);
    rs.reset();
    db.Open(dir.Percorso("ricerca.db"));
    Recordset di_nuovo = db.OpenTable("PROVE", "TAG_A");
    di_nuovo.Seek("=", 6);
    EXPECT_EQ(di_nuovo.Field("cNome").toString(), "ZETA");
}
