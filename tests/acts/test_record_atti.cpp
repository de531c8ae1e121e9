// Rows of the acts tree and their texts: a new act at each level with the
// types allowed there, identifiers with a quote and a "*", the duplicate
// check, the deletion of one act with its subtree, and the tree nodes.
#include <gtest/gtest.h>

#include "platform/Albero.h"
#include "platform/Database.h"
#include "platform/Testo.h"
#include "shell/AlberoAtti.h"
#include "shell/Campi.h"
#include "shell/Globali.h"
#include "shell/RecordAtti.h"
#include "support/ArchivioProva.h"
#include "support/ScriptedUI.h"

using namespace obx;

namespace {

QString L(const char* lettera) { return TipoAtto(QString::fromLatin1(lettera), 0); }

class RecordAtti : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(archivio.Valido());
        rs = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_A"));
    }
    void TearDown() override { rs.Close(); }

    // Creates and stores an act under the act of code `padre` (0: the root).
    RigaAtto Nuovo(int padre, const QString& tipo, const QString& id = QString(), const QString& numero = QString(),
                   const QString& descrizione = QString())
    {
        RecordAtto p{};
        int livello = 1;
        if (padre != 0) {
            EXPECT_TRUE(CercaAtto(padre, p));
            livello = LivelloChiave(p[10]) + 1;
        }
        const RigaAtto r = ComponeAtto(p, livello, tipo, u'N', NuovoCodiceAtto(), id, numero, descrizione);
        EXPECT_TRUE(SalvaAtto(rs, r, true));
        return r;
    }
    static int Righe() { return test::ArchivioProva::Righe(cTabelle[5]); }
    static bool Esiste(int codice)
    {
        RecordAtto r;
        return CercaAtto(codice, r);
    }

    test::ArchivioProva archivio{4};
    test::ScriptedUI ui;
    Recordset rs;
};

TEST_F(RecordAtti, UnAttoPerLivelloConIlSuoTracciato)
{
    const RigaAtto legge = Nuovo(0, "B", QString(), " 12/2026 ", "  Bilancio  ");
    EXPECT_EQ(legge.iCodLeggeLG, 1);
    EXPECT_EQ(legge.iRadiceLeggeLG, 1);
    EXPECT_EQ(legge.cParametriLG, "BNB?????????");
    EXPECT_EQ(legge.cID[1], "1");
    EXPECT_EQ(legge.cNumeroAttoLG, PadTaglia("12/2026", 16));
    EXPECT_EQ(legge.cDescLeggeLG, "Bilancio .");
    EXPECT_EQ(legge.cTreeKeyLG, PadTaglia("B1", 66));
    // The label before the number, the blank kept at level 1.
    EXPECT_EQ(legge.cDescEventoLG, PadTaglia(L("B") + " 12/2026", 24));
    EXPECT_EQ(legge.cNomeVideoLG, AbbreviaTesto(legge.cDescEventoLG));
    EXPECT_EQ(legge.cNomeLedLG, legge.cNomeVideoLG);

    const RigaAtto articolo = Nuovo(1, "J", "3");
    EXPECT_EQ(articolo.cParametriLG, "JNBJ????????");
    EXPECT_EQ(articolo.cID[1], "1");
    EXPECT_EQ(articolo.cID[2], PadTaglia("3", 10));
    EXPECT_EQ(articolo.cID[3], QString(10, ' '));
    EXPECT_EQ(articolo.cTreeKeyLG, PadTaglia(PadTaglia("B1", 11) + "J3", 66));
    EXPECT_EQ(articolo.cDescLeggeLG, ".");
    EXPECT_EQ(articolo.iRadiceLeggeLG, 1);
    EXPECT_EQ(articolo.cNumeroAttoLG, legge.cNumeroAttoLG);
    // A law admits several child types: the article's label shows.
    EXPECT_EQ(articolo.cDescEventoLG, PadTaglia(L("B") + " 12/2026" + cSepara + L("J") + " 3", 24));

    // Blank identifier: the proposed one.
    const RigaAtto emendamento = Nuovo(2, "E");
    EXPECT_EQ(emendamento.cParametriLG, "ENBJE???????");
    EXPECT_EQ(emendamento.cID[3], "1");
    EXPECT_EQ(emendamento.iRadiceLeggeLG, 1);
    // Under an article only amendments stand: no label at level 3.  The
    // text fits in 24 characters, so it keeps its blanks.
    EXPECT_EQ(emendamento.cDescEventoLG, PadTaglia(R"(PdL 12/2026\Art 3\1)", 24));

    const RigaAtto sub = Nuovo(3, "L", "2");
    const RigaAtto subsub = Nuovo(4, "C", "1");
    const RigaAtto ultimo = Nuovo(5, "9", "4");
    EXPECT_EQ(sub.cParametriLG, "LNBJEL??????");
    EXPECT_EQ(subsub.cParametriLG, "CNBJELC?????");
    EXPECT_EQ(ultimo.cParametriLG.size(), 12);
    EXPECT_EQ(ultimo.cParametriLG, "9NBJELC9????");
    EXPECT_EQ(ultimo.iRadiceLeggeLG, 1);
    EXPECT_EQ(LivelloChiave(ultimo.cTreeKeyLG), 6);
    EXPECT_TRUE(ultimo.cTreeKeyLG.startsWith(subsub.cTreeKeyLG.left(55)));
    // Longer than 24 at a deep level: every blank goes before the cut.
    EXPECT_FALSE(ultimo.cDescEventoLG.trimmed().contains(' '));
    EXPECT_EQ(ultimo.cDescEventoLG.size(), 24);

    // Stored as built, read back as the panels hold it.
    RecordAtto r;
    ASSERT_TRUE(CercaAtto(6, r));
    EXPECT_EQ(r[0], "6");
    EXPECT_EQ(r[1], "9NBJELC9????");
    EXPECT_EQ(r[2], "1");
    EXPECT_EQ(r[3], "3");
    EXPECT_EQ(r[4], "1");
    EXPECT_EQ(r[5], "2");
    EXPECT_EQ(r[6], "1");
    EXPECT_EQ(r[7], "12/2026");
    EXPECT_EQ(r[8], "1");
    EXPECT_EQ(r[9], TrimSpazi(ultimo.cDescEventoLG));
    EXPECT_EQ(r[10], TrimSpazi(ultimo.cTreeKeyLG));
    Recordset q = dbArchivio.OpenQuery("SELECT * FROM LEGGI WHERE iCodLeggeLG = ?", {6});
    EXPECT_EQ(q.Field("cIDSubSubSubLG").toString(), PadTaglia("4", 10));
    EXPECT_EQ(Righe(), 6);
}

