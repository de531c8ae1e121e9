// The database layer: opening, definitions, record sets, seek, the old
// dialect's statements, field checks and the exact storage of texts.
#include <QFile>

#include "Ambiente.h"
#include "platform/Database.h"

using namespace obx;
using obx::test::NumeroErrore;

namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        percorso = dir.Percorso("prova.db");
        db.Create(percorso);
        db.CreateTable("PERSONE", {{"bCodice", TipoCampo::Byte, 0, kAttrAggiornabile},
                                   {"cNome", TipoCampo::Text, 10, kAttrAggiornabile},
                                   {"iNumero", TipoCampo::Integer, 0, kAttrAggiornabile},
                                   {"nPosto", TipoCampo::Single, 0, kAttrAggiornabile},
                                   {"dQuando", TipoCampo::Date, 0, kAttrAggiornabile},
                                   {"cNote", TipoCampo::Memo, 0, kAttrAggiornabile}});
        db.CreateIndex("PERSONE", {"TAG_A", {"bCodice"}, true, true});
        db.CreateIndex("PERSONE", {"TAG_B", {"cNome"}, false, false});
        db.CreateTable("RIGHE", {{"lCodice", TipoCampo::Long, 0, kAttrAggiornabile | kAttrAutoIncremento},
                                 {"cTesto", TipoCampo::Text, 120, kAttrAggiornabile}});
        db.CreateIndex("RIGHE", {"TAG_A", {"lCodice"}, true, true});
    }

    void Aggiungi(int codice, const QString& nome, int numero = 0)
    {
        Recordset rs = db.OpenTable("PERSONE", "TAG_A");
        rs.AddNew();
        rs.SetField("bCodice", codice);
        rs.SetField("cNome", nome);
        rs.SetField("iNumero", numero);
        rs.Update();
    }

    test::Cartella dir;
    QString percorso;
    Database db;
};

}  // namespace

TEST(DatabaseApertura, FileMancanteNonVieneCreato)
{
    test::Cartella dir;
    Database db;
    const QString p = dir.Percorso("manca.db");
    EXPECT_EQ(NumeroErrore([&] { db.Open(p); }), errdb::kFileNonTrovato);
    EXPECT_FALSE(QFile::exists(p));
    EXPECT_FALSE(db.IsOpen());
}

TEST(DatabaseApertura, FileCheNonEUnArchivioVieneRifiutatoSubito)
{
    test::Cartella dir;
    const QString p = dir.Percorso("finto.db");
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    Database db;
    EXPECT_EQ(NumeroErrore([&] { db.Open(p); }), errdb::kFormatoNonRiconosciuto);
    EXPECT_FALSE(db.IsOpen());
}

TEST(DatabaseApertura, CreazioneSuFileEsistenteRifiutata)
{
    test::Cartella dir;
    const QString p = dir.Percorso("a.db");
    {
        Database db;
        db.Create(p);
        db.Close();
    }
    Database db;
    EXPECT_EQ(NumeroErrore([&] { db.Create(p); }), errdb::kDatabaseEsistente);
    db.Open(p);
    EXPECT_TRUE(db.IsOpen());
    EXPECT_TRUE(db.TableNames().isEmpty());
}

TEST_F(DatabaseTest, IntrospezioneDiCampiEIndici)
{
    EXPECT_EQ(db.TableNames(), QStringList({"PERSONE", "RIGHE"}));
    const auto campi = db.Fields("PERSONE");
    ASSERT_EQ(campi.size(), 6u);
    EXPECT_EQ(campi[1].nome, "cNome");
    EXPECT_EQ(campi[1].tipo, TipoCampo::Text);
    EXPECT_EQ(campi[1].dimensione, 10);
    EXPECT_EQ(campi[0].tipo, TipoCampo::Byte);
    EXPECT_EQ(campi[3].tipo, TipoCampo::Single);
    EXPECT_EQ(campi[4].tipo, TipoCampo::Date);
    EXPECT_EQ(campi[5].tipo, TipoCampo::Memo);
    const DefCampo chiave = db.Field("RIGHE", "lCodice");
    EXPECT_EQ(chiave.tipo, TipoCampo::Long);
    EXPECT_EQ(chiave.attributi, kAttrAggiornabile | kAttrAutoIncremento);
    const auto indici = db.Indexes("PERSONE");
    ASSERT_EQ(indici.size(), 2u);
    EXPECT_EQ(indici[0].nome, "TAG_A");
    EXPECT_TRUE(indici[0].primario);
    EXPECT_TRUE(indici[0].unico);
    EXPECT_EQ(indici[1].nome, "TAG_B");
    EXPECT_FALSE(indici[1].unico);
    EXPECT_EQ(indici[1].campi, QStringList({"cNome"}));
    // The same name on another table is another index.
    EXPECT_TRUE(db.IndexExists("RIGHE", "TAG_A"));
    EXPECT_EQ(NumeroErrore([&] {
                  db.CreateIndex("PERSONE", {"TAG_A", {"cNome"}, false, false});
              }),
              errdb::kIndiceEsistente);
    EXPECT_EQ(NumeroErrore([&] { db.DropIndex("PERSONE", "TAG_Z"); }), errdb::kCampoNonTrovato);
    db.DropIndex("PERSONE", "TAG_B");
    EXPECT_FALSE(db.IndexExists("PERSONE", "TAG_B"));
    EXPECT_EQ(NumeroErrore([&] { db.Fields("NESSUNA"); }), errdb::kTabellaNonTrovata);
}

