// The walk of a table record set that the grid stands on: the order of the
// index (rows without a key first), writes during a walk committed at once
// and seen by the walk, the file let go when the event loop turns; the
// check of an operator's expression and of a value against its field.
#include <QCoreApplication>

#include <sqlite3.h>

#include "registers/Registri.h"

using namespace obx;
using namespace obx::test;

namespace {

class Percorso : public RegistroProva {
protected:
    void SetUp() override
    {
        RegistroProva::SetUp();
        Prepara(4);
    }
    // Acts with the given tree keys (an invalid variant: no key), codes from 1.
    static void Atti(const QVariantList& chiavi)
    {
        Recordset rs = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_A"));
        int codice = 0;
        for (const QVariant& k : chiavi) {
            rs.AddNew();
            rs.SetField(QStringLiteral("iCodLeggeLG"), ++codice);
            rs.SetField(QStringLiteral("cTreeKeyLG"), k);
            rs.Update();
        }
    }
    static QList<int> Codici(Recordset& rs)
    {
        QList<int> out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) out << rs.Field(QStringLiteral("iCodLeggeLG")).toInt();
        return out;
    }
    // Rows of LEGGI as another program sees the file.
    static int RigheDaFuori()
    {
        sqlite3* h = nullptr;
        sqlite3_open_v2(cPathArchivio.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, "SELECT count(*) FROM LEGGI", -1, &st, nullptr);
        const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_finalize(st);
        sqlite3_close(h);
        return n;
    }
};

TEST_F(Percorso, WalksInTheOrderOfTheIndex)
{
    Atti({QStringLiteral("M"), QVariant(), QStringLiteral("b"), QStringLiteral("A"), QVariant(), QStringLiteral("B")});
    Recordset rs = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_B"));
    // No key first in order of entry, then the keys without regard to case.
    EXPECT_EQ(Codici(rs), (QList<int>{2, 5, 4, 3, 6, 1}));
    Recordset perCodice = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_A"));
    EXPECT_EQ(Codici(perCodice), (QList<int>{1, 2, 3, 4, 5, 6}));
    // Backwards from the end, and forwards again from a seek.
    QList<int> indietro;
    for (rs.MoveLast(); !rs.Bof(); rs.MovePrevious()) indietro << rs.Field(QStringLiteral("iCodLeggeLG")).toInt();
    EXPECT_EQ(indietro, (QList<int>{1, 6, 3, 4, 5, 2}));
    rs.Seek(QStringLiteral(">="), QStringLiteral("B"));
    ASSERT_FALSE(rs.NoMatch());
    QList<int> avanti;
    for (; !rs.Eof(); rs.MoveNext()) avanti << rs.Field(QStringLiteral("iCodLeggeLG")).toInt();
    EXPECT_EQ(avanti, (QList<int>{3, 6, 1}));
}

TEST_F(Percorso, WritesDuringAWalkAreCommittedAndSeen)
{
    Atti({QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("E"), QStringLiteral("G")});
    Recordset rs = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_B"));
    Recordset altro = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_A"));
    rs.MoveFirst();
    rs.MoveNext();  // on "C", the walk standing
    // A row added ahead, another deleted ahead, the current one changed.
    altro.AddNew();
    altro.SetField(QStringLiteral("iCodLeggeLG"), 9);
    altro.SetField(QStringLiteral("cTreeKeyLG"), QStringLiteral("D"));
    altro.Update();
    EXPECT_EQ(RigheDaFuori(), 5);  // on the file at once, the walk notwithstanding
    dbArchivio.Execute(QStringLiteral("DELETE FROM LEGGI WHERE iCodLeggeLG = 3"));
    EXPECT_EQ(RigheDaFuori(), 4);
    QList<int> resto;
    for (rs.MoveNext(); !rs.Eof(); rs.MoveNext()) resto << rs.Field(QStringLiteral("iCodLeggeLG")).toInt();
    EXPECT_EQ(resto, (QList<int>{9, 4}));

    // Editing the rows of the walk itself, one by one.
    int n = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        rs.Edit();
        rs.SetField(QStringLiteral("cNumeroAttoLG"), QString::number(++n));
        rs.Update();
    }
    EXPECT_EQ(n, 4);
    Recordset q = dbArchivio.OpenQuery(QStringLiteral("SELECT count(*) AS n FROM LEGGI WHERE cNumeroAttoLG IS NULL"));
    EXPECT_EQ(q.Field(QStringLiteral("n")).toInt(), 0);
}