// Every type the grammar allows under each parent, level by level.
TEST_F(RecordAtti, OgniTipoAmmessoPerLivello)
{
    struct Caso {
        const char* padre;
        int livello;
        const char* ammessi;
    };
    const Caso casi[] = {{"", 1, "KIGHMVQPBUFXNWYRST"},
                         {"B", 2, "AJDOZ"},
                         {"Q", 2, "EOZ"},
                         {"M", 2, "EX"},
                         {"I", 2, "M"},
                         {"X", 2, "E"},
                         {"M", 3, "EX"},
                         {"D", 3, "L"},
                         {"X", 4, "E"},
                         {"L", 5, "C"},
                         {"C", 6, "9"}};
    for (const Caso& c : casi) {
        EXPECT_EQ(TipiAmmessi(c.livello, c.padre, QString()), c.ammessi);
        RecordAtto padre{};
        if (c.livello > 1) {
            // A parent of the right type at the level above.
            QString chiave;
            QString percorso;
            for (int k = 1; k < c.livello; ++k) {
                const QString t = k == c.livello - 1 ? QString(c.padre) : QStringLiteral("B");
                chiave = ChiaveFiglio(chiave, k, t, "7");
                percorso += t;
            }
            padre[1] = c.padre + QStringLiteral("N") + percorso;
            for (int k = 1; k < c.livello; ++k) padre[k + 1] = "7";
            padre[7] = "5/2026";
            padre[8] = "40";
            padre[10] = chiave;
        }
        for (const QChar t : QString::fromLatin1(c.ammessi)) {
            const RigaAtto r = ComponeAtto(padre, c.livello, QString(t), u'N', 99, "1", "5/2026", "x");
            EXPECT_EQ(r.cParametriLG.at(0), t);
            EXPECT_EQ(r.cParametriLG.at(c.livello + 1), t);
            EXPECT_EQ(r.cParametriLG.mid(2, c.livello - 1), padre[1].mid(2, c.livello - 1));
            EXPECT_EQ(r.cTreeKeyLG.mid((c.livello - 1) * 11, 11), PadTaglia(QString(t) + "1", 11));
            EXPECT_EQ(r.cTreeKeyLG.left((c.livello - 1) * 11), PadTaglia(padre[10], 66).left((c.livello - 1) * 11));
            EXPECT_EQ(r.iRadiceLeggeLG, c.livello == 1 ? 99 : 40);
            // The type's label stands in the text only where there was a choice.
            const QString testo = DescrizioneAtto(r.cParametriLG, c.livello, r.cNumeroAttoLG, r.cTreeKeyLG);
            const QString coda =
                QString(c.ammessi).size() > 1 || c.livello == 1 ? TipoAtto(QString(t), 0) + " 1" : QStringLiteral("1");
            EXPECT_TRUE(testo.endsWith(c.livello == 1 ? TipoAtto(QString(t), 0) + " 5/2026" : coda))
                << testo.toStdString();
        }
    }
}