TEST_F(DatabaseTest, OgniCarattereDaZeroA255SiRilegge)
{
    // Three strings of 120 characters cover every code 0..255, code 0 at
    // the start, in the middle and at the end.
    QStringList testi;
    for (int base : {0, 120, 136}) {
        QString s;
        for (int i = 0; i < 120; ++i) s += QChar(char16_t((base + i) % 256));
        testi << s;
    }
    QString zeri(120, QChar(0));
    zeri[57] = QChar(57);
    testi << zeri;
    for (const QString& s : testi) {
        Recordset rs = db.OpenTable("RIGHE", "TAG_A");
        rs.AddNew();
        rs.SetField("cTesto", s);
        rs.Update();
        rs.SetBookmark(rs.LastModified());
        EXPECT_EQ(rs.Field("cTesto").toString(), s);
    }
    db.Close();
    db.Open(percorso);
    Recordset rs = db.OpenTable("RIGHE", "TAG_A");
    for (const QString& s : testi) {
        ASSERT_FALSE(rs.Eof());
        const QString letto = rs.Field("cTesto").toString();
        ASSERT_EQ(letto.size(), 120);
        EXPECT_EQ(letto, s);
        rs.MoveNext();
    }
    // Through a statement with a bound value and a query as well.
    db.Execute("UPDATE RIGHE SET cTesto = ? WHERE lCodice = 1", {testi[1]});
    Recordset q = db.OpenQuery("SELECT cTesto FROM RIGHE WHERE lCodice = ?", {1});
    EXPECT_EQ(q.Field("cTesto").toString(), testi[1]);
}

TEST_F(DatabaseTest, SeekSuEntrambiGliIndici)
{
    Aggiungi(5, "Rossi");
    Aggiungi(2, "Bianchi");
    Aggiungi(9, "rossi");
    Aggiungi(7, "Verdi");
    Recordset rs = db.OpenTable("PERSONE", "TAG_A");
    struct Caso {
        const char* op;
        int chiave;
        bool trovato;
        int codice;
    };
    const Caso casi[] = {
        {"=", 7, true, 7},  {"=", 6, false, 0}, {">=", 6, true, 7}, {">", 7, true, 9},    {">", 9, false, 0},
        {"<=", 6, true, 5}, {"<", 2, false, 0}, {"<", 9, true, 7},  {"=", 300, false, 0},
    };
    for (const Caso& c : casi) {
        rs.Seek(c.op, c.chiave);
        EXPECT_EQ(!rs.NoMatch(), c.trovato) << c.op << c.chiave;
        if (c.trovato) EXPECT_EQ(rs.Field("bCodice").toInt(), c.codice) << c.op << c.chiave;
    }
    // TAG_B: duplicates allowed, case ignored, the first in index order found.
    rs.SetIndex("TAG_B");
    EXPECT_EQ(rs.Field("cNome").toString().trimmed(), "Bianchi");
    rs.Seek("=", "ROSSI");
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Field("bCodice").toInt(), 5);
    rs.MoveNext();
    EXPECT_EQ(rs.Field("bCodice").toInt(), 9);
    rs.MoveNext();
    EXPECT_EQ(rs.Field("cNome").toString(), "Verdi     ");
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    rs.Seek(">=", "S");
    EXPECT_EQ(rs.Field("bCodice").toInt(), 7);
    // A failed seek leaves the current row where it was.
    rs.Seek("=", "Neri");
    EXPECT_TRUE(rs.NoMatch());
    EXPECT_EQ(rs.Field("bCodice").toInt(), 7);
    EXPECT_EQ(NumeroErrore([&] { rs.Seek("~", 1); }), errdb::kSintassi);
    Recordset senza = db.OpenTable("PERSONE");
    EXPECT_EQ(NumeroErrore([&] { senza.Seek("=", 1); }), errdb::kSenzaIndice);
    // A text written by a statement without its blanks is still found.
    db.Execute("INSERT INTO PERSONE (bCodice, cNome) VALUES (11, 'Neri')");
    rs.Seek("=", "Neri");
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Field("bCodice").toInt(), 11);
}