TEST_F(Percorso, TheFileIsLetGoWhenTheEventLoopTurns)
{
    QVariantList chiavi;
    for (int i = 0; i < 50; ++i) chiavi << QStringLiteral("K%1").arg(i, 3, 10, QChar(u'0'));
    Atti(chiavi);
    Recordset rs = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_B"));
    rs.MoveFirst();
    rs.MoveNext();
    QCoreApplication::processEvents();
    // Another program may write now, without waiting.
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open_v2(cPathArchivio.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(h, 0);
    EXPECT_EQ(sqlite3_exec(h, "UPDATE LEGGI SET cNumeroAttoLG = 'x' WHERE iCodLeggeLG = 50", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(h);
    // The walk goes on where it stood.
    rs.MoveNext();
    EXPECT_EQ(rs.Field(QStringLiteral("iCodLeggeLG")).toInt(), 3);
    int resto = 0;
    for (; !rs.Eof(); rs.MoveNext()) ++resto;
    EXPECT_EQ(resto, 48);
}

TEST_F(Percorso, ExpressionsOfTheOperator)
{
    const char* buone[] = {
        "cNomeEV = 'O''Neil'",           "iPresentiEV > 3 AND (cTipoEventoEV = \"E\" OR Nz(lCodVotoEV) = 0)",
        "dDataOraEV >= #03/02/2026#",    "cNomeEV LIKE 'R*'",
        "UCase(Left(cNomeEV, 1)) = 'R'", "[cNomeEV] IN ('a', 'b')"};
    for (const char* e : buone) EXPECT_NO_THROW(Database::ControllaEspressione(QString::fromUtf8(e), false)) << e;
    EXPECT_NO_THROW(Database::ControllaEspressione(QStringLiteral("[cNomeEV] desc, lCodiceEV ASC"), true));
    const char* cattive[] = {"",
                             "  ",
                             "a = 1;",
                             "a = 1; DROP TABLE EVENTI",
                             "(a = 1",
                             "a = 1)",
                             "a = 1 --",
                             "a IN (SELECT 1)",
                             "1 UNION SELECT 1",
                             "a = 1 ORDER BY a",
                             "a = 'x",
                             "a = [x",
                             "a = 1 LIMIT 1",
                             "a, b"};
    for (const char* e : cattive) {
        try {
            Database::ControllaEspressione(QString::fromUtf8(e), false);
            ADD_FAILURE() << "accettata: " << e;
        } catch (const Errore& x) {
            EXPECT_EQ(x.Numero(), errdb::kSintassi) << e;
        }
    }
    EXPECT_THROW(Database::ControllaEspressione(QStringLiteral("a,, b"), true), Errore);
    EXPECT_THROW(Database::ControllaEspressione(QStringLiteral("a desc,"), true), Errore);
}

TEST_F(Percorso, ValuesCheckedAgainstTheirFields)
{
    Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    struct Caso {
        const char* campo;
        QVariant valore;
        int errore;  // 0: accepted
    };
    const Caso casi[] = {
        {"cNomeEV", QString(30, u'a'), 0},
        {"cNomeEV", QString(31, u'a'), errdb::kCampoTroppoPiccolo},
        {"iPresentiEV", QStringLiteral("32767"), 0},
        {"iPresentiEV", QStringLiteral("32768"), errdb::kOverflow},
        {"iPresentiEV", QStringLiteral("1,5"), 0},
        {"iPresentiEV", QStringLiteral("molti"), errdb::kConversione},
        {"lCodiceEV", 7, errdb::kSoloLettura},
        {"dDataOraEV", QStringLiteral("2/3/2026"), 0},
        {"dDataOraEV", QStringLiteral("ieri"), errdb::kConversione},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.campo);
        try {
            const QVariant v = rs.CheckField(QString::fromLatin1(c.campo), c.valore);
            EXPECT_EQ(c.errore, 0) << v.toString().toStdString();
        } catch (const Errore& e) {
            EXPECT_EQ(e.Numero(), c.errore) << e.what();
        }
    }
    EXPECT_EQ(rs.CheckField(QStringLiteral("cNomeEV"), QStringLiteral("ab")).toString(),
              QStringLiteral("ab").leftJustified(30));
}

}  // namespace