TEST_F(RecordAtti, IStatiSonoLeLettereDellaLista)
{
    const RecordAtto radice{};
    EXPECT_EQ(ComponeAtto(radice, 1, "D", u'G', 1, "", "1", "").cParametriLG, "DGD?????????");
    EXPECT_EQ(ComponeAtto(radice, 1, "D", u'C', 1, "", "1", "").cParametriLG, "DCD?????????");
}

TEST_F(RecordAtti, IdentificativiConApiceEAsteriscoTornanoUguali)
{
    Nuovo(0, "B", QString(), "L'1*");
    const RigaAtto a = Nuovo(1, "J", "1'*");
    const RigaAtto e = Nuovo(2, "E", "o'k*");
    RecordAtto r;
    ASSERT_TRUE(CercaAtto(a.iCodLeggeLG, r));
    EXPECT_EQ(r[3], "1'*");
    EXPECT_EQ(r[7], "L'1*");
    ASSERT_TRUE(CercaAtto(e.iCodLeggeLG, r));
    EXPECT_EQ(r[3], "1'*");
    EXPECT_EQ(r[4], "o'k*");
    EXPECT_EQ(r[10], TrimSpazi(e.cTreeKeyLG));
    EXPECT_TRUE(e.cDescEventoLG.contains("o'k*"));
    // The proposal under such a parent reads its children exactly.
    EXPECT_EQ(CalcolaIDLegge(a.cTreeKeyLG, "E", 3), "1");
    EXPECT_EQ(CalcolaIDLegge(PadTaglia("B1", 11) + "J1", "E", 3), "1");
}

TEST_F(RecordAtti, ChiaveDuplicataSoloPerLaStessaChiave)
{
    Nuovo(0, "B");
    Nuovo(1, "J", "1*");
    // A "*" or a different case is not a wildcard: these are other keys.
    EXPECT_FALSE(ChiaveDuplicata(PadTaglia("B1", 11) + "J1x", 0));
    EXPECT_FALSE(ChiaveDuplicata(PadTaglia("B1", 11) + "J1", 0));
    EXPECT_FALSE(ChiaveDuplicata(PadTaglia("b1", 11) + "J1*", 0));
    EXPECT_TRUE(ChiaveDuplicata(PadTaglia("B1", 11) + "J1*", 0));
    EXPECT_FALSE(ChiaveDuplicata(PadTaglia("B1", 11) + "J1*", 2));  // the act itself

    // Saving the same path again is refused and stores nothing.
    RecordAtto p;
    ASSERT_TRUE(CercaAtto(1, p));
    const RigaAtto doppio = ComponeAtto(p, 2, "J", u'N', NuovoCodiceAtto(), "1*", "", "");
    ui->AttendiMsg("Chiave Duplicata");
    EXPECT_FALSE(SalvaAtto(rs, doppio, true));
    EXPECT_EQ(Righe(), 2);
}

TEST_F(RecordAtti, SalvataggioDiUnAttoEsistente)
{
    Nuovo(0, "B", QString(), "3/2026");
    const RigaAtto a = Nuovo(1, "J", "4");
    RecordAtto proprio;
    ASSERT_TRUE(CercaAtto(a.iCodLeggeLG, proprio));
    // Saved again with its own record as the path, in another state and identifier.
    const RigaAtto b = ComponeAtto(proprio, 2, "J", u'V', a.iCodLeggeLG, "5", "", "");
    ASSERT_TRUE(SalvaAtto(rs, b, false));
    EXPECT_EQ(Righe(), 2);
    RecordAtto r;
    ASSERT_TRUE(CercaAtto(a.iCodLeggeLG, r));
    EXPECT_EQ(r[1], "JVBJ????????");
    EXPECT_EQ(r[3], "5");
    EXPECT_EQ(r[7], "3/2026");
    EXPECT_EQ(r[8], "1");
    EXPECT_EQ(r[10], TrimSpazi(PadTaglia("B1", 11) + "J5"));
    EXPECT_EQ(rs.Field("iCodLeggeLG").toInt(), a.iCodLeggeLG);
}