TEST_F(DatabaseTest, MovimentiInizioFineEModifiche)
{
    Recordset rs = db.OpenTable("PERSONE", "TAG_A");
    EXPECT_TRUE(rs.Eof());
    EXPECT_TRUE(rs.Bof());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(NumeroErrore([&] { rs.Field("cNome"); }), errdb::kNessunRecord);
    EXPECT_EQ(NumeroErrore([&] { rs.MoveNext(); }), errdb::kNessunRecord);
    Aggiungi(3, "Tre");
    Aggiungi(1, "Uno");
    rs.MoveFirst();
    EXPECT_EQ(rs.Field("bCodice").toInt(), 1);
    // After AddNew and Update the current row stays the one before.
    rs.AddNew();
    rs.SetField("bCodice", 2);
    rs.Update();
    EXPECT_EQ(rs.Field("bCodice").toInt(), 1);
    rs.MoveNext();
    EXPECT_EQ(rs.Field("bCodice").toInt(), 2);
    rs.Edit();
    rs.SetField("cNome", "Due");
    rs.Update();
    EXPECT_EQ(rs.Field("cNome").toString(), "Due       ");
    EXPECT_FALSE(rs.Field("nPosto").isValid());  // Null
    rs.Delete();
    EXPECT_EQ(NumeroErrore([&] { rs.Field("cNome"); }), errdb::kRecordEliminato);
    rs.MoveNext();
    EXPECT_EQ(rs.Field("bCodice").toInt(), 3);
    rs.MoveLast();
    EXPECT_EQ(rs.Field("bCodice").toInt(), 3);
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    rs.MovePrevious();
    EXPECT_EQ(rs.Field("bCodice").toInt(), 3);
    rs.MovePrevious();
    rs.MovePrevious();
    EXPECT_TRUE(rs.Bof());
    EXPECT_EQ(rs.RecordCount(), 2);
    // Primary key without a value, duplicate key.
    rs.AddNew();
    rs.SetField("cNome", "Senza");
    EXPECT_EQ(NumeroErrore([&] { rs.Update(); }), errdb::kNullInIndice);
    rs.CancelUpdate();
    rs.AddNew();
    rs.SetField("bCodice", 3);
    EXPECT_EQ(NumeroErrore([&] { rs.Update(); }), errdb::kValoreDuplicato);
    EXPECT_EQ(NumeroErrore([&] { rs.SetField("cNome", "x"); }), 0);  // still adding
    rs.CancelUpdate();
    EXPECT_EQ(NumeroErrore([&] { rs.SetField("cNome", "x"); }), errdb::kSenzaModifica);
    EXPECT_EQ(rs.RecordCount(), 2);
    // Emptied row by row: at both ends once moved off the last row.
    rs.MoveFirst();
    rs.Delete();
    rs.MoveNext();
    rs.Delete();
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_TRUE(rs.Bof());
}

TEST_F(DatabaseTest, ValoriControllatiSulCampo)
{
    Recordset rs = db.OpenTable("PERSONE", "TAG_A");
    rs.AddNew();
    struct Caso {
        const char* campo;
        QVariant valore;
        int errore;
        QVariant letto;
    };
    const Caso casi[] = {
        {"bCodice", 256, errdb::kOverflow, {}},
        {"bCodice", -1, errdb::kOverflow, {}},
        {"bCodice", "12", 0, 12},
        {"bCodice", 2.5, 0, 2},  // rounded to the even number
        {"iNumero", 40000, errdb::kOverflow, {}},
        {"iNumero", "abc", errdb::kConversione, {}},
        {"iNumero", -32768, 0, -32768},
        {"cNome", "Un nome troppo lungo", 0, "Un nome tr"},
        {"cNome", "", 0, "          "},
        {"cNome", 42, 0, "42        "},
        {"nPosto", 1.1, 0, double(1.1f)},
        {"dQuando", "31/12/2025 10:30", 0, QDateTime(QDate(2025, 12, 31), QTime(10, 30))},
        {"dQuando", "non è una data", errdb::kConversione, {}},
        {"cNote", QString(5000, u'x'), 0, QString(5000, u'x')},
    };
    for (const Caso& c : casi) {
        EXPECT_EQ(NumeroErrore([&] { rs.SetField(c.campo, c.valore); }), c.errore) << c.campo;
        if (!c.errore) EXPECT_EQ(rs.Field(c.campo), c.letto) << c.campo;
    }
    rs.SetField("nPosto", QVariant());
    EXPECT_FALSE(rs.Field("nPosto").isValid());
    rs.CancelUpdate();
}

TEST_F(DatabaseTest, NumerazioneAutomaticaMaiRiusata)
{
    Recordset rs = db.OpenTable("RIGHE", "TAG_A");
    for (int i = 0; i < 3; ++i) {
        rs.AddNew();
        EXPECT_EQ(NumeroErrore([&] { rs.SetField("lCodice", 99); }), errdb::kSoloLettura);
        rs.SetField("cTesto", QString::number(i));
        rs.Update();
    }
    rs.MoveLast();
    EXPECT_EQ(rs.Field("lCodice").toInt(), 3);
    rs.Delete();
    rs.AddNew();
    rs.Update();
    rs.SetBookmark(rs.LastModified());
    EXPECT_EQ(rs.Field("lCodice").toInt(), 4);
}

TEST_F(DatabaseTest, IstruzioniNelDialettoDelProgramma)
{
    Aggiungi(1, "Rossi", 1);
    Aggiungi(2, "Rosa", 2);
    Aggiungi(3, "Ro*si", 3);
    Aggiungi(4, "R2", 4);
    auto conta = [&](const QString& sql) {
        Recordset q = db.OpenQuery(sql);
        return q.RecordCount();
    };
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE cNome LIKE 'Ros*';"), 2);
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE cNome LIKE 'R?s*'"), 2);
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE cNome LIKE 'R#*'"), 1);
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE cNome LIKE 'ro[*]si*'"), 1);
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE cNome LIKE 'R[!o]*'"), 1);
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE cNome LIKE 'ros%'"), 0);  // % is a plain character
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE cNome = \"ROSSI     \""), 1);
    EXPECT_EQ(conta("SELECT TOP 2 * FROM PERSONE ORDER BY bCodice"), 2);
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE Left(cNome, 2) & 'x' = 'Rox'"), 3);
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE (iNumero Mod 2 = 0) = True"), 2);
    db.Execute("UPDATE PERSONE SET dQuando = #1/15/2026 9:05:00 PM# WHERE bCodice = 1");
    EXPECT_EQ(conta("SELECT * FROM PERSONE WHERE dQuando >= #1/15/2026# AND dQuando < #01/16/2026#"), 1);
    Recordset q = db.OpenQuery("SELECT * FROM PERSONE WHERE bCodice = 1");
    EXPECT_EQ(q.Field("dQuando").toDateTime(), QDateTime(QDate(2026, 1, 15), QTime(21, 5)));
    EXPECT_EQ(db.Execute("DELETE * FROM PERSONE WHERE cNome LIKE 'R*' AND bCodice > 3;"), 1);
    EXPECT_EQ(db.Execute("DELETE PERSONE.* FROM PERSONE WHERE bCodice = 3"), 1);
    // Definitions in the old dialect.
    db.Execute("ALTER TABLE PERSONE ADD COLUMN cExtra TEXT(5)");
    EXPECT_EQ(db.Field("PERSONE", "cExtra").dimensione, 5);
    db.Execute("CREATE TABLE NUOVA (lId COUNTER, cNome TEXT(20), nValore SINGLE, xSi YESNO, cTesto MEMO)");
    EXPECT_EQ(db.Field("NUOVA", "lId").attributi & kAttrAutoIncremento, kAttrAutoIncremento);
    EXPECT_EQ(db.Field("NUOVA", "nValore").tipo, TipoCampo::Single);
    EXPECT_EQ(db.Field("NUOVA", "cTesto").tipo, TipoCampo::Memo);
    db.Execute("CREATE INDEX TAG_A ON NUOVA (lId) WITH PRIMARY");
    db.Execute("CREATE INDEX TAG_B ON NUOVA (cNome)");
    ASSERT_EQ(db.Indexes("NUOVA").size(), 2u);
    EXPECT_TRUE(db.Indexes("NUOVA")[0].primario);
    db.Execute("DROP INDEX TAG_A ON NUOVA;");
    EXPECT_FALSE(db.IndexExists("NUOVA", "TAG_A"));
    EXPECT_TRUE(db.IndexExists("PERSONE", "TAG_A"));
}