// Two laws, articles 1 and 10 with amendments, a sibling whose identifier
// holds a quote and a "*": deleting one act takes exactly its subtree.
TEST_F(RecordAtti, EliminazioneDiUnSottoalbero)
{
    Nuovo(0, "B");                                 // 1: B1
    Nuovo(0, "B");                                 // 2: B2
    const RigaAtto art1 = Nuovo(1, "J", "1");      // 3
    Nuovo(3, "E", "1");                            // 4
    Nuovo(4, "L", "1");                            // 5
    Nuovo(1, "J", "10");                           // 6
    Nuovo(6, "E", "1");                            // 7
    const RigaAtto strano = Nuovo(1, "J", "1'*");  // 8
    Nuovo(8, "E", "2");                            // 9
    Nuovo(2, "J", "1");                            // 10: article 1 of the other law
    Nuovo(1, "D", "1");                            // 11: other type, same identifier
    ASSERT_EQ(Righe(), 11);

    EXPECT_EQ(EliminaSottoalbero(strano.cTreeKeyLG, 2), 2);
    EXPECT_FALSE(Esiste(8));
    EXPECT_FALSE(Esiste(9));
    for (int c : {1, 2, 3, 4, 5, 6, 7, 10, 11}) EXPECT_TRUE(Esiste(c)) << c;

    EXPECT_EQ(EliminaSottoalbero(art1.cTreeKeyLG, 2), 3);
    for (int c : {3, 4, 5}) EXPECT_FALSE(Esiste(c)) << c;
    for (int c : {1, 2, 6, 7, 10, 11}) EXPECT_TRUE(Esiste(c)) << c;

    // A blank key or a level outside the tree deletes nothing.
    EXPECT_EQ(EliminaSottoalbero(QString(66, ' '), 1), 0);
    EXPECT_EQ(EliminaSottoalbero(PadTaglia("B1", 66), 0), 0);
    EXPECT_EQ(EliminaSottoalbero(PadTaglia("B1", 66), 7), 0);
    EXPECT_EQ(Righe(), 6);

    // A whole law with everything below it.
    EXPECT_EQ(EliminaSottoalbero(PadTaglia("B1", 66), 1), 4);
    EXPECT_EQ(Righe(), 2);
    EXPECT_TRUE(Esiste(2));
    EXPECT_TRUE(Esiste(10));
}

TEST_F(RecordAtti, NodiEVociDellaListaDegliAtti)
{
    Nuovo(0, "B", QString(), "12/2026");
    const RigaAtto art = Nuovo(1, "J", "3");
    const RigaAtto em = Nuovo(2, "E", "2");

    EXPECT_EQ(ChiaveNodoAtto(em.cTreeKeyLG, 3), "B1" + cSepara + "J3" + cSepara + "E2" + cSepara);
    EXPECT_EQ(TagNodoAtto("J", 2, "N", 57), "J2N57");
    EXPECT_EQ(TagNodoAtto("D", 1, "N", 12), "D1N12");
    EXPECT_EQ(TestoNodoAtto("", "B", 1, " 12/2026 ", "N", 0), L("B") + " 12/2026");
    EXPECT_EQ(TestoNodoAtto("B", "J", 2, "3", "N", 0), "b." + L("J") + " 3");
    EXPECT_EQ(TestoNodoAtto("J", "E", 3, "2", "V", 1), L("E") + " 2 (Votato)");
    EXPECT_EQ(TestoNodoAtto("J", "E", 3, "2", "?", 1), L("E") + " 2");

    EXPECT_EQ(VoceListaAtti(art.cParametriLG, art.cNumeroAttoLG, art.cTreeKeyLG, 2),
              L("B") + " 12/2026" + cSepara + L("J") + " 3 [2]");
    EXPECT_EQ(VoceListaAtti(em.cParametriLG, em.cNumeroAttoLG, em.cTreeKeyLG, 3),
              L("B") + " 12/2026" + cSepara + L("J") + " 3" + cSepara + "2 [3]");

    // The tree load gives the same nodes.
    Albero albero;
    CaricaAlbero(albero, 1, QString(), QString(), QString(), 1);
    const NodoAlbero* n = albero.Find(ChiaveNodoAtto(art.cTreeKeyLG, 2));
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->Text(), TestoNodoAtto("B", "J", 2, "3", "N", 1));
    EXPECT_EQ(n->Tag(), TagNodoAtto("J", 2, "N", 2));
    ASSERT_NE(albero.Find(ChiaveNodoAtto(em.cTreeKeyLG, 3)), nullptr);
}

TEST_F(RecordAtti, PrimoCodiceInTabellaVuota)
{
    EXPECT_EQ(NuovoCodiceAtto(), 1);
    RecordAtto r;
    EXPECT_FALSE(CercaAtto(1, r));
    EXPECT_EQ(r, RecordAtto{});
}

}  // namespace