TEST_F(DatabaseTest, IstruzioneNonEseguibileNonCambiaNulla)
{
    Aggiungi(1, "Uno");
    Aggiungi(2, "Due");
    struct Caso {
        const char* sql;
        int errore;
    };
    const Caso casi[] = {
        {"DELETE * FROM PERSONE; DELETE * FROM RIGHE", errdb::kNonTraducibile},
        {"SELECT * INTO COPIA FROM PERSONE", errdb::kNonTraducibile},
        {"TRANSFORM Count(bCodice) SELECT cNome FROM PERSONE GROUP BY cNome PIVOT iNumero", errdb::kNonTraducibile},
        {"UPDATE PERSONE INNER JOIN RIGHE ON bCodice = lCodice SET cNome = 'x'", errdb::kNonTraducibile},
        {"UPDATE PERSONE SET dQuando = #32/13/2020#", errdb::kNonTraducibile},
        {"ALTER TABLE PERSONE ALTER COLUMN cNome TEXT(40)", errdb::kNonTraducibile},
        {"UPDATE PERSONE SET cNome = 'x", errdb::kSintassi},
        {"UPDATE PERSONE SET bCodice = 5", errdb::kValoreDuplicato},  // the second row would collide
        {"DELETE * FROM NESSUNA", errdb::kTabellaNonTrovata},
        {"SELECT * FROM PERSONE", errdb::kOperazioneNonValida},
    };
    for (const Caso& c : casi) EXPECT_EQ(NumeroErrore([&] { db.Execute(c.sql); }), c.errore) << c.sql;
    Recordset rs = db.OpenTable("PERSONE", "TAG_A");
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Field("bCodice").toInt(), 1);
    EXPECT_EQ(rs.Field("cNome").toString().trimmed(), "Uno");
    EXPECT_FALSE(rs.Field("dQuando").isValid());
}

TEST_F(DatabaseTest, RecordsetDiQueryModificabileSeSuUnaTabella)
{
    Aggiungi(1, "Uno");
    Aggiungi(2, "Due");
    Recordset q = db.OpenQuery("SELECT * FROM PERSONE WHERE bCodice >= ? ORDER BY bCodice DESC", {1});
    EXPECT_EQ(q.Type(), TipoRecordset::Dynaset);
    ASSERT_TRUE(q.Updatable());
    EXPECT_EQ(q.Field("bCodice").toInt(), 2);
    q.Edit();
    q.SetField("cNome", "Secondo");
    q.Update();
    q.AddNew();
    q.SetField("bCodice", 3);
    q.Update();
    EXPECT_EQ(q.RecordCount(), 3);
    Recordset rs = db.OpenTable("PERSONE", "TAG_A");
    rs.Seek("=", 2);
    EXPECT_EQ(rs.Field("cNome").toString().trimmed(), "Secondo");
    rs.Seek("=", 3);
    EXPECT_FALSE(rs.NoMatch());
    Recordset agg = db.OpenQuery("SELECT count(*) AS n FROM PERSONE");
    EXPECT_FALSE(agg.Updatable());
    EXPECT_EQ(agg.Field("n").toInt(), 3);
    EXPECT_EQ(NumeroErrore([&] { agg.Edit(); }), errdb::kSoloLettura);
    EXPECT_EQ(NumeroErrore([&] { agg.Seek("=", 1); }), errdb::kOperazioneNonValida);
}

TEST_F(DatabaseTest, OgniScritturaEDurevoleAlRitorno)
{
    Aggiungi(1, "Uno");
    // Another connection (another program) sees the row at once.
    Database altro;
    altro.Open(percorso);
    EXPECT_EQ(altro.RowCount("PERSONE"), 1);
    altro.Close();
}

TEST_F(DatabaseTest, ChiusuraInvalidaIRecordset)
{
    Aggiungi(1, "Uno");
    Recordset rs = db.OpenTable("PERSONE", "TAG_A");
    db.Close();
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(NumeroErrore([&] { rs.Field("cNome"); }), errdb::kDatabaseChiuso);
    EXPECT_EQ(NumeroErrore([&] { db.Execute("DELETE * FROM PERSONE"); }), errdb::kDatabaseChiuso);
    db.Close();  // harmless when closed
}

TEST_F(DatabaseTest, AperturaEsclusivaTieneFuoriAltriProgrammi)
{
    db.Close();
    db.Open(percorso, true);
    Aggiungi(1, "Uno");
    Database altro;
    EXPECT_EQ(NumeroErrore([&] { altro.Open(percorso); }), errdb::kFileInUso);
    EXPECT_FALSE(altro.IsOpen());
    db.Close();
    altro.Open(percorso);
    EXPECT_EQ(altro.RowCount("PERSONE"), 1);
}
